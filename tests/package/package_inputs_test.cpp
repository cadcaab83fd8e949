// The tables the command line and the windows are made from: the option
// names and JSON keys the subcommands promise, each bound to its own member.

#include "package/package_inputs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace grossby {
namespace {

template <class Entry> std::vector<std::string> keys(const std::vector<Entry>& table)
{
    std::vector<std::string> out;
    for (const Entry& s : table)
        out.push_back(s.key);
    return out;
}

TEST(PackageTables, OptionNamesAndJsonKeys)
{
    const std::vector<std::string> common = {"car-value",
                                             "car-cost",
                                             "age",
                                             "travel-allowance",
                                             "employee-medical",
                                             "employer-medical",
                                             "beneficiaries",
                                             "other-fringe-benefits",
                                             "medical-deductions",
                                             "employee-rf",
                                             "employer-rf",
                                             "name",
                                             "year"};
    auto forward = common;
    forward.insert(forward.begin(), "package");
    auto reverse = common;
    reverse.insert(reverse.begin(), "net-required");
    for (const PackagePeriod p : {PackagePeriod::Monthly, PackagePeriod::Annual}) {
        EXPECT_EQ(keys(packageInputTable(p)), forward);
        EXPECT_EQ(keys(grossUpInputTable(p)), reverse);
    }
    EXPECT_EQ(findInput(packageInputTable(PackagePeriod::Annual), "beneficiaries")->max, 1188);
    EXPECT_EQ(keys(packageSettingsTable()),
              (std::vector<std::string>{"employee-rf-percent", "employer-rf-percent", "employee-uif", "employer-uif",
                                        "skills-levy", "uif-limit", "travel-inclusion", "car-benefit-rate",
                                        "maintenance-plan"}));

    const std::vector<std::string> figures = {
        "car_fringe_benefit", "age_rebate",    "medical_credit",        "additional_medical_credit",
        "employee_rf",        "employer_rf",   "rf_deduction",          "package_tax",
        "tax_credit",         "tax_deduction", "uif_remuneration",      "uif_employee",
        "uif_employer",       "sdl",           "total_cost_to_company", "once_off",
        "rf_warning"};
    auto take = figures;
    take.push_back("take_home");
    EXPECT_EQ(keys(packageResultTable()), take);
    auto gross = figures;
    gross.insert(gross.end(), {"gross_salary_found", "net_pay", "gross_salary", "evaluations"});
    EXPECT_EQ(keys(grossUpResultTable()), gross);
}

TEST(PackageTables, EachInputReachesItsOwnMember)
{
    // Setting the inputs one by one to distinct values and reading them back
    // catches two entries bound to the same member.
    PackageInputs in;
    const auto& table = grossUpInputTable(PackagePeriod::Monthly);
    double value = 1;
    for (const auto& desc : table) {
        if (desc.kind == InputKind::Text)
            desc.text(in) = desc.key;
        else
            desc.set(in, value++);
    }
    value = 1;
    for (const auto& desc : table) {
        if (desc.kind == InputKind::Text)
            EXPECT_EQ(desc.text(in), desc.key);
        else
            EXPECT_EQ(desc.get(in), value++) << desc.key;
    }
    EXPECT_EQ(in.amount, 1);
    EXPECT_EQ(in.employerRF, 12);

    PackageSettings s;
    for (const auto& desc : packageSettingsTable())
        desc.set(s, desc.kind == InputKind::Rate ? desc.choices.back() : 7);
    EXPECT_EQ(s.PensionCont, 7);
    EXPECT_EQ(s.UIFLimit, 7);
    EXPECT_EQ(s.TAIncRate8020, 0.2);
    EXPECT_FALSE(s.CompCarMPYesNo);
    findInput(packageSettingsTable(), "maintenance-plan")->set(s, 1);
    EXPECT_TRUE(s.CompCarMPYesNo);
}

}  // namespace
}  // namespace grossby
