#include "payroll/ui/annual_window.h"

#include "ui_annual_window.h"

#include "core/module1.h"
#include "core/numeric.h"
#include "core/tax_year.h"
#include "widgets/message_service.h"

#include <QCoreApplication>

namespace grossby {

namespace {

// Tax-year position (March = 0) of a calendar month.
int taxYearIndex(int month)
{
    return (month + 9) % 12;
}

}  // namespace

AnnualWindow::AnnualWindow(Module1& state, QWidget* parent)
    : PeriodWindow(state, parent)
    , ui(std::make_unique<Ui::frmAnnual>())
{
    ui->setupUi(this);
    Controls c = sharedControls(ui.get());
    c.age = ui->silgEdit1;
    c.salary = ui->silgEdit2;
    c.commission = ui->numDirFees;
    c.bonus = ui->silgEdit4;
    c.travelAllowance = ui->silgEdit8;
    setUpControls(c);
    ui->numAns_1->setReadOnly(true);
    ui->numAns_1->setFocusPolicy(Qt::NoFocus);

    // The start can never lie after the end: each date's limit moves to the
    // other date when the field is entered.
    ui->dtStartDate->setRange(TaxYearStart, TaxYearEnd);
    ui->dtStartDate->setRejectionMessage(QString::fromLatin1(kIncorrectDateTitle),
                                         QString::fromStdString(dateRejectionMessage(std::string(kTaxYearStartText))));
    ui->dtEndDate->setRange(TaxYearStart, TaxYearEnd);
    ui->dtEndDate->setRejectionMessage(QString::fromLatin1(kIncorrectDateTitle), [this] {
        return QString::fromStdString(dateRejectionMessage(ui->dtStartDate->text().toStdString()));
    });
    connect(ui->dtStartDate, &FieldEdit::focusReceived, this, [this] { ui->dtStartDate->setMaximum(m_endDate); });
    connect(ui->dtEndDate, &FieldEdit::focusReceived, this, [this] { ui->dtEndDate->setMinimum(m_startDate); });
    connect(ui->dtStartDate, &DateEdit::valueChanged, this, [this](double day) { m_startDate = day; });
    connect(ui->dtEndDate, &DateEdit::valueChanged, this, [this](double day) { m_endDate = day; });

    m_monthFields = {ui->numAnnCalcBens_1, ui->numAnnCalcBens_2,  ui->numAnnCalcBens_3,  ui->numAnnCalcBens_4,
                     ui->numAnnCalcBens_5, ui->numAnnCalcBens_6,  ui->numAnnCalcBens_7,  ui->numAnnCalcBens_8,
                     ui->numAnnCalcBens_9, ui->numAnnCalcBens_10, ui->numAnnCalcBens_11, ui->numAnnCalcBens_12};
    for (int month = 1; month <= 12; ++month) {
        NumericEdit* field = monthField(month);
        field->setMinimumWidth(44);
        // A count is never negative; above 24 is told and cut back when the
        // field is left.
        field->setMinimum(0);
        field->setRejectionMessage(QString::fromLatin1(kIncorrectBeneficiariesTitle),
                                   tr("The number of medical aid beneficiaries cannot be negative."));
        connect(field, &NumericEdit::valueChanged, this,
                [this, month](double v) { m_counts[taxYearIndex(month)] = wholeCount(v); });
        connect(field, &QLineEdit::editingFinished, this, [this, month, field] {
            if (field->commit())
                limitMonth(month);
        });
    }
    connect(ui->cmdDuplicate, &QPushButton::clicked, this, &AnnualWindow::duplicateMarch);

    load();
}

AnnualWindow::~AnnualWindow() = default;

void AnnualWindow::resetInputs()
{
    m_startDate = TaxYearStart;
    m_endDate = TaxYearEnd;
    ui->dtStartDate->setRange(TaxYearStart, TaxYearEnd);
    ui->dtEndDate->setRange(TaxYearStart, TaxYearEnd);
    ui->dtStartDate->setValue(m_startDate);
    ui->dtEndDate->setValue(m_endDate);
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
    for (const int month : {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2})
        monthField(month)->setValue(march);
}

std::optional<InputError> AnnualWindow::runCalculation()
{
    AnnualInputs in;
    static_cast<EmployeeInputs&>(in) = employee();
    in.startDate = m_startDate;
    in.endDate = m_endDate;
    in.beneficiariesByMonth = m_counts;
    const auto outcome = CalcAnnualPAYE(in, settings());
    if (const auto* error = std::get_if<InputError>(&outcome))
        return *error;
    m_lastInputs = in;
    m_lastResult = std::get<AnnualResult>(outcome);
    // QuickTax shows the income this calculation taxed when it is next activated.
    state().AnnualTaxableIncome = m_lastResult.annualTaxableIncome;
    const AnnualResult& r = m_lastResult;
    // Months outside the period of employment are cleared on screen.
    for (int month = 1; month <= 12; ++month)
        monthField(month)->setValue(r.beneficiariesByMonth[taxYearIndex(month)]);
    ui->numAllowableRFundDed->setValue(roundHalfEven(r.rfDeduction));
    ui->numMAns->setValue(r.paye);
    ui->numTaxCredit->setValue(r.medicalCredit);
    ui->numMTCForContri->setValue(r.additionalMedicalCredit);
    ui->numTaxLiability->setValue(r.taxLiability);
    ui->numAns_1->setValue(r.taxLiability);
    return std::nullopt;
}

QWidget* AnnualWindow::focusFor(const InputError& error)
{
    switch (error.field) {
    case InputField::StartDate: return ui->dtStartDate;
    case InputField::EndDate: return ui->dtEndDate;
    case InputField::MonthlyBeneficiaries:
        for (const int month : {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2}) {
            const int n = m_counts[taxYearIndex(month)];
            if (n < 0 || n > kMaxMonthlyBeneficiaries)
                return monthField(month);
        }
        return ui->numAnnCalcBens_3;
    default: return ui->cmdCalculate;
    }
}

PrintRecord AnnualWindow::printRecord(PrintLanguage language) const
{
    return PrintAnnual(m_lastInputs, m_lastResult, language);
}

}  // namespace grossby
