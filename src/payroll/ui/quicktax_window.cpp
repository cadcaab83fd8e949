#include "payroll/ui/quicktax_window.h"

#include "ui_quicktax_window.h"

#include "core/module1.h"
#include "payroll/quicktax.h"
#include "widgets/message_service.h"
#include "widgets/numeric_edit.h"
#include "widgets/print_panel.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>

namespace grossby {

QuickTaxWindow::QuickTaxWindow(Key key, Module1& state, QWidget* parent)
    : CalculatorWindow(key, parent)
    , m_state(state)
    , ui(std::make_unique<Ui::frmKwikTax>())
{
    ui->setupUi(this);
    m_sidbEdit1 = {ui->sidbEdit1_0, ui->sidbEdit1_1, ui->sidbEdit1_2, ui->sidbEdit1_3, ui->sidbEdit1_4,
                   ui->sidbEdit1_5, ui->sidbEdit1_6, ui->sidbEdit1_7, ui->sidbEdit1_8, ui->sidbEdit1_9};
    for (NumericEdit* field : m_sidbEdit1)
        field->setMinimumWidth(130);
    ui->sidbEdit1_3->setMinimumWidth(48);
    ui->sidbEdit1_3->setMaximumWidth(60);

    // The average rates are percentages: the unit goes beside each.
    for (NumericEdit* rate : {ui->sidbEdit1_8, ui->sidbEdit1_9}) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        ui->figuresLayout->getItemPosition(ui->figuresLayout->indexOf(rate), &row, &column, &rowSpan, &columnSpan);
        auto* unit = new QLabel(QStringLiteral("%"), this);
        unit->setObjectName(rate->objectName() + QStringLiteral("Unit"));
        ui->figuresLayout->addWidget(unit, row, column + columnSpan);
    }

    ui->sidbEdit1_1->setRange(kQuickTaxAgeMin, kQuickTaxAgeMax);
    ui->sidbEdit1_1->setRejectionMessage(QString::fromLatin1(kQuickTaxAgeTitle),
                                         QString::fromLatin1(kQuickTaxAgeMessage));

    Controls c;
    c.calculate = ui->cmdCalculate;
    c.print = ui->cmPrint;
    c.ok = ui->cmdOk;
    c.printPanel = ui->Frame1;
    setUpControls(c);

    connect(ui->sidbEdit1_0, &NumericEdit::valueChanged, this, &QuickTaxWindow::onIncomeChanged);
    connect(ui->sidbEdit1_1, &NumericEdit::valueChanged, this, &QuickTaxWindow::onAgeChanged);
}

QuickTaxWindow::~QuickTaxWindow() = default;

std::optional<CalculatorWindow::Rejection> QuickTaxWindow::runCalculation()
{
    QuickTaxCalculate(m_state);
    showFigures();
    return std::nullopt;
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
    for (std::size_t i = 0; i < 10; ++i)
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

PrintJob QuickTaxWindow::printJob(bool) const
{
    return PrintJob::oneRow(quickTaxReport(), KwikTaxRecord(m_state));
}

QString QuickTaxWindow::printDatabasePath() const
{
    return QString::fromStdString(m_state.PrintDatabasePath);
}

}  // namespace grossby
