#include "payroll/ui/monthly_window.h"

#include "ui_monthly_window.h"

#include "core/tax_year.h"

namespace grossby {

namespace {

// Each field of the form and the input or result it shows.
const std::vector<FieldKey> kInputs = {
    {"Text1", "name"},
    {"silgEdit9", "age"},
    {"numSalRemun", "salary"},
    {"numComm", "commission"},
    {"silgEdit12", "bonus"},
    {"silgEdit13", "travel-allowance"},
    {"numEmpRRFundCont", "employer-rf"},
    {"numEmpERFundCont", "employee-rf"},
    {"numEmpERMedAidCont", "employer-medical"},
    {"numEmpEEMedAidCont", "employee-medical"},
    {"numMedAidBens", "beneficiaries"},
    {"dtMStartDate", "start"},
    {"dtMEndDate", "end"},
};

const std::vector<ResultField> kResults = {
    {"numAllowableRFundDed", "rf_deduction", Shown::WholeRand},
    {"numMTAAns", "taxable_travel_allowance", Shown::WholeRand},
    {"numMAns", "paye"},
    {"numTaxCredit", "medical_credit"},
    {"numMTCForContri", "additional_medical_credit"},
    {"numTaxLiability", "tax_liability"},
    {"numMAns1", "uif_employee"},
    {"numMAns2", "uif_employer"},
    {"numMAns3", "sdl"},
};

}  // namespace

MonthlyWindow::MonthlyWindow(Key key, Module1& state, QWidget* parent)
    : PeriodWindow(key, state, parent)
    , ui(std::make_unique<Ui::frmMonthly>())
{
    ui->setupUi(this);
    m_inputs.emplace(this, monthlyInputTable(), kInputs);
    m_results.emplace(this, periodResultTable(), kResults);
    setUpPeriodForm();
    // The end date's message quotes the start date as its field shows it.
    ui->dtMStartDate->setRejectionMessage(QString::fromLatin1(kIncorrectDateTitle),
                                          QString::fromStdString(dateRejectionMessage(std::string(kTaxYearStartText))));
    ui->dtMEndDate->setRejectionMessage(QString::fromLatin1(kIncorrectDateTitle), [this] {
        return QString::fromStdString(dateRejectionMessage(ui->dtMStartDate->text().toStdString()));
    });
}

MonthlyWindow::~MonthlyWindow() = default;

void MonthlyWindow::showDefaults()
{
    MonthlyInputs defaults;
    defaults.startDate = TaxYearStart;
    defaults.endDate = FirstMonthEnd;
    m_inputs->show(defaults);
}

std::optional<CalculatorWindow::Rejection> MonthlyWindow::runCalculation()
{
    const MonthlyInputs in = m_inputs->values();
    const auto outcome = CalcMonthlyTax(in, settings());
    if (const auto* error = std::get_if<InputError>(&outcome))
        return rejection(*error);
    m_lastInputs = in;
    m_lastResult = std::get<PeriodResult>(outcome);
    shareAnnualIncome(m_lastResult.annualTaxableIncome);
    m_results->show(m_lastResult);
    return std::nullopt;
}

PrintJob MonthlyWindow::printJob(bool afrikaans) const
{
    return PrintJob::oneRow(
        monthlyReport(),
        PrintMonthly(m_lastInputs, m_lastResult, afrikaans ? PrintLanguage::Afrikaans : PrintLanguage::English));
}

}  // namespace grossby
