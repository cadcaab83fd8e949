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

    const DailyInputs& lastInputs() const { return m_lastInputs; }
    const PeriodResult& lastResult() const { return m_lastResult; }

protected:
    void showDefaults() override { m_inputs->show(DailyInputs{}); }
    std::optional<Rejection> runCalculation() override;
    PrintJob printJob(bool afrikaans) const override;

private:
    std::unique_ptr<Ui::frmDaily> ui;
    std::optional<InputBinding<DailyInputs>> m_inputs;
    std::optional<ResultBinding<PeriodResult>> m_results;
    DailyInputs m_lastInputs;
    PeriodResult m_lastResult;
};

}  // namespace grossby
