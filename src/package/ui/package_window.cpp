#include "package/ui/package_window.h"

#include "ui_package_window.h"

#include "core/module1.h"
#include "core/year_figures.h"
#include "package/package_calculators.h"
#include "package/package_inputs.h"
#include "widgets/message_service.h"
#include "widgets/numeric_edit.h"
#include "widgets/print_panel.h"
#include "widgets/setup_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace grossby {

namespace {

// Each input field of the form and the input it holds. The name is typed on
// the print panel.
const std::vector<FieldKey> kInputs = {
    {"Text1", "name"},
    {"numCompCar", "car-value"},
    {"numCCCompCar", "car-cost"},
    {"numAge", "age"},
    {"numTravAll", "travel-allowance"},
    {"numMedAidCont", "employee-medical"},
    {"numCCMedAidCont", "employer-medical"},
    {"numPMems", "beneficiaries"},
    {"numOTaxFB", "other-fringe-benefits"},
    {"numMedDeduct", "medical-deductions"},
    {"numRFundCont", "employee-rf"},
    {"numCCRFundCont", "employer-rf"},
};

// The result fields both calculators fill; "numGrossSal" is the take-home
// pay or the gross salary.
std::vector<ResultField> resultFields(const char* shownSalary)
{
    return {
        {"numMAns", "package_tax"},        {"numTaxCredit", "tax_credit"},
        {"numTaxDeduct", "tax_deduction"}, {"numUIFCont", "uif_employee"},
        {"numCCUIFCont", "uif_employer"},  {"numCCSkillLev", "sdl"},
        {"numGrossSal", shownSalary},      {"numTotCostComp", "total_cost_to_company"},
        {"numOnceOff", "once_off"},
    };
}

// Fields that always show 0: what the package is not split into.
constexpr const char* kZeroFields[] = {"numPenDeduct", "numCCPenDeduct", "numProvFund", "numCCProvFund"};

const char* windowCaption(PackageWindow kind)
{
    switch (kind) {
    case PackageWindow::PelmoraMon: return "Pelmora : Monthly Calculation";
    case PackageWindow::PelmoraAnn: return "Pelmora : Annual Calculation";
    case PackageWindow::GrossbyMon: return "Grossby : Monthly Calculation";
    case PackageWindow::GrossbyAnn: return "Grossby : Annual Calculation";
    }
    return "";
}

constexpr int kAmountWidth = 120;
constexpr int kCountWidth = 64;

}  // namespace

SalaryPackageWindow::SalaryPackageWindow(Key key, PackageWindow kind, Module1& state, QWidget* parent)
    : CalculatorWindow(key, parent)
    , m_kind(kind)
    , m_state(state)
    , ui(std::make_unique<Ui::frmPackage>())
{
    ui->setupUi(this);
    setWindowTitle(QLatin1String(windowCaption(kind)));
    setUpForm();
}

SalaryPackageWindow::~SalaryPackageWindow() = default;

void SalaryPackageWindow::removeFields(std::initializer_list<const char*> names)
{
    for (const char* name : names)
        delete findChild<QWidget*>(QLatin1String(name));
}

template <class Result>
void SalaryPackageWindow::describe(const CalculatorDescription<PackageInputs, PackageSettings, Result>& description,
                                   const char* shownSalary,
                                   DescribedCalculation<PackageInputs, PackageSettings, Result>*& made)
{
    std::vector<FieldKey> fields = kInputs;
    fields.push_back({"numNetMonSalReq", forward() ? "package" : "net-required"});
    setObjectName(QLatin1String(description.menu.window));
    made = &describeCalculation(this, description, fields, resultFields(shownSalary));
    made->settings = [this] { return settings(); };
    made->prepare = [this](PackageInputs& in) { completeInputs(in); };
    made->shown = [this](const Result& r) {
        showFigures(r);
        m_calculated = true;
    };
    m_inputs = &made->inputs();
}

