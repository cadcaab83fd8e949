#pragma once
// Tax years beside 2017/18 for the payroll and package tests: a year the
// program does not have is read from tests/payroll/years/<year>/, whose
// files hold the published scale, rebates, medical credits and UIF ceilings.

#include "core/year_figures.h"

#include <stdexcept>
#include <string>

namespace grossby::test {

inline const TaxYearFigures& testYear(int year)
{
    if (!findTaxYear(year))
        addTaxYearFolder(std::string(GROSSBY_SOURCE_DIR) + "/tests/payroll/years/" + std::to_string(year));
    const TaxYearFigures* y = findTaxYear(year);
    if (!y)
        throw std::runtime_error("no figures for the tax year ending in " + std::to_string(year));
    return *y;
}

}  // namespace grossby::test
