#pragma once
// What the five PAYE period windows (monthly, annual, weekly, fortnightly,
// daily) have in common beyond every calculator window: the Setup panel's
// rates as the calculation's settings, the information note, English or
// Afrikaans check sheets, the age field's message, and the calculators'
// rejections sent to the field they name.

#include "payroll/period_calculators.h"
#include "payroll/period_inputs.h"
#include "payroll/period_print.h"
#include "payroll/period_tax.h"
#include "widgets/calculator_window.h"
#include "widgets/described_calculation.h"
#include "widgets/field_binding.h"

#include <string_view>

namespace grossby {

struct Module1;

class PeriodWindow : public CalculatorWindow {
    Q_OBJECT
public:
    ~PeriodWindow() override;

    /// The settings the next calculation uses.
    PeriodSettings settings() const;

protected:
    PeriodWindow(Key key, Module1& state, QWidget* parent);

    /// The controls every period form names alike, found by name, and the
    /// fields' widths; call once the form is set up.
    void setUpPeriodForm();

    /// Window load: reads the settings, shows the window's defaults
    /// (showDefaults) and calculates once.
    void load() override;
    /// Puts the inputs back to their load-time values and shows them.
    virtual void showDefaults() = 0;

    /// The window's calculation from its calculator's description, on the
    /// Setup panel's rates; the annual taxable income it finds is shared for
    /// QuickTax.
    template <class In, class Result>
    DescribedCalculation<In, PeriodSettings, Result>&
    describePeriod(CalculatorDescription<In, PeriodSettings, Result> description, const std::vector<FieldKey>& inputs,
                   const std::vector<ResultField>& results)
    {
        auto& calculation = describeCalculation(this, std::move(description), inputs, results);
        calculation.settings = [this] { return settings(); };
        calculation.shown = [this](const Result& r) { shareAnnualIncome(r.annualTaxableIncome); };
        return calculation;
    }

    /// Keeps the income the calculation taxed for QuickTax to show.
    void shareAnnualIncome(double annualTaxableIncome);

    QString printDatabasePath() const override;

    Module1& state() const { return m_state; }

private:
    Module1& m_state;
};

/// The information panel's text of every period window.
QString periodInformationText();

}  // namespace grossby
