#pragma once
// Loan comparison window (`frmLoanComp`): one bond amount and rate over terms
// of 5 to 30 years, in a grid. The amount and rate are kept in the shared
// state between visits. The calculation, its rejections and its printout are
// the description's (loanComparisonDescription()); the grid is the window's.

#include "finance/finance_calculators.h"
#include "finance/ui/finance_window.h"
#include "widgets/described_calculation.h"

#include <memory>

namespace Ui {
class frmLoanComp;
}

namespace grossby {

class LoanComparisonWindow : public FinanceWindow {
    Q_OBJECT
public:
    LoanComparisonWindow(Key key, Module1& state, QWidget* parent = nullptr);
    ~LoanComparisonWindow() override;

protected:
    void showKept() override;

private:
    void keep();
    void showTerms(const LoanComparisonResult& r);
    void fitGrid();

    std::unique_ptr<Ui::frmLoanComp> ui;
    QLabel* m_note = nullptr;  ///< why there is nothing to compare
    DescribedCalculation<LoanComparisonInputs, NoSettings, LoanComparisonResult>* m_calc = nullptr;
};

}  // namespace grossby
