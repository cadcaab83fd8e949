#pragma once
// What the loan buster, loan comparison, daily balance and inflation windows
// share. Their inputs live in the shared state: each field stores its value
// there as it changes, the window shows the kept values when it opens, and
// every activation (the first showing included) calculates again, so the
// window always shows the figures of its fields. Print calculates first and
// shows the print panel only when there is something to print.

#include "core/print_record.h"
#include "finance/finance_print.h"
#include "widgets/calculator_window.h"

#include <utility>
#include <vector>

class QLineEdit;

namespace grossby {

struct Module1;
class SpinControl;

class FinanceWindow : public CalculatorWindow {
    Q_OBJECT
protected:
    FinanceWindow(Key key, Module1& state, QWidget* parent);

    Module1& state() const { return m_state; }

    /// Shows the kept values and calculates them, without a message.
    void load() override;
    /// Puts the shared state's values into the fields.
    virtual void showKept() = 0;
    /// Whether the last calculation has anything to print.
    virtual bool hasSomethingToPrint() const = 0;

    /// Calculates what the fields hold; when the figures cannot be printed,
    /// the focus goes to "&OK" and the panel stays down.
    bool prepareToPrint() override;
    QString printDatabasePath() const override;

    /// Calculates without showing a message: window activation must never
    /// bring up a message box (its closing activates the window again).
    void recalculateQuietly();

    /// Up and Down in `field` step `spin`, as its arrows would, and leave the
    /// focus in the field.
    void spinWithArrows(QLineEdit* field, SpinControl* spin);

    /// Gives "&OK" the focus (after a spin, or when there is nothing to print).
    void focusOk();

    /// Every activation works the window's figures out again, quietly.
    void activated() override { recalculateQuietly(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Module1& m_state;
    std::vector<std::pair<QLineEdit*, SpinControl*>> m_arrowSpins;
};

}  // namespace grossby
