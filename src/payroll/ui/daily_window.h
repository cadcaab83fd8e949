#pragma once
// Daily calculator window (`frmDaily`): PAYE, medical credits, UIF and
// skills levy for one day's pay, on 260 working days a year.

#include "payroll/ui/period_window.h"

#include <memory>

namespace Ui {
class frmDaily;
}

namespace grossby {

class DailyWindow : public PeriodWindow {
    Q_OBJECT
public:
    explicit DailyWindow(Module1& state, QWidget* parent = nullptr);
    ~DailyWindow() override;

    const DailyInputs& lastInputs() const { return m_lastInputs; }
    const PeriodResult& lastResult() const { return m_lastResult; }

protected:
    std::optional<InputError> runCalculation() override;
    QWidget* focusFor(const InputError& error) override;
    void resetInputs() override { }
    PrintRecord printRecord(PrintLanguage language) const override;
    PeriodReport report() const override { return dailyReport(); }

private:
    std::unique_ptr<Ui::frmDaily> ui;
    DailyInputs m_lastInputs;
    PeriodResult m_lastResult;
};

}  // namespace grossby
