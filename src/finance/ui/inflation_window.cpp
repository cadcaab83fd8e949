#include "finance/ui/inflation_window.h"

#include "ui_inflation_window.h"

#include "finance/finance_memory.h"
#include "widgets/print_panel.h"

#include <QApplication>

namespace grossby {

namespace {

const std::vector<FieldKey> kInputs = {
    {"numPresCost", "present-cost"},
    {"numPeriod", "years"},
    {"numInflaRate", "rate"},
};

const std::vector<ResultField> kResults = {
    {"numAns1", "future_cost"},
    {"numAns2", "buying_power"},
};

}  // namespace

InflationWindow::InflationWindow(Key key, Module1& state, QWidget* parent)
    : FinanceWindow(key, state, parent)
    , ui(std::make_unique<Ui::frmInflation>())
{
    ui->setupUi(this);
    m_calc = &describeCalculation(this, inflationDescription(), kInputs, kResults);
    m_calc->shown = [this](const InflationResult& r) { showTooLarge(r); };
    for (NumericEdit* field : findChildren<NumericEdit*>())
        field->setMinimumWidth(130);
    ui->Label2_12->setStyleSheet(QStringLiteral("color: #b00000;"));
    // In the figure's place, the message keeps the row as tall as the figure.
    ui->Label2_12->setMinimumHeight(ui->numAns1->sizeHint().height());
    for (const FieldKey& f : kInputs) {
        connect(static_cast<NumericEdit*>(m_calc->inputs().fieldFor(f.key)), &NumericEdit::valueChanged, this,
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
    const InflationInputs& in = m_calc->inputs().values();
    kept().InflPresentCost = in.presentCost;
    kept().InflPeriod = in.years;
    kept().InflRate = in.rate;
}

void InflationWindow::showKept()
{
    m_calc->inputs().show({kept().InflPresentCost, kept().InflPeriod, kept().InflRate});
}

void InflationWindow::showTooLarge(const InflationResult& r)
{
    ui->numAns1->setVisible(!r.tooLarge);
    ui->Label2_12->setVisible(r.tooLarge);
    if (r.tooLarge)
        ui->numAns1->setValue(0);
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
    const InflationSpin next = spinInflationRate(m_calc->inputs().values().rate, up);
    spun(ui->numInflaRate, next.value, next.beep);
}

void InflationWindow::spinPeriod(bool up)
{
    const double years = m_calc->inputs().values().years;
    if (years == 0)
        return;
    const InflationSpin next = spinInflationYears(years, up);
    spun(ui->numPeriod, next.value, next.beep);
}

}  // namespace grossby
