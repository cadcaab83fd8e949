#include "payroll/ui/monthly_window.h"

#include "ui_monthly_window.h"

#include "core/module1.h"
#include "core/numeric.h"
#include "core/tax_year.h"

namespace grossby {

MonthlyWindow::MonthlyWindow(Module1& state, QWidget* parent)
    : PeriodWindow(state, parent)
    , ui(std::make_unique<Ui::frmMonthly>())
{
    ui->setupUi(this);
    Controls c = sharedControls(ui.get());
    c.age = ui->silgEdit9;
    c.salary = ui->numSalRemun;
    c.commission = ui->numComm;
    c.bonus = ui->silgEdit12;
    c.travelAllowance = ui->silgEdit13;
    c.beneficiaries = ui->numMedAidBens;
    c.uifEmployee = ui->numMAns1;
    c.uifEmployer = ui->numMAns2;
    c.sdl = ui->numMAns3;
    setUpControls(c);
    ui->numMTAAns->setFocusPolicy(Qt::NoFocus);

    // Both dates lie in the tax year; the end date's message quotes the
    // start date as its field shows it.
    ui->dtMStartDate->setRange(TaxYearStart, TaxYearEnd);
    ui->dtMStartDate->setRejectionMessage(QString::fromLatin1(kIncorrectDateTitle),
                                          QString::fromStdString(dateRejectionMessage(std::string(kTaxYearStartText))));
    ui->dtMEndDate->setRange(TaxYearStart, TaxYearEnd);
    ui->dtMEndDate->setRejectionMessage(QString::fromLatin1(kIncorrectDateTitle), [this] {
        return QString::fromStdString(dateRejectionMessage(ui->dtMStartDate->text().toStdString()));
    });
    connect(ui->dtMStartDate, &DateEdit::valueChanged, this, [this](double day) { m_startDate = day; });
    connect(ui->dtMEndDate, &DateEdit::valueChanged, this, [this](double day) { m_endDate = day; });

    load();
}

MonthlyWindow::~MonthlyWindow() = default;

void MonthlyWindow::resetInputs()
{
    m_startDate = TaxYearStart;
    m_endDate = FirstMonthEnd;
    ui->dtMStartDate->setValue(m_startDate);
    ui->dtMEndDate->setValue(m_endDate);
}

std::optional<InputError> MonthlyWindow::runCalculation()
{
    MonthlyInputs in;
    static_cast<EmployeeInputs&>(in) = employee();
    in.startDate = m_startDate;
    in.endDate = m_endDate;
    const auto outcome = CalcMonthlyTax(in, settings());
    if (const auto* error = std::get_if<InputError>(&outcome))
        return *error;
    m_lastInputs = in;
    m_lastResult = std::get<PeriodResult>(outcome);
    // QuickTax shows the income this calculation taxed when it is next activated.
    state().AnnualTaxableIncome = m_lastResult.annualTaxableIncome;
    showPeriodResult(m_lastResult);
    ui->numMTAAns->setValue(roundHalfEven(m_lastResult.taxableTravelAllowance));
    return std::nullopt;
}

QWidget* MonthlyWindow::focusFor(const InputError& error)
{
    switch (error.field) {
    case InputField::StartDate: return ui->dtMStartDate;
    case InputField::EndDate: return ui->dtMEndDate;
    case InputField::Beneficiaries: return ui->numMedAidBens;
    default: return ui->cmdCalculate;
    }
}

PrintRecord MonthlyWindow::printRecord(PrintLanguage language) const
{
    return PrintMonthly(m_lastInputs, m_lastResult, language);
}

}  // namespace grossby
