#pragma once
// The salary package calculators.
//
// Forward (CalcPackage): from a total package to the tax, the medical credits,
// UIF, the skills levy, the take-home pay and the total cost to the company.
// Reverse (FindGrossSalary): from the take-home pay an employee must receive
// to the smallest whole-rand gross salary whose net pay exceeds it, and what
// that costs the company. Both work on monthly or annual amounts.
//
// Everything here is pure: the windows and the command line copy inputs in
// and show the results; nothing is kept between calls.

#include "core/calc_outcome.h"
#include "core/year_figures.h"

#include <array>
#include <cstdint>
#include <string>

namespace grossby {

enum class PackagePeriod { Monthly, Annual };

/// The eleven settings of the package windows' Setup panel (percent figures,
/// rand per month, fractions and a yes/no).
struct PackageSettings {
    double PensionCont = 0;  ///< employee R/Fund contribution, percent of the package (0: typed amount)
    double EmployerPenCont = 0;  ///< employer R/Fund contribution, percent of the package (0: typed amount)
    double EmployeeUIF = 0;  ///< percent
    double EmployerUIF = 0;  ///< percent
    double SkillLevy = 0;  ///< percent
    double UIFLimit = 0;  ///< UIF remuneration ceiling, rand per month (also for annual amounts)
    double TAIncRate8020 = 0.8;  ///< travel-allowance inclusion rate, 0.8 or 0.2
    double CompCarFBRate8020 = 0.8;  ///< company car fringe benefit inclusion rate, 0.8 or 0.2
    bool CompCarMPYesNo = false;  ///< the company car has a maintenance plan
    double ProvCont = 0;  ///< employee provident percentage: kept and shown, not used
    double EmployerProvCont = 0;  ///< employer provident percentage: kept and shown, not used
    /// The tax year `UIFLimit` is the user's figure for: the settings store
    /// holds 2017/18's. A package for another year uses that year's own
    /// ceiling instead; 0 when the limit was given for this calculation,
    /// whatever its year (`--uif-limit`).
    int UIFLimitYear = kDefaultTaxYear;
};

/// One of the four "Other Expenses" rows: a description, the amount and its
/// cost to the company.
struct OtherExpense {
    std::string text;
    double amount = 0;
    double costToCompany = 0;
};

/// What a package window is given. `amount` is the total package in the
/// forward calculator and the net pay required in the reverse one; amounts
/// are per month or per year as `period` says.
struct PackageInputs {
    PackagePeriod period = PackagePeriod::Monthly;
    std::string name;  ///< taxpayer's name, printed only
    double amount = 0;  ///< `numNetMonSalReq`
    double carValue = 0;  ///< determined value of the company car, 0 for none
    double carCost = 0;  ///< the car's running cost to the employer (`numCCCompCar`)
    int age = 0;
    double travelAllowance = 0;
    double employeeMedical = 0;  ///< employee's medical scheme contribution
    double employerMedical = 0;  ///< employer's medical scheme contribution
    double beneficiaries = 0;  ///< persons (monthly) or beneficiary-months (annual)
    double otherFringeBenefits = 0;
    double medicalDeductions = 0;  ///< used from age 65 only
    double employeeRF = 0;  ///< typed employee R/Fund amount, used when `PensionCont` is 0
    double employerRF = 0;  ///< typed employer R/Fund amount, used when `EmployerPenCont` is 0
    double raDeduction = 0;  ///< "R/A ded. (directive?)": printed only
    double additionalBeneficiaries = 0;  ///< printed only
    std::array<OtherExpense, 4> otherExpenses{};
    int TaxYear = kDefaultTaxYear;  ///< the year of assessment, by the year it ends in

