#pragma once
// What the loan buster, loan comparison, daily balance and inflation windows
// share. Their inputs live in the finance memory (finance/finance_memory.h):
// each field stores its value there as it changes, the window shows the kept values when it opens, and
// every activation (the first showing included) calculates again, so the
// window always shows the figures of its fields. Each runs on its
// calculator's description (finance/finance_calculators.h); Print calculates
// first, and the base shows the print panel only when the description finds
// something to print.

#include "widgets/calculator_window.h"

#include <utility>
#include <vector>

class QLabel;
class QLineEdit;

namespace grossby {

struct FinanceMemory;
struct Module1;
class SpinControl;

/// A note in the window's own words (red, wrapping), hidden until needed;
/// its room is kept while it is hidden, so the window never has to grow
/// (and squeeze it) when it appears.
QLabel* makeNote(QWidget* parent, const char* objectName, int lines);

class FinanceWindow : public CalculatorWindow {
    Q_OBJECT
protected:
    FinanceWindow(Key key, Module1& state, QWidget* parent);

    /// What the finance windows keep between visits.
    FinanceMemory& kept() const;

    /// Shows the kept values and calculates them, without a message.
    void load() override;
    /// Puts the kept values into the fields.
    virtual void showKept() = 0;

    /// Calculates what the fields hold, so what is printed is what they show.
    bool prepareToPrint() override { return calculate(); }
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
