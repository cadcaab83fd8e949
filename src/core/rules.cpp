#include "core/rules.h"

#include "core/annual_tax.h"

namespace grossby {

CalcOutcome<const TaxYearFigures*> taxYearFor(int year)
{
    if (const TaxYearFigures* y = findTaxYear(year))
        return y;
    return InputError{"Tax year",
                      "The tax year " + taxYearLabel(year) + " is not available. The years available are " +
                          availableTaxYearsText() + ".",
                      "year"};
}

double ageRebate(const TaxYearFigures& y, int age)
{
    if (age >= y.tertiaryRebateAge)
        return y.primaryRebate + y.secondaryRebate + y.tertiaryRebate;
    if (age >= y.secondaryRebateAge)
        return y.primaryRebate + y.secondaryRebate;
    return y.primaryRebate;
}

double annualTaxOn(const TaxYearFigures& year, double income)
{
    return annualTax(year, income).annualTax;
}

double taxableTravelAllowance(double travelAllowance, double inclusionRate)
{
    return travelAllowance * inclusionRate;
}

double retirementFundRemuneration(const PayFigures& pay, double inclusionRate)
{
    return pay.salary + pay.employerMedical + pay.commission + pay.bonus + pay.travelAllowance * inclusionRate +
        pay.employerRetirementFund;
}

double retirementFundDeduction(const TaxYearFigures& year, const PayFigures& pay, double remuneration, double cap)
{
    const double contributions = pay.employerRetirementFund + pay.employeeRetirementFund;
    const double limit = year.retirementFundShare * remuneration;
    double deduction = limit >= contributions ? contributions : limit;
    if (deduction >= cap)
        deduction = cap;
    return deduction;
}

bool hasMedicalContribution(const PayFigures& pay)
{
    return pay.employerMedical > 0 || pay.employeeMedical > 0;
}

int monthlyMedicalCredit(const TaxYearFigures& year, int beneficiaries, const PayFigures& pay)
{
    if (!hasMedicalContribution(pay))
        return 0;
    if (beneficiaries <= 2)
        return beneficiaries * year.medicalCreditFirstTwo;
    return 2 * year.medicalCreditFirstTwo + (beneficiaries - 2) * year.medicalCreditFurther;
}

double additionalMedicalCredit(const TaxYearFigures& year, int age, double medicalCredit, const PayFigures& pay)
{
    if (!(medicalCredit > 0) || !hasMedicalContribution(pay) || age < year.secondaryRebateAge)
        return 0;
    const double credit = year.additionalCreditFactor * (pay.employerMedical + pay.employeeMedical - 3 * medicalCredit);
    return credit < 0 ? 0 : credit;
}

double taxLiability(double paye, double medicalCredit, double additionalCredit)
{
    const double liability = paye - (medicalCredit + additionalCredit);
    return liability > 0 ? liability : 0;
}

double uifRemuneration(const PayFigures& pay, double inclusionRate)
{
    return pay.salary + pay.employerMedical + pay.bonus + pay.travelAllowance * inclusionRate +
        pay.employerRetirementFund;
}

std::pair<double, double> uifContributions(double remuneration, double periodLimit, double employeePercent,
                                           double employerPercent)
{
    const double base = remuneration > periodLimit ? periodLimit : remuneration;
    return {base * employeePercent / 100, base * employerPercent / 100};
}

double skillsLevy(double uifRemuneration, double retirementFundDeduction, double commission, double levyPercent)
{
    return (uifRemuneration - retirementFundDeduction + commission) * (levyPercent / 100);
}

}  // namespace grossby
