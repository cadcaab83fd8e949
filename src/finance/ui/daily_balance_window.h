#pragma once
// Daily balance window (`frmDayBal`): simple interest on a capital amount
// between two dates. The capital, rate and dates (either may be empty) are
// kept in the shared state between visits; each date field's limits follow
// the other date, and spin controls step the end date and the rate. The
// calculation, its rejections and its printout are the description's
// (dailyBalanceDescription()); the window reads the dates itself and asks for
// a blank one before calculating.

#include "finance/finance_calculators.h"
#include "finance/ui/finance_window.h"
#include "widgets/described_calculation.h"

#include <memory>

namespace Ui {
class frmDayBal;
}

namespace grossby {

class DailyBalanceWindow : public FinanceWindow {
    Q_OBJECT
public:
    DailyBalanceWindow(Key key, Module1& state, QWidget* parent = nullptr);
    ~DailyBalanceWindow() override;

    /// `spDate`: the end date a day later or earlier, then the figures.
    void spinDate(bool up);
    /// `spRate`: the rate a step up or down (wrapping at 50 %), then the figures.
    void spinRate(bool up);

protected:
    void showKept() override;

private:
    DailyBalanceInputs currentInputs() const;
    void keep();
    void limitStartDate();
    void limitEndDate();
    QString dateRangeMessage(bool endDate) const;
    double typedRateLimit() const;
    /// Says so while the rate is above what may be typed.
    void noteRate();

    std::unique_ptr<Ui::frmDayBal> ui;
    QLabel* m_rateNote = nullptr;
    DescribedCalculation<DailyBalanceInputs, NoSettings, DailyBalanceResult>* m_calc = nullptr;
};

}  // namespace grossby
