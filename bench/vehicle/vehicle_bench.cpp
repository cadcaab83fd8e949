// How the vehicle calculations scale: a pass over registers of growing size
// (each vehicle's code 3802 share needs the days of all vehicles, summed
// once a pass), the table lookup against the written chain of bands, and
// one travel allowance.

#include "vehicle/car_allowance.h"
#include "vehicle/company_car.h"
#include "vehicle/travel_table.h"

#include <benchmark/benchmark.h>

namespace {

grossby::CompanyCarRegister makeRegister(int count)
{
    std::vector<grossby::Vehicle> cars;
    for (int i = 0; i < count; ++i) {
        grossby::Vehicle v;
        v.CCRegNumber = "CA " + std::to_string(i);
        v.CCPrice = 80000 + 7919.0 * (i % 97);
        v.CCEndDate = grossby::defaultTaxYear().start + 30 + (i * 37) % 330;
        v.BussMilage = i % 2;
        v.SARSTable = i % 3 == 0 ? 1 : 0;
        v.TotalDistance = 5000 + 311.0 * (i % 50);
        v.BusDistance = v.TotalDistance / 3;
        v.EmpPaidInsurance = 6000;
        cars.push_back(v);
    }
    return grossby::registerOf(std::move(cars), 50000, true);
}

void BM_CompCarCalc(benchmark::State& st)
{
    const auto reg = makeRegister(static_cast<int>(st.range(0)));
    for (auto _ : st)
        benchmark::DoNotOptimize(grossby::CompCarCalc(reg));
    st.SetItemsProcessed(st.iterations() * st.range(0));
}
BENCHMARK(BM_CompCarCalc)->Arg(1)->Arg(10)->Arg(100)->Arg(1000);

// The bands as written, one test after another.
const grossby::TravelCostBand& chainLookup(double v)
{
    const auto& t = grossby::defaultTaxYear().vehicle.travelCosts;
    if (v <= 85000)
        return t[0];
    if (v <= 170000)
        return t[1];
    if (v <= 255000)
        return t[2];
    if (v <= 340000)
        return t[3];
    if (v <= 425000)
        return t[4];
    if (v <= 510000)
        return t[5];
    return t[6];
}

void BM_TableLookup(benchmark::State& st)
{
    double v = 0;
    for (auto _ : st) {
        benchmark::DoNotOptimize(grossby::LookupTravelCostTable(grossby::defaultTaxYear(), v).fuelCost);
        v = v > 700000 ? 0 : v + 1237.5;
    }
}
BENCHMARK(BM_TableLookup);

void BM_ChainLookup(benchmark::State& st)
{
    double v = 0;
    for (auto _ : st) {
        benchmark::DoNotOptimize(chainLookup(v).fuelCost);
        v = v > 700000 ? 0 : v + 1237.5;
    }
}
BENCHMARK(BM_ChainLookup);

void BM_CarAllowance(benchmark::State& st)
{
    grossby::CarAllowanceInputs in;
    in.VehicleValue = 300000;
    in.OpenKm = 10000;
    in.CloseKm = 40000;
    in.BusinessKmInput = 12000;
    for (auto _ : st) {
        benchmark::DoNotOptimize(grossby::CalcCarAllowance(in));
        in.CloseKm = in.CloseKm > 90000 ? 40000 : in.CloseKm + 17;
    }
}
BENCHMARK(BM_CarAllowance);

}  // namespace
