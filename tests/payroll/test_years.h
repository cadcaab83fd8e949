#pragma once
// The shipped tax year the payroll and package tests ask for, or a failure
// naming the year when the program lacks it.

#include "core/year_figures.h"

#include <stdexcept>
#include <string>

namespace grossby::test {

inline const TaxYearFigures& testYear(int year)
{
    const TaxYearFigures* y = findTaxYear(year);
    if (!y)
        throw std::runtime_error("no figures for the tax year ending in " + std::to_string(year));
    return *y;
}

}  // namespace grossby::test
