#include "vehicle/vehicle_inputs.h"

#include "core/year_figures.h"

namespace grossby {

namespace {

template <class In> InputSpec<In> figure(InputSpec<In> desc)
{
    desc.kind = InputKind::Whole;
    desc.max = kMaxVehicleFigure;
    return desc;
}

template <class In> InputSpec<In> yesNo(InputSpec<In> desc)
{
    desc.kind = InputKind::Whole;
    desc.max = 1;
    desc.typeName = "0/1";
    return desc;
}

template <class In> InputSpec<In> taxYear()
{
    return {.key = "year",
            .kind = InputKind::TaxYear,
            .typeName = "YEAR",
            .help = "tax year: 2026 or 2025/26 (default 2017/18)"};
}

// The window's range until it sets the chosen year's; the command line
// checks dates in the calculation, against the year chosen.
template <class In> InputSpec<In> date(InputSpec<In> desc)
{
    desc.kind = InputKind::Date;
    desc.min = defaultTaxYear().start;
    desc.max = defaultTaxYear().end;
    desc.typeName = "DD/MM/YYYY";
    return desc;
}

// One vehicle's fields, for `Vehicle` or a type built on it.
template <class V> std::vector<InputSpec<V>> vehicleFields()
{
    return {
        inputAt<V, &Vehicle::CCRegNumber>({.key = "registration",
                                           .kind = InputKind::Text,
                                           .typeName = "TEXT",
                                           .help = "Vehicle registration number",
                                           .required = true}),
        inputAt<V, &Vehicle::CCMake>({.key = "make", .kind = InputKind::Text, .typeName = "TEXT", .help = "Car make"}),
        inputAt<V, &Vehicle::CCModel>(
            {.key = "model", .kind = InputKind::Text, .typeName = "TEXT", .help = "Car model"}),
        inputAt<V, &Vehicle::YearOfManfact>(
            {.key = "year", .kind = InputKind::Text, .typeName = "TEXT", .help = "Year of manufacture"}),
        inputAt<V, &Vehicle::CCPrice>(
            figure<V>({.key = "price", .typeName = "RAND", .help = "Price of vehicle (incl VAT)"})),
        inputAt<V, &Vehicle::MaintIncluded>(yesNo<V>({.key = "maintenance-plan", .help = "Maintenance plan included"})),
        inputAt<V, &Vehicle::CCStartDate>(
            date<V>({.key = "start", .help = "First day the vehicle was held (default the tax year's first day)"})),
        inputAt<V, &Vehicle::CCEndDate>(
            date<V>({.key = "end", .help = "Last day the vehicle was held (default the tax year's last day)"})),
        inputAt<V, &Vehicle::StartMileage>(figure<V>({.key = "start-km", .typeName = "KM", .help = "Start mileage"})),
        inputAt<V, &Vehicle::EndMileage>(
            figure<V>({.key = "end-km", .typeName = "KM", .help = "End mileage (the total distance follows from it)"})),
        inputAt<V, &Vehicle::TotalDistance>(figure<V>({.key = "total-km", .typeName = "KM", .help = "Total distance"})),
        inputAt<V, &Vehicle::BusDistance>(
            figure<V>({.key = "business-km", .typeName = "KM", .help = "Business distance"})),
        inputAt<V, &Vehicle::BussMilage>(
            yesNo<V>({.key = "log-book", .help = "A log book of business mileage was kept"})),
        inputAt<V, &Vehicle::SARSTable>(
            yesNo<V>({.key = "fuel-table", .help = "Value fuel with the cents/km fuel table instead"})),
        inputAt<V, &Vehicle::ActualExpEmployee>(figure<V>(
            {.key = "employee-fuel", .typeName = "RAND", .help = "Actual fuel expenses paid by the employee"})),
        inputAt<V, &Vehicle::FuelReimbEmployer>(figure<V>(
            {.key = "employer-fuel-refund", .typeName = "RAND", .help = "Fuel expenses reimbursed by the employer"})),
        inputAt<V, &Vehicle::EmpPaidInsurance>(
            figure<V>({.key = "employee-insurance", .typeName = "RAND", .help = "Employee paid ALL insurance costs"})),
        inputAt<V, &Vehicle::EmpPaidLicence>(
            figure<V>({.key = "employee-licence", .typeName = "RAND", .help = "Employee paid ALL licensing fees"})),
        inputAt<V, &Vehicle::EmpPaidMaintenance>(figure<V>(
            {.key = "employee-maintenance", .typeName = "RAND", .help = "Employee paid ALL maintenance costs"})),
        inputAt<V, &Vehicle::FB3802ThisCar>(
            figure<V>({.key = "fb-3802",
                       .typeName = "RAND",
                       .help = "Code 3802 f/benefit for this car (typed without the auto split)"})),
    };
}

}  // namespace

const std::vector<InputSpec<Vehicle>>& vehicleInputTable()
{
    static const std::vector<InputSpec<Vehicle>> table = vehicleFields<Vehicle>();
    return table;
}

const std::vector<InputSpec<RegisterFileVehicle>>& registerFileVehicleTable()
{
    static const std::vector<InputSpec<RegisterFileVehicle>> table = vehicleFields<RegisterFileVehicle>();
    return table;
}

const std::vector<InputSpec<CompanyCarRegister>>& companyCarInputTable()
{
    using C = CompanyCarRegister;
    static const std::vector<InputSpec<C>> table = {
        inputAt<C, &C::Actual3802>(figure<C>(
            {.key = "irp5-3802", .typeName = "RAND", .help = "Total code 3802 f/benefits on IRP5's for the register"})),
        inputAt<C, &C::AutoSplit3802>({.key = "auto-split",
                                       .kind = InputKind::Flag,
                                       .max = 1,
                                       .help = "Auto-calculate f/benefit splits by days held (two vehicles or more)",
                                       .choices = {1, 0}}),
        inputAt<C, &C::TaxYear>(taxYear<C>()),
    };
    return table;
}

const std::vector<ResultSpec<CarResult>>& carResultTable()
{
    using R = CarResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::UseDays>({.key = "use_days",
                                  .label = "No of days ",
                                  .help = "days the vehicle was held, both ends counted",
                                  .decimals = 0,
                                  .kind = ResultKind::Whole}),
        resultAt<R, &R::TotalDistance>({.key = "total_km",
                                        .label = "Total distance",
                                        .help = "total distance (from the readings when end-km is above 0)",
                                        .decimals = 0}),
        resultAt<R, &R::BusDistance>({.key = "business_km",
                                      .label = "Business distance",
                                      .help = "business distance, at most the total",
                                      .decimals = 0}),
        resultAt<R, &R::PrivateDistance>(
            {.key = "private_km", .label = "Private distance", .help = "total less business distance", .decimals = 0}),
        resultAt<R, &R::TrueInclusion>({.key = "true_inclusion",
                                        .label = "True inclusion amount",
                                        .help = "benefit for the days held, cut to the private share with a log book"}),
        resultAt<R, &R::FuelComponent>({.key = "fuel_component",
                                        .label = "Fuel component",
                                        .help = "fuel valued with the cents/km table (fuel-table 1), else 0"}),
        resultAt<R, &R::Arr_FuelClaim>({.key = "fuel_claim",
                                        .label = "Fuel claim (adjusted for mileage)",
                                        .help = "fuel the employee bore, private share"}),
        resultAt<R, &R::TotAddExpense>({.key = "additional_expenses",
                                        .label = "Total additional expenses (adjusted for mileage)",
                                        .help = "insurance, licence and maintenance the employee bore, private share"}),
        resultAt<R, &R::FuelExp>({.key = "fuel_and_expenses",
                                  .label = "Less fuel & expenses",
                                  .help = "fuel claim and expenses set against the inclusion (0 without business "
                                          "distance)"}),
        resultAt<R, &R::FB3802ThisCar>({.key = "fb_3802",
                                        .label = "Code 3802 f/benefit for this car",
                                        .help = "code 3802 benefit declared for the vehicle: as given, its share of "
                                                "irp5-3802 by days held (auto split), or irp5-3802 itself (one "
                                                "vehicle)"}),
        resultAt<R, &R::AdjustTaxableInc>(
            {.key = "adjustment",
             .label = "Adjustment to taxable income",
             .help = "more to tax (positive) or a deduction (negative), never below -irp5-3802; a vehicle "
                     "without a price takes its sars_claim"}),
        resultAt<R, &R::SARSDeductionClaim>({.key = "sars_claim",
                                             .label = "(SARS's claim awarded against taxable income)",
                                             .help = "claim awarded on business travel with a log book (0 or "
                                                     "negative)"}),
        resultAt<R, &R::IRP53802>({.key = "irp5_3802",
                                   .label = "IRP5 code 3802 amount for this car",
                                   .help = "the code 3802 amount the IRP5 should carry for the days held"}),
        resultAt<R, &R::MonFB80>({.key = "monthly_fb_80",
                                  .label = "Monthly f/benefit amount for this car (80%)",
                                  .help = "monthly benefit at the 80% inclusion rate"}),
        resultAt<R, &R::MonFB20>({.key = "monthly_fb_20",
                                  .label = "Monthly f/benefit amount for this car (20%)",
                                  .help = "monthly benefit at the 20% inclusion rate"}),
        resultAt<R, &R::FortFB80>({.key = "fortnightly_fb_80",
                                   .label = "Fortnightly f/benefit amount for this car (80%)",
                                   .help = "fortnightly benefit at 80% (rounded before the rate: may carry cents)"}),
        resultAt<R, &R::FortFB20>({.key = "fortnightly_fb_20",
                                   .label = "Fortnightly f/benefit amount for this car (20%)",
                                   .help = "fortnightly benefit at 20%"}),
        resultAt<R, &R::WeekFB80>({.key = "weekly_fb_80",
                                   .label = "Weekly f/benefit amount for this car (80%)",
                                   .help = "weekly benefit at 80% (rounded before the rate: may carry cents)"}),
        resultAt<R, &R::WeekFB20>({.key = "weekly_fb_20",
                                   .label = "Weekly f/benefit amount for this car (20%)",
                                   .help = "weekly benefit at 20%"}),
    };
    return table;
}