void SalaryPackageWindow::setUpForm()
{
    const PackagePeriod period = annual() ? PackagePeriod::Annual : PackagePeriod::Monthly;

    // What differs between the four windows.
    if (!forward()) {
        ui->lblNetMonSalReq->setText(annual() ? tr("Net annual salary required") : tr("Net monthly salary required"));
        ui->lblGrossSal->setText(tr("Gross salary"));
        ui->grpPackage->setTitle(tr("Salary"));
        // The requirement has no cost-to-company copy.
        removeFields({"numCCNetMonSalReq"});
    }
    if (m_kind == PackageWindow::GrossbyMon) {
        removeFields({"numRADeduct", "lblRADeduct", "numPenDeduct", "numCCPenDeduct", "lblPenDeduct", "numProvFund",
                      "numCCProvFund", "lblProvFund", "Option3_0", "Option3_1", "lblAddBensPrincipal"});
    }
    if (annual())
        ui->lblPMems->setText(tr("Medical beneficiaries months"));
    ui->lblCompCar->setToolTip(tr("Employee: the company car's determined value (0: no car). Cost to company: what "
                                  "the car costs the employer to run for the period."));

    // The name is typed on the print panel, above its buttons.
    auto* nameRow = new QWidget(ui->fraPrint);
    auto* nameLayout = new QHBoxLayout(nameRow);
    nameLayout->setContentsMargins(0, 0, 0, 0);
    auto* nameLabel = new QLabel(tr("Taxpayer's name :"), nameRow);
    nameLabel->setObjectName(QStringLiteral("lblTPName"));
    auto* name = new QLineEdit(nameRow);
    name->setObjectName(QStringLiteral("Text1"));
    name->setMinimumWidth(240);
    nameLabel->setBuddy(name);
    auto* nameMax = new QLabel(tr("(max.50 chrs.)"), nameRow);
    nameMax->setObjectName(QStringLiteral("lblTPNameMax"));
    nameLayout->addWidget(nameLabel);
    nameLayout->addWidget(name, 1);
    nameLayout->addWidget(nameMax);
    if (auto* box = qobject_cast<QVBoxLayout*>(ui->fraPrint->layout()))
        box->insertWidget(0, nameRow);
    setTabOrder(name, ui->fraPrint->viewButton());

    if (forward())
        describe(packageDescription(period), "take_home", m_forward);
    else
        describe(grossUpDescription(period), "gross_salary", m_reverse);

    m_raDeduction = findChild<NumericEdit*>(QStringLiteral("numRADeduct"));
    for (std::size_t i = 0; i < 4; ++i) {
        const QString n = QString::number(i);
        m_otherText[i] = findChild<QLineEdit*>(QStringLiteral("txtOtherDet_") + n);
        m_otherAmount[i] = findChild<NumericEdit*>(QStringLiteral("numOtherDet_") + n);
        m_otherCost[i] = findChild<NumericEdit*>(QStringLiteral("numOtherDetCC_") + n);
        m_otherText[i]->setMaxLength(kMaxTextLength);
        m_otherText[i]->setPlaceholderText(tr("Description"));
        m_otherText[i]->setAccessibleName(tr("Other expense %1").arg(i + 1));
        m_otherAmount[i]->setAccessibleName(tr("Other expense %1 amount").arg(i + 1));
        m_otherCost[i]->setAccessibleName(tr("Other expense %1 cost to company").arg(i + 1));
        // An amount is copied into its cost to company, which may then be changed.
        NumericEdit* cost = m_otherCost[i];
        connect(m_otherAmount[i], &NumericEdit::valueChanged, this, [this, cost](double v) {
            cost->setValue(v);
            updateOtherTotals();
        });
        connect(cost, &NumericEdit::valueChanged, this, &SalaryPackageWindow::updateOtherTotals);
    }

    // The copies into the cost-to-company column.
    auto copyInto = [this](NumericEdit* from, const char* to) {
        if (auto* target = findChild<NumericEdit*>(QLatin1String(to)))
            connect(from, &NumericEdit::valueChanged, target, &NumericEdit::setValue);
    };
    copyInto(ui->numNetMonSalReq, "numCCNetMonSalReq");
    copyInto(ui->numTravAll, "numCCTravAll");
    copyInto(ui->numOTaxFB, "numCCOTaxFB");

    // Room for an amount in the hundred millions with its cents.
    for (NumericEdit* field : findChildren<NumericEdit*>()) {
        if (!ui->Frame3->isAncestorOf(field))
            field->setMinimumWidth(field->decimals() == 0 ? kCountWidth : kAmountWidth);
    }
    for (const char* zero : kZeroFields) {
        if (auto* field = findChild<NumericEdit*>(QLatin1String(zero)))
            field->setFocusPolicy(Qt::NoFocus);
    }
    ui->numAge->setRejectionMessage(
        tr("Incorrect Age"),
        tr("The age entered is not correct please enter the age in whole years, between 0 and %1").arg(kMaxAge));
    connect(ui->numAge, &NumericEdit::valueChanged, this, &SalaryPackageWindow::followAge);

    ui->Frame3->showPackageSettings();
    connect(ui->Frame3, &SetupPanel::valuesChanged, this, &SalaryPackageWindow::followSettings);
    // Set before the base's own handler recalculates.
    connect(ui->Frame3, &SetupPanel::accepted, this, [this] { m_afterSetup = true; });
    connect(ui->cmdRAExpl, &QPushButton::clicked, this, [this] { ui->fraRAExpl->showFigures(raFigures()); });
    if (!forward()) {
        for (NumericEdit* field : {ui->Frame3->employeeRFPercentField(), ui->Frame3->employerRFPercentField()})
            connect(field, &QLineEdit::editingFinished, this, &SalaryPackageWindow::guardRetirementPercentages);
    }

    Controls c;
    c.calculate = ui->cmdCalculate;
    c.settings = ui->cmdSettings;
    c.print = ui->cmdPrint;
    c.ok = ui->cmdOk;
    c.info = ui->cmdRAExpl;
    c.setupPanel = ui->Frame3;
    c.infoPanel = ui->fraRAExpl;
    c.printPanel = ui->fraPrint;
    setUpControls(c);
    followTaxYear(m_state);

    // The panels give the main buttons back when they close; "&Print" stays
    // off while the warning shows.
    connect(ui->fraRAExpl, &InfoPanel::closed, this, &SalaryPackageWindow::applyPrintState);
    connect(ui->Frame3, &SetupPanel::accepted, this, &SalaryPackageWindow::applyPrintState);
    connect(ui->fraPrint, &PrintPanel::cancelled, this, &SalaryPackageWindow::applyPrintState);

    ui->lblRFundWarning->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{ui->lblOnceOff1, ui->numOnceOff, ui->lblOnceOff2})
        w->hide();
    followAge();
}

