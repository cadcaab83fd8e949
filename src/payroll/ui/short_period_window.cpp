#include "payroll/ui/short_period_window.h"

#include "ui_short_period_window.h"

namespace grossby {

namespace {

const std::vector<FieldKey> kInputs = {
    {"Text1", "name"},
    {"silgEdit14", "age"},
    {"numSalRemun", "salary"},
    {"numComm", "commission"},
    {"sidbEdit4", "bonus"},
    {"sidbEdit6", "travel-allowance"},
    {"numEmpRRFundCont", "employer-rf"},
    {"numEmpERFundCont", "employee-rf"},
    {"numEmpERMedAidCont", "employer-medical"},
    {"numEmpEEMedAidCont", "employee-medical"},
    {"numMedAidBens", "beneficiaries"},
    {"silgEdit21", "normal-days"},
    {"silgEdit22", "days-worked"},
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

ShortPeriodWindow::ShortPeriodWindow(Key key, Period period, Module1& state, QWidget* parent)
    : PeriodWindow(key, state, parent)
    , m_period(period)
    , ui(std::make_unique<Ui::frmShortPeriod>())
{
    ui->setupUi(this);
    const bool week = period == Period::Week;
    setObjectName(week ? QStringLiteral("frmWeekly") : QStringLiteral("frmFortNight"));
    setWindowTitle(week ? tr("Weekly") : tr("Fortnightly"));
    ui->lblNormalDays->setText(week ? tr("Normal work week") : tr("Normal fortnight"));
    ui->lblThisDays->setText(week ? tr("This work week") : tr("This fortnight"));
    m_calculation = &describePeriod(week ? weeklyDescription() : fortnightlyDescription(), kInputs, kResults);
    setUpPeriodForm();
}

ShortPeriodWindow::~ShortPeriodWindow() = default;

void ShortPeriodWindow::showDefaults()
{
    m_calculation->inputs().show(m_period == Period::Week ? weeklyDescription().defaults
                                                          : fortnightlyDescription().defaults);
}

}  // namespace grossby
