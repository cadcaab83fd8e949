#include "payroll/ui/weekly_window.h"

#include "ui_weekly_window.h"

namespace grossby {

WeeklyWindow::WeeklyWindow(Module1& state, QWidget* parent)
    : ShortPeriodWindow(state, parent, false)
    , ui(std::make_unique<Ui::frmWeekly>())
{
    ui->setupUi(this);
    setUpControls(controlsOf(ui.get()));
    setUpDayFields(ui->silgEdit21, ui->silgEdit22);
    load();
}

WeeklyWindow::~WeeklyWindow() = default;

}  // namespace grossby
