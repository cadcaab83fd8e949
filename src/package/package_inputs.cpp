#include "package/package_inputs.h"

#include <string_view>

namespace grossby {

namespace {

using In = PackageInputs;

std::vector<InputSpec<In>> inputTable(bool forward, PackagePeriod period)
{
    const bool annual = period == PackagePeriod::Annual;
    std::vector<InputSpec<In>> t;
    if (forward) {
        t.push_back(inputAt<In, &In::amount>(
            {.key = "package",
             .typeName = "RAND",
             .help = annual ? "Total package amount a year" : "Total package amount a month"}));
    } else {
        t.push_back(
            inputAt<In, &In::amount>({.key = "net-required",
                                      .typeName = "RAND",
                                      .help = annual ? "Net annual salary required" : "Net monthly salary required"}));
    }
    t.push_back(inputAt<In, &In::carValue>(
        {.key = "car-value", .typeName = "RAND", .help = "Company car's determined value (0: no car)"}));
    t.push_back(inputAt<In, &In::carCost>({.key = "car-cost",
                                           .typeName = "RAND",
                                           .help = annual ? "Company car's running cost to the employer a year"
                                                          : "Company car's running cost to the employer a month"}));
    t.push_back(inputAt<In, &In::age>({.key = "age",
                                       .kind = InputKind::Whole,
                                       .max = kMaxAge,
                                       .typeName = "YEARS",
                                       .help = "Taxpayer's age, 0 to 150 (65 and 75 bring larger rebates; medical "
                                               "deductions count from 65); rounded half to even"}));
    t.push_back(inputAt<In, &In::travelAllowance>(
        {.key = "travel-allowance", .typeName = "RAND", .help = "Travel allowance (part of the salary)"}));
    t.push_back(inputAt<In, &In::employeeMedical>(
        {.key = "employee-medical", .typeName = "RAND", .help = "Employee's medical aid fund contributions"}));
    t.push_back(inputAt<In, &In::employerMedical>(
        {.key = "employer-medical", .typeName = "RAND", .help = "Employer's medical aid fund contributions"}));
    t.push_back(inputAt<In, &In::beneficiaries>(
        {.key = "beneficiaries",
         .kind = InputKind::Whole,
         .max = annual ? kMaxPackageBeneficiaryMonths : kMaxPackageBeneficiaries,
         .typeName = "COUNT",
         .help = annual ? "Medical beneficiary-months in the year (2 persons for 12 months = 24), 0 to 1188"
                        : "Medical aid fund beneficiaries, 0 to 99"}));
    t.push_back(inputAt<In, &In::otherFringeBenefits>(
        {.key = "other-fringe-benefits", .typeName = "RAND", .help = "Other taxable fringe benefits"}));
    t.push_back(inputAt<In, &In::medicalDeductions>(
        {.key = "medical-deductions", .typeName = "RAND", .help = "Further medical deductions (age 65 and over)"}));
    t.push_back(inputAt<In, &In::employeeRF>(
        {.key = "employee-rf",
         .typeName = "RAND",
         .help = "Employee's R/Fund (pension, provident, R/A) contribution, when no employee percentage is set"}));
    t.push_back(
        inputAt<In, &In::employerRF>({.key = "employer-rf",
                                      .typeName = "RAND",
                                      .help = "Employer's R/Fund contribution, when no employer percentage is set"}));
    t.push_back(inputAt<In, &In::name>(
        {.key = "name", .kind = InputKind::Text, .typeName = "TEXT", .help = "Taxpayer's name for the printout"}));
    t.push_back(inputAt<In, &In::TaxYear>({.key = "year",
                                           .kind = InputKind::TaxYear,
                                           .typeName = "YEAR",
                                           .help = "tax year: 2026 or 2025/26 (default 2017/18)"}));
    return t;
}

// Labels are the window's captions for the figures.
template <class R> std::vector<ResultSpec<R>> figureTable()
{
    using F = PackageFigures;
    return {
        resultAt<R, &F::carFringeBenefit>({.key = "car_fringe_benefit",
                                           .label = "Company car fringe benefit",
                                           .help = "the company car's taxable benefit for the period"}),
        resultAt<R, &F::ageRebate>(
            {.key = "age_rebate", .label = "Age rebate", .help = "the rebate for the taxpayer's age, a year"}),
        resultAt<R, &F::medicalCredit>({.key = "medical_credit",
                                        .label = "Tax credits for beneficiaries",
                                        .help = "medical scheme fees tax credit for the beneficiaries"}),
        resultAt<R, &F::additionalMedicalCredit>({.key = "additional_medical_credit",
                                                  .label = "Tax credits for contributions",
                                                  .help = "additional medical expenses tax credit (age 65 and over)"}),
        resultAt<R, &F::employeeRF>({.key = "employee_rf",
                                     .label = "R/Fund (Pension, Prov, R/A)",
                                     .help = "employee's R/Fund contribution, typed or from the percentage"}),
        resultAt<R, &F::employerRF>({.key = "employer_rf",
                                     .label = "Employer R/Fund contributions",
                                     .help = "employer's R/Fund contribution, typed or from the percentage"}),
        resultAt<R, &F::rfDeduction>({.key = "rf_deduction",
                                      .label = "Allowable R/Fund deduction",
                                      .help = "allowable R/Fund deduction, unrounded"}),
        resultAt<R, &F::packageTax>(
            {.key = "package_tax", .label = "Tax due", .help = "the \"Tax due\": tax for the period before credits"}),
        resultAt<R, &F::taxCredit>(
            {.key = "tax_credit", .label = "Tax credit", .help = "both medical credits together"}),
        resultAt<R, &F::taxDeduction>({.key = "tax_deduction",
                                       .label = "Tax deduction",
                                       .help = "tax withheld: the tax due less the credits, or 0"}),
        resultAt<R, &F::uifRemuneration>(
            {.key = "uif_remuneration", .label = "UIF remuneration", .help = "remuneration UIF is worked out on"}),
        resultAt<R, &F::uifEmployee>(
            {.key = "uif_employee", .label = "UIF contribution", .help = "employee's UIF contribution"}),
        resultAt<R, &F::uifEmployer>(
            {.key = "uif_employer", .label = "UIF contribution employer", .help = "employer's UIF contribution"}),
        resultAt<R, &F::sdl>({.key = "sdl", .label = "Skills Development Levy", .help = "skills development levy"}),
        resultAt<R, &F::totalCostToCompany>({.key = "total_cost_to_company",
                                             .label = "Total cost to company R",
                                             .help = "what the package costs the employer"}),
        resultAt<R, &F::onceOff>({.key = "once_off",
                                  .label = "Once-off company car cost",
                                  .help = "the car's value when it has no running cost to the employer, else 0"}),
        resultAt<R, &F::rfWarning>({.key = "rf_warning",
                                    .label = kRFWarning,
                                    .help = "true when the R/Fund contributions exceed the allowable deduction "
                                            "(no statement is printed then)",
                                    .kind = ResultKind::YesNo}),
    };
}

// The command line's extra inputs: the period switch and the other-expense rows.
std::vector<InputSpec<In>> commandTable(bool forward)
{
    auto t = inputTable(forward, PackagePeriod::Annual);
    t.front().required = true;  // the package or the net pay required
    t.front().help = forward ? "Total package amount a month (a year with --annual)"
                             : "Net salary required a month (a year with --annual)";
    for (auto& desc : t) {
        if (std::string_view(desc.key) == "car-cost")
            desc.help = "Company car's running cost to the employer a month (a year with --annual)";
        if (std::string_view(desc.key) == "beneficiaries") {
            desc.help = "Medical aid fund beneficiaries, 0 to 99; with --annual beneficiary-months in the year "
                        "(2 persons for 12 months = 24), 0 to 1188";
        }
    }
    InputSpec<In> annual{.key = "annual",
                         .kind = InputKind::Flag,
                         .max = 1,
                         .help = "Annual amounts, as the annual window takes them (default: monthly)",
                         .choices = {1, 0}};
    annual.get = [](const In& in) { return in.period == PackagePeriod::Annual ? 1.0 : 0.0; };
    annual.set = [](In& in, double v) { in.period = v != 0 ? PackagePeriod::Annual : PackagePeriod::Monthly; };
    t.insert(t.begin() + 1, std::move(annual));
    InputSpec<In> expenses{
        .key = "other-expense",
        .kind = InputKind::Items,
        .typeName = "TEXT=AMOUNT[:COST]",
        .help = forward ? "An other-expense row: its description, amount and cost to company (default: the "
                          "amount); once for each row, up to four; printed only"
                        : "An other-expense row: its description, amount and cost to company (default: the "
                          "amount); once for each row, up to four; the amounts are part of the gross salary",
        .maxItems = 4,
    };
    expenses.items = [](In& in, std::span<const LabelledAmount> entries) {
        in.otherExpenses = {};
        for (std::size_t i = 0; i < entries.size() && i < in.otherExpenses.size(); ++i) {
            const LabelledAmount& e = entries[i];
            in.otherExpenses[i] = {e.text, e.amount, e.hasSecond ? e.second : e.amount};
        }
    };
    // Before the name, which stays last of the calculator's own inputs (the tax year follows it).
    t.insert(t.end() - 2, std::move(expenses));
    return t;
}

}  // namespace

const std::vector<InputSpec<PackageInputs>>& packageCommandInputTable(bool forward)
{
    static const auto package = commandTable(true);
    static const auto grossUp = commandTable(false);
    return forward ? package : grossUp;
}

std::optional<std::string> checkPackagePeriod(const PackageInputs& in)
{
    if (in.period == PackagePeriod::Monthly && in.beneficiaries > kMaxPackageBeneficiaries)
        return "beneficiaries: give 0 to 99 a month; beneficiary-months, up to 1188, only with annual amounts "
               "(--annual)";
    return std::nullopt;
}

const std::vector<InputSpec<PackageInputs>>& packageInputTable(PackagePeriod period)
{
    static const auto monthly = inputTable(true, PackagePeriod::Monthly);
    static const auto annual = inputTable(true, PackagePeriod::Annual);
    return period == PackagePeriod::Annual ? annual : monthly;
}

const std::vector<InputSpec<PackageInputs>>& grossUpInputTable(PackagePeriod period)
{
    static const auto monthly = inputTable(false, PackagePeriod::Monthly);
    static const auto annual = inputTable(false, PackagePeriod::Annual);
    return period == PackagePeriod::Annual ? annual : monthly;
}

const std::vector<InputSpec<PackageSettings>>& packageSettingsTable()
{
    using S = PackageSettings;
    static const std::vector<InputSpec<S>> table = {
        inputAt<S, &S::PensionCont>(
            {.key = "employee-rf-percent",
             .kind = InputKind::Percent,
             .max = 100,
             .typeName = "PERCENT",
             .help = "Employee R/Fund contributions, percent of the package (0: typed amount)"}),
        inputAt<S, &S::EmployerPenCont>(
            {.key = "employer-rf-percent",
             .kind = InputKind::Percent,
             .max = 100,
             .typeName = "PERCENT",
             .help = "Employer R/Fund contributions, percent of the package (0: typed amount)"}),
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
        inputAt<S, &S::UIFLimit>({.key = "uif-limit",
                                  .max = 1e9,
                                  .typeName = "RAND",
                                  .help = "UIF monthly limit (also for annual amounts)"}),
        inputAt<S, &S::TAIncRate8020>({.key = "travel-inclusion",
                                       .kind = InputKind::Rate,
                                       .min = 0.2,
                                       .max = 0.8,
                                       .typeName = "RATE",
                                       .help = "Travel allowance inclusion rate: 0.8 or 0.2",
                                       .choices = {0.8, 0.2}}),
        inputAt<S, &S::CompCarFBRate8020>({.key = "car-benefit-rate",
                                           .kind = InputKind::Rate,
                                           .min = 0.2,
                                           .max = 0.8,
                                           .typeName = "RATE",
                                           .help = "Company car fringe benefit rate: 0.8 or 0.2",
                                           .choices = {0.8, 0.2}}),
        inputAt<S, &S::CompCarMPYesNo>({.key = "maintenance-plan",
                                        .kind = InputKind::Rate,
                                        .max = 1,
                                        .typeName = "yes|no",
                                        .help = "Company car has a maintenance plan: yes or no",
                                        .choices = {1, 0}}),
    };
    return table;
}

const std::vector<ResultSpec<PackageResult>>& packageResultTable()
{
    using R = PackageResult;
    static const auto table = [] {
        auto t = figureTable<R>();
        t.push_back(resultAt<R, &R::takeHome>(
            {.key = "take_home", .label = "Net salary(take-home)", .help = "the employee's take-home pay"}));
        return t;
    }();
    return table;
}

const std::vector<ResultSpec<GrossUpResult>>& grossUpResultTable()
{
    using R = GrossUpResult;
    static const auto table = [] {
        auto t = figureTable<R>();
        t.push_back(resultAt<R, &R::grossSalaryFound>(
            {.key = "gross_salary_found",
             .label = "Gross salary found",
             .help = "the smallest whole-rand gross salary whose net pay exceeds the requirement"}));
        t.push_back(resultAt<R, &R::netPay>(
            {.key = "net_pay", .label = "Net pay", .help = "the net pay at that gross salary"}));
        t.push_back(resultAt<R, &R::grossSalary>(
            {.key = "gross_salary",
             .label = "Gross salary",
             .help = "the \"Gross salary\" shown: built up from the requirement and what is withheld"}));
        t.push_back(resultAt<R, &R::evaluations>({.key = "evaluations",
                                                  .label = "Net pay evaluations",
                                                  .help = "how many times the search worked out a net pay",
                                                  .decimals = 0,
                                                  .kind = ResultKind::Whole}));
        return t;
    }();
    return table;
}

}  // namespace grossby
