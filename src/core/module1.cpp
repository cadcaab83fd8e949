#include "core/module1.h"

namespace grossby {

void Module1::InitialiseAll()
{
    MarginalRate = 0;
    AnnualTax = 0;

    QuickTaxPayable = 0;
    QuickTaxPrimaryRebate = 0;
    QuickTaxTotal = 0;
    QuickTaxAverageRate = 0;

    LoanCalcMode = "Monthly repayment";
    LoanPrincipal = 0;
    LoanPeriod = 0;
    LoanRate = 0;
    LoanRepayment = 0;
    LoanSavedPrincipal = 0;
    FinChargesShown = "UP";
    AnnualKind = 0;
    FullYears = 0;
    AnnualYears = 0;
    BusterPrincipal = 0;
    BusterRate = 0;
    BusterExtraPayment = 0;
    CompPrincipal = 0;
    CompRate = 0;
    DayBalCapital = 0;
    DayBalRate = 0;
    DayBalStart = kFinance2018.unsetDay;
    DayBalEnd = kFinance2018.unsetDay;
    RateSpinStep = kFinance2018.rateSpinStep;
    InflPresentCost = 0;
    InflPeriod = 0;
    InflRate = 0;
    InflFutureCost = 0;
    InflBuyingPower = 0;

    CompanyCar = {};
    CarAllowance = {};
    CarAllowanceResults = {};
}

}  // namespace grossby
