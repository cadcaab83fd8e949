#pragma once
// The loan window (`frmLoans`): solves a loan for its repayment, principal,
// period or rate, and shows its finance charges, its monthly and yearly
// schedules in a grid, a graph of the yearly figures and its printouts.
//
// The four loan quantities, the mode and the finance charges toggle live in
// the finance memory (finance/finance_memory.h): the fields are views of it, so every change is stored at
// once and the window shows the last loan again when it is reopened or
// activated. The loan is solved on its description (loanDescription()),
// which also gives its tables and menu entry; the solved field's colouring,
// the finance charges, the grid, the graph and the printout with its
// schedule are the window's own.

#include "finance/finance_calculators.h"
#include "widgets/described_calculation.h"

#include <QList>
#include <QPointer>

#include <memory>
#include <optional>

class QButtonGroup;
class QLabel;
class QRadioButton;

namespace Ui {
class frmLoans;
}

namespace grossby {

struct FinanceMemory;
struct Module1;
class NumericEdit;

class LoanWindow : public CalculatorWindow {
    Q_OBJECT
public:
    LoanWindow(Key key, Module1& state, QWidget* parent = nullptr);
    ~LoanWindow() override;

    /// The quantity being solved, as the shared state holds it.
    LoanMode mode() const;

    /// "&Fin. charges": shows the total interest and total repayments, or
    /// hides them again.
    void toggleFinanceCharges();
    /// "Mo&nthly Amort." and "&Annual Amort.": the schedule in the grid.
    void showSchedule(bool annual);
    /// The grid's "&OK": empties and hides the grid.
    void closeGrid();
    /// "Annual &Graph": a fresh graph window of the yearly schedule, or
    /// null when the loan has no graph (the focus then goes to "&OK").
    QWidget* showGraph();

protected:
    void load() override;
    void activated() override;
    std::optional<Rejection> runCalculation() override;
    PrintJob printJob(bool afrikaans) const override;
    QString printDatabasePath() const override;

private:
    void chooseMode(int index);
    void styleMode(LoanMode mode);
    void showQuantities();
    void showFinanceCharges();
    void recalculateQuietly();
    void printRequested(int destination);
    void includeScheduleToggled(bool on);
    void fitGrid(int rows);
    void setGridShown(bool shown);
    void growToFit();
    /// Says below the loan why it has no period or graph; null hides it.
    void showNote(const char* text);
    /// The loan and its settings as kept between visits.
    FinanceMemory& kept() const;
    LoanResult currentLoan() const;
    AnnualSchedule annualSchedule(const LoanResult& loan) const;
    NumericEdit* fieldOf(LoanMode mode) const;

    Module1& m_state;
    std::unique_ptr<Ui::frmLoans> ui;
    DescribedCalculation<LoanCommandInputs, NoSettings, LoanResult>* m_calc = nullptr;
    QButtonGroup* m_modes = nullptr;
    QLabel* m_note = nullptr;
    QSize m_sizeBeforeGrid;
    QList<QPointer<QWidget>> m_graphs;  // graph windows (or their frames) this window opened
};

}  // namespace grossby
