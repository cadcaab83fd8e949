#include "vehicle/ui/car_allowance_window.h"

#include "ui_car_allowance_window.h"

#include "core/module1.h"
#include "core/tax_year.h"
#include "core/year_figures.h"
#include "vehicle/car_allowance.h"
#include "vehicle/company_car.h"
#include "vehicle/ui/write_through.h"
#include "vehicle/vehicle_inputs.h"
#include "vehicle/vehicle_print.h"
#include "widgets/message_service.h"
#include "widgets/print_panel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace grossby {

namespace {

const std::vector<FieldKey> kInputs = {
    {"Text1", "name"},
    {"silgEdit1", "vehicle-value"},
    {"silgEdit2", "allowance"},
    {"silgEdit4", "open-km"},
    {"silgEdit3", "close-km"},
    {"silgEdit5", "business-km"},
    {"silgEdit6", "fuel-oil"},
    {"silgEdit7", "repairs"},
    {"silgEdit8", "insurance-licence"},
    {"silgEdit9", "other"},
    {"silgEdit10", "wear-and-tear"},
    {"silgEdit11", "lease"},
    {"dtCarAlStartDate", "start"},
    {"dtCarAlEndDate", "end"},
};

// The deemed-cost working (`sidbEdit3`, `silgEdit13`, `sidbEdit1`) and the
// actual costs (`sidbEdit2`); Designer holds no control arrays, so element i
// of an array is named `<array>_i`.
const std::vector<ResultField> kResults = {
    {"silgEdit12", "period_days"},       {"sidbEdit3_0", "business_km"},       {"sidbEdit3_1", "private_km"},
    {"sidbEdit3_2", "total_km"},         {"sidbEdit3_3", "fixed_cost"},        {"silgEdit13_4", "period_days"},
    {"sidbEdit3_4", "total_km"},         {"sidbEdit1_0", "fixed_cost_per_km"}, {"sidbEdit1_1", "fuel_rate"},
    {"sidbEdit1_2", "maintenance_rate"}, {"sidbEdit1_3", "total_rate_per_km"}, {"sidbEdit1_4", "deduction_claim"},
    {"sidbEdit2_0", "business_km"},      {"sidbEdit2_1", "private_km"},        {"sidbEdit2_2", "total_km"},
    {"sidbEdit2_3", "total_costs"},      {"sidbEdit2_4", "private_use"},       {"sidbEdit2_5", "deduction_claim"},
    {"sidbEdit2_6", "deduction_claim"},
};

}  // namespace

CarAllowanceWindow::CarAllowanceWindow(Key key, Module1& state, QWidget* parent)
    : CalculatorWindow(key, parent)
    , m_state(state)
    , ui(std::make_unique<Ui::frmCarAll1>())
{
    ui->setupUi(this);
    // The fields write through to the kept inputs, which the calculation
    // reads whole (the method and the include boxes are kept there too), and
    // the results it shows are kept beside them.
    m_described = &describeCalculation(this, carAllowanceDescription(), kInputs, kResults);
    writeThrough(this, m_described->inputs(), carAllowanceInputTable(), kInputs,
                 [this]() -> CarAllowanceInputs& { return kept().CarAllowance; });
    m_described->prepare = [this](CarAllowanceInputs& in) { in = kept().CarAllowance; };
    m_described->shown = [this](const CarAllowanceResult& r) { kept().CarAllowanceResults = r; };
    ui->Text3->setMaxLength(kMaxTextLength);
    connect(ui->Text3, &QLineEdit::textChanged, this,
            [this](const QString& text) { kept().CarAllowance.SecondName = text.toStdString(); });

    for (NumericEdit* field : findChildren<NumericEdit*>())
        field->setMinimumWidth(field->isReadOnly() && field->decimals() == 0 ? 70 : 100);
    // The fixed and total rates are worked to four decimals of a cent.
    for (NumericEdit* field : {ui->sidbEdit1_0, ui->sidbEdit1_3}) {
        field->setDecimals(4);
        field->setLeastDecimalsShown(2);
    }
    for (NumericEdit* field : {ui->silgEdit13_4, ui->silgEdit13_6}) {
        field->setMinimumWidth(48);
        field->setMaximumWidth(60);
    }
    ui->silgEdit13_6->setValue(defaultTaxYear().vehicle.daysPerYear);
    for (DateEdit* field : findChildren<DateEdit*>())
        field->setMinimumWidth(100);

    // The results shown follow the method and the include boxes at once:
    // the figures of the other method never stand beside this one's. A
    // method chosen recalculates quietly (a refusal is said on Calculate).
    connect(ui->Option3, &QRadioButton::clicked, this, [this] {
        kept().CarAllowance.RecordKept = 0;
        showMethod();
        m_described->run();
    });
    connect(ui->Option4, &QRadioButton::clicked, this, [this] {
        kept().CarAllowance.RecordKept = 1;
        showMethod();
        m_described->run();
    });
    connect(ui->Check1, &QCheckBox::clicked, this, [this](bool ticked) {
        kept().CarAllowance.IncludeFuel = ticked ? 1 : 0;
        calculate();
    });
    connect(ui->Check2, &QCheckBox::clicked, this, [this](bool ticked) {
        kept().CarAllowance.IncludeMaintenance = ticked ? 1 : 0;
        calculate();
    });

    // Wear and tear and lease payments exclude each other: checked when the
    // field is left (or Return pressed), never in the middle of typing.
    connect(ui->silgEdit10, &QLineEdit::editingFinished, this,
            [this] { refuseBothCosts(ui->silgEdit10, ui->silgEdit10->value(), kept().CarAllowance.LeasePayments); });
    connect(ui->silgEdit11, &QLineEdit::editingFinished, this,
            [this] { refuseBothCosts(ui->silgEdit11, ui->silgEdit11->value(), kept().CarAllowance.WearAndTear); });

    ui->dtCarAlStartDate->setRejectionMessage(QString::fromLatin1(kVehicleDateTitle), [this] {
        return QString::fromStdString(
            startDateMessage(ui->dtCarAlStartDate->text().toStdString(), kept().CarAllowance.EndDate));
    });
    ui->dtCarAlEndDate->setRejectionMessage(QString::fromLatin1(kVehicleDateTitle), [this] {
        return QString::fromStdString(vehicleDateMessage(ui->dtCarAlStartDate->text().toStdString()));
    });
    connect(ui->dtCarAlStartDate, &FieldEdit::focusReceived, this,
            [this] { ui->dtCarAlStartDate->setMaximum(kept().CarAllowance.EndDate); });
    connect(ui->dtCarAlEndDate, &FieldEdit::focusReceived, this,
            [this] { ui->dtCarAlEndDate->setMinimum(kept().CarAllowance.StartDate); });

    // "&Print" calculates first; the panel then waits on "P&rint directly
    // to printer".
    connect(ui->cmdPrint, &QPushButton::clicked, this, [this] { calculate(); });
    Controls c;
    c.calculate = ui->cmdCalculate;
    c.print = ui->cmdPrint;
    c.ok = ui->cmdOk;
    c.printPanel = ui->Frame1;
    setUpControls(c);
    followTaxYear(m_state);
    connect(ui->cmdPrint, &QPushButton::clicked, this, [this] {
        if (ui->Frame1->isVisible())
            ui->Frame1->printButton()->setFocus(Qt::OtherFocusReason);
    });
}

