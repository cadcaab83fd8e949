#pragma once
// QuickTax window (`frmKwikTax`): the tax on an annual taxable income at an
// age. Its figures live in the shared state, so it shows the income that any
// calculator last taxed each time it becomes the active window. It runs on
// QuickTax's description (payroll/quicktax_calculators.h): calculating and
// printing are the base's.

#include "payroll/quicktax.h"
#include "widgets/calculator_window.h"
#include "widgets/described_calculation.h"

#include <memory>

namespace Ui {
class frmKwikTax;
}

namespace grossby {

struct Module1;

class QuickTaxWindow : public CalculatorWindow {
    Q_OBJECT
public:
    QuickTaxWindow(Key key, Module1& state, QWidget* parent = nullptr);
    ~QuickTaxWindow() override;

protected:
    /// Every activation (the first showing included) recalculates, so the
    /// window always shows the income last taxed by any calculator.
    void activated() override { calculate(); }
    /// Prints what is on screen: an income or age typed since the last
    /// calculation would otherwise be printed beside the old tax.
    void beforePrint() override { calculate(); }
    QString printDatabasePath() const override;

private:
    void onAgeChanged(double value);

    Module1& m_state;
    std::unique_ptr<Ui::frmKwikTax> ui;
    DescribedCalculation<QuickTaxInputs, NoSettings, QuickTaxResult>* m_described = nullptr;
};

}  // namespace grossby
