#pragma once
// Fortnightly calculator window (`frmFortNight`): PAYE, medical credits, UIF
// and skills levy for a fortnight's pay, 26 a year, of which some days may
// not have been worked.

#include "payroll/ui/short_period_window.h"

#include <memory>

namespace Ui {
class frmFortNight;
}

namespace grossby {

class FortnightlyWindow : public ShortPeriodWindow {
    Q_OBJECT
public:
    explicit FortnightlyWindow(Module1& state, QWidget* parent = nullptr);
    ~FortnightlyWindow() override;

private:
    std::unique_ptr<Ui::frmFortNight> ui;
};

}  // namespace grossby
