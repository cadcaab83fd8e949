#include "finance/ui/loan_window.h"

#include "ui_loan_window.h"

#include "core/module1.h"
#include "finance/finance_memory.h"
#include "finance/finance_print.h"
#include "finance/ui/loan_graph_window.h"
#include "services/report_format.h"
#include "widgets/busy_cursor.h"
#include "widgets/message_service.h"
#include "widgets/numeric_edit.h"
#include "widgets/print_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>
#include <cmath>

namespace grossby {

namespace {

const std::vector<FieldKey> kInputs = {
    {"numPrinAmount", "principal"},
    {"numPeriod", "months"},
    {"numIntRate", "rate"},
    {"numMonRePay", "repayment"},
};

// The grid shows this many rows at most; more scroll.
constexpr int kGridRows = 10;

struct GridHeading {
    const char* text;
    double widthFactor;  // the column is this many times the heading's width
};

// The headings keep their blanks: they set the columns' widths.
constexpr std::array<GridHeading, 4> kMonthlyHeadings = {
    {{" Month   ", 1.2}, {"Capital payment ", 1.3}, {"Interest payment", 1.4}, {"    Balance    ", 1.9}}};
constexpr std::array<GridHeading, 4> kAnnualHeadings = {
    {{" Year ", 1.2}, {"Capital payments", 1.3}, {"Interest payment", 1.4}, {"    Balance      ", 1.5}}};

// The solved quantity's field: read-only and yellow.
const QColor kSolvedColour(255, 255, 160);

QTableWidgetItem* gridCell(const QString& text)
{
    auto* cell = new QTableWidgetItem(text);
    cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return cell;
}

}  // namespace

LoanWindow::LoanWindow(Key key, Module1& state, QWidget* parent)
    : CalculatorWindow(key, parent)
    , m_state(state)
    , ui(std::make_unique<Ui::frmLoans>())
{
    ui->setupUi(this);
    // The print panel comes up whatever the loan; a destination chosen on it
    // checks that there is a whole loan to print (printRequested).
    auto description = loanDescription();
    description.canPrint = nullptr;
    m_calc = &describeCalculation(this, std::move(description), kInputs, {});
    m_calc->prepare = [this](LoanCommandInputs& in) {
        const FinanceMemory& loan = kept();
        in.mode = mode();
        in.principal = loan.LoanPrincipal;
        in.months = loan.LoanPeriod;
        in.rate = loan.LoanRate;
        in.repayment = loan.LoanRepayment;
    };
    m_calc->shown = [this](const LoanResult& r) {
        FinanceMemory& loan = kept();
        loan.LoanPrincipal = r.principal;
        loan.LoanPeriod = r.months;
        loan.LoanRate = r.rate;
        loan.LoanRepayment = r.repayment;
        showQuantities();
        ui->Text1->setVisible(r.rateAboveLimit);
        showNote(noPeriodReason(m_calc->lastInputs(), r));
        if (loan.FinChargesShown == "DOWN")
            showFinanceCharges();
    };
    ui->numIntRate->setDecimals(3);

    m_modes = new QButtonGroup(this);
    const std::array<QRadioButton*, 4> modes = {ui->optLoanCalc_0, ui->optLoanCalc_1, ui->optLoanCalc_2,
                                                ui->optLoanCalc_3};
    for (std::size_t i = 0; i < modes.size(); ++i)
        m_modes->addButton(modes[i], static_cast<int>(i));
    connect(m_modes, &QButtonGroup::idClicked, this, &LoanWindow::chooseMode);

    QFont bold = ui->Label12_1->font();
    bold.setBold(true);
    ui->Label12_1->setFont(bold);
    // The marker beside a solved rate above what the rate field takes.
    QPalette marker = ui->Text1->palette();
    marker.setColor(QPalette::Text, Qt::red);
    ui->Text1->setPalette(marker);
    ui->Text1->setFont(bold);
    ui->Text1->setFixedWidth(ui->Text1->fontMetrics().horizontalAdvance(ui->Text1->text()) + 16);
    // The marker's place is kept while it is hidden, so the fields never move.
    QSizePolicy keepPlace = ui->Text1->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ui->Text1->setSizePolicy(keepPlace);
    ui->Text1->hide();

    // Why a loan has no period or no graph, below the loan's fields.
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lblLoanNote"));
    m_note->setWordWrap(true);
    m_note->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_note->hide();
    ui->formLayout->insertWidget(ui->formLayout->indexOf(ui->loanLayout) + 1, m_note);

    // The fields are views of the shared loan: a change is kept at once.
    connect(ui->numPrinAmount, &NumericEdit::valueChanged, this, [this](double v) { kept().LoanPrincipal = v; });
    connect(ui->numPeriod, &NumericEdit::valueChanged, this, [this](double v) { kept().LoanPeriod = v; });
    connect(ui->numIntRate, &NumericEdit::valueChanged, this, [this](double v) { kept().LoanRate = v; });
    connect(ui->numMonRePay, &NumericEdit::valueChanged, this, [this](double v) { kept().LoanRepayment = v; });

    // The print panel chooses whether a schedule goes with the printout.
    auto* include = new QCheckBox(tr("&Include Amortization"), ui->fraPrint);
    include->setObjectName(QStringLiteral("Check1"));
    auto* kind = new QGroupBox(ui->fraPrint);
    kind->setObjectName(QStringLiteral("fraIncAmort"));
    auto* annual = new QRadioButton(tr("A&nnual"), kind);
    annual->setObjectName(QStringLiteral("Option1_0"));
    auto* monthly = new QRadioButton(tr("Mont&hly "), kind);
    monthly->setObjectName(QStringLiteral("Option1_1"));
    annual->setChecked(true);
    auto* kindLayout = new QHBoxLayout(kind);
    kindLayout->addWidget(annual);
    kindLayout->addWidget(monthly);
    kind->setEnabled(false);
    if (auto* panelLayout = qobject_cast<QVBoxLayout*>(ui->fraPrint->layout())) {
        panelLayout->insertWidget(0, include);
        panelLayout->insertWidget(1, kind);
    }
    connect(include, &QCheckBox::toggled, this, &LoanWindow::includeScheduleToggled);

    Controls c;
    c.calculate = ui->cmdCalculate;
    c.print = ui->cmdPrint;
    c.ok = ui->cmdOk;
    c.printPanel = ui->fraPrint;
    setUpControls(c);
    // Every button of the form waits while the print panel is up.
    ui->fraPrint->setCoveredWidgets({ui->cmdCalculate, ui->cmdFinCharge, ui->cmdMonAmort, ui->cmdAnnAmort,
                                     ui->cmdLoanGraph, ui->cmdPrint, ui->cmdOk});
    // A destination first solves the loan again and prints only a whole
    // loan; with a quantity missing the panel stays up.
    disconnect(ui->fraPrint, &PrintPanel::destinationChosen, this, &CalculatorWindow::printTo);
    connect(ui->fraPrint, &PrintPanel::destinationChosen, this, &LoanWindow::printRequested);

    connect(ui->cmdFinCharge, &QPushButton::clicked, this, &LoanWindow::toggleFinanceCharges);
    connect(ui->cmdMonAmort, &QPushButton::clicked, this, [this] { showSchedule(false); });
    connect(ui->cmdAnnAmort, &QPushButton::clicked, this, [this] { showSchedule(true); });
    connect(ui->cmdLoanGraph, &QPushButton::clicked, this, [this] { showGraph(); });
    connect(ui->cmdGridClose, &QPushButton::clicked, this, &LoanWindow::closeGrid);

    ui->grdPayments->verticalHeader()->hide();
    ui->grdPayments->verticalHeader()->setMinimumSectionSize(ui->grdPayments->fontMetrics().height() + 4);
    ui->grdPayments->verticalHeader()->setDefaultSectionSize(ui->grdPayments->fontMetrics().height() + 8);
    ui->grdPayments->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->fraGrid->hide();
}

LoanWindow::~LoanWindow()
{
    // The graphs belong to this loan window and go with it.
    for (const QPointer<QWidget>& graph : m_graphs) {
        if (graph)
            graph->deleteLater();
    }
}

FinanceMemory& LoanWindow::kept() const
{
    return m_state.memory<FinanceMemory>();
}

LoanMode LoanWindow::mode() const
{
    return loanModeFrom(kept().LoanCalcMode).value_or(LoanMode::Repayment);
}

NumericEdit* LoanWindow::fieldOf(LoanMode m) const
{
    switch (m) {
    case LoanMode::Repayment: return ui->numMonRePay;
    case LoanMode::Principal: return ui->numPrinAmount;
    case LoanMode::Period: return ui->numPeriod;
    case LoanMode::Rate: return ui->numIntRate;
    }
    return ui->numMonRePay;
}

void LoanWindow::load()
{
    activated();
}

void LoanWindow::activated()
{
    // The window shows the shared loan, solved again for its mode. Nothing
    // is said here about a quantity out of range: "&Calculate" says it, and
    // a message box here would activate the window again when it closes.
    styleMode(mode());
    showQuantities();
    recalculateQuietly();
    const bool down = kept().FinChargesShown == "DOWN";
    for (QWidget* w : {static_cast<QWidget*>(ui->lblTotalInterest), static_cast<QWidget*>(ui->lblTotalInterestR),
                       static_cast<QWidget*>(ui->numAns1), static_cast<QWidget*>(ui->lblTotalRepayments),
                       static_cast<QWidget*>(ui->lblTotalRepaymentsR), static_cast<QWidget*>(ui->numAns2)})
        w->setVisible(down);
    if (down) {
        showFinanceCharges();
        growToFit();
    }
}

void LoanWindow::chooseMode(int index)
{
    const auto chosen = static_cast<LoanMode>(index);
    kept().LoanCalcMode = std::string(loanModeText(chosen));
    styleMode(chosen);
    (chosen == LoanMode::Principal ? ui->numPeriod : ui->numPrinAmount)->setFocus(Qt::OtherFocusReason);
}

void LoanWindow::styleMode(LoanMode solved)
{
    if (QAbstractButton* option = m_modes->button(static_cast<int>(solved))) {
        const QSignalBlocker block(m_modes);
        option->setChecked(true);
    }
    const std::string_view text = loanModeText(solved);
    ui->Label12_1->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    for (LoanMode m : {LoanMode::Principal, LoanMode::Period, LoanMode::Rate, LoanMode::Repayment}) {
        NumericEdit* field = fieldOf(m);
        const bool isSolved = m == solved;
        // Read-only first: the field then takes the result look and focus
        // rule, which the solved field's yellow overrides.
        field->setReadOnly(isSolved);
        if (isSolved) {
            QPalette pal = field->palette();
            pal.setColor(QPalette::Base, kSolvedColour);
            field->setPalette(pal);
            field->setFocusPolicy(Qt::ClickFocus);  // out of the Tab order, still selectable
        }
    }
}

void LoanWindow::showQuantities()
{
    LoanCommandInputs in;
    in.mode = mode();
    in.principal = kept().LoanPrincipal;
    in.months = kept().LoanPeriod;
    in.rate = kept().LoanRate;
    in.repayment = kept().LoanRepayment;
    m_calc->inputs().show(in);
}

void LoanWindow::showFinanceCharges()
{
    const LoanResult loan = currentLoan();
    ui->numAns1->setValue(loan.totalInterest);
    ui->numAns2->setValue(loan.totalRepayments);
}

LoanResult LoanWindow::currentLoan() const
{
    LoanResult loan;
    loan.principal = kept().LoanPrincipal;
    loan.months = kept().LoanPeriod;
    loan.rate = kept().LoanRate;
    loan.repayment = kept().LoanRepayment;
    loan.totalRepayments = loan.repayment * loan.months;
    loan.totalInterest = loan.totalRepayments - loan.principal;
    return loan;
}

AnnualSchedule LoanWindow::annualSchedule(const LoanResult& loan) const
{
    // The shape of the last yearly schedule is kept in the shared state.
    AnnualSchedule s = CalcAnnAmort(loan.principal, loan.months, loan.rate, loan.repayment);
    kept().AnnualKind = static_cast<std::int16_t>(s.kind);
    kept().FullYears = static_cast<std::int16_t>(s.fullYears);
    kept().AnnualYears = static_cast<std::int16_t>(s.years);
    return s;
}

std::optional<CalculatorWindow::Rejection> LoanWindow::runCalculation()
{
    // The marker and the note go until the loan solved shows them again.
    ui->Text1->hide();
    showNote(nullptr);
    return CalculatorWindow::runCalculation();
}

void LoanWindow::recalculateQuietly()
{
    (void)runCalculation();
}

void LoanWindow::toggleFinanceCharges()
{
    const bool show = kept().FinChargesShown != "DOWN";
    kept().FinChargesShown = show ? "DOWN" : "UP";
    for (QWidget* w : {static_cast<QWidget*>(ui->lblTotalInterest), static_cast<QWidget*>(ui->lblTotalInterestR),
                       static_cast<QWidget*>(ui->numAns1), static_cast<QWidget*>(ui->lblTotalRepayments),
                       static_cast<QWidget*>(ui->lblTotalRepaymentsR), static_cast<QWidget*>(ui->numAns2)})
        w->setVisible(show);
    if (show)
        showFinanceCharges();
    growToFit();
}

void LoanWindow::growToFit()
{
    // Rows shown since the window was sized get their room; a window the
    // user made larger keeps its size.
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    QWidget* resized = frame ? static_cast<QWidget*>(frame) : (isWindow() ? this : nullptr);
    if (!resized || resized->isMaximized() || !layout())
        return;
    layout()->activate();
    const QSize extra = sizeHint() - size();
    resized->resize(resized->size() + extra.expandedTo(QSize(0, 0)));
}

void LoanWindow::showNote(const char* text)
{
    m_note->setText(text ? QString::fromUtf8(text) : QString());
    if (m_note->isHidden() == !text)
        return;
    m_note->setVisible(text != nullptr);
    if (text)
        growToFit();
}

void LoanWindow::showSchedule(bool annual)
{
    // The schedule is of the loan as shown: a quantity typed since the last
    // calculation is solved first.
    if (!calculate())
        return;
    const LoanResult loan = currentLoan();
    if (!loanComplete(loan)) {
        ui->numPrinAmount->setFocus(Qt::OtherFocusReason);
        return;
    }
    const BusyCursor busy;
    const std::vector<AmortLine> lines =
        annual ? annualSchedule(loan).lines : monthlySchedule(loan.principal, loan.months, loan.rate);

    QTableWidget* grid = ui->grdPayments;
    grid->clear();
    grid->setColumnCount(4);
    grid->setRowCount(static_cast<int>(lines.size()));
    const auto& headings = annual ? kAnnualHeadings : kMonthlyHeadings;
    QStringList titles;
    for (const GridHeading& h : headings)
        titles.append(QString::fromLatin1(h.text));
    grid->setHorizontalHeaderLabels(titles);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const AmortLine& line = lines[i];
        const int row = static_cast<int>(i);
        grid->setItem(row, 0, gridCell(QString::number(line.period)));
        grid->setItem(row, 1, gridCell(formatReportAmount(line.capital)));
        grid->setItem(row, 2, gridCell(formatReportAmount(line.interest)));
        grid->setItem(row, 3, gridCell(formatReportAmount(line.balance)));
    }
    const QFontMetrics metrics(grid->horizontalHeader()->font());
    for (std::size_t column = 0; column < headings.size(); ++column) {
        const GridHeading& h = headings[column];
        const double width = metrics.horizontalAdvance(QString::fromLatin1(h.text)) * h.widthFactor;
        grid->setColumnWidth(static_cast<int>(column), static_cast<int>(std::lround(width)) + 12);
    }
    ui->fraGrid->setTitle(annual ? tr("Annual amortisation") : tr("Monthly amortisation"));
    fitGrid(static_cast<int>(lines.size()));
    setGridShown(true);
    grid->setCurrentCell(0, 0);
    grid->setFocus(Qt::OtherFocusReason);
}

