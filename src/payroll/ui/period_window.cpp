#include "payroll/ui/period_window.h"

#include "core/module1.h"
#include "core/numeric.h"
#include "services/print_database.h"
#include "services/report_job.h"
#include "widgets/message_service.h"
#include "widgets/report_runner.h"
#include "widgets/twips.h"
#include "widgets/busy_cursor.h"
#include "widgets/date_edit.h"
#include "widgets/info_panel.h"
#include "widgets/numeric_edit.h"
#include "widgets/print_panel.h"
#include "widgets/setup_panel.h"
#include "widgets/window_mnemonics.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>

namespace grossby {

namespace {

// The panels' top edge inside the window.
constexpr int kPanelTop = twipsToPixels(1470);

constexpr int kMaxAge = 150;
constexpr int kMaxNameLength = 50;

}  // namespace

QString periodInformationText()
{
    return QString::fromUtf8(
        "The amount entered in the Salary/remuneration field should contain the fringe benefit amounts such as "
        "the code 3802 fringe benefit amount for the use of a company car but must not include any travel "
        "allowance in this Salary/remuneration amount.  Note that both employer\u2019s and employee\u2019s R/Fund "
        "contributions qualify as a tax deduction off taxable income.  Employer\u2019s contributions paid to "
        "R/Funds i.r.o. the employee are taxable in the hands of the employee as a fringe benefit.  Grossby will "
        "include the employer\u2019s R/Fund contributions, that you enter here, in with Salary/Remuneration to "
        "determine total income so enter Salary/Remuneration as being without the employer\u2019s R/Fund "
        "contribution fringe benefit.  A portion of contributions paid by both the employer and the employee to "
        "Pension, R/A and Provident funds may qualify as a deduction from taxable income.  The deduction is "
        "limited to the lessor of contributions paid or 27.5% of remuneration/salary/income.  The deduction is "
        "capped at R350,000 per year. ");
}

int wholeYears(double value)
{
    return static_cast<int>(roundHalfEven(std::clamp(value, 0.0, double(kMaxAge))));
}

int wholeCount(double value)
{
    return static_cast<int>(roundHalfEven(std::clamp(value, -1e6, 1e6)));
}

PeriodWindow::PeriodWindow(Module1& state, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
{
    WindowMnemonics::install(this);
}

PeriodWindow::~PeriodWindow() = default;

void PeriodWindow::setUpControls(const Controls& c)
{
    m_c = c;
    // Room for a seven-figure amount with its cents; counts and ages need less.
    for (NumericEdit* field : findChildren<NumericEdit*>())
        field->setMinimumWidth(120);
    for (NumericEdit* field : {c.age, c.beneficiaries}) {
        if (field)
            field->setMinimumWidth(64);
    }
    for (DateEdit* field : findChildren<DateEdit*>())
        field->setMinimumWidth(110);
    c.name->setMaxLength(kMaxNameLength);
    c.age->setRange(0, kMaxAge);
    c.age->setRejectionMessage(
        tr("Incorrect Age"),
        tr("The age entered is not correct please enter the age in whole years, between 0 and %1").arg(kMaxAge));
    if (c.beneficiaries) {
        c.beneficiaries->setRange(0, kMaxBeneficiaries);
        c.beneficiaries->setRejectionMessage(QString::fromLatin1(kIncorrectBeneficiariesTitle),
                                             QString::fromStdString(beneficiaryRangeMessage()));
    }

    // Every field keeps its value in the inputs as it changes; "&Calculate"
    // reads the inputs, never the fields.
    connect(c.name, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_employee.name = text.toStdString(); });
    connect(c.age, &NumericEdit::valueChanged, this, [this](double v) { m_employee.age = wholeYears(v); });
    auto amount = [this](NumericEdit* field, double PayFigures::*member) {
        connect(field, &NumericEdit::valueChanged, this, [this, member](double v) { m_employee.pay.*member = v; });
    };
    amount(c.salary, &PayFigures::salary);
    amount(c.commission, &PayFigures::commission);
    amount(c.bonus, &PayFigures::bonus);
    amount(c.travelAllowance, &PayFigures::travelAllowance);
    amount(c.employerRf, &PayFigures::employerRetirementFund);
    amount(c.employeeRf, &PayFigures::employeeRetirementFund);
    amount(c.employerMedical, &PayFigures::employerMedical);
    amount(c.employeeMedical, &PayFigures::employeeMedical);
    if (c.beneficiaries)
        connect(c.beneficiaries, &NumericEdit::valueChanged, this,
                [this](double v) { m_employee.beneficiaries = wholeCount(v); });

    for (NumericEdit* out : {c.rfDeduction, c.paye, c.medicalCredit, c.additionalCredit, c.taxLiability, c.uifEmployee,
                             c.uifEmployer, c.sdl}) {
        if (out) {
            out->setReadOnly(true);
            out->setFocusPolicy(Qt::NoFocus);
        }
    }

    const QList<QWidget*> mainButtons{c.ok, c.calculate, c.settings, c.print};
    c.setup->hide();
    c.setup->setCoveredWidgets(mainButtons);
    c.infoPanel->hide();
    c.infoPanel->setText(periodInformationText());
    c.printPanel->hide();
    c.printPanel->setLanguageChoice(true);
    c.printPanel->setCoveredWidgets(mainButtons);

    connect(c.calculate, &QPushButton::clicked, this, &PeriodWindow::calculate);
    connect(c.settings, &QPushButton::clicked, this, [this] {
        m_c.printPanel->hide();
        m_c.infoPanel->hide();
        m_c.setup->popUp(kPanelTop);
    });
    connect(c.setup, &SetupPanel::accepted, this, [this] {
        // Let the panel's disappearance paint before the calculation runs.
        QApplication::processEvents();
        calculate();
        m_c.settings->setFocus();
    });
    connect(c.info, &QPushButton::clicked, this, [this] { m_c.infoPanel->popUp(kPanelTop); });
    connect(c.infoPanel, &InfoPanel::closed, this, [this] { m_c.info->setFocus(); });
    connect(c.print, &QPushButton::clicked, this, [this] {
        m_c.infoPanel->hide();
        m_c.printPanel->popUp(kPanelTop);
    });
    connect(c.printPanel, &PrintPanel::destinationChosen, this, &PeriodWindow::printTo);
    connect(c.printPanel, &PrintPanel::cancelled, this, [this] { m_c.print->setFocus(); });
    connect(c.ok, &QPushButton::clicked, this, &PeriodWindow::closeWindow);
}

void PeriodWindow::load()
{
    const BusyCursor busy;
    m_c.setup->setStorePath(QString::fromStdString(m_state.SettingsDatabasePath));
    if (const QString error = m_c.setup->load(); !error.isEmpty())
        showMessage(this,
                    {QMessageBox::Warning, tr("Settings"),
                     error + QLatin1Char('\n') + tr("The rates in force for 2017/18 are used instead.")});
    m_employee = EmployeeInputs{};
    showEmployee();
    resetInputs();
    calculate();
}

void PeriodWindow::showEmployee()
{
    const Controls& c = m_c;
    const PayFigures& pay = m_employee.pay;
    c.name->setText(QString::fromStdString(m_employee.name));
    c.age->setValue(m_employee.age);
    c.salary->setValue(pay.salary);
    c.commission->setValue(pay.commission);
    c.bonus->setValue(pay.bonus);
    c.travelAllowance->setValue(pay.travelAllowance);
    c.employerRf->setValue(pay.employerRetirementFund);
    c.employeeRf->setValue(pay.employeeRetirementFund);
    c.employerMedical->setValue(pay.employerMedical);
    c.employeeMedical->setValue(pay.employeeMedical);
    if (c.beneficiaries)
        c.beneficiaries->setValue(m_employee.beneficiaries);
}

PeriodSettings PeriodWindow::settings() const
{
    const SetupValues& v = m_c.setup->values();
    return {v.EmployeeUIF, v.EmployerUIF, v.SkillLevy, v.UIFLimit, v.TAIncRate8020};
}

bool PeriodWindow::calculate()
{
    std::optional<InputError> error;
    {
        const BusyCursor busy;
        error = runCalculation();
    }
    if (!error)
        return true;
    showMessage(this,
                {QMessageBox::Critical, QString::fromStdString(error->title), QString::fromStdString(error->text)});
    if (QWidget* target = focusFor(*error))
        target->setFocus(Qt::OtherFocusReason);
    return false;
}

void PeriodWindow::showPeriodResult(const PeriodResult& r)
{
    const Controls& c = m_c;
    // The deduction is shown to the whole rand; the calculation used it unrounded.
    c.rfDeduction->setValue(roundHalfEven(r.rfDeduction));
    c.paye->setValue(r.paye);
    c.medicalCredit->setValue(r.medicalCredit);
    c.additionalCredit->setValue(r.additionalMedicalCredit);
    c.taxLiability->setValue(r.taxLiability);
    c.uifEmployee->setValue(r.uifEmployee);
    c.uifEmployer->setValue(r.uifEmployer);
    c.sdl->setValue(r.sdl);
}

void PeriodWindow::closeWindow()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void PeriodWindow::printTo(int printToPrinter)
{
    m_state.PrintToPrinter = static_cast<std::int16_t>(printToPrinter);
    const PrintLanguage language = m_c.printPanel->afrikaans() ? PrintLanguage::Afrikaans : PrintLanguage::English;
    {
        const BusyCursor busy;
        stageAndRun(language);
    }
    m_c.printPanel->hide();
    m_c.print->setFocus();
}

bool PeriodWindow::stageAndRun(PrintLanguage language)
{
    const QString path = QString::fromStdString(m_state.PrintDatabasePath);
    const PeriodReport rpt = report();
    auto fail = [this](const QString& text) {
        showMessage(this, {QMessageBox::Critical, windowTitle(), text});
        return false;
    };
    if (path.isEmpty())
        return fail(tr("The report cannot be prepared: the location of the print database is not known."));
    const PrintDatabase db(path);
    if (const DbStatus status = db.ensure(); !status)
        return fail(status.error);
    if (const DbStatus status = db.stage({StagedTable{rpt.table, {printRecord(language)}}}); !status)
        return fail(status.error);

    ReportJob job;
    job.templateName = QString::fromStdString(rpt.templateName);
    job.destination = m_state.PrintToPrinter;
    if (job.destination == 0)
        job.title = QString::fromStdString(rpt.previewTitle);
    job.printDatabasePath = path;
    runReport(this, job);
    return true;
}

}  // namespace grossby
