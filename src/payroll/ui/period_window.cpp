#include "payroll/ui/period_window.h"

#include "core/module1.h"
#include "widgets/date_edit.h"
#include "widgets/info_panel.h"
#include "widgets/message_service.h"
#include "widgets/numeric_edit.h"
#include "widgets/print_panel.h"
#include "widgets/setup_panel.h"
#include "widgets/twips.h"

#include <QPushButton>

namespace grossby {

namespace {

// The panels' top edge inside the window.
constexpr int kPanelTop = twipsToPixels(1470);

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

PeriodWindow::PeriodWindow(Key key, Module1& state, QWidget* parent)
    : CalculatorWindow(key, parent)
    , m_state(state)
{ }

PeriodWindow::~PeriodWindow() = default;

void PeriodWindow::setUpPeriodForm()
{
    Controls c;
    c.calculate = findChild<QPushButton*>(QStringLiteral("cmdCalculate"));
    c.settings = findChild<QPushButton*>(QStringLiteral("cmdSettings"));
    c.print = findChild<QPushButton*>(QStringLiteral("cmdPrint"));
    c.ok = findChild<QPushButton*>(QStringLiteral("cmdOk"));
    c.info = findChild<QPushButton*>(QStringLiteral("cmdInfo_0"));
    c.setupPanel = findChild<SetupPanel*>(QStringLiteral("Frame3"));
    c.infoPanel = findChild<InfoPanel*>(QStringLiteral("fraInfo_One"));
    c.printPanel = findChild<PrintPanel*>(QStringLiteral("fraPrint"));
    setUpControls(c);
    followTaxYear(m_state);
    setPanelTop(kPanelTop);
    c.infoPanel->setText(periodInformationText());
    c.printPanel->setLanguageChoice(true);

    // Room for a seven-figure amount with its cents; ages and counts need less.
    for (NumericEdit* field : findChildren<NumericEdit*>()) {
        if (!c.setupPanel->isAncestorOf(field))
            field->setMinimumWidth(field->decimals() == 0 ? 64 : 120);
    }
    for (DateEdit* field : findChildren<DateEdit*>())
        field->setMinimumWidth(110);
    if (auto* age = qobject_cast<NumericEdit*>(inputField("age")))
        age->setRejectionMessage(
            tr("Incorrect Age"),
            tr("The age entered is not correct please enter the age in whole years, between 0 and %1").arg(kMaxAge));
}

void PeriodWindow::load()
{
    SetupPanel* setup = controls().setupPanel;
    setup->setStorePath(QString::fromStdString(m_state.SettingsDatabasePath));
    if (const QString error = setup->load(); !error.isEmpty())
        showMessage(this,
                    {QMessageBox::Warning, tr("Settings"),
                     error + QLatin1Char('\n') +
                         tr("The rates in force for %1 are used instead.")
                             .arg(QString::fromStdString(taxYearFigures().label))});
    showDefaults();
    calculate();
}

PeriodSettings PeriodWindow::settings() const
{
    const SetupPanel* setup = controls().setupPanel;
    const SetupValues& v = setup->values();
    PeriodSettings s;
    s.EmployeeUIF = v.EmployeeUIF;
    s.EmployerUIF = v.EmployerUIF;
    s.SkillLevy = v.SkillLevy;
    s.UIFLimit = v.UIFLimit;
    s.TAIncRate8020 = v.TAIncRate8020;
    copyUifLimitYear(*setup, s);
    return s;
}

void PeriodWindow::shareAnnualIncome(double annualTaxableIncome)
{
    m_state.AnnualTaxableIncome = annualTaxableIncome;
}

QString PeriodWindow::printDatabasePath() const
{
    return QString::fromStdString(m_state.PrintDatabasePath);
}

}  // namespace grossby
