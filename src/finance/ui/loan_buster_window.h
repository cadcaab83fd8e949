#pragma once
// Loan buster window (`frmLoanBuster`): what a fixed extra monthly payment
// does to a loan. The principal, rate and extra payment are kept in the
// shared state between visits; the period and the results belong to the
// window. The calculation, its rejections and its printout are the
// description's (loanBusterDescription()).

#include "finance/finance_calculators.h"
#include "finance/ui/finance_window.h"
#include "widgets/described_calculation.h"

#include <memory>

namespace Ui {
class frmLoanBuster;
}

namespace grossby {

class LoanBusterWindow : public FinanceWindow {
    Q_OBJECT
public:
    LoanBusterWindow(Key key, Module1& state, QWidget* parent = nullptr);
    ~LoanBusterWindow() override;

protected:
    void showKept() override;

private:
    void keep();
    /// What the window shows beside the bound results.
    void showAlso(const LoanBusterResult& r);

    std::unique_ptr<Ui::frmLoanBuster> ui;
    DescribedCalculation<LoanBusterInputs, NoSettings, LoanBusterResult>* m_calc = nullptr;
};

}  // namespace grossby