void LoanWindow::fitGrid(int rows)
{
    // Up to ten rows shown; more scroll, and the grid is widened for the bar.
    QTableWidget* grid = ui->grdPayments;
    int width = 2 * grid->frameWidth();
    for (int column = 0; column < grid->columnCount(); ++column)
        width += grid->columnWidth(column);
    const bool scrolls = rows > kGridRows;
    grid->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    if (scrolls)
        width += grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    const int rowHeight = grid->verticalHeader()->defaultSectionSize();
    const int height =
        2 * grid->frameWidth() + grid->horizontalHeader()->sizeHint().height() + rowHeight * std::min(rows, kGridRows);
    grid->setFixedSize(width, height);
}

void LoanWindow::setGridShown(bool shown)
{
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    QWidget* resized = frame ? static_cast<QWidget*>(frame) : (isWindow() ? this : nullptr);
    // While the grid is up the form waits, so the grid's "&OK" is the only one.
    ui->formPane->setEnabled(!shown);
    if (shown) {
        if (!ui->fraGrid->isVisible() && resized)
            m_sizeBeforeGrid = resized->size();
        setMaximumWidth(QWIDGETSIZE_MAX);
        ui->fraGrid->show();
        growToFit();
        return;
    }
    ui->fraGrid->hide();
    if (layout())
        layout()->activate();
    if (resized && m_sizeBeforeGrid.isValid() && !resized->isMaximized())
        resized->resize(m_sizeBeforeGrid);
    m_sizeBeforeGrid = QSize();
}