const std::vector<ResultSpec<CompCarResult>>& compCarTotalsTable()
{
    using R = CompCarResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::TotAdjustTaxableInc>({.key = "total_adjustment",
                                              .label = "Total Adjustment to taxable income",
                                              .help = "sum of the vehicles' adjustments"}),
        resultAt<R, &R::TotAdjustTaxableIncSARS>({.key = "total_sars_claim",
                                                  .label = "Total SARS's claim awarded",
                                                  .help = "sum of the vehicles' SARS claims"}),
    };
    return table;
}

const std::vector<InputSpec<CarAllowanceInputs>>& carAllowanceInputTable()
{
    using A = CarAllowanceInputs;
    static const std::vector<InputSpec<A>> table = {
        inputAt<A, &A::EmployeeName>(
            {.key = "name", .kind = InputKind::Text, .typeName = "TEXT", .help = "Employee name, up to 50 characters"}),
        inputAt<A, &A::RecordKept>({.key = "records-kept",
                                    .kind = InputKind::Flag,
                                    .max = 1,
                                    .help = "Accurate records kept: claim actual costs (default: deemed costs)",
                                    .choices = {1, 0}}),
        inputAt<A, &A::IncludeFuel>(
            {.key = "no-fuel", .kind = InputKind::Flag, .max = 1, .help = "Leave fuel costs out", .choices = {0, 1}}),
        inputAt<A, &A::IncludeMaintenance>({.key = "no-maintenance",
                                            .kind = InputKind::Flag,
                                            .max = 1,
                                            .help = "Leave maintenance costs out",
                                            .choices = {0, 1}}),
        inputAt<A, &A::VehicleValue>(
            figure<A>({.key = "vehicle-value", .typeName = "RAND", .help = "Original value of vehicle (incl VAT)"})),
        inputAt<A, &A::AllowanceReceived>(
            figure<A>({.key = "allowance",
                       .typeName = "RAND",
                       .help = "Travel allowance received (the claim never exceeds it)"})),
        inputAt<A, &A::OpenKm>(figure<A>({.key = "open-km", .typeName = "KM", .help = "Open km reading"})),
        inputAt<A, &A::CloseKm>(figure<A>({.key = "close-km", .typeName = "KM", .help = "Close km reading"})),
        inputAt<A, &A::BusinessKmInput>(figure<A>(
            {.key = "business-km",
             .typeName = "KM",
             .help =
                 "Business km (deemed costs: needed for a claim; actual costs: 0 lets the distance rules decide)"})),
        inputAt<A, &A::FuelOilCost>(
            figure<A>({.key = "fuel-oil", .typeName = "RAND", .help = "Fuel and oil (records kept)"})),
        inputAt<A, &A::RepairsCost>(
            figure<A>({.key = "repairs", .typeName = "RAND", .help = "Repairs and maintenance (records kept)"})),
        inputAt<A, &A::InsuranceLicenceCost>(figure<A>(
            {.key = "insurance-licence", .typeName = "RAND", .help = "Insurance and licence (records kept)"})),
        inputAt<A, &A::OtherCost>(
            figure<A>({.key = "other", .typeName = "RAND", .help = "Other expenses (records kept)"})),
        inputAt<A, &A::WearAndTear>(figure<A>(
            {.key = "wear-and-tear", .typeName = "RAND", .help = "Wear and tear (records kept; not with a lease)"})),
        inputAt<A, &A::LeasePayments>(figure<A>(
            {.key = "lease", .typeName = "RAND", .help = "Lease payments (records kept; not with wear and tear)"})),
        inputAt<A, &A::StartDate>(
            date<A>({.key = "start", .help = "Start of the period (default the tax year's first day)"})),
        inputAt<A, &A::EndDate>(date<A>({.key = "end", .help = "End of the period (default the tax year's last day)"})),
        inputAt<A, &A::TaxYear>(taxYear<A>()),
    };
    return table;
}

