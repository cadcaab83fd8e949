#include "payroll/ui/fortnightly_window.h"

#include "ui_fortnightly_window.h"

namespace grossby {

FortnightlyWindow::FortnightlyWindow(Module1& state, QWidget* parent)
    : ShortPeriodWindow(state, parent, true)
    , ui(std::make_unique<Ui::frmFortNight>())
{
    ui->setupUi(this);
    setUpControls(controlsOf(ui.get()));
    setUpDayFields(ui->silgEdit21, ui->silgEdit22);
    load();
}

FortnightlyWindow::~FortnightlyWindow() = default;

}  // namespace grossby
