#include "finance/inflation.h"

#include "finance/finance_figures.h"

namespace grossby {

namespace {

constexpr const FinanceFigures& kF = kFinance;

}  // namespace

CalcOutcome<InflationResult> ProjectInflation(const InflationInputs& in)
{
    if (in.rate < kF.minInflationRate || in.rate > kF.maxInflationRate)
        return InputError{kInflationRateTitle, kInflationRateMessage, "rate"};
    if (in.years > kF.maxInflationYears)
        return InputError{kInflationPeriodTitle, kInflationPeriodMessage, "years"};

    const double r = in.rate;
    double future = in.presentCost;
    double power = in.presentCost;
    for (int year = 1; year <= in.years; ++year) {
        future = future + future * r / 100;
        power = power - power * r / (r + 100);
    }
    InflationResult out;
    out.futureCost = future;
    out.buyingPower = power;
    out.tooLarge = future > kF.largestShownAmount;
    return out;
}

InflationSpin spinInflationRate(double rate, bool up)
{
    if (up) {
        const double next = rate + kF.inflationSpinStep;
        if (next > kF.maxSpinInflation)
            return {kF.minSpinInflation, false};
        return {next, next == 0};
    }
    const double next = rate - kF.inflationSpinStep;
    return {next < kF.minSpinInflation ? kF.maxSpinInflation : next, false};
}

InflationSpin spinInflationYears(double years, bool up)
{
    if (up) {
        const double next = years + 1;
        if (next > kF.maxInflationYears)
            return {1, false};
        return {next, next == 0};
    }
    const double next = years - 1;
    if (next == 0)
        return {static_cast<double>(kF.maxInflationYears), true};
    return {next, false};
}

}  // namespace grossby
