#include "package/package_inputs.h"

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
    return t;
}

// Labels are the window's captions for the figures.
template <class R> std::vector<ResultSpec<R>> figureTable()
{
    using F = PackageFigures;
    return {
        resultAt<R, &F::carFringeBenefit>("car_fringe_benefit", "Company car fringe benefit"),
        resultAt<R, &F::ageRebate>("age_rebate", "Age rebate"),
        resultAt<R, &F::medicalCredit>("medical_credit", "Tax credits for beneficiaries"),
        resultAt<R, &F::additionalMedicalCredit>("additional_medical_credit", "Tax credits for contributions"),
        resultAt<R, &F::employeeRF>("employee_rf", "R/Fund (Pension, Prov, R/A)"),
        resultAt<R, &F::employerRF>("employer_rf", "Employer R/Fund contributions"),
        resultAt<R, &F::rfDeduction>("rf_deduction", "Allowable R/Fund deduction"),
        resultAt<R, &F::packageTax>("package_tax", "Tax due"),
        resultAt<R, &F::taxCredit>("tax_credit", "Tax credit"),
        resultAt<R, &F::taxDeduction>("tax_deduction", "Tax deduction"),
        resultAt<R, &F::uifRemuneration>("uif_remuneration", "UIF remuneration"),
        resultAt<R, &F::uifEmployee>("uif_employee", "UIF contribution"),
        resultAt<R, &F::uifEmployer>("uif_employer", "UIF contribution employer"),
        resultAt<R, &F::sdl>("sdl", "Skills Development Levy"),
        resultAt<R, &F::totalCostToCompany>("total_cost_to_company", "Total cost to company R"),
        resultAt<R, &F::onceOff>("once_off", "Once-off company car cost"),
        // 1 or 0; the command line writes it as true or false.
        resultAt<R, &F::rfWarning>("rf_warning", kRFWarning),
    };
}

}  // namespace

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
        t.push_back(resultAt<R, &R::takeHome>("take_home", "Net salary(take-home)"));
        return t;
    }();
    return table;
}

const std::vector<ResultSpec<GrossUpResult>>& grossUpResultTable()
{
    using R = GrossUpResult;
    static const auto table = [] {
        auto t = figureTable<R>();
        t.push_back(resultAt<R, &R::grossSalaryFound>("gross_salary_found", "Gross salary found"));
        t.push_back(resultAt<R, &R::netPay>("net_pay", "Net pay"));
        t.push_back(resultAt<R, &R::grossSalary>("gross_salary", "Gross salary"));
        t.push_back(resultAt<R, &R::evaluations>("evaluations", "Net pay evaluations"));
        return t;
    }();
    return table;
}

}  // namespace grossby
