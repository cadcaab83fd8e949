#pragma once
// Inflation window (`frmInflation`): a present cost carried forward at a
// constant yearly rate, and what the present amount buys at the end. The
// three inputs are kept in the shared state between visits, with the last
// figures; spin controls step the rate and the period.

#include "finance/finance_inputs.h"
#include "finance/ui/finance_window.h"
#include "widgets/field_binding.h"

#include <memory>
#include <optional>

namespace Ui {
class frmInflation;
}

namespace grossby {

class InflationWindow : public FinanceWindow {
    Q_OBJECT
public:
    InflationWindow(Key key, Module1& state, QWidget* parent = nullptr);
    ~InflationWindow() override;

    /// `spInflation`: the rate a quarter percent up or down, wrapping.
    void spinRate(bool up);
    /// `spPeriod`: the period a year up or down, wrapping; not from 0.
    void spinPeriod(bool up);

protected:
    void showKept() override;
    std::optional<Rejection> runCalculation() override;
    bool hasSomethingToPrint() const override;
    PrintJob printJob(bool afrikaans) const override;

private:
    void keep();
    void spun(NumericEdit* field, double value, bool beep);

    std::unique_ptr<Ui::frmInflation> ui;
    std::optional<InputBinding<InflationInputs>> m_inputs;
    InflationInputs m_lastInputs;
    InflationResult m_lastResult;
};

}  // namespace grossby
