#include "vehicle/vehicle_inputs.h"

#include "core/year_figures.h"

namespace grossby {

namespace {

template <class In> InputSpec<In> figure(InputSpec<In> spec)
{
    spec.kind = InputKind::Whole;
    spec.max = kMaxVehicleFigure;
    return spec;
}

template <class In> InputSpec<In> yesNo(InputSpec<In> spec)
{
    spec.kind = InputKind::Whole;
    spec.max = 1;
    spec.typeName = "0/1";
    return spec;
}

template <class In> InputSpec<In> date(InputSpec<In> spec)
{
    spec.kind = InputKind::Date;
    spec.min = TaxYearStart;
    spec.max = TaxYearEnd;
    spec.typeName = "DD/MM/YYYY";
    return spec;
}

}  // namespace

const std::vector<InputSpec<Vehicle>>& vehicleInputTable()
{
    using V = Vehicle;
    static const std::vector<InputSpec<V>> table = {
        inputAt<V, &V::CCRegNumber>({.key = "registration",
                                     .kind = InputKind::Text,
                                     .typeName = "TEXT",
                                     .help = "Vehicle registration number"}),
        inputAt<V, &V::CCMake>({.key = "make", .kind = InputKind::Text, .typeName = "TEXT", .help = "Car make"}),
        inputAt<V, &V::CCModel>({.key = "model", .kind = InputKind::Text, .typeName = "TEXT", .help = "Car model"}),
        inputAt<V, &V::YearOfManfact>(
            {.key = "year", .kind = InputKind::Text, .typeName = "TEXT", .help = "Year of manufacture"}),
        inputAt<V, &V::CCPrice>(figure<V>({.key = "price", .typeName = "RAND", .help = "Price of vehicle (incl VAT)"})),
        inputAt<V, &V::MaintIncluded>(yesNo<V>({.key = "maintenance-plan", .help = "Maintenance plan included"})),
        inputAt<V, &V::CCStartDate>(
            date<V>({.key = "start", .help = "First day the vehicle was held (default 01/03/2017)"})),
        inputAt<V, &V::CCEndDate>(
            date<V>({.key = "end", .help = "Last day the vehicle was held (default 28/02/2018)"})),
        inputAt<V, &V::StartMileage>(figure<V>({.key = "start-km", .typeName = "KM", .help = "Start mileage"})),
        inputAt<V, &V::EndMileage>(
            figure<V>({.key = "end-km", .typeName = "KM", .help = "End mileage (the total distance follows from it)"})),
        inputAt<V, &V::TotalDistance>(figure<V>({.key = "total-km", .typeName = "KM", .help = "Total distance"})),
        inputAt<V, &V::BusDistance>(figure<V>({.key = "business-km", .typeName = "KM", .help = "Business distance"})),
        inputAt<V, &V::BussMilage>(yesNo<V>({.key = "log-book", .help = "A log book of business mileage was kept"})),
        inputAt<V, &V::SARSTable>(
            yesNo<V>({.key = "fuel-table", .help = "Value fuel with the cents/km fuel table instead"})),
        inputAt<V, &V::ActualExpEmployee>(figure<V>(
            {.key = "employee-fuel", .typeName = "RAND", .help = "Actual fuel expenses paid by the employee"})),
        inputAt<V, &V::FuelReimbEmployer>(figure<V>(
            {.key = "employer-fuel-refund", .typeName = "RAND", .help = "Fuel expenses reimbursed by the employer"})),
        inputAt<V, &V::EmpPaidInsurance>(
            figure<V>({.key = "employee-insurance", .typeName = "RAND", .help = "Employee paid ALL insurance costs"})),
        inputAt<V, &V::EmpPaidLicence>(
            figure<V>({.key = "employee-licence", .typeName = "RAND", .help = "Employee paid ALL licensing fees"})),
        inputAt<V, &V::EmpPaidMaintenance>(figure<V>(
            {.key = "employee-maintenance", .typeName = "RAND", .help = "Employee paid ALL maintenance costs"})),
        inputAt<V, &V::FB3802ThisCar>(
            figure<V>({.key = "fb-3802",
                       .typeName = "RAND",
                       .help = "Code 3802 f/benefit for this car (typed without the auto split)"})),
    };
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
                                       .choices = {1}}),
    };
    return table;
}

