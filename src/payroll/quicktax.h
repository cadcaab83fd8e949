#pragma once
// QuickTax: the income tax on an annual taxable income at a given age, built
// up from the tax scale, with the rebate, the tax payable and the average
// rates. It works on the shared state, so it always taxes the income that
// was last put into `AnnualTaxableIncome`, by itself or by another
// calculator.

#include "core/print_record.h"

#include <optional>
#include <string>

namespace grossby {

struct Module1;

/// Print table, template and preview title of the QuickTax report.
inline constexpr const char* kKwikTaxTable = "kwiktax";
inline constexpr const char* kKwikTaxTemplate = "kwiktep.rpt";
inline constexpr const char* kKwikTaxTitle = "QuickTax - To export printout click on the suitcase button or goto Help";

/// The age is held as a 16-bit Integer; outside these limits it is refused.
inline constexpr double kQuickTaxAgeMin = -32768;
inline constexpr double kQuickTaxAgeMax = 32767;
inline constexpr const char* kQuickTaxAgeTitle = "Incorrect Age";
inline constexpr const char* kQuickTaxAgeMessage =
    "The age entered is not correct please enter the age in whole years, between -32768 and 32767";

/// Computes every QuickTax result from `AnnualTaxableIncome` and
/// `QuickTaxAge`: the rebate for the age, the tax through CalcAnnualTax, the
/// tax payable (never below 0) and the average rates before and after
/// rebates, in percent. Nothing is rounded.
void NEWCALC(Module1& state);

/// "&Calculate": takes `AnnualTaxableIncome` as the income shown
/// (`QuickTaxIncome`) and runs NEWCALC.
void QuickTaxCalculate(Module1& state);

/// A new taxable income typed in: both `QuickTaxIncome` and
/// `AnnualTaxableIncome` take it.
void QuickTaxSetIncome(Module1& state, double income);

/// A new age typed in, stored as a whole number of years rounded half to
/// even. An age that does not fit the 16-bit Integer is refused: the age is
/// left as it was and the message for the user is returned.
std::optional<std::string> QuickTaxSetAge(Module1& state, double age);

/// The one row of the `kwiktax` print table, fields in the order the report
/// routine writes them; `TAXCOM4/2` is the monthly tax.
PrintRecord KwikTaxRecord(const Module1& state);

}  // namespace grossby
