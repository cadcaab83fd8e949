#include "payroll/ui/annual_window.h"

#include "ui_annual_window.h"

#include "core/tax_year.h"
#include "widgets/message_service.h"

#include <QCoreApplication>

namespace grossby {

namespace {

const std::vector<FieldKey> kInputs = {
    {"Text1", "name"},
    {"silgEdit1", "age"},
    {"silgEdit2", "salary"},
    {"numDirFees", "commission"},
    {"silgEdit4", "bonus"},
    {"silgEdit8", "travel-allowance"},
    {"numEmpRRFundCont", "employer-rf"},
    {"numEmpERFundCont", "employee-rf"},
    {"numEmpERMedAidCont", "employer-medical"},
    {"numEmpEEMedAidCont", "employee-medical"},
    {"dtStartDate", "start"},
    {"dtEndDate", "end"},
};

const std::vector<ResultField> kResults = {
    {"numAllowableRFundDed", "rf_deduction", Shown::WholeRand},
    {"numMAns", "paye"},
    {"numTaxCredit", "medical_credit"},
    {"numMTCForContri", "additional_medical_credit"},
    {"numTaxLiability", "tax_liability"},
    {"numAns_1", "tax_liability"},
};

// Tax-year position (March = 0) of a calendar month.
std::size_t taxYearIndex(int month)
{
    return static_cast<std::size_t>((month + 9) % 12);
}

// The months in tax-year order.
constexpr int kTaxYearMonths[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2};

}  // namespace

AnnualWindow::AnnualWindow(Key key, Module1& state, QWidget* parent)
    : PeriodWindow(key, state, parent)
    , ui(std::make_unique<Ui::frmAnnual>())
{
    ui->setupUi(this);
    m_calculation = &describePeriod(annualDescription(), kInputs, kResults);
    // The months are counted in their own fields, not bound to the table.
    m_calculation->prepare = [this](AnnualInputs& in) { in.beneficiariesByMonth = m_counts; };
    m_calculation->shown = [this, share = m_calculation->shown](const AnnualResult& r) {
        share(r);
        // Months outside the period of employment are cleared on screen.
        for (int month = 1; month <= 12; ++month)
            monthField(month)->setValue(r.beneficiariesByMonth[taxYearIndex(month)]);
    };
    setUpPeriodForm();

    // The start can never lie after the end: each date's limit moves to the
    // other date when the field is entered.
    ui->dtStartDate->setRejectionMessage(QString::fromLatin1(kIncorrectDateTitle), [this] {
        return QString::fromStdString(dateRejectionMessage(taxYearFigures(), taxYearFigures().startText));
    });
    ui->dtEndDate->setRejectionMessage(QString::fromLatin1(kIncorrectDateTitle), [this] {
        return QString::fromStdString(dateRejectionMessage(taxYearFigures(), ui->dtStartDate->text().toStdString()));
    });
    connect(ui->dtStartDate, &FieldEdit::focusReceived, this,
            [this] { ui->dtStartDate->setMaximum(m_calculation->inputs().values().endDate); });
    connect(ui->dtEndDate, &FieldEdit::focusReceived, this,
            [this] { ui->dtEndDate->setMinimum(m_calculation->inputs().values().startDate); });

    m_monthFields = {ui->numAnnCalcBens_1, ui->numAnnCalcBens_2,  ui->numAnnCalcBens_3,  ui->numAnnCalcBens_4,
                     ui->numAnnCalcBens_5, ui->numAnnCalcBens_6,  ui->numAnnCalcBens_7,  ui->numAnnCalcBens_8,
                     ui->numAnnCalcBens_9, ui->numAnnCalcBens_10, ui->numAnnCalcBens_11, ui->numAnnCalcBens_12};
    const InputSpec<AnnualInputs>* counts = findInput(annualInputTable(), "beneficiaries-by-month");
    for (int month = 1; month <= 12; ++month) {
        NumericEdit* field = monthField(month);
        field->setMinimumWidth(44);
        field->setDecimals(0);
        // A count is never negative; above 24 is told and cut back when the
        // field is left.
        field->setRange(counts->min, kMaxAmount);
        field->setRejectionMessage(QString::fromLatin1(kIncorrectBeneficiariesTitle),
                                   tr("The number of medical aid beneficiaries cannot be negative."));
        connect(field, &NumericEdit::valueChanged, this,
                [this, month](double v) { m_counts[taxYearIndex(month)] = static_cast<int>(std::min(v, 1e6)); });
        connect(field, &QLineEdit::editingFinished, this, [this, month, field] {
            if (field->commit())
                limitMonth(month);
        });
    }
    connect(ui->cmdDuplicate, &QPushButton::clicked, this, &AnnualWindow::duplicateMarch);
}

AnnualWindow::~AnnualWindow() = default;

void AnnualWindow::showDefaults()
{
    AnnualInputs defaults;
    const TaxYearFigures& year = taxYearFigures();
    defaults.startDate = year.start;
    defaults.endDate = year.end;
    ui->dtStartDate->setRange(year.start, year.end);
    ui->dtEndDate->setRange(year.start, year.end);
    m_calculation->inputs().show(defaults);
    m_counts.fill(0);
    for (NumericEdit* field : m_monthFields)
        field->setValue(0);
}

bool AnnualWindow::limitMonth(int month)
{
    NumericEdit* field = monthField(month);
    if (field->value() <= kMaxMonthlyBeneficiaries)
        return false;
    showMessage(
        this, {QMessageBox::NoIcon, QCoreApplication::applicationName(), QString::fromLatin1(kMonthlyMaximumMessage)});
    field->setValue(kMaxMonthlyBeneficiaries);
    return true;
}

void AnnualWindow::duplicateMarch()
{
    for (int month = 1; month <= 12; ++month)
        limitMonth(month);
    const int march = m_counts[0];
    for (const int month : kTaxYearMonths)
        monthField(month)->setValue(march);
}

QWidget* AnnualWindow::focusFor(const InputError& error) const
{
    if (error.field != "beneficiaries-by-month")
        return CalculatorWindow::focusFor(error);
    for (const int month : kTaxYearMonths) {
        const int n = m_counts[taxYearIndex(month)];
        if (n < 0 || n > kMaxMonthlyBeneficiaries)
            return monthField(month);
    }
    return ui->numAnnCalcBens_3;
}

}  // namespace grossby
