#pragma once
// Monthly calculator window (`frmMonthly`): PAYE, medical credits, UIF and
// skills levy for a month, or the part of one between two dates.

#include "payroll/ui/period_window.h"

#include <memory>

namespace Ui {
class frmMonthly;
}

namespace grossby {

class MonthlyWindow : public PeriodWindow {
    Q_OBJECT
public:
    MonthlyWindow(Key key, Module1& state, QWidget* parent = nullptr);
    ~MonthlyWindow() override;

    /// The inputs and result of the last calculation, as printed.
    const MonthlyInputs& lastInputs() const { return m_calculation->lastInputs(); }
    const PeriodResult& lastResult() const { return m_calculation->lastResult(); }

protected:
    void showDefaults() override;

private:
    std::unique_ptr<Ui::frmMonthly> ui;
    DescribedCalculation<MonthlyInputs, PeriodSettings, PeriodResult>* m_calculation = nullptr;
};

}  // namespace grossby
