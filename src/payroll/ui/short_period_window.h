#pragma once
// What the weekly (`frmWeekly`) and fortnightly (`frmFortNight`) windows
// share: they differ only in their constants, so one class does the work and
// each window supplies its form.

#include "payroll/ui/period_window.h"

namespace grossby {

class ShortPeriodWindow : public PeriodWindow {
    Q_OBJECT
public:
    const ShortPeriodInputs& lastInputs() const { return m_lastInputs; }
    const PeriodResult& lastResult() const { return m_lastResult; }

protected:
    ShortPeriodWindow(Module1& state, QWidget* parent, bool fortnightly);

    /// The two day-count fields ("Normal work week" / "This work week", or
    /// the fortnight's).
    void setUpDayFields(NumericEdit* normalDays, NumericEdit* thisDays);

    std::optional<InputError> runCalculation() override;
    QWidget* focusFor(const InputError& error) override;
    void resetInputs() override;
    PrintRecord printRecord(PrintLanguage language) const override;
    PeriodReport report() const override;

    /// The controls both forms name alike.
    template <class Form> static Controls controlsOf(Form* ui)
    {
        Controls c = sharedControls(ui);
        c.age = ui->silgEdit14;
        c.salary = ui->numSalRemun;
        c.commission = ui->numComm;
        c.bonus = ui->sidbEdit4;
        c.travelAllowance = ui->sidbEdit6;
        c.beneficiaries = ui->numMedAidBens;
        c.uifEmployee = ui->numMAns1;
        c.uifEmployer = ui->numMAns2;
        c.sdl = ui->numMAns3;
        return c;
    }

private:
    bool m_fortnightly;
    NumericEdit* m_normalField = nullptr;
    NumericEdit* m_thisField = nullptr;
    int m_normalDays = 0;
    int m_thisDays = 0;
    ShortPeriodInputs m_lastInputs;
    PeriodResult m_lastResult;
};

}  // namespace grossby