void SalaryPackageWindow::load()
{
    SetupPanel* setup = ui->Frame3;
    setup->setStorePath(QString::fromStdString(m_state.SettingsDatabasePath));
    if (const QString error = setup->load(); !error.isEmpty())
        showMessage(this,
                    {QMessageBox::Warning, tr("Settings"),
                     error + QLatin1Char('\n') + tr("The rates in force for 2017/18 are used instead.")});
    followSettings();
    // Every input starts at nothing; nothing is calculated until asked.
}

PackageSettings SalaryPackageWindow::settings() const
{
    PackageSettings s;
    copySetupValues(ui->Frame3->values(), s);
    copyUifLimitYear(*ui->Frame3, s);
    return s;
}

PackageInputs SalaryPackageWindow::inputs() const
{
    PackageInputs in = m_inputs->values();
    completeInputs(in);
    return in;
}

void SalaryPackageWindow::completeInputs(PackageInputs& in) const
{
    // The fields outside the input table: the printed-only ones and the
    // other-expense rows.
    in.period = annual() ? PackagePeriod::Annual : PackagePeriod::Monthly;
    in.raDeduction = m_raDeduction ? m_raDeduction->value() : 0;
    in.additionalBeneficiaries = ui->numAddBens->value();
    for (std::size_t i = 0; i < 4; ++i)
        in.otherExpenses[i] = {m_otherText[i]->text().toStdString(), m_otherAmount[i]->value(),
                               m_otherCost[i]->value()};
}

void SalaryPackageWindow::followSettings()
{
    // A percentage replaces the typed contribution: its field then shows
    // what the calculation works out and takes no typing.
    const PackageSettings s = settings();
    ui->numRFundCont->setReadOnly(s.PensionCont > 0);
    ui->numCCRFundCont->setReadOnly(s.EmployerPenCont > 0);
}

void SalaryPackageWindow::followAge()
{
    // Medical deductions count from 65; below that the field keeps what was
    // typed but is greyed, and the calculation leaves it out.
    ui->numMedDeduct->setEnabled(ui->numAge->value() >= taxYearFigures().secondaryRebateAge);
}

void SalaryPackageWindow::updateOtherTotals()
{
    double amounts = 0;
    double costs = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        amounts += m_otherAmount[i]->value();
        costs += m_otherCost[i]->value();
    }
    ui->numOtherTotal->setValue(amounts);
    ui->numOtherTotalCC->setValue(costs);
}

void SalaryPackageWindow::guardRetirementPercentages()
{
    // The reverse search takes at most 27.5 % of the gross salary between
    // the two R/Fund percentages; more sets both to 0, and says so.
    PackageSettings s = settings();
    if (!limitRetirementPercentages(s, taxYearFigures()))
        return;
    SetupValues v = ui->Frame3->values();
    v.PensionCont = s.PensionCont;
    v.EmployerPenCont = s.EmployerPenCont;
    ui->Frame3->setValues(v);
    followSettings();
    showMessage(this,
                {QMessageBox::Warning, tr("R/Fund contributions"),
                 tr("The employee's and employer's R/Fund contributions together may not be more than 27.5% "
                    "of the gross salary. Both percentages have been set to 0; please enter them again.")});
}

