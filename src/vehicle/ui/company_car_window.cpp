#include "vehicle/ui/company_car_window.h"

#include "ui_company_car_window.h"

#include "core/module1.h"
#include "core/tax_year.h"
#include "vehicle/ui/write_through.h"
#include "vehicle/vehicle_calculators.h"
#include "vehicle/vehicle_inputs.h"
#include "widgets/message_service.h"
#include "widgets/print_panel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <iterator>

namespace grossby {

namespace {

// The vehicle's own fields; the three check boxes are wired by hand.
const std::vector<FieldKey> kVehicleFields = {
    {"txtCCRegNumber", "registration"},
    {"txtCCMake", "make"},
    {"txtCCModel", "model"},
    {"txtYearOfManfact", "year"},
    {"numCCPrice", "price"},
    {"dtCCStartDate", "start"},
    {"dtCCEndDate", "end"},
    {"numStartMileage", "start-km"},
    {"numEndMileage", "end-km"},
    {"numTotalDistance", "total-km"},
    {"numBusDistance", "business-km"},
    {"numActualExpEmployee", "employee-fuel"},
    {"numFuelReimbEmployer", "employer-fuel-refund"},
    {"numEmpPaidInsurance", "employee-insurance"},
    {"numEmpPaidLicence", "employee-licence"},
    {"numEmpPaidMaintenance", "employee-maintenance"},
    {"numFB3802ThisCar", "fb-3802"},
};

const std::vector<FieldKey> kRegisterFields = {{"numActual3802", "irp5-3802"}};

const std::vector<ResultField> kCarResults = {
    {"numCCMonths", "use_days"},
    {"numPrivateDistance", "private_km"},
    {"numFuelComponent", "fuel_component"},
    {"numTrueInclusion", "true_inclusion"},
    {"numTrueInclusion_1", "true_inclusion"},
    {"numFuelClaim", "fuel_claim"},
    {"numTotAddExpense", "additional_expenses"},
    {"numFuelExp", "fuel_and_expenses"},
    {"numAdjustTaxableInc", "adjustment"},
    {"numAdjustTaxableIncSARS", "sars_claim"},
    {"numIRP53802", "irp5_3802"},
    {"numMonFB80", "monthly_fb_80"},
    {"numMonFB20", "monthly_fb_20"},
    {"numFortFB80", "fortnightly_fb_80"},
    {"numFortFB20", "fortnightly_fb_20"},
    {"numWeekFB80", "weekly_fb_80"},
    {"numWeekFB20", "weekly_fb_20"},
};

const std::vector<ResultField> kTotals = {
    {"numTotAdjustTaxableInc", "total_adjustment"},
    {"numTotAdjustTaxableIncSARS", "total_sars_claim"},
};

}  // namespace

CompanyCarWindow::CompanyCarWindow(Key key, Module1& state, QWidget* parent)
    : CalculatorWindow(key, parent)
    , m_state(state)
    , ui(std::make_unique<Ui::frmCompCar>())
{
    ui->setupUi(this);
    m_vehicle.emplace(this, vehicleInputTable(), kVehicleFields);
    m_register.emplace(this, companyCarInputTable(), kRegisterFields);
    m_results.emplace(this, carResultTable(), kCarResults);
    m_totals.emplace(this, compCarTotalsTable(), kTotals);

    // Every edit goes into the vehicle shown (the template while the
    // register is empty), so the register holds what is typed at once.
    writeThrough(this, *m_vehicle, vehicleInputTable(), kVehicleFields,
                 [this]() -> Vehicle& { return reg().slot(reg().CurrentCar); });
    writeThrough(this, *m_register, companyCarInputTable(), kRegisterFields,
                 [this]() -> CompanyCarRegister& { return reg(); });

    for (NumericEdit* field : findChildren<NumericEdit*>())
        field->setMinimumWidth(field->isReadOnly() && field->decimals() == 2 ? 96 : 80);
    for (DateEdit* field : findChildren<DateEdit*>())
        field->setMinimumWidth(100);
    for (QLineEdit* text : {ui->txtCCRegNumber, ui->txtCCMake, ui->txtCCModel, ui->txtYearOfManfact})
        text->setMinimumWidth(100);

    auto flag = [this](QCheckBox* box, int Vehicle::*member) {
        connect(box, &QCheckBox::clicked, this,
                [this, member](bool ticked) { reg().slot(reg().CurrentCar).*member = ticked ? 1 : 0; });
    };
    flag(ui->chkMaintIncluded, &Vehicle::MaintIncluded);
    flag(ui->chkBussMilage, &Vehicle::BussMilage);
    connect(ui->chkSARSTable, &QCheckBox::clicked, this, [this](bool ticked) {
        setSarsTable(reg(), ticked);
        const QSignalBlocker blockFuel(ui->numActualExpEmployee);
        ui->numActualExpEmployee->setValue(reg().slot(reg().CurrentCar).ActualExpEmployee);
        if (!ticked)
            ui->numFuelComponent->setValue(0);
        applyDependentStates();
    });
    connect(ui->chkAutoCalc3802, &QCheckBox::clicked, this, [this](bool ticked) {
        setAutoSplit(reg(), ticked);
        applyDependentStates();
    });
    connect(ui->numEndMileage, &NumericEdit::valueChanged, this, [this] { applyDependentStates(); });
    connect(ui->txtCCRegNumber, &QLineEdit::textChanged, this, &CompanyCarWindow::registrationChanged);

    // Dates: each limits the other when it is entered; both lie in the tax
    // year. An end date refused blocks closing until the field is left.
    ui->dtCCStartDate->setRejectionMessage(QString::fromLatin1(kVehicleDateTitle), [this] {
        return QString::fromStdString(
            startDateMessage(ui->dtCCStartDate->text().toStdString(), reg().slot(reg().CurrentCar).CCEndDate));
    });
    ui->dtCCEndDate->setRejectionMessage(QString::fromLatin1(kVehicleDateTitle), [this] {
        return QString::fromStdString(vehicleDateMessage(ui->dtCCStartDate->text().toStdString()));
    });
    connect(ui->dtCCStartDate, &FieldEdit::focusReceived, this,
            [this] { ui->dtCCStartDate->setMaximum(reg().slot(reg().CurrentCar).CCEndDate); });
    connect(ui->dtCCEndDate, &FieldEdit::focusReceived, this,
            [this] { ui->dtCCEndDate->setMinimum(reg().slot(reg().CurrentCar).CCStartDate); });
    connect(ui->dtCCEndDate, &FieldEdit::entryRejected, this, [this] { reg().EndDateRejected = 1; });
    ui->dtCCEndDate->installEventFilter(this);

    connect(ui->cmdAdd, &QPushButton::clicked, this, &CompanyCarWindow::add);
    connect(ui->cmdBack, &QPushButton::clicked, this, &CompanyCarWindow::back);
    connect(ui->cmdForward, &QPushButton::clicked, this, &CompanyCarWindow::forward);
    connect(ui->cmdDelete, &QPushButton::clicked, this, &CompanyCarWindow::remove);
    // "&Print" calculates first, so the printout is of what the window shows.
    connect(ui->cmdPrint, &QPushButton::clicked, this, [this] { calculate(); });

    Controls c;
    c.calculate = ui->cmdCalculate;
    c.print = ui->cmdPrint;
    c.ok = ui->cmdOk;
    c.printPanel = ui->Frame1;
    setUpControls(c);
    followTaxYear(m_state);
}

CompanyCarWindow::~CompanyCarWindow() = default;

CompanyCarRegister& CompanyCarWindow::reg()
{
    return m_state.memory<VehicleMemory>().CompanyCar;
}

void CompanyCarWindow::moveToTaxYear(const TaxYearFigures&, const TaxYearFigures& to)
{
    // The register remembers its year between openings; its dates move from
    // there, whatever year the window showed before.
    CompanyCarRegister& r = reg();
    if (r.TaxYear != to.year) {
        const TaxYearFigures* from = findTaxYear(r.TaxYear);
        if (!from)
            from = &defaultTaxYear();
        const auto move = [&](Vehicle& v) {
            v.CCStartDate = sameDayInTaxYear(v.CCStartDate, *from, to);
            v.CCEndDate = sameDayInTaxYear(v.CCEndDate, *from, to);
        };
        move(r.Template);
        for (Vehicle& v : r.Cars)
            move(v);
        r.TaxYear = to.year;
    }
    showVehicle();
    m_results->setStale(true);
    m_totals->setStale(true);
}

void CompanyCarWindow::load()
{
    // A register left in another year by an earlier opening comes into this one.
    if (reg().TaxYear != taxYear())
        moveToTaxYear(taxYearFigures(), taxYearFigures());
    const CompCarControls controls = openCompCar(reg());
    showPass();
    apply(controls);
    ui->cmdCalculate->setEnabled(true);
    setCaption();
}

std::optional<CalculatorWindow::Rejection> CompanyCarWindow::runCalculation()
{
    if (reg().CurrentCar > 0) {
        if (const auto error = checkVehicleDates(reg().slot(reg().CurrentCar)))
            return rejection(*error);
    }
    // Every vehicle of the register is valued: a closing reading below the
    // opening one on any of them is refused, naming the vehicle.
    for (std::size_t i = 0; i < reg().Cars.size(); ++i) {
        const Vehicle& v = reg().Cars[i];
        if (const auto error = checkVehicleReadings(v, vehicleName(i + 1, v))) {
            const bool shown = static_cast<int>(i) + 1 == reg().CurrentCar;
            return Rejection{QString::fromStdString(error->title), QString::fromStdString(error->text),
                             shown ? ui->numEndMileage : nullptr};
        }
    }
    calculatePressed(reg());
    showPass();
    return std::nullopt;
}

void CompanyCarWindow::showVehicle()
{
    CompanyCarRegister& r = reg();
    // A vehicle valued with the fuel table has no fuel of its own typed.
    setSarsTable(r, r.slot(r.CurrentCar).SARSTable == 1);
    const Vehicle& v = r.slot(r.CurrentCar);
    ui->dtCCStartDate->setRange(taxYearFigures().start, taxYearFigures().end);
    ui->dtCCEndDate->setRange(taxYearFigures().start, taxYearFigures().end);
    m_vehicle->show(v);
    m_register->show(r);
    const QSignalBlocker b1(ui->chkMaintIncluded), b2(ui->chkBussMilage), b3(ui->chkSARSTable), b4(ui->chkAutoCalc3802);
    ui->chkMaintIncluded->setChecked(v.MaintIncluded == 1);
    ui->chkBussMilage->setChecked(v.BussMilage == 1);
    ui->chkSARSTable->setChecked(v.SARSTable == 1);
    ui->chkAutoCalc3802->setChecked(r.AutoSplit3802 == 1);
}

void CompanyCarWindow::showPass()
{
    // The register as the last operation left it, valued once more for the
    // screen: the same figures, as the operations store what they compute.
    m_lastResult = CompCarCalc(reg());
    showVehicle();
    const int shown = reg().CurrentCar;
    const CarResult car = shown >= 1 && static_cast<std::size_t>(shown) <= m_lastResult.Cars.size()
        ? m_lastResult.Cars[static_cast<std::size_t>(shown - 1)]
        : CarResult{};
    m_results->show(car);
    m_totals->show(m_lastResult);
}

void CompanyCarWindow::apply(const CompCarControls& c)
{
    const QWidget* const named[] = {ui->txtCCRegNumber, ui->lblCCRegNumber};
    for (QGroupBox* group : {ui->fraVehicle, ui->fraTravel, ui->fraBenefit, ui->fraPayroll, ui->fraRegister}) {
        for (QWidget* w : group->findChildren<QWidget*>()) {
            if (std::find(std::begin(named), std::end(named), w) == std::end(named))
                w->setEnabled(c.fields);
        }
    }
    ui->txtCCRegNumber->setEnabled(c.regNumber);
    ui->lblCCRegNumber->setEnabled(c.regNumber);
    ui->cmdAdd->setEnabled(c.add);
    ui->cmdBack->setEnabled(c.back);
    ui->cmdForward->setEnabled(c.forward);
    ui->cmdDelete->setEnabled(c.remove);
    ui->cmdCalculate->setEnabled(c.calculate);
    ui->cmdPrint->setEnabled(c.print);
    // The window can always be closed: the register stays whatever is shown.
    ui->cmdOk->setEnabled(true);
    ui->chkAutoCalc3802->setVisible(c.autoSplitVisible);
    applyDependentStates();
    if (c.focusRegNumber)
        ui->txtCCRegNumber->setFocus(Qt::OtherFocusReason);
}

void CompanyCarWindow::applyDependentStates()
{
    if (!ui->numCCPrice->isEnabled())
        return;
    const CompanyCarRegister& r = reg();
    const Vehicle& v = r.slot(r.CurrentCar);
    // With the auto split the code 3802 share is worked out, not typed; the
    // fuel table values the fuel, and odometer readings give the distance.
    const bool split = r.AutoSplit3802 == 1;
    ui->numFB3802ThisCar->setEnabled(!split);
    ui->numFB3802ThisCar->setDecimals(split ? 2 : 0);
    const QSignalBlocker block(ui->numFB3802ThisCar);
    ui->numFB3802ThisCar->setValue(v.FB3802ThisCar);
    ui->numActualExpEmployee->setEnabled(v.SARSTable == 0);
    ui->numTotalDistance->setEnabled(v.EndMileage <= 0);
}

void CompanyCarWindow::setCaption()
{
    showCaption(QString::fromStdString(compCarCaption(reg())));
}

void CompanyCarWindow::add()
{
    const auto controls = addVehicle(reg());
    if (!controls)
        return;
    showPass();
    apply(*controls);
    setCaption();
}

void CompanyCarWindow::back()
{
    const CompCarControls controls = stepBack(reg());
    showPass();
    apply(controls);
    setCaption();
}

void CompanyCarWindow::forward()
{
    const CompCarControls controls = stepForward(reg());
    showPass();
    apply(controls);
    setCaption();
}

void CompanyCarWindow::remove()
{
    const auto controls = deleteVehicle(reg());
    if (!controls)
        return;
    showPass();
    apply(*controls);
    setCaption();
}

void CompanyCarWindow::registrationChanged()
{
    apply(registrationRule(reg()));
}

PrintJob CompanyCarWindow::printJob(bool afrikaans) const
{
    // The calculator's printout, of the register as it stands and the last
    // pass shown.
    static const auto description = companyCarDescription();
    return description.printJob(m_state.memory<VehicleMemory>().CompanyCar, m_lastResult,
                                afrikaans ? PrintLanguage::Afrikaans : PrintLanguage::English);
}

QString CompanyCarWindow::printDatabasePath() const
{
    return QString::fromStdString(m_state.PrintDatabasePath);
}

bool CompanyCarWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the end date clears the refusal; an entry refused on the way
    // out sets it again.
    if (watched == ui->dtCCEndDate && event->type() == QEvent::FocusOut)
        reg().EndDateRejected = 0;
    return CalculatorWindow::eventFilter(watched, event);
}

void CompanyCarWindow::closeEvent(QCloseEvent* event)
{
    if (reg().EndDateRejected == 1) {
        showMessage(this,
                    {QMessageBox::Critical, QString::fromLatin1(kVehicleDateTitle),
                     QString::fromLatin1(kVehicleDatesCloseMessage)});
        ui->dtCCStartDate->setFocus(Qt::OtherFocusReason);
        event->ignore();
        return;
    }
    recalculate(reg());
    event->accept();
}

}  // namespace grossby