const std::vector<ResultSpec<CarResult>>& carResultTable()
{
    using R = CarResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::UseDays>("use_days", "No of days "),
        resultAt<R, &R::TotalDistance>("total_km", "Total distance"),
        resultAt<R, &R::BusDistance>("business_km", "Business distance"),
        resultAt<R, &R::PrivateDistance>("private_km", "Private distance"),
        resultAt<R, &R::TrueInclusion>("true_inclusion", "True inclusion amount"),
        resultAt<R, &R::FuelComponent>("fuel_component", "Fuel component"),
        resultAt<R, &R::Arr_FuelClaim>("fuel_claim", "Fuel claim (adjusted for mileage)"),
        resultAt<R, &R::TotAddExpense>("additional_expenses", "Total additional expenses (adjusted for mileage)"),
        resultAt<R, &R::FuelExp>("fuel_and_expenses", "Less fuel & expenses"),
        resultAt<R, &R::FB3802ThisCar>("fb_3802", "Code 3802 f/benefit for this car"),
        resultAt<R, &R::AdjustTaxableInc>("adjustment", "Adjustment to taxable income"),
        resultAt<R, &R::SARSDeductionClaim>("sars_claim", "(SARS's claim awarded against taxable income)"),
        resultAt<R, &R::IRP53802>("irp5_3802", "IRP5 code 3802 amount for this car"),
        resultAt<R, &R::MonFB80>("monthly_fb_80", "Monthly f/benefit amount for this car (80%)"),
        resultAt<R, &R::MonFB20>("monthly_fb_20", "Monthly f/benefit amount for this car (20%)"),
        resultAt<R, &R::FortFB80>("fortnightly_fb_80", "Fortnightly f/benefit amount for this car (80%)"),
        resultAt<R, &R::FortFB20>("fortnightly_fb_20", "Fortnightly f/benefit amount for this car (20%)"),
        resultAt<R, &R::WeekFB80>("weekly_fb_80", "Weekly f/benefit amount for this car (80%)"),
        resultAt<R, &R::WeekFB20>("weekly_fb_20", "Weekly f/benefit amount for this car (20%)"),
    };
    return table;
}

const std::vector<ResultSpec<CompCarResult>>& compCarTotalsTable()
{
    using R = CompCarResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::TotAdjustTaxableInc>("total_adjustment", "Total Adjustment to taxable income"),
        resultAt<R, &R::TotAdjustTaxableIncSARS>("total_sars_claim", "Total SARS's claim awarded"),
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
                                    .choices = {1}}),
        inputAt<A, &A::IncludeFuel>(
            {.key = "no-fuel", .kind = InputKind::Flag, .max = 1, .help = "Leave fuel costs out", .choices = {0}}),
        inputAt<A, &A::IncludeMaintenance>({.key = "no-maintenance",
                                            .kind = InputKind::Flag,
                                            .max = 1,
                                            .help = "Leave maintenance costs out",
                                            .choices = {0}}),
        inputAt<A, &A::VehicleValue>(
            figure<A>({.key = "vehicle-value", .typeName = "RAND", .help = "Original value of vehicle (incl VAT)"})),
        inputAt<A, &A::AllowanceReceived>(
            figure<A>({.key = "allowance",
                       .typeName = "RAND",
                       .help = "Travel allowance received (the claim never exceeds it)"})),
        inputAt<A, &A::OpenKm>(figure<A>({.key = "open-km", .typeName = "KM", .help = "Open km reading"})),
        inputAt<A, &A::CloseKm>(figure<A>({.key = "close-km", .typeName = "KM", .help = "Close km reading"})),
        inputAt<A, &A::BusinessKmInput>(
            figure<A>({.key = "business-km", .typeName = "KM", .help = "Business km (0: the distance rules decide)"})),
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
        inputAt<A, &A::StartDate>(date<A>({.key = "start", .help = "Start of the period (default 01/03/2017)"})),
        inputAt<A, &A::EndDate>(date<A>({.key = "end", .help = "End of the period (default 28/02/2018)"})),
    };
    return table;
}

const std::vector<ResultSpec<CarAllowanceResult>>& carAllowanceResultTable()
{
    using R = CarAllowanceResult;
    static const std::vector<ResultSpec<R>> table = {
        resultAt<R, &R::PeriodDays>("period_days", "Period (number of days)"),
        resultAt<R, &R::TotalKm>("total_km", "Total km's"),
        resultAt<R, &R::BusinessKm>("business_km", "Business Km's"),
        resultAt<R, &R::PrivateKm>("private_km", "Private Km's"),
        resultAt<R, &R::TravelFixedCost>("fixed_cost", "Fixed cost"),
        resultAt<R, &R::TravelFuelRate>("fuel_rate", "Fuel cost (cents/km)"),
        resultAt<R, &R::TravelMaintRate>("maintenance_rate", "Maintenance cost (cents/km)"),
        resultAt<R, &R::FixedCostPerKm>("fixed_cost_per_km", "Fixed cost (cents/km)"),
        resultAt<R, &R::TotalRatePerKm>("total_rate_per_km", "Total cost (cents/km)"),
        resultAt<R, &R::TotalCosts>("total_costs", "Travel expenses"),
        resultAt<R, &R::PrivateUse>("private_use", "Less private use"),
        resultAt<R, &R::DeductionClaim>("deduction_claim", "Deduction claim"),
    };
    return table;
}

}  // namespace grossby
