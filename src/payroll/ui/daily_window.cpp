#include "payroll/ui/daily_window.h"

#include "ui_daily_window.h"

namespace grossby {

DailyWindow::DailyWindow(Module1& state, QWidget* parent)
    : PeriodWindow(state, parent)
    , ui(std::make_unique<Ui::frmDaily>())
{
    ui->setupUi(this);
    Controls c;
    c.name = ui->Text1;
    c.age = ui->silgEdit23;
    c.salary = ui->numSalRemun;
    c.commission = ui->numComm;
    c.bonus = ui->sidbEdit4;
    c.travelAllowance = ui->sidbEdit6;
    c.employerRf = ui->numEmpRRFundCont;
    c.employeeRf = ui->numEmpERFundCont;
    c.employerMedical = ui->numEmpERMedAidCont;
    c.employeeMedical = ui->numEmpEEMedAidCont;
    c.beneficiaries = ui->numMedAidBens;
    c.rfDeduction = ui->numAllowableRFundDed;
    c.paye = ui->numMAns;
    c.medicalCredit = ui->numTaxCredit;
    c.additionalCredit = ui->numMTCForContri;
    c.taxLiability = ui->numTaxLiability;
    c.uifEmployee = ui->numMAns1;
    c.uifEmployer = ui->numMAns2;
    c.sdl = ui->numMAns3;
    c.calculate = ui->cmdCalculate;
    c.settings = ui->cmdSettings;
    c.print = ui->cmdPrint;
    c.ok = ui->cmdOk;
    c.info = ui->cmdInfo_0;
    c.setup = ui->Frame3;
    c.infoPanel = ui->fraInfo_One;
    c.printPanel = ui->fraPrint;
    setUpControls(c);
    load();
}

DailyWindow::~DailyWindow() = default;

std::optional<InputError> DailyWindow::runCalculation()
{
    const DailyInputs in = employee();
    const auto outcome = CalcDailyTax(in, settings(), state());
    if (const auto* error = std::get_if<InputError>(&outcome))
        return *error;
    m_lastInputs = in;
    m_lastResult = std::get<PeriodResult>(outcome);
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
