#pragma once
// The check sheets of the period calculators: the one row each calculator
// writes to its print table, labels in English or Afrikaans beside the
// figures of the last calculation. One template serves both languages
// because the labels travel in the row.

#include "core/print_record.h"
#include "payroll/period_tax.h"

#include <string>

namespace grossby {

/// Where each calculator's row goes and how its report is shown; every
/// check sheet prints in English or Afrikaans.
ReportDescriptor monthlyReport();
ReportDescriptor annualReport();
ReportDescriptor weeklyReport();
ReportDescriptor fortnightlyReport();  ///< shares the weekly table
ReportDescriptor dailyReport();

/// A figure as a two-decimal field shows it, read back from its text.
double shownAmount(double value);

/// The monthly row (`IRP5Mon`): inputs, dates, both travel figures, UIF and
/// skills levy, credits and the tax before and after them.
PrintRecord PrintMonthly(const MonthlyInputs& in, const PeriodResult& r, PrintLanguage language);

/// The annual row (`IRP5Ann`): as the monthly one without UIF and skills
/// levy, with the beneficiaries of each month as counted.
PrintRecord PrintAnnual(const AnnualInputs& in, const AnnualResult& r, PrintLanguage language);

/// The weekly row (`IRP5Week`), the day counts in place of dates.
PrintRecord PrintWeekly(const ShortPeriodInputs& in, const PeriodResult& r, PrintLanguage language);

/// The fortnightly row (also `IRP5Week`).
PrintRecord PrintFortnightly(const ShortPeriodInputs& in, const PeriodResult& r, PrintLanguage language);

/// The daily row (`IRP5Day`): no dates or day counts.
PrintRecord PrintDaily(const DailyInputs& in, const PeriodResult& r, PrintLanguage language);

}  // namespace grossby
