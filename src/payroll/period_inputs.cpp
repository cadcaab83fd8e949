#include "payroll/period_inputs.h"

#include "core/tax_year.h"

#include <string_view>

namespace grossby {

namespace {

// What every period calculator takes about the employee, in form order.
template <class In> std::vector<InputSpec<In>> employeeInputs(double maxBeneficiaries, const char* beneficiariesHelp)
{
    using E = EmployeeInputs;
    using P = PayFigures;
    return {
        inputAt<In, &E::name>({.key = "name",
                               .kind = InputKind::Text,
                               .typeName = "TEXT",
                               .help = "Employee's name, printed on the check sheet"}),
        inputAt<In, &E::age>({.key = "age",
                              .kind = InputKind::Whole,
                              .max = kMaxAge,
                              .typeName = "YEARS",
                              .help = "Age in whole years, 0 to 150 (65 and 75 bring larger rebates); a fraction "
                                      "is rounded half to even",
                              .rounds = true}),
        inputAt<In, &E::pay, &P::salary>(
            {.key = "salary",
             .typeName = "RAND",
             .help = "Salary/remuneration with fringe benefits, without travel allowance or employer's R/Fund "
                     "contribution"}),
        inputAt<In, &E::pay, &P::commission>({.key = "commission", .typeName = "RAND", .help = "Commissions"}),
        inputAt<In, &E::pay, &P::bonus>(
            {.key = "bonus", .typeName = "RAND", .help = "Bonus paid in the period (taxed in full in it)"}),
        inputAt<In, &E::pay, &P::travelAllowance>(
            {.key = "travel-allowance", .typeName = "RAND", .help = "Travel allowance received"}),
        inputAt<In, &E::pay, &P::employerRetirementFund>(
            {.key = "employer-rf", .typeName = "RAND", .help = "Employer's R/Fund contributions"}),
        inputAt<In, &E::pay, &P::employeeRetirementFund>(
            {.key = "employee-rf", .typeName = "RAND", .help = "Employee's R/Fund contributions"}),
        inputAt<In, &E::pay, &P::employerMedical>(
            {.key = "employer-medical", .typeName = "RAND", .help = "Employer's med aid contributions"}),
        inputAt<In, &E::pay, &P::employeeMedical>(
            {.key = "employee-medical", .typeName = "RAND", .help = "Employee's med aid contributions"}),
        inputAt<In, &E::beneficiaries>(
            {.key = "beneficiaries",
             .kind = InputKind::Whole,
             .max = maxBeneficiaries,
             .typeName = "COUNT",
             .help = beneficiariesHelp,
             .rangeTitle = kIncorrectBeneficiariesTitle,
             .rangeText = maxBeneficiaries == kMaxBeneficiaries ? kBeneficiaryRangeMessage : kMonthlyMaximumMessage}),
    };
}

// The tax year the calculation is for, after the calculator's own inputs.
template <class In> std::vector<InputSpec<In>> withYear(std::vector<InputSpec<In>> table)
{
    table.push_back(inputAt<In, &EmployeeInputs::TaxYear>({.key = "year",
                                                           .kind = InputKind::TaxYear,
                                                           .typeName = "YEAR",
                                                           .help = "tax year: 2026 or 2025/26 (default 2017/18)"}));
    return table;
}

template <class In>
std::vector<InputSpec<In>> withDates(std::vector<InputSpec<In>> table, const char* startHelp, const char* endHelp)
{
    table.push_back(inputAt<In, &In::startDate>({.key = "start",
                                                 .kind = InputKind::Date,
                                                 .min = defaultTaxYear().start,
                                                 .max = defaultTaxYear().end,
                                                 .typeName = "DD/MM/YYYY",
                                                 .help = startHelp}));
    table.push_back(inputAt<In, &In::endDate>({.key = "end",
                                               .kind = InputKind::Date,
                                               .min = defaultTaxYear().start,
                                               .max = defaultTaxYear().end,
                                               .typeName = "DD/MM/YYYY",
                                               .help = endHelp}));
    return table;
}

std::vector<InputSpec<ShortPeriodInputs>> shortPeriodTable(const char* normalHelp, const char* workedHelp)
{
    using S = ShortPeriodInputs;
    auto table = employeeInputs<S>(kMaxBeneficiaries, "Medical aid fund beneficiaries, 0 to 99");
    table.push_back(inputAt<S, &S::normalDays>(
        {.key = "normal-days", .kind = InputKind::Whole, .max = 99, .typeName = "DAYS", .help = normalHelp}));
    table.push_back(inputAt<S, &S::thisDays>(
        {.key = "days-worked", .kind = InputKind::Whole, .max = 99, .typeName = "DAYS", .help = workedHelp}));
    return withYear(std::move(table));
}

}  // namespace

const std::vector<InputSpec<MonthlyInputs>>& monthlyInputTable()
{
    static const auto table =
        withYear(withDates(employeeInputs<MonthlyInputs>(kMaxBeneficiaries, "Medical aid fund beneficiaries, 0 to 99"),
                           "First day worked in the month (default 01/03/2017)",
                           "Last day worked, in the same month (default 31/03/2017)"));
    return table;
}

const std::vector<InputSpec<AnnualInputs>>& annualInputTable()
{
    static const auto table = [] {
        auto t =
            employeeInputs<AnnualInputs>(kMaxMonthlyBeneficiaries, "Medical aid beneficiaries in every month, 0 to 24");
        t.push_back(inputAt<AnnualInputs, &AnnualInputs::beneficiariesByMonth>(
            {.key = "beneficiaries-by-month",
             .kind = InputKind::Counts,
             .max = kMaxMonthlyBeneficiaries,
             .typeName = "COUNTS",
             .help = "Twelve monthly counts, March to February, 0 to 24 each, e.g. 2,2,2,2,2,2,3,3,3,3,3,3",
             .rangeTitle = kIncorrectBeneficiariesTitle,
             .rangeText = kMonthlyMaximumMessage,
             .countsText = "twelve counts, March to February"}));
        return withYear(withDates(std::move(t), "First day of employment in the tax year (default 01/03/2017)",
                                  "Last day of employment in the tax year (default 28/02/2018)"));
    }();
    return table;
}

const std::vector<InputSpec<ShortPeriodInputs>>& weeklyInputTable()
{
    static const auto table = shortPeriodTable("Days in a normal work week (default 7)",
                                               "Days worked this week, 1 to the normal days (default 7)");
    return table;
}

const std::vector<InputSpec<ShortPeriodInputs>>& fortnightlyInputTable()
{
    static const auto table = shortPeriodTable("Days in a normal fortnight (default 14)",
                                               "Days worked this fortnight, 1 to the normal days (default 14)");
    return table;
}

const std::vector<InputSpec<DailyInputs>>& dailyInputTable()
{
    static const auto table =
        withYear(employeeInputs<DailyInputs>(kMaxBeneficiaries, "Medical aid fund beneficiaries, 0 to 99"));
    return table;
}

const std::vector<InputSpec<PeriodSettings>>& periodSettingsTable()
{
    using S = PeriodSettings;
    static const std::vector<InputSpec<S>> table = {
        inputAt<S, &S::EmployeeUIF>({.key = "employee-uif",
                                     .kind = InputKind::Percent,
                                     .max = 100,
                                     .typeName = "PERCENT",
                                     .help = "Employee UIF portion"}),
        inputAt<S, &S::EmployerUIF>({.key = "employer-uif",
                                     .kind = InputKind::Percent,
                                     .max = 100,
                                     .typeName = "PERCENT",
                                     .help = "Employer UIF portion"}),
        inputAt<S, &S::SkillLevy>({.key = "skills-levy",
                                   .kind = InputKind::Percent,
                                   .max = 100,
                                   .typeName = "PERCENT",
                                   .help = "Skills levy"}),
        inputAt<S, &S::UIFLimit>(
            {.key = "uif-limit", .max = 1e9, .typeName = "RAND", .help = "UIF monthly remuneration limit"}),
        inputAt<S, &S::TAIncRate8020>({.key = "travel-inclusion",
                                       .kind = InputKind::Rate,
                                       .min = 0.2,
                                       .max = 0.8,
                                       .typeName = "RATE",
                                       .help = "Travel allowance inclusion rate: 0.8 or 0.2 (80 or 20 also accepted)",
                                       .choices = {0.8, 0.2}}),
    };
    return table;
}

namespace {

// The figures every period calculator gives, in output order; the monthly
// window shows the taxable travel allowance to the whole rand.
std::vector<ResultSpec<PeriodResult>> periodResults(bool travelToWholeRand)
{
    using R = PeriodResult;
    return {
        resultAt<R, &R::rfDeduction>({.key = "rf_deduction",
                                      .label = "Allowable R/Fund deduction",
                                      .help = "allowable R/Fund deduction (unrounded; shown to the whole rand)",
                                      .wholeRand = true}),
        resultAt<R, &R::taxableTravelAllowance>({.key = "taxable_travel_allowance",
                                                 .label = "Taxable travel allowance",
                                                 .help = "travel allowance x inclusion rate",
                                                 .wholeRand = travelToWholeRand}),
        resultAt<R, &R::paye>({.key = "paye",
                               .label = "Total tax deduction",
                               .help = "the \"Total tax deduction\": tax for the period before medical credits"}),
        resultAt<R, &R::medicalCredit>({.key = "medical_credit",
                                        .label = "Tax credits for beneficiaries",
                                        .help = "medical scheme fees tax credit for the period"}),
        resultAt<R, &R::additionalMedicalCredit>({.key = "additional_medical_credit",
                                                  .label = "Tax credits for contributions",
                                                  .help = "additional medical credit, 65 and over"}),
        resultAt<R, &R::taxLiability>(
            {.key = "tax_liability", .label = "Tax liability", .help = "paye less both credits, never below 0"}),
        resultAt<R, &R::uifEmployee>(
            {.key = "uif_employee",
             .label = "UIF contribution Employee",
             .help = "employee's UIF, remuneration limited to the period's share of the UIF limit"}),
        resultAt<R, &R::uifEmployer>({.key = "uif_employer",
                                      .label = "UIF contribution Employer",
                                      .help = "employer's UIF, on the same limited remuneration"}),
        resultAt<R, &R::sdl>({.key = "sdl", .label = "S.D.L.", .help = "skills development levy"}),
        resultAt<R, &R::annualTaxableIncome>({.key = "annual_taxable_income",
                                              .label = "Annual taxable income",
                                              .help = "annual income without the bonus, as taxed"}),
    };
}

}  // namespace

const std::vector<ResultSpec<PeriodResult>>& periodResultTable()
{
    static const auto table = periodResults(false);
    return table;
}

const std::vector<ResultSpec<PeriodResult>>& monthlyResultTable()
{
    static const auto table = periodResults(true);
    return table;
}

const std::vector<ResultSpec<AnnualResult>>& annualResultTable()
{
    using R = AnnualResult;
    static const std::vector<ResultSpec<R>> table = [] {
        // The annual figures carry the same meaning as the period ones.
        const auto& period = periodResultTable();
        const auto like = [&period](ResultSpec<R> desc) {
            for (const auto& p : period) {
                if (std::string_view(p.key) == desc.key) {
                    desc.label = p.label;
                    desc.help = p.help;
                    desc.wholeRand = p.wholeRand;
                }
            }
            return desc;
        };
        return std::vector<ResultSpec<R>>{
            like(resultAt<R, &R::rfDeduction>({.key = "rf_deduction"})),
            like(resultAt<R, &R::taxableTravelAllowance>({.key = "taxable_travel_allowance"})),
            like(resultAt<R, &R::paye>({.key = "paye"})),
            like(resultAt<R, &R::medicalCredit>({.key = "medical_credit"})),
            like(resultAt<R, &R::additionalMedicalCredit>({.key = "additional_medical_credit"})),
            like(resultAt<R, &R::taxLiability>({.key = "tax_liability"})),
            like(resultAt<R, &R::annualTaxableIncome>({.key = "annual_taxable_income"})),
        };
    }();
    return table;
}

const CountsResultSpec<AnnualResult>& annualCountsResult()
{
    static const CountsResultSpec<AnnualResult> desc{
        .key = "beneficiaries_by_month",
        .label = "Beneficiaries Mar to Feb",
        .help = "the twelve counts as used, March first: 0 outside the employment",
        .get = [](const AnnualResult& r) { return std::span<const int>(r.beneficiariesByMonth); },
    };
    return desc;
}

}  // namespace grossby
