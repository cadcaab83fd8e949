#pragma once
// What the finance windows keep between visits: the loan window's mode, its
// four quantities, its finance charges toggle and the shape of its last
// yearly schedule; the inputs the loan buster, loan comparison, daily
// balance and inflation windows show again when they are reopened. Plain
// data only. The windows keep it as the finance subsystem's memory in the
// shared state (`state.memory<FinanceMemory>()`), which File > Initialise
// All puts back to these start values.

#include "finance/finance_figures.h"

#include <cstdint>
#include <string>

namespace grossby {

struct FinanceMemory {
    // The loan window.
    std::string LoanCalcMode = "Monthly repayment";  ///< the mode's text as the window shows it
    double LoanPrincipal = 0;
    double LoanPeriod = 0;  ///< whole months
    double LoanRate = 0;  ///< percent a year
    double LoanRepayment = 0;
    std::string FinChargesShown = "UP";  ///< "DOWN" while the finance charges are shown
    std::int16_t AnnualKind = 0;  ///< 1 whole years, 2 a partial last year
    std::int16_t FullYears = 0;
    std::int16_t AnnualYears = 0;

    // The loan buster (its period starts at 0 each time the window opens).
    double BusterPrincipal = 0;
    float BusterRate = 0;
    double BusterExtraPayment = 0;

    // The loan comparison.
    double CompPrincipal = 0;
    float CompRate = 0;

    // The daily balance.
    float DayBalCapital = 0;
    float DayBalRate = 0;
    std::int32_t DayBalStart = kFinance.unsetDay;  ///< 1 January 1800: no date
    std::int32_t DayBalEnd = kFinance.unsetDay;
    double RateSpinStep = kFinance.rateSpinStep;

    // The inflation projection.
    double InflPresentCost = 0;
    double InflPeriod = 0;  ///< whole years
    double InflRate = 0;  ///< percent a year, may be negative
};

}  // namespace grossby
