#include "finance/ui/inflation_window.h"

#include "ui_inflation_window.h"

#include "core/module1.h"
#include "widgets/print_panel.h"

#include <QApplication>

namespace grossby {

namespace {

const std::vector<FieldKey> kInputs = {
    {"numPresCost", "present-cost"},
    {"numPeriod", "years"},
    {"numInflaRate", "rate"},
};

}  // namespace

InflationWindow::InflationWindow(Key key, Module1& state, QWidget* parent)
    : FinanceWindow(key, state, parent)
    , ui(std::make_unique<Ui::frmInflation>())
{
    ui->setupUi(this);
    m_inputs.emplace(this, inflationInputTable(), kInputs);
    for (NumericEdit* result : {ui->numAns1, ui->numAns2}) {
        result->setReadOnly(true);
        result->setFocusPolicy(Qt::NoFocus);
    }
    for (NumericEdit* field : findChildren<NumericEdit*>())
        field->setMinimumWidth(130);
    ui->Label2_12->setStyleSheet(QStringLiteral("color: #b00000;"));
    // In the figure's place, the message keeps the row as tall as the figure.
    ui->Label2_12->setMinimumHeight(ui->numAns1->sizeHint().height());
    for (const FieldKey& f : kInputs) {
        connect(static_cast<NumericEdit*>(m_inputs->fieldFor(f.key)), &NumericEdit::valueChanged, this,
                &InflationWindow::keep);
    }

    connect(ui->spInflation, &SpinControl::stepped, this, &InflationWindow::spinRate);
    connect(ui->spPeriod, &SpinControl::stepped, this, &InflationWindow::spinPeriod);
    spinWithArrows(ui->numInflaRate, ui->spInflation);
    spinWithArrows(ui->numPeriod, ui->spPeriod);

    Controls c;
    c.calculate = ui->cmdCalculate;
    c.print = ui->cmdPrint;
    c.ok = ui->cmdOk;
    c.printPanel = ui->fraPrint;
    setUpControls(c);
}

InflationWindow::~InflationWindow() = default;

void InflationWindow::keep()
{
    const InflationInputs& in = m_inputs->values();
    state().InflPresentCost = in.presentCost;
    state().InflPeriod = in.years;
    state().InflRate = in.rate;
}

void InflationWindow::showKept()
{
    m_inputs->show({state().InflPresentCost, state().InflPeriod, state().InflRate});
}

std::optional<CalculatorWindow::Rejection> InflationWindow::runCalculation()
{
    const InflationInputs in = m_inputs->values();
    const auto outcome = ProjectInflation(in);
    if (const auto* error = std::get_if<InputError>(&outcome))
        return rejection(*error);
    m_lastInputs = in;
    m_lastResult = std::get<InflationResult>(outcome);
    // A future cost too large for the field is not shown as a figure at all.
    ui->numAns1->setVisible(!m_lastResult.tooLarge);
    ui->Label2_12->setVisible(m_lastResult.tooLarge);
    ui->numAns1->setValue(m_lastResult.tooLarge ? 0 : m_lastResult.futureCost);
    ui->numAns2->setValue(m_lastResult.buyingPower);
    return std::nullopt;
}

void InflationWindow::spun(NumericEdit* field, double value, bool beep)
{
    if (beep)
        QApplication::beep();
    field->setValue(value);
    recalculateQuietly();
    focusOk();
}

void InflationWindow::spinRate(bool up)
{
    const InflationSpin next = spinInflationRate(m_inputs->values().rate, up);
    spun(ui->numInflaRate, next.value, next.beep);
}

void InflationWindow::spinPeriod(bool up)
{
    const double years = m_inputs->values().years;
    if (years == 0)
        return;
    const InflationSpin next = spinInflationYears(years, up);
    spun(ui->numPeriod, next.value, next.beep);
}

bool InflationWindow::hasSomethingToPrint() const
{
    return canPrintInflation(m_lastResult);
}

PrintJob InflationWindow::printJob(bool) const
{
    return PrintJob::oneRow(inflationReport(), PrintInflation(m_lastInputs, m_lastResult));
}

}  // namespace grossby
