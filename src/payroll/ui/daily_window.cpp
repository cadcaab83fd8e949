#include "payroll/ui/daily_window.h"

#include "ui_daily_window.h"

#include "core/module1.h"

namespace grossby {

DailyWindow::DailyWindow(Module1& state, QWidget* parent)
    : PeriodWindow(state, parent)
    , ui(std::make_unique<Ui::frmDaily>())
{
    ui->setupUi(this);
    Controls c = sharedControls(ui.get());
    c.age = ui->silgEdit23;
    c.salary = ui->numSalRemun;
    c.commission = ui->numComm;
    c.bonus = ui->sidbEdit4;
    c.travelAllowance = ui->sidbEdit6;
    c.beneficiaries = ui->numMedAidBens;
    c.uifEmployee = ui->numMAns1;
    c.uifEmployer = ui->numMAns2;
    c.sdl = ui->numMAns3;
    setUpControls(c);
    load();
}

DailyWindow::~DailyWindow() = default;

std::optional<InputError> DailyWindow::runCalculation()
{
    const DailyInputs in = employee();
    const auto outcome = CalcDailyTax(in, settings());
    if (const auto* error = std::get_if<InputError>(&outcome))
        return *error;
    m_lastInputs = in;
    m_lastResult = std::get<PeriodResult>(outcome);
    // QuickTax shows the income this calculation taxed when it is next activated.
    state().AnnualTaxableIncome = m_lastResult.annualTaxableIncome;
    showPeriodResult(m_lastResult);
    return std::nullopt;
}

QWidget* DailyWindow::focusFor(const InputError& error)
{
    return error.field == InputField::Beneficiaries ? static_cast<QWidget*>(ui->numMedAidBens) : ui->cmdCalculate;
}

PrintRecord DailyWindow::printRecord(PrintLanguage language) const
{
    return PrintDaily(m_lastInputs, m_lastResult, language);
}

}  // namespace grossby
