#pragma once
// Loan buster window (`frmLoanBuster`): what a fixed extra monthly payment
// does to a loan. The principal, rate and extra payment are kept in the
// shared state between visits; the period and the results belong to the
// window.

#include "finance/finance_inputs.h"
#include "finance/ui/finance_window.h"
#include "widgets/field_binding.h"

#include <memory>
#include <optional>

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
    std::optional<Rejection> runCalculation() override;
    bool hasSomethingToPrint() const override;
    PrintJob printJob(bool afrikaans) const override;

private:
    void keep();

    std::unique_ptr<Ui::frmLoanBuster> ui;
    std::optional<InputBinding<LoanBusterInputs>> m_inputs;
    std::optional<ResultBinding<LoanBusterResult>> m_results;
    LoanBusterInputs m_lastInputs;
    LoanBusterResult m_lastResult;
};

}  // namespace grossby
