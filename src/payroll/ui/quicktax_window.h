#pragma once
// QuickTax window (`frmKwikTax`): the tax on an annual taxable income at an
// age. Its figures live in the shared state, so it shows the income that any
// calculator last taxed each time it becomes the active window.

#include <QWidget>

#include <array>
#include <memory>

namespace Ui {
class frmKwikTax;
}

namespace grossby {

struct Module1;
class NumericEdit;

class QuickTaxWindow : public QWidget {
    Q_OBJECT
public:
    explicit QuickTaxWindow(Module1& state, QWidget* parent = nullptr);
    ~QuickTaxWindow() override;

    /// "&Calculate": taxes `AnnualTaxableIncome` at `QuickTaxAge` and shows
    /// the ten figures.
    void calculate();

    /// A destination chosen on the print panel: 0 preview, 1 printer.
    void printTo(int printToPrinter);

protected:
    bool event(QEvent* event) override;

private:
    void activated();
    void followFrame();
    void showFigures();
    void onIncomeChanged(double value);
    void onAgeChanged(double value);
    void closeWindow();
    /// Stages the `kwiktax` row and starts the report; false (after telling
    /// the user) when the print database could not take it.
    bool KwikTaxPrint();

    Module1& m_state;
    std::unique_ptr<Ui::frmKwikTax> ui;
    /// The control array `sidbEdit1`, indexes 0 to 9; Designer cannot hold
    /// control arrays, so its elements are named `sidbEdit1_0` .. `sidbEdit1_9`.
    std::array<NumericEdit*, 10> m_sidbEdit1{};
    QMetaObject::Connection m_frameActivation;
};

}  // namespace grossby
