#pragma once
// The package calculators' inputs, settings and results as tables: the
// windows bind their fields to them, the command line makes its options,
// batch columns, JSON keys and --help from them.
//
// The four other-expense rows (text, amount, cost to company) are not in the
// tables: each is three values in one, which the window shows as a row and
// the command line reads as TEXT=AMOUNT[:COST].

#include "core/input_table.h"
#include "package/package_calc.h"

#include <optional>
#include <string>
#include <vector>

namespace grossby {

/// Forward calculator: the package and what it consists of.
const std::vector<InputSpec<PackageInputs>>& packageInputTable(PackagePeriod period);
/// Reverse calculator: the net pay required and the rest as the forward one.
const std::vector<InputSpec<PackageInputs>>& grossUpInputTable(PackagePeriod period);

/// The command line's inputs of `package` (forward) or `grossup` (reverse):
/// the window's inputs with the annual bounds, the --annual switch (the
/// annual windows) and the four other-expense rows as `other-expense`
/// TEXT=AMOUNT[:COST], given once for each row (a batch cell holds the rows
/// separated by ';'). A monthly beneficiary count above 99 is refused by
/// `checkPackagePeriod`.
const std::vector<InputSpec<PackageInputs>>& packageCommandInputTable(bool forward);

/// The monthly bound on the beneficiaries, which the command line's table
/// (bounded for beneficiary-months) cannot say itself: why `in` cannot be
/// taken (monthly, more than 99), or nothing.
std::optional<std::string> checkPackagePeriod(const PackageInputs& in);

/// The nine settings of the Setup panel that the calculations use (the two
/// provident percentages are kept and shown only). The maintenance plan is a
/// Rate of 1 (yes) or 0 (no).
const std::vector<InputSpec<PackageSettings>>& packageSettingsTable();

/// Largest beneficiary count: persons a month, beneficiary-months a year.
inline constexpr double kMaxPackageBeneficiaries = 99;
inline constexpr double kMaxPackageBeneficiaryMonths = 99 * 12;

const std::vector<ResultSpec<PackageResult>>& packageResultTable();
const std::vector<ResultSpec<GrossUpResult>>& grossUpResultTable();

}  // namespace grossby
