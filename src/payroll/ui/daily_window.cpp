#include "payroll/ui/daily_window.h"

#include "ui_daily_window.h"

namespace grossby {

namespace {

const std::vector<FieldKey> kInputs = {
    {"Text1", "name"},
    {"silgEdit23", "age"},
    {"numSalRemun", "salary"},
    {"numComm", "commission"},
    {"sidbEdit4", "bonus"},
    {"sidbEdit6", "travel-allowance"},
    {"numEmpRRFundCont", "employer-rf"},
    {"numEmpERFundCont", "employee-rf"},
    {"numEmpERMedAidCont", "employer-medical"},
    {"numEmpEEMedAidCont", "employee-medical"},
    {"numMedAidBens", "beneficiaries"},
};

const std::vector<ResultField> kResults = {
    {"numAllowableRFundDed", "rf_deduction", Shown::WholeRand},
    {"numMAns", "paye"},
    {"numTaxCredit", "medical_credit"},
    {"numMTCForContri", "additional_medical_credit"},
    {"numTaxLiability", "tax_liability"},
    {"numMAns1", "uif_employee"},
    {"numMAns2", "uif_employer"},
    {"numMAns3", "sdl"},
};

}  // namespace

DailyWindow::DailyWindow(Key key, Module1& state, QWidget* parent)
    : PeriodWindow(key, state, parent)
    , ui(std::make_unique<Ui::frmDaily>())
{
    ui->setupUi(this);
    m_inputs.emplace(this, dailyInputTable(), kInputs);
    m_results.emplace(this, periodResultTable(), kResults);
    setUpPeriodForm();
}

DailyWindow::~DailyWindow() = default;

std::optional<CalculatorWindow::Rejection> DailyWindow::runCalculation()
{
    const DailyInputs in = m_inputs->values();
    const auto outcome = CalcDailyTax(in, settings());
    if (const auto* error = std::get_if<InputError>(&outcome))
        return rejection(*error);
    m_lastInputs = in;
    m_lastResult = std::get<PeriodResult>(outcome);
    shareAnnualIncome(m_lastResult.annualTaxableIncome);
    m_results->show(m_lastResult);
    return std::nullopt;
}

PrintJob DailyWindow::printJob(bool afrikaans) const
{
    return PrintJob::oneRow(
        dailyReport(),
        PrintDaily(m_lastInputs, m_lastResult, afrikaans ? PrintLanguage::Afrikaans : PrintLanguage::English));
}

}  // namespace grossby
