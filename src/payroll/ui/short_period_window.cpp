#include "payroll/ui/short_period_window.h"

#include "core/module1.h"

#include "widgets/numeric_edit.h"

#include <QPushButton>

namespace grossby {

ShortPeriodWindow::ShortPeriodWindow(Module1& state, QWidget* parent, bool fortnightly)
    : PeriodWindow(state, parent)
    , m_fortnightly(fortnightly)
{ }

void ShortPeriodWindow::setUpDayFields(NumericEdit* normalDays, NumericEdit* thisDays)
{
    m_normalField = normalDays;
    m_thisField = thisDays;
    normalDays->setMinimumWidth(64);
    thisDays->setMinimumWidth(64);
    connect(normalDays, &NumericEdit::valueChanged, this, [this](double v) { m_normalDays = wholeCount(v); });
    connect(thisDays, &NumericEdit::valueChanged, this, [this](double v) { m_thisDays = wholeCount(v); });
}

void ShortPeriodWindow::resetInputs()
{
    m_normalDays = m_thisDays = m_fortnightly ? 14 : 7;
    m_normalField->setValue(m_normalDays);
    m_thisField->setValue(m_thisDays);
}

std::optional<InputError> ShortPeriodWindow::runCalculation()
{
    ShortPeriodInputs in;
    static_cast<EmployeeInputs&>(in) = employee();
    in.normalDays = m_normalDays;
    in.thisDays = m_thisDays;
    const auto outcome =
        m_fortnightly ? CalcFortnightlyTax(in, settings()) : CalcWeeklyTax(in, settings());
    if (const auto* error = std::get_if<InputError>(&outcome))
        return *error;
    m_lastInputs = in;
    m_lastResult = std::get<PeriodResult>(outcome);
    // QuickTax shows the income this calculation taxed when it is next activated.
    state().AnnualTaxableIncome = m_lastResult.annualTaxableIncome;
    showPeriodResult(m_lastResult);
    return std::nullopt;
}

QWidget* ShortPeriodWindow::focusFor(const InputError& error)
{
    switch (error.field) {
    case InputField::ThisPeriodDays: return m_thisField;
    case InputField::Beneficiaries: return controls().beneficiaries;
    default: return controls().calculate;
    }
}

PrintRecord ShortPeriodWindow::printRecord(PrintLanguage language) const
{
    return m_fortnightly ? PrintFortnightly(m_lastInputs, m_lastResult, language)
                         : PrintWeekly(m_lastInputs, m_lastResult, language);
}

PeriodReport ShortPeriodWindow::report() const
{
    return m_fortnightly ? fortnightlyReport() : weeklyReport();
}

}  // namespace grossby
