#pragma once
// Daily calculator window (`frmDaily`): PAYE, medical credits, UIF and
// skills levy for one day's pay, on 260 working days a year.

#include "payroll/ui/period_window.h"

#include <memory>
#include <optional>

namespace Ui {
class frmDaily;
}

namespace grossby {

class DailyWindow : public PeriodWindow {
    Q_OBJECT
public:
    DailyWindow(Key key, Module1& state, QWidget* parent = nullptr);
    ~DailyWindow() override;

    const DailyInputs& lastInputs() const { return m_calculation->lastInputs(); }
    const PeriodResult& lastResult() const { return m_calculation->lastResult(); }

protected:
    void showDefaults() override { m_calculation->inputs().show(DailyInputs{}); }

private:
    std::unique_ptr<Ui::frmDaily> ui;
    DescribedCalculation<DailyInputs, PeriodSettings, PeriodResult>* m_calculation = nullptr;
};

}  // namespace grossby
