#pragma once
// The rows the finance windows stage for their printouts, built here so the
// window and the command line stage the same figures, with each report's
// table, template and preview title.

#include "core/print_record.h"
#include "finance/daily_balance.h"
#include "finance/inflation.h"
#include "finance/loan.h"
#include "finance/loan_buster.h"
#include "finance/loan_comparison.h"

#include <string>
#include <vector>

namespace grossby {

/// Which schedule a loan printout includes.
enum class ScheduleKind { None, Annual, Monthly };

/// The loan template for the mode, with or without a schedule.
ReportDescriptor loanReport(LoanMode mode, ScheduleKind schedule);
ReportDescriptor loanBusterReport();
ReportDescriptor loanComparisonReport();
ReportDescriptor dailyBalanceReport();
ReportDescriptor inflationReport();
/// The schedule table the loan templates with a schedule read.
inline constexpr const char* kAmortTable = "Amort";

/// The `Loans` row: the mode, P, N, R, M, the finance charges while they are
/// shown (else empty texts and zeros), and "Year" or "Month" with a schedule.
PrintRecord PrintLoan(LoanMode mode, const LoanResult& loan, bool financeChargesShown, ScheduleKind schedule);

/// The `Amort` rows, one per schedule line. They replace every earlier row.
std::vector<PrintRecord> PrintAmort(const std::vector<AmortLine>& lines);

/// The `BondBust` row.
PrintRecord PrintLoanBuster(const LoanBusterInputs& in, const LoanBusterResult& r);
/// The `BondComp` row: amount and rate, then each term's repayment, interest
/// and total.
PrintRecord PrintLoanComparison(const LoanComparisonInputs& in, const LoanComparisonResult& r);
/// The `DailyBal` row.
PrintRecord PrintDailyBalance(const DailyBalanceInputs& in, const DailyBalanceResult& r);
/// The `Inflation` row.
PrintRecord PrintInflation(const InflationInputs& in, const InflationResult& r);

// Whether each window's Print has something to print.
bool canPrintLoanBuster(const LoanBusterInputs& in);
bool canPrintLoanComparison(const LoanComparisonInputs& in);
bool canPrintDailyBalance(const DailyBalanceResult& r);
bool canPrintInflation(const InflationResult& r);

}  // namespace grossby