const std::vector<ResultSpec<CarAllowanceResult>>& carAllowanceResultTable()
{
    using R = CarAllowanceResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::PeriodDays>({.key = "period_days",
                                     .label = "Period (number of days)",
                                     .help = "days from start to end, both counted",
                                     .decimals = 0,
                                     .kind = ResultKind::Whole}),
        resultAt<R, &R::TotalKm>(
            {.key = "total_km", .label = "Total km's", .help = "close less open reading", .decimals = 0}),
        resultAt<R, &R::BusinessKm>({.key = "business_km",
                                     .label = "Business Km's",
                                     .help = "business-km as given, else by the distance rules for the period"}),
        resultAt<R, &R::PrivateKm>(
            {.key = "private_km", .label = "Private Km's", .help = "total less business distance"}),
        resultAt<R, &R::TravelFixedCost>({.key = "fixed_cost",
                                          .label = "Fixed cost",
                                          .help = "deemed: the table's fixed cost for the vehicle value (rand a "
                                                  "year)"}),
        resultAt<R, &R::TravelFuelRate>({.key = "fuel_rate",
                                         .label = "Fuel cost (cents/km)",
                                         .help = "deemed: the table's fuel cost in cents/km (0 with --no-fuel)"}),
        resultAt<R, &R::TravelMaintRate>(
            {.key = "maintenance_rate",
             .label = "Maintenance cost (cents/km)",
             .help = "deemed: the table's maintenance cost in cents/km (0 with --no-maintenance)"}),
        resultAt<R, &R::FixedCostPerKm>({.key = "fixed_cost_per_km",
                                         .label = "Fixed cost (cents/km)",
                                         .help = "deemed: the fixed cost over the total distance and the part of "
                                                 "the year",
                                         .decimals = 4}),
        resultAt<R, &R::TotalRatePerKm>({.key = "total_rate_per_km",
                                         .label = "Total cost (cents/km)",
                                         .help = "deemed: fixed, fuel and maintenance cents/km together",
                                         .decimals = 4}),
        resultAt<R, &R::TotalCosts>(
            {.key = "total_costs", .label = "Travel expenses", .help = "actual: the year's costs together"}),
        resultAt<R, &R::PrivateUse>(
            {.key = "private_use", .label = "Less private use", .help = "actual: the costs of private travel"}),
        resultAt<R, &R::DeductionClaim>({.key = "deduction_claim",
                                         .label = "Deduction claim",
                                         .help = "the deduction claimed for business travel, at most the allowance "
                                                 "received"}),
    };
    return table;
}

}  // namespace grossby
