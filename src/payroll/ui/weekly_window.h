#pragma once
// Weekly calculator window (`frmWeekly`): PAYE, medical credits, UIF and
// skills levy for a week's pay, 52 a year, of which some days may not have
// been worked.

#include "payroll/ui/short_period_window.h"

#include <memory>

namespace Ui {
class frmWeekly;
}

namespace grossby {

class WeeklyWindow : public ShortPeriodWindow {
    Q_OBJECT
public:
    explicit WeeklyWindow(Module1& state, QWidget* parent = nullptr);
    ~WeeklyWindow() override;

private:
    std::unique_ptr<Ui::frmWeekly> ui;
};

}  // namespace grossby