    /// The four other-expense amounts added up (`OtherExpensesTotal`).
    double otherExpensesTotal() const;
};

/// Figures both calculators work out, as the window variables and fields hold them.
struct PackageFigures {
    double carFringeBenefit = 0;
    double ageRebate = 0;
    double medicalCredit = 0;
    double additionalMedicalCredit = 0;
    double employeeRF = 0;  ///< `EmployeeRFCont`, also the amount `numRFundCont` shows
    double employerRF = 0;  ///< `EmployerRFCont`, also the amount `numCCRFundCont` shows
    double rfDeduction = 0;  ///< allowable R/Fund deduction, unrounded
    double packageTax = 0;  ///< "Tax due": tax for the period before the credits
    double uifRemuneration = 0;
    double uifEmployee = 0;
    double uifEmployer = 0;
    double sdl = 0;
    double taxCredit = 0;  ///< both medical credits
    double taxDeduction = 0;  ///< tax due less the credits, or 0
    double totalCostToCompany = 0;
    double onceOff = 0;  ///< the car value when the once-off note shows, else 0
    bool rfWarning = false;  ///< "R/Fund contributions exceed allowable limits!" shows; printing is refused
    double medicalDeductions = 0;  ///< as used: cleared below 65
    double beneficiaries = 0;  ///< as used: 0 without a medical contribution
};

/// Results of the forward calculator.
struct PackageResult : PackageFigures {
    double takeHome = 0;  ///< "Net salary(take-home)"
};

/// Results of the reverse calculator.
struct GrossUpResult : PackageFigures {
    double grossSalaryFound = 0;  ///< G: the smallest whole gross salary whose net pay exceeds the requirement
    double netPay = 0;  ///< the net pay worked out for G
    double grossSalary = 0;  ///< the "Gross salary" field, built up from the requirement
    std::int32_t evaluations = 0;  ///< net pay worked out this many times to find G
};

/// The forward calculation and its "&Calculate" fill-in. A package that is
/// not above 0 is refused.
CalcOutcome<PackageResult> CalcPackage(const PackageInputs& in, const PackageSettings& settings);

/// The reverse calculation and its "&Calculate" fill-in. Refuses a
/// requirement that is not above 0, fringe benefits above the requirement,
/// and settings under which no gross salary can give the requirement.
CalcOutcome<GrossUpResult> FindGrossSalary(const PackageInputs& in, const PackageSettings& settings);

/// The reverse windows' guard on the two R/Fund percentages: more than the
/// year's deductible share (27.5) between them sets both to 0. True when it did.
bool limitRetirementPercentages(PackageSettings& settings, const TaxYearFigures& year);

/// The UIF ceiling of a package: a month's at the year's start, or for
/// annual amounts the twelve months' ceilings added up (2021/22 raised it
/// on 1 June); the user's limit, twelve times for a year, when it is for
/// that year.
double packageUifCeiling(const PackageSettings& settings, const TaxYearFigures& year, bool annual);

// Messages.
inline constexpr const char* kPackageTitle = "Grossby 2018";
inline constexpr const char* kBenefitsMessage = "Fringe benefits more than salary required!";
inline constexpr const char* kNoPackageMessage = "Please enter a total package amount above 0.";
inline constexpr const char* kNoNetRequiredMessage = "Please enter a net salary required above 0.";
inline constexpr const char* kNetCannotRiseMessage =
    "No gross salary gives this net salary: with these settings the net salary does not rise as the gross "
    "salary rises. Check the employee's R/Fund and UIF percentages under Settings.";
inline constexpr const char* kGrossTooLargeMessage = "No gross salary up to R 100 000 000 000 gives this net salary.";
inline constexpr const char* kRFWarning = "R/Fund contributions exceed allowable limits!";

/// Largest gross salary the reverse search tries.
inline constexpr double kMaxGrossSalary = 1e11;

// ---------------------------------------------------------------------------
// The reverse search's pieces, for tests and benchmarks.

/// The figures of one pass of the reverse search: what the gross salary
/// `grossSalary` gives.
struct GrossPass {
    double grossSalary = 0;
    double employeeRF = 0;
    double employerRF = 0;
    double packageTax = 0;
    double uifRemuneration = 0;
    double uifEmployee = 0;
    double uifEmployer = 0;
    double sdl = 0;
    double net = 0;
};

/// The net pay as a function of the gross salary, with everything that does
/// not depend on it worked out once (the reverse calculator's steps 1 to 5).
class NetPayFunction {
public:
    /// Refuses what the reverse calculator refuses before searching.
    static CalcOutcome<NetPayFunction> prepare(const PackageInputs& in, const PackageSettings& settings);

    /// One pass of the search for gross salary `g` (a whole number of rand).
    GrossPass pass(double g) const;

    /// The net pay that must be exceeded.
    double required() const { return m_required; }

    /// The figures of the reverse calculator for the gross salary found.
    GrossUpResult finish(const GrossPass& atG, std::int32_t evaluations) const;

    // Parts of a pass, worked out exactly as the pass does.
    double annualIncomeBeforeClamp(double g) const;  ///< taxable income as taxed, before negatives become 0
    double uifRemunerationAt(double g) const;
    double packageTaxAt(double g) const;

    double credits() const { return m_credits; }
    double uifCeiling() const { return m_uifCeiling; }  ///< the UIF limit for the period
    const TaxYearFigures& year() const { return *m_year; }
    /// How fast the taxable income and the net pay before tax and UIF rise
    /// with the gross salary, and how fast the UIF remuneration does.
    double incomeSlope() const;
    double uifSlope() const;
    double employeeUIFShare() const { return m_set.EmployeeUIF / 100; }
    bool annual() const { return m_annual; }
    /// The size of everything a pass adds up besides the gross salary: how
    /// large a pass's rounding errors can grow.
    double magnitude() const;

private:
    NetPayFunction() = default;
    double employeeRFAt(double g) const;
    double employerRFAt(double g) const;
    double taxableAt(double g, double employeeRF) const;
    double uifRemunerationAt(double g, double employerRF) const;

    PackageInputs m_in;
    PackageSettings m_set;
    const TaxYearFigures* m_year = nullptr;
    double m_uifCeiling = 0;
    double m_required = 0;
    bool m_annual = false;
    PackageFigures m_fixed;  ///< car benefit, rebate, credits, medical deductions
    double m_credits = 0;
    double m_otherExpenses = 0;
    double m_typedEmployeeRF = 0;
    double m_typedEmployerRF = 0;
};

/// The search: the smallest whole G >= 1 whose net pay exceeds the
/// requirement, exactly as trying every rand from 1 upwards finds it, in a
/// few dozen passes. `evaluations` counts the passes.
struct GrossSearchOutcome {
    bool found = false;
    bool netCannotRise = false;  ///< when not found: the net pay stops rising
    GrossPass pass;  ///< the figures for G when found
    std::int32_t evaluations = 0;
};
GrossSearchOutcome searchGrossSalary(const NetPayFunction& f);

}  // namespace grossby
