#include "finance/ui/loan_comparison_window.h"

#include "ui_loan_comparison_window.h"

#include "finance/finance_memory.h"
#include "services/report_format.h"
#include "widgets/print_panel.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace grossby {

namespace {

const std::vector<FieldKey> kInputs = {
    {"numBAmt", "principal"},
    {"numIntRate", "rate"},
};

}  // namespace

LoanComparisonWindow::LoanComparisonWindow(Key key, Module1& state, QWidget* parent)
    : FinanceWindow(key, state, parent)
    , ui(std::make_unique<Ui::frmLoanComp>())
{
    ui->setupUi(this);
    m_calc = &describeCalculation(this, loanComparisonDescription(), kInputs, {});
    m_calc->shown = [this](const LoanComparisonResult& r) {
        showTerms(r);
        // Without a rate every repayment is 0 and nothing can be printed.
        const LoanComparisonInputs& in = m_calc->lastInputs();
        m_note->setVisible(in.principal > 0 && in.rate == 0);
    };
    m_note = makeNote(this, "lblCompNote", 2);
    m_note->setText(tr("At 0 % there is no repayment to work out: enter an interest rate above 0 to compare the "
                       "terms and print them."));
    ui->mainLayout->insertWidget(ui->mainLayout->indexOf(ui->figuresLayout) + 1, m_note);
    for (NumericEdit* field : {ui->numBAmt, ui->numIntRate})
        field->setMinimumWidth(130);
    connect(ui->numBAmt, &NumericEdit::valueChanged, this, &LoanComparisonWindow::keep);
    connect(ui->numIntRate, &NumericEdit::valueChanged, this, &LoanComparisonWindow::keep);

    // Six terms, a figure in each cell: read-only, out of the Tab order, its
    // rows selectable so the figures can be copied.
    QTableWidget* grid = ui->grdPayments;
    grid->setColumnCount(4);
    grid->setRowCount(static_cast<int>(LoanComparisonResult{}.terms.size()));
    grid->setHorizontalHeaderLabels({tr("Period"), tr("Monthly repayment"), tr("Total Interest"), tr("Total Paid")});
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int row = 0; row < grid->rowCount(); ++row) {
        for (int column = 0; column < grid->columnCount(); ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(row, column, item);
        }
    }
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    fitGrid();

    Controls c;
    c.calculate = ui->cmdCalculate;
    c.print = ui->cmdPrint;
    c.ok = ui->cmdOk;
    c.printPanel = ui->fraPrint;
    setUpControls(c);
}

LoanComparisonWindow::~LoanComparisonWindow() = default;

void LoanComparisonWindow::keep()
{
    kept().CompPrincipal = m_calc->inputs().values().principal;
    kept().CompRate = m_calc->inputs().values().rate;
}

void LoanComparisonWindow::showKept()
{
    m_calc->inputs().show({kept().CompPrincipal, kept().CompRate});
}

void LoanComparisonWindow::showTerms(const LoanComparisonResult& r)
{
    QTableWidget* grid = ui->grdPayments;
    for (std::size_t k = 0; k < r.terms.size(); ++k) {
        const ComparisonTerm& t = r.terms[k];
        const int row = static_cast<int>(k);
        grid->item(row, 0)->setText(QString::fromStdString(t.label).trimmed());
        grid->item(row, 1)->setText(formatReportAmount(t.repayment));
        grid->item(row, 2)->setText(formatReportAmount(t.interest));
        grid->item(row, 3)->setText(formatReportAmount(t.total));
    }
}

void LoanComparisonWindow::fitGrid()
{
    // Sized once for the widest figures the fields allow (a bond of nearly a
    // billion at 50 % pays some fifteen billion over thirty years), so no
    // figure is ever cut off, no scroll bar is needed and the window never
    // has to grow.
    QTableWidget* grid = ui->grdPayments;
    const QHeaderView* header = grid->horizontalHeader();
    const QFontMetrics metrics(grid->font());
    const int padding = 2 * metrics.horizontalAdvance(QLatin1Char('0'));
    const int widestFigure = metrics.horizontalAdvance(QStringLiteral("-99 999 999 999.99"));
    const int widestTerm = metrics.horizontalAdvance(QStringLiteral("30 yrs."));
    int width = 2 * grid->frameWidth();
    for (int column = 0; column < grid->columnCount(); ++column) {
        const int cell = (column == 0 ? widestTerm : widestFigure) + padding;
        grid->setColumnWidth(column, qMax(cell, header->sectionSizeHint(column)));
        width += grid->columnWidth(column);
    }
    int height = 2 * grid->frameWidth() + qMax(header->height(), header->sizeHint().height());
    for (int row = 0; row < grid->rowCount(); ++row)
        height += grid->rowHeight(row);
    grid->setFixedSize(width, height);
}

}  // namespace grossby
