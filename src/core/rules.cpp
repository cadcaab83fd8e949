#include "core/rules.h"

#include "core/annual_tax.h"

namespace grossby {

double ageRebate(int age)
{
    const TaxYearFigures& y = defaultTaxYear();
    if (age >= y.tertiaryRebateAge)
        return y.primaryRebate + y.secondaryRebate + y.tertiaryRebate;
    if (age >= y.secondaryRebateAge)
        return y.primaryRebate + y.secondaryRebate;
    return y.primaryRebate;
}

double annualTaxOn(double income)
{
    return annualTax(income).annualTax;
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

double retirementFundDeduction(const PayFigures& pay, double remuneration, double cap)
{
    const double contributions = pay.employerRetirementFund + pay.employeeRetirementFund;
    const double limit = defaultTaxYear().retirementFundShare * remuneration;
    double deduction = limit >= contributions ? contributions : limit;
    if (deduction >= cap)
        deduction = cap;
    return deduction;
}

bool hasMedicalContribution(const PayFigures& pay)
{
    return pay.employerMedical > 0 || pay.employeeMedical > 0;
}

int monthlyMedicalCredit(int beneficiaries, const PayFigures& pay)
{
    if (!hasMedicalContribution(pay))
        return 0;
    if (beneficiaries <= 2)
        return beneficiaries * defaultTaxYear().medicalCreditFirstTwo;
    return 2 * defaultTaxYear().medicalCreditFirstTwo + (beneficiaries - 2) * defaultTaxYear().medicalCreditFurther;
}

double additionalMedicalCredit(int age, double medicalCredit, const PayFigures& pay)
{
    if (!(medicalCredit > 0) || !hasMedicalContribution(pay) || age < defaultTaxYear().secondaryRebateAge)
        return 0;
    const double credit =
        defaultTaxYear().additionalCreditFactor * (pay.employerMedical + pay.employeeMedical - 3 * medicalCredit);
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
