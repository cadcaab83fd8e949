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
    m_calculation = &describePeriod(monthlyDescription(), kInputs, kResults);
    setUpPeriodForm();
    // The end date's message quotes the start date as its field shows it.
    ui->dtMStartDate->setRejectionMessage(QString::fromLatin1(kIncorrectDateTitle), [this] {
        return QString::fromStdString(dateRejectionMessage(taxYearFigures(), taxYearFigures().startText));
    });
    ui->dtMEndDate->setRejectionMessage(QString::fromLatin1(kIncorrectDateTitle), [this] {
        return QString::fromStdString(dateRejectionMessage(taxYearFigures(), ui->dtMStartDate->text().toStdString()));
    });
}

MonthlyWindow::~MonthlyWindow() = default;

void MonthlyWindow::showDefaults()
{
    MonthlyInputs defaults;
    defaults.startDate = taxYearFigures().start;
    defaults.endDate = taxYearFigures().firstMonthEnd;
    m_calculation->inputs().show(defaults);
}

}  // namespace grossby
