#pragma once
// Annual calculator window (`frmAnnual`): the tax for the tax year, or the
// part of it between two dates, from the period's totals, with the medical
// aid beneficiaries month by month.

#include "payroll/ui/period_window.h"

#include <array>
#include <memory>
#include <optional>

namespace Ui {
class frmAnnual;
}

namespace grossby {

class AnnualWindow : public PeriodWindow {
    Q_OBJECT
public:
    AnnualWindow(Key key, Module1& state, QWidget* parent = nullptr);
    ~AnnualWindow() override;

    const AnnualInputs& lastInputs() const { return m_calculation->lastInputs(); }
    const AnnualResult& lastResult() const { return m_calculation->lastResult(); }

    /// "Duplicate March to all 12 months ": every count above 24 is reported
    /// and set to 24, then each month takes March's count.
    void duplicateMarch();

protected:
    void showDefaults() override;
    QWidget* focusFor(const InputError& error) const override;

private:
    /// The field of a calendar month (1 = January .. 12 = December).
    NumericEdit* monthField(int month) const { return m_monthFields[static_cast<std::size_t>(month - 1)]; }
    /// Reports a count above 24 and sets it to 24; true when it did.
    bool limitMonth(int month);

    std::unique_ptr<Ui::frmAnnual> ui;
    DescribedCalculation<AnnualInputs, PeriodSettings, AnnualResult>* m_calculation = nullptr;
    std::array<NumericEdit*, 12> m_monthFields{};  // by calendar month
    std::array<int, 12> m_counts{};  // tax-year order, March first
};

}  // namespace grossby