QWidget* SalaryPackageWindow::focusFor(const InputError& error) const
{
    // A net pay that cannot rise is mended on the Setup panel.
    if (error.text == kNetCannotRiseMessage)
        return ui->cmdSettings;
    return CalculatorWindow::focusFor(error);
}

std::optional<CalculatorWindow::Rejection> SalaryPackageWindow::runCalculation()
{
    // After "O&K" on the Setup panel a window with nothing typed yet has
    // nothing to recalculate.
    if (std::exchange(m_afterSetup, false) && m_inputs->values().amount == 0)
        return std::nullopt;
    return CalculatorWindow::runCalculation();
}

void SalaryPackageWindow::showFigures(const PackageFigures& r)
{
    const PackageSettings set = settings();
    // A percentage's contribution becomes the typed amount, as shown.
    if (set.PensionCont > 0)
        ui->numRFundCont->setValue(r.employeeRF);
    if (set.EmployerPenCont > 0)
        ui->numCCRFundCont->setValue(r.employerRF);
    for (const char* zero : kZeroFields) {
        if (auto* field = findChild<NumericEdit*>(QLatin1String(zero)))
            field->setValue(0);
    }
    const bool onceOff = r.onceOff > 0;
    for (QWidget* w : std::initializer_list<QWidget*>{ui->lblOnceOff1, ui->numOnceOff, ui->lblOnceOff2})
        w->setVisible(onceOff);
    showWarning(r.rfWarning);
}

void SalaryPackageWindow::showWarning(bool shown)
{
    m_warning = shown;
    applyPrintState();
    if (ui->lblRFundWarning->isVisibleTo(this) == shown)
        return;
    ui->lblRFundWarning->setVisible(shown);
    // The window grows to hold the warning above the buttons, and is given
    // the same height back when it goes.
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame)
        frame = isWindow() ? this : nullptr;
    if (!frame || frame->isMaximized() || frame->isFullScreen())
        return;
    if (layout())
        layout()->activate();
    if (shown) {
        m_warningGrowth = qMax(0, sizeHint().height() - height());
        frame->resize(frame->width(), frame->height() + m_warningGrowth);
    } else if (m_warningGrowth > 0) {
        frame->resize(frame->width(), frame->height() - m_warningGrowth);
        m_warningGrowth = 0;
    }
}

void SalaryPackageWindow::applyPrintState()
{
    // Only when no panel has the buttons covered.
    if (ui->Frame3->isVisible() || ui->fraPrint->isVisible() || ui->fraRAExpl->isVisible())
        return;
    ui->cmdPrint->setEnabled(!m_warning);
}

bool SalaryPackageWindow::prepareToPrint()
{
    // "&Print" calculates first, so the printout is always of the figures
    // the fields show; a rejected case, or contributions above the allowed
    // deduction, print nothing.
    if (!calculate() || m_warning)
        return false;
    // A first printout starts at the name.
    QTimer::singleShot(0, this, [this] {
        auto* name = findChild<QLineEdit*>(QStringLiteral("Text1"));
        if (name && name->isVisible() && name->text().isEmpty())
            name->setFocus(Qt::OtherFocusReason);
    });
    return true;
}

QString SalaryPackageWindow::printDatabasePath() const
{
    return QString::fromStdString(m_state.PrintDatabasePath);
}

RAFigures SalaryPackageWindow::raFigures() const
{
    if (!m_calculated)
        return {};
    const PackageFigures& r = m_forward ? static_cast<const PackageFigures&>(m_forward->lastResult())
                                        : static_cast<const PackageFigures&>(m_reverse->lastResult());
    const double toYear = annual() ? 1 : 12;
    const PackageSettings s = settings();
    const PackageInputs& in = m_forward ? m_forward->lastInputs() : m_reverse->lastInputs();
    RAFigures f;
    f.employeeContributions = r.employeeRF * toYear;
    const bool anyPercentage = s.PensionCont > 0 || s.EmployerPenCont > 0 || s.ProvCont > 0 || s.EmployerProvCont > 0;
    if (!anyPercentage) {
        // No fund takes a share of the pay: all of it is non-retirement
        // funding income (the package, or the gross salary found).
        f.nonRetirementIncome = (m_forward ? in.amount : m_reverse->lastResult().grossSalary) * toYear;
    } else {
        // The salary funds the retirement contributions; what is left is the
        // taxable part of the benefits and allowances (the car benefit is a
        // year's already in the annual windows).
        f.nonRetirementIncome = (r.carFringeBenefit + in.travelAllowance * s.TAIncRate8020 + in.otherFringeBenefits +
                                 in.otherExpensesTotal()) *
            toYear;
    }
    return f;
}

}  // namespace grossby