void LoanWindow::closeGrid()
{
    ui->grdPayments->clear();
    ui->grdPayments->setRowCount(0);
    setGridShown(false);
    ui->cmdOk->setFocus(Qt::OtherFocusReason);
}

QWidget* LoanWindow::showGraph()
{
    if (!calculate())
        return nullptr;
    const LoanResult loan = currentLoan();
    if (!loanGraphAvailable(loan)) {
        showNote(noGraphReason(loan));
        ui->cmdOk->setFocus(Qt::OtherFocusReason);
        return nullptr;
    }
    const BusyCursor busy;
    auto* graph = new LoanGraphWindow;
    graph->setAttribute(Qt::WA_DeleteOnClose);
    graph->LoanAmortGraph(annualSchedule(loan),
                          tr("R %1 over %2 months at %3% p.a.")
                              .arg(formatReportAmount(loan.principal))
                              .arg(loan.months, 0, 'f', 0)
                              .arg(loan.rate, 0, 'f', 3));
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (QMdiArea* area = frame ? frame->mdiArea() : nullptr) {
        QMdiSubWindow* graphFrame = area->addSubWindow(graph);
        graphFrame->setAttribute(Qt::WA_DeleteOnClose);
        graphFrame->resize(graphFrame->sizeHint());
        graphFrame->move(0, 0);
        graphFrame->show();
        area->setActiveSubWindow(graphFrame);
        graphFrame->raise();
        m_graphs.append(graphFrame);
    } else {
        graph->move(0, 0);
        graph->show();
        graph->raise();
        graph->activateWindow();
        m_graphs.append(graph);
    }
    return graph;
}

