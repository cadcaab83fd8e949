#pragma once
// Loan comparison window (`frmLoanComp`): one bond amount and rate over terms
// of 5 to 30 years, in a grid. The amount and rate are kept in the shared
// state between visits.

#include "finance/finance_inputs.h"
#include "finance/ui/finance_window.h"
#include "widgets/field_binding.h"

#include <memory>
#include <optional>

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
    std::optional<Rejection> runCalculation() override;
    bool hasSomethingToPrint() const override;
    PrintJob printJob(bool afrikaans) const override;

private:
    void keep();
    void showTerms();
    void fitGrid();

    std::unique_ptr<Ui::frmLoanComp> ui;
    std::optional<InputBinding<LoanComparisonInputs>> m_inputs;
    LoanComparisonInputs m_lastInputs;
    LoanComparisonResult m_lastResult;
};

}  // namespace grossby
