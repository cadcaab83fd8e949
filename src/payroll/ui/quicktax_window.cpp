#include "payroll/ui/quicktax_window.h"

#include "ui_quicktax_window.h"

#include "core/module1.h"
#include "payroll/quicktax_calculators.h"
#include "widgets/message_service.h"
#include "widgets/numeric_edit.h"
#include "widgets/print_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace grossby {

namespace {

// The control array `sidbEdit1`, indexes 0 to 9; Designer cannot hold
// control arrays, so its elements are named `sidbEdit1_0` .. `sidbEdit1_9`.
const std::vector<FieldKey> kInputs = {{"sidbEdit1_0", "income"}, {"sidbEdit1_1", "age"}};
const std::vector<ResultField> kResults = {
    {"sidbEdit1_2", "tax_on_threshold"}, {"sidbEdit1_3", "marginal_rate"},
    {"sidbEdit1_4", "portion"},          {"sidbEdit1_5", "total_tax"},
    {"sidbEdit1_6", "rebate"},           {"sidbEdit1_7", "tax_payable"},
    {"sidbEdit1_8", "average_rate"},     {"sidbEdit1_9", "average_rate_after"},
};

}  // namespace

QuickTaxWindow::QuickTaxWindow(Key key, Module1& state, QWidget* parent)
    : CalculatorWindow(key, parent)
    , m_state(state)
    , ui(std::make_unique<Ui::frmKwikTax>())
{
    ui->setupUi(this);
    for (NumericEdit* field : {ui->sidbEdit1_0, ui->sidbEdit1_1, ui->sidbEdit1_2, ui->sidbEdit1_3, ui->sidbEdit1_4,
                               ui->sidbEdit1_5, ui->sidbEdit1_6, ui->sidbEdit1_7, ui->sidbEdit1_8, ui->sidbEdit1_9})
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

    // The calculation taxes the income last taxed by any calculator at the
    // age kept, shows both, and keeps its figures in the shared state.
    m_described = &describeCalculation(this, quickTaxDescription(), kInputs, kResults);
    m_described->prepare = [this](QuickTaxInputs& in) {
        in = QuickTaxCalculateInputs(m_state);
        m_described->inputs().show(in);
    };
    m_described->shown = [this](const QuickTaxResult& r) { KeepQuickTax(m_state, r); };
    // What is typed goes straight into the shared state.
    connect(ui->sidbEdit1_0, &NumericEdit::valueChanged, this,
            [this](double income) { QuickTaxSetIncome(m_state, income); });
    connect(ui->sidbEdit1_1, &NumericEdit::valueChanged, this, &QuickTaxWindow::onAgeChanged);

    Controls c;
    c.calculate = ui->cmdCalculate;
    c.print = ui->cmPrint;
    c.ok = ui->cmdOk;
    c.printPanel = ui->Frame1;
    setUpControls(c);
    followTaxYear(m_state);
}

QuickTaxWindow::~QuickTaxWindow() = default;

void QuickTaxWindow::onAgeChanged(double value)
{
    // The field's limits keep out ages that cannot be held; this guards the
    // state should one get through all the same.
    if (auto message = QuickTaxSetAge(m_state, value)) {
        showMessage(this,
                    {QMessageBox::Critical, QString::fromLatin1(kQuickTaxAgeTitle), QString::fromStdString(*message)});
        const QSignalBlocker block(ui->sidbEdit1_1);
        ui->sidbEdit1_1->setValue(m_state.memory<QuickTaxMemory>().QuickTaxAge);
    }
}

QString QuickTaxWindow::printDatabasePath() const
{
    return QString::fromStdString(m_state.PrintDatabasePath);
}

}  // namespace grossby