void LoanWindow::includeScheduleToggled(bool on)
{
    if (on) {
        if (auto* annual = findChild<QRadioButton*>(QStringLiteral("Option1_0")))
            annual->setChecked(true);
    }
    if (auto* kind = findChild<QGroupBox*>(QStringLiteral("fraIncAmort")))
        kind->setEnabled(on);
}

void LoanWindow::printRequested(int destination)
{
    // The printout is of the loan as solved now, and only of a whole loan.
    if (!calculate())
        return;
    if (!loanComplete(currentLoan())) {
        showMessage(this,
                    {QMessageBox::Information, windowTitle(),
                     tr("There is no loan to print yet: the principal amount, period, interest rate and "
                        "monthly repayment must all be more than 0.")});
        ui->fraPrint->viewButton()->setFocus(Qt::OtherFocusReason);
        return;
    }
    printTo(destination);
}

PrintJob LoanWindow::printJob(bool) const
{
    ScheduleKind schedule = ScheduleKind::None;
    const auto* include = findChild<QCheckBox*>(QStringLiteral("Check1"));
    const auto* monthly = findChild<QRadioButton*>(QStringLiteral("Option1_1"));
    if (include && include->isChecked())
        schedule = monthly && monthly->isChecked() ? ScheduleKind::Monthly : ScheduleKind::Annual;

    const LoanMode m = mode();
    const LoanResult loan = currentLoan();
    PrintJob job =
        PrintJob::oneRow(loanReport(m, schedule), PrintLoan(m, loan, kept().FinChargesShown == "DOWN", schedule));
    // The schedule's rows replace every earlier one in the same transaction.
    if (schedule == ScheduleKind::Annual)
        job.tables.push_back(StagedTable{kAmortTable, PrintAmort(annualSchedule(loan).lines)});
    else if (schedule == ScheduleKind::Monthly)
        job.tables.push_back(
            StagedTable{kAmortTable, PrintAmort(monthlySchedule(loan.principal, loan.months, loan.rate))});
    return job;
}

QString LoanWindow::printDatabasePath() const
{
    return QString::fromStdString(m_state.PrintDatabasePath);
}

}  // namespace grossby