CarAllowanceWindow::~CarAllowanceWindow() = default;

VehicleMemory& CarAllowanceWindow::kept() const
{
    return m_state.memory<VehicleMemory>();
}

void CarAllowanceWindow::moveToTaxYear(const TaxYearFigures& from, const TaxYearFigures& to)
{
    CalculatorWindow::moveToTaxYear(from, to);
    ui->silgEdit13_6->setValue(to.vehicle.daysPerYear);
}

void CarAllowanceWindow::load()
{
    CarAllowanceInputs& in = kept().CarAllowance;
    const TaxYearFigures& year = taxYearFigures();
    in.StartDate = year.start;
    in.EndDate = year.end;
    ui->dtCarAlStartDate->setRange(year.start, year.end);
    ui->dtCarAlEndDate->setRange(year.start, year.end);
    m_described->inputs().show(in);
    {
        const QSignalBlocker b1(ui->Text3), b2(ui->Option3), b3(ui->Option4), b4(ui->Check1), b5(ui->Check2);
        ui->Text3->setText(QString::fromStdString(in.SecondName));
        (in.RecordKept == 1 ? ui->Option4 : ui->Option3)->setChecked(true);
        ui->Check1->setChecked(in.IncludeFuel == 1);
        ui->Check2->setChecked(in.IncludeMaintenance == 1);
    }
    showMethod();
    calculate();
}

void CarAllowanceWindow::showMethod()
{
    const bool deemed = kept().CarAllowance.RecordKept == 0;
    // Deemed costs: the vehicle, the distances and the period. Records kept:
    // the allowance, the distances and the six costs.
    ui->silgEdit1->setEnabled(deemed);
    ui->lblsilgEdit1->setEnabled(deemed);
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui->silgEdit6, ui->silgEdit7, ui->silgEdit8, ui->silgEdit9, ui->silgEdit10,
                                         ui->silgEdit11, ui->lblsilgEdit6, ui->lblsilgEdit7, ui->lblsilgEdit8,
                                         ui->lblsilgEdit9, ui->lblsilgEdit10, ui->lblsilgEdit11})
        w->setEnabled(!deemed);
    for (QWidget* w : std::initializer_list<QWidget*>{ui->dtCarAlStartDate, ui->dtCarAlEndDate, ui->lblCarAlStartDate,
                                                      ui->lblCarAlEndDate})
        w->setEnabled(deemed);
    ui->fraDeemed->setVisible(deemed);
    ui->fraActual->setVisible(!deemed);
}

void CarAllowanceWindow::refuseBothCosts(NumericEdit* edited, double typed, double other)
{
    if (!wearAndTearLeaseConflict(typed, other))
        return;
    showMessage(
        this,
        {QMessageBox::Critical, QString::fromLatin1(kSinglePaymentTitle), QString::fromLatin1(kSinglePaymentMessage)});
    edited->setValue(0);
    edited->setFocus(Qt::OtherFocusReason);
    edited->selectAll();
}

QString CarAllowanceWindow::printDatabasePath() const
{
    return QString::fromStdString(m_state.PrintDatabasePath);
}

void CarAllowanceWindow::closeEvent(QCloseEvent* event)
{
    // Closing keeps the last case in the shared state, calculated.
    const auto outcome = CalcCarAllowance(kept().CarAllowance);
    if (const auto* result = std::get_if<CarAllowanceResult>(&outcome))
        kept().CarAllowanceResults = *result;
    event->accept();
}

}  // namespace grossby
