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
    m_calculation = &describePeriod(dailyDescription(), kInputs, kResults);
    setUpPeriodForm();
}

DailyWindow::~DailyWindow() = default;

}  // namespace grossby
