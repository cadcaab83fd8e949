#pragma once
// The finance calculators' limits and steps: the same whatever the tax year.

#include <array>

namespace grossby {

/// Limits and steps of the finance calculators (loans, loan buster, loan
/// comparison, daily balance, inflation).
struct FinanceFigures {
    double maxLoanRate;  ///< percent a year the loan, buster and comparison fields take
    int maxLoanMonths;  ///< longest loan period, months
    double cent;  ///< the period search's repayment step
    std::array<double, 4> rateSearchSteps;  ///< the rate search's steps, coarse to fine
    double extraPaymentFactor;  ///< loan buster: extra payments up to this many repayments are worked out
    int comparisonTermStep;  ///< loan comparison: terms are multiples of this many months
    int comparisonTerms;  ///< ... and there are this many
    double maxDailyBalanceRate;  ///< percent a year the daily balance's rate field takes
    int maxDaySpan;  ///< days the end date may lie after the start date
    double daysPerYear;  ///< daily balance interest year
    double rateSpinStep;  ///< daily balance rate spin, start value of `RateSpinStep`
    double maxSpinRate;  ///< daily balance rate spin wraps above this
    int unsetDay;  ///< day number of a date field left empty: 1 January 1800
    double minInflationRate;  ///< inflation rate field's range, percent
    double maxInflationRate;
    int maxInflationYears;  ///< longest projection
    double inflationSpinStep;
    double minSpinInflation;  ///< inflation rate spin wraps between these
    double maxSpinInflation;
    double largestShownAmount;  ///< larger projected costs are not shown or printed
};

inline constexpr FinanceFigures kFinance{
    .maxLoanRate = 50,
    .maxLoanMonths = 600,
    .cent = 0.01,
    .rateSearchSteps = {5, 1, 0.1, 0.01},
    .extraPaymentFactor = 10,
    .comparisonTermStep = 60,
    .comparisonTerms = 6,
    .maxDailyBalanceRate = 40,
    .maxDaySpan = 10960,
    .daysPerYear = 365,
    .rateSpinStep = 0.25,
    .maxSpinRate = 50,
    .unsetDay = -36522,
    .minInflationRate = -5,
    .maxInflationRate = 40,
    .maxInflationYears = 40,
    .inflationSpinStep = 0.25,
    .minSpinInflation = -5,
    .maxSpinInflation = 30,
    .largestShownAmount = 9999999999.0,
};

}  // namespace grossby
