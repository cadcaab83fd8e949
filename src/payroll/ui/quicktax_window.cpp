#include "payroll/ui/quicktax_window.h"

#include "ui_quicktax_window.h"

#include "core/module1.h"
#include "payroll/quicktax.h"
#include "services/print_database.h"
#include "services/report_job.h"
#include "widgets/message_service.h"
#include "widgets/report_runner.h"
#include "widgets/busy_cursor.h"
#include "widgets/numeric_edit.h"
#include "widgets/print_panel.h"
#include "widgets/window_mnemonics.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>

namespace grossby {

QuickTaxWindow::QuickTaxWindow(Module1& state, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , ui(std::make_unique<Ui::frmKwikTax>())
{
    ui->setupUi(this);
    WindowMnemonics::install(this);
    m_sidbEdit1 = {ui->sidbEdit1_0, ui->sidbEdit1_1, ui->sidbEdit1_2, ui->sidbEdit1_3, ui->sidbEdit1_4,
                   ui->sidbEdit1_5, ui->sidbEdit1_6, ui->sidbEdit1_7, ui->sidbEdit1_8, ui->sidbEdit1_9};
    for (NumericEdit* field : m_sidbEdit1)
        field->setMinimumWidth(130);
    ui->sidbEdit1_3->setMinimumWidth(48);
    ui->sidbEdit1_3->setMaximumWidth(60);

    ui->sidbEdit1_1->setRange(kQuickTaxAgeMin, kQuickTaxAgeMax);
    ui->sidbEdit1_1->setRejectionMessage(QString::fromLatin1(kQuickTaxAgeTitle),
                                         QString::fromLatin1(kQuickTaxAgeMessage));

    ui->Frame1->hide();
    ui->Frame1->setCoveredWidgets({ui->cmdCalculate, ui->cmPrint, ui->cmdOk});

    connect(ui->sidbEdit1_0, &NumericEdit::valueChanged, this, &QuickTaxWindow::onIncomeChanged);
    connect(ui->sidbEdit1_1, &NumericEdit::valueChanged, this, &QuickTaxWindow::onAgeChanged);
    // Return in either input field calculates, as the button would.
    connect(ui->sidbEdit1_0, &QLineEdit::returnPressed, this, &QuickTaxWindow::calculate);
    connect(ui->sidbEdit1_1, &QLineEdit::returnPressed, this, &QuickTaxWindow::calculate);
    connect(ui->cmdCalculate, &QPushButton::clicked, this, &QuickTaxWindow::calculate);
    connect(ui->cmdOk, &QPushButton::clicked, this, &QuickTaxWindow::closeWindow);
    connect(ui->cmPrint, &QPushButton::clicked, this, [this] { ui->Frame1->popUp(); });
    connect(ui->Frame1, &PrintPanel::destinationChosen, this, &QuickTaxWindow::printTo);
    connect(ui->Frame1, &PrintPanel::cancelled, this, [this] { ui->cmPrint->setFocus(); });

    showFigures();
}

QuickTaxWindow::~QuickTaxWindow() = default;

bool QuickTaxWindow::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        followFrame();
    else if (event->type() == QEvent::WindowActivate)
        activated();
    return QWidget::event(event);
}

void QuickTaxWindow::followFrame()
{
    // As a child of the document area the window is activated through its
    // frame, which reports it as a change of state rather than an event.
    disconnect(m_frameActivation);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        m_frameActivation = connect(frame, &QMdiSubWindow::windowStateChanged, this,
                                    [this](Qt::WindowStates before, Qt::WindowStates now) {
                                        if (now.testFlag(Qt::WindowActive) && !before.testFlag(Qt::WindowActive))
                                            activated();
                                    });
    }
}

void QuickTaxWindow::activated()
{
    // Every activation (the first showing included) recalculates, so the
    // window always shows the income last taxed by any calculator.
    calculate();
    showFigures();
}

void QuickTaxWindow::calculate()
{
    QuickTaxCalculate(m_state);
    showFigures();
}

void QuickTaxWindow::showFigures()
{
    const Module1& s = m_state;
    const double values[10] = {
        s.QuickTaxIncome,      static_cast<double>(s.QuickTaxAge),
        s.BracketBaseTax,      s.MarginalRate,
        s.TaxOnExcess,         s.QuickTaxTotal,
        s.QuickTaxRebate,      s.QuickTaxPayable,
        s.QuickTaxAverageRate, s.QuickTaxAverageRateAfter,
    };
    for (int i = 0; i < 10; ++i)
        m_sidbEdit1[i]->setValue(values[i]);
}

void QuickTaxWindow::onIncomeChanged(double value)
{
    QuickTaxSetIncome(m_state, value);
}

void QuickTaxWindow::onAgeChanged(double value)
{
    // The field's limits keep out ages that cannot be held; this guards the
    // state should one get through all the same.
    if (auto message = QuickTaxSetAge(m_state, value)) {
        showMessage(this,
                    {QMessageBox::Critical, QString::fromLatin1(kQuickTaxAgeTitle), QString::fromStdString(*message)});
        const QSignalBlocker block(ui->sidbEdit1_1);
        ui->sidbEdit1_1->setValue(m_state.QuickTaxAge);
    }
}

void QuickTaxWindow::closeWindow()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void QuickTaxWindow::printTo(int printToPrinter)
{
    m_state.PrintToPrinter = static_cast<std::int16_t>(printToPrinter);
    {
        const BusyCursor busy;
        // Print what is on screen: an income or age typed since the last
        // calculation would otherwise be printed beside the old tax.
        calculate();
        KwikTaxPrint();
    }
    ui->Frame1->hide();
    ui->cmPrint->setFocus();
}

bool QuickTaxWindow::KwikTaxPrint()
{
    const QString path = QString::fromStdString(m_state.PrintDatabasePath);
    auto fail = [this](const QString& text) {
        showMessage(this, {QMessageBox::Critical, tr("QuickTax"), text});
        return false;
    };
    if (path.isEmpty())
        return fail(tr("The report cannot be prepared: the location of the print database is not known."));
    const PrintDatabase db(path);
    if (const DbStatus status = db.ensure(); !status)
        return fail(status.error);
    const StagedTable row{kKwikTaxTable, {KwikTaxRecord(m_state)}};
    if (const DbStatus status = db.stage({row}); !status)
        return fail(status.error);

    ReportJob job;
    job.templateName = QString::fromLatin1(kKwikTaxTemplate);
    job.destination = m_state.PrintToPrinter;
    if (job.destination == 0)
        job.title = QString::fromLatin1(kKwikTaxTitle);
    job.printDatabasePath = path;
    runReport(this, job);
    return true;
}

}  // namespace grossby
