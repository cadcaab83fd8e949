#pragma once
// The weekly (`frmWeekly`) and fortnightly (`frmFortNight`) windows: one form
// and one class, differing only in the calculator, the day-count labels and
// their defaults.

#include "payroll/ui/period_window.h"

#include <memory>
#include <optional>

namespace Ui {
class frmShortPeriod;
}

namespace grossby {

class ShortPeriodWindow : public PeriodWindow {
    Q_OBJECT
public:
    enum class Period { Week, Fortnight };

    ShortPeriodWindow(Key key, Period period, Module1& state, QWidget* parent = nullptr);
    ~ShortPeriodWindow() override;

    const ShortPeriodInputs& lastInputs() const { return m_calculation->lastInputs(); }
    const PeriodResult& lastResult() const { return m_calculation->lastResult(); }

protected:
    void showDefaults() override;

private:
    Period m_period;
    std::unique_ptr<Ui::frmShortPeriod> ui;
    DescribedCalculation<ShortPeriodInputs, PeriodSettings, PeriodResult>* m_calculation = nullptr;
};

/// `frmWeekly`: a week's pay, 52 a year, of which some days may not have been worked.
class WeeklyWindow : public ShortPeriodWindow {
    Q_OBJECT
public:
    WeeklyWindow(Key key, Module1& state, QWidget* parent = nullptr)
        : ShortPeriodWindow(key, Period::Week, state, parent)
    { }
};

/// `frmFortNight`: a fortnight's pay, 26 a year.
class FortnightlyWindow : public ShortPeriodWindow {
    Q_OBJECT
public:
    FortnightlyWindow(Key key, Module1& state, QWidget* parent = nullptr)
        : ShortPeriodWindow(key, Period::Fortnight, state, parent)
    { }
};

}  // namespace grossby
