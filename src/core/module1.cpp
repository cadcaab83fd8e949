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

    CompanyCar = {};
    CarAllowance = {};
    CarAllowanceResults = {};
}

}  // namespace grossby
