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
    explicit MonthlyWindow(Module1& state, QWidget* parent = nullptr);
    ~MonthlyWindow() override;

    /// The inputs and result of the last calculation, as printed.
    const MonthlyInputs& lastInputs() const { return m_lastInputs; }
    const PeriodResult& lastResult() const { return m_lastResult; }

protected:
    std::optional<InputError> runCalculation() override;
    QWidget* focusFor(const InputError& error) override;
    void resetInputs() override;
    PrintRecord printRecord(PrintLanguage language) const override;
    PeriodReport report() const override { return monthlyReport(); }

private:
    std::unique_ptr<Ui::frmMonthly> ui;
    double m_startDate = 0;
    double m_endDate = 0;
    MonthlyInputs m_lastInputs;
    PeriodResult m_lastResult;
};

}  // namespace grossby
