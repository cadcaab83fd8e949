#pragma once
// Inflation window (`frmInflation`): a present cost carried forward at a
// constant yearly rate, and what the present amount buys at the end. The
// three inputs are kept in the shared state between visits; spin controls
// step the rate and the period. The calculation, its rejections and its
// printout are the description's (inflationDescription()).

#include "finance/finance_calculators.h"
#include "finance/ui/finance_window.h"
#include "widgets/described_calculation.h"

#include <memory>

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

private:
    void keep();
    void spun(NumericEdit* field, double value, bool beep);
    /// A future cost too large for the field is not shown as a figure at all.
    void showTooLarge(const InflationResult& r);

    std::unique_ptr<Ui::frmInflation> ui;
    DescribedCalculation<InflationInputs, NoSettings, InflationResult>* m_calc = nullptr;
};

}  // namespace grossby
