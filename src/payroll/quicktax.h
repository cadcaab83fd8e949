#pragma once
// QuickTax: the income tax on an annual taxable income at a given age, built
// up from the tax scale, with the rebate, the tax payable and the average
// rates. The window always taxes the income that was last put into the
// shared `AnnualTaxableIncome`, by itself or by another calculator, and keeps
// its figures in QuickTax's memory (quicktax_state.h); the calculation itself
// is a pure function.

#include "core/calc_outcome.h"
#include "core/print_record.h"
#include "core/year_figures.h"
#include "payroll/quicktax_state.h"

#include <optional>
#include <string>

namespace grossby {

struct Module1;

/// Print table, template and preview title of the QuickTax report.
inline constexpr const char* kKwikTaxTable = "kwiktax";
inline constexpr const char* kKwikTaxTemplate = "kwiktep.rpt";
inline constexpr const char* kKwikTaxTitle = "QuickTax - To export printout click on the suitcase button or goto Help";

/// The QuickTax report: its one `kwiktax` row, template and preview title.
inline ReportDescriptor quickTaxReport()
{
    return {kKwikTaxTable, kKwikTaxTemplate, kKwikTaxTitle};
}

/// Ages QuickTax takes, in whole years; outside them the age is refused.
inline constexpr double kQuickTaxAgeMin = 0;
inline constexpr double kQuickTaxAgeMax = 150;
inline constexpr const char* kQuickTaxAgeTitle = "Incorrect Age";
inline constexpr const char* kQuickTaxAgeMessage =
    "The age entered is not correct please enter the age in whole years, between 0 and 150";

/// What QuickTax is asked: an annual taxable income and an age.
struct QuickTaxInputs {
    double income = 0;
    int age = 0;
    int TaxYear = kDefaultTaxYear;  ///< the year of assessment, by the year it ends in
};

/// Every QuickTax figure, unrounded.
struct QuickTaxResult {
    double income = 0;
    int age = 0;
    double bracketBaseTax = 0;  ///< tax on the income up to its bracket
    double marginalRate = 0;  ///< whole percent
    double taxOnExcess = 0;  ///< the portion at the marginal rate
    double primaryRebate = 0;
    double ageRebate = 0;  ///< secondary and tertiary rebates for the age
    double rebate = 0;  ///< both, in whole rand
    double total = 0;  ///< tax before rebates
    double payable = 0;  ///< after rebates, never below 0
    double averageRate = 0;  ///< percent of the income, before rebates
    double averageRateAfter = 0;  ///< percent of the income, after rebates, never below 0
    int TaxYear = kDefaultTaxYear;  ///< the tax year whose scale and rebates were used
    double monthlyTax() const { return payable / 12; }
};

/// The tax on an annual taxable income at an age in `year`: the rebate for
/// the age, the tax on the scale, the tax payable (never below 0) and the
/// average rates before and after rebates, in percent. Nothing is rounded.
QuickTaxResult CalcQuickTax(const QuickTaxInputs& in, const TaxYearFigures& year);
/// The same in the year `in.TaxYear` names; refused when there is no such year.
CalcOutcome<QuickTaxResult> CalcQuickTax(const QuickTaxInputs& in);

/// Taxes `AnnualTaxableIncome` on `year`'s scale and sets `MarginalRate`,
/// `BracketBaseTax`, `TaxOnExcess` and `AnnualTax` in QuickTax's memory: the
/// shared-state form of annualTax() that QuickTax works through.
void CalcAnnualTax(Module1& state, const TaxYearFigures& year);

/// The shared-state form of CalcQuickTax: taxes `AnnualTaxableIncome` at
/// `QuickTaxAge` in `QuickTaxYear` and leaves every result in QuickTax's
/// memory, the annual tax function's variables included (nothing changes
/// when that year is not available).
void NEWCALC(Module1& state);

/// "&Calculate": takes `AnnualTaxableIncome` as the income shown
/// (`QuickTaxIncome`) and runs NEWCALC.
void QuickTaxCalculate(Module1& state);

/// What "&Calculate" taxes: `AnnualTaxableIncome`, which becomes the income
/// shown (`QuickTaxIncome`), at `QuickTaxAge` in `QuickTaxYear`.
QuickTaxInputs QuickTaxCalculateInputs(Module1& state);

/// Keeps the figures of a calculation where the window finds them again:
/// QuickTax's memory, the annual tax function's variables included.
void KeepQuickTax(Module1& state, const QuickTaxResult& result);

/// A new taxable income typed in: both `QuickTaxIncome` and
/// `AnnualTaxableIncome` take it.
void QuickTaxSetIncome(Module1& state, double income);

/// A new age typed in, stored as a whole number of years rounded half to
/// even. An age outside 0..150 is refused: the age is left as it was and the
/// message for the user is returned.
std::optional<std::string> QuickTaxSetAge(Module1& state, double age);

/// The one row of the `kwiktax` print table, fields in the order the report
/// routine writes them; `TAXCOM4/2` is the monthly tax. The tax year follows:
/// `TaxYear` ("2017/18"), `TaxYearHeading` (empty for 2017/18, else "Tax year
/// 2025/26") and the year's first and last days written out (`YearStart`
/// "1 March 2017", `YearEnd` "28 February 2018").
PrintRecord KwikTaxRecord(const QuickTaxResult& result);
/// The row for the figures QuickTax keeps.
PrintRecord KwikTaxRecord(Module1& state);

}  // namespace grossby
