#pragma once
// QuickTax window (`frmKwikTax`): the tax on an annual taxable income at an
// age. Its figures live in the shared state, so it shows the income that any
// calculator last taxed each time it becomes the active window.

#include "widgets/calculator_window.h"

#include <array>
#include <memory>

namespace Ui {
class frmKwikTax;
}

namespace grossby {

struct Module1;
class NumericEdit;

class QuickTaxWindow : public CalculatorWindow {
    Q_OBJECT
public:
    QuickTaxWindow(Key key, Module1& state, QWidget* parent = nullptr);
    ~QuickTaxWindow() override;

protected:
    /// Every activation (the first showing included) recalculates, so the
    /// window always shows the income last taxed by any calculator.
    void activated() override { calculate(); }
    /// Shows the shared figures; the calculation runs when the window is activated.
    void load() override { showFigures(); }
    /// Taxes `AnnualTaxableIncome` at `QuickTaxAge` and shows the ten figures.
    std::optional<Rejection> runCalculation() override;
    /// Prints what is on screen: an income or age typed since the last
    /// calculation would otherwise be printed beside the old tax.
    void beforePrint() override { calculate(); }
    PrintJob printJob(bool afrikaans) const override;
    QString printDatabasePath() const override;

private:
    void showFigures();
    void onIncomeChanged(double value);
    void onAgeChanged(double value);

    Module1& m_state;
    std::unique_ptr<Ui::frmKwikTax> ui;
    /// The control array `sidbEdit1`, indexes 0 to 9; Designer cannot hold
    /// control arrays, so its elements are named `sidbEdit1_0` .. `sidbEdit1_9`.
    std::array<NumericEdit*, 10> m_sidbEdit1{};
};

}  // namespace grossby
