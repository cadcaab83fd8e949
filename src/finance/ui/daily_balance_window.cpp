#include "finance/ui/daily_balance_window.h"

#include "ui_daily_balance_window.h"

#include "core/tax_year.h"
#include "finance/finance_inputs.h"
#include "finance/finance_memory.h"
#include "widgets/print_panel.h"

#include <QApplication>
#include <QLabel>

namespace grossby {

namespace {

const std::vector<FieldKey> kInputs = {
    {"numCapAmount", "capital"},
    {"numIntRate", "rate"},
};

const std::vector<ResultField> kResults = {
    {"numAnsDB1", "interest"},
    {"numAnsDB2", "days"},
};

std::int32_t dayOf(const OptionalDateEdit* field)
{
    return static_cast<std::int32_t>(field->value());
}

QString shownDate(double day)
{
    return QString::fromStdString(formatDate(day));
}

}  // namespace

DailyBalanceWindow::DailyBalanceWindow(Key key, Module1& state, QWidget* parent)
    : FinanceWindow(key, state, parent)
    , ui(std::make_unique<Ui::frmDayBal>())
{
    ui->setupUi(this);
    m_calc = &describeCalculation(this, dailyBalanceDescription(), kInputs, kResults);
    // The dates are read by the window itself (either may still be blank),
    // and the days are counted only once both are in.
    noteInputField("start", ui->dtStartDate);
    noteInputField("end", ui->dtEndDate);
    m_calc->prepare = [this](DailyBalanceInputs& in) {
        in.start = dayOf(ui->dtStartDate);
        in.end = dayOf(ui->dtEndDate);
    };
    m_calc->check = [](const DailyBalanceInputs& in) -> std::optional<InputError> {
        if (!dayBalanceDateSet(in.start))
            return InputError{tr("Date Required").toStdString(), tr("Please enter the start date.").toStdString(),
                              "start"};
        if (!dayBalanceDateSet(in.end))
            return InputError{tr("Date Required").toStdString(), tr("Please enter the end date.").toStdString(), "end"};
        return std::nullopt;
    };
    for (QLineEdit* field : std::initializer_list<QLineEdit*>{ui->numCapAmount, ui->dtStartDate, ui->dtEndDate,
                                                              ui->numIntRate, ui->numAnsDB1, ui->numAnsDB2})
        field->setMinimumWidth(130);

    for (OptionalDateEdit* date : {ui->dtStartDate, ui->dtEndDate}) {
        date->setInvalidMessage(QString::fromLatin1(kInvalidDateTitle), QString::fromLatin1(kInvalidDateMessage));
        const bool end = date == ui->dtEndDate;
        date->setRejectionMessage(QString::fromLatin1(kDateOutOfRangeTitle),
                                  [this, end] { return dateRangeMessage(end); });
        connect(date, &OptionalDateEdit::valueChanged, this, &DailyBalanceWindow::keep);
    }
    // Each date's limits follow the other date as it is when the field is entered.
    connect(ui->dtStartDate, &FieldEdit::focusReceived, this, &DailyBalanceWindow::limitStartDate);
    connect(ui->dtEndDate, &FieldEdit::focusReceived, this, &DailyBalanceWindow::limitEndDate);
    limitStartDate();
    limitEndDate();
    connect(ui->numCapAmount, &NumericEdit::valueChanged, this, &DailyBalanceWindow::keep);
    connect(ui->numIntRate, &NumericEdit::valueChanged, this, &DailyBalanceWindow::keep);
    // A rate the spin control took above the typed limit stands until the
    // user types over it; a typed rate is held to the limit.
    connect(ui->numIntRate, &QLineEdit::textEdited, this, [this] { ui->numIntRate->setMaximum(typedRateLimit()); });
    // A refused entry puts the rate back as it was, perhaps one from the spin
    // control; once it is back, leaving the field must not refuse it again.
    connect(
        ui->numIntRate, &FieldEdit::entryRejected, this,
        [this] { ui->numIntRate->setMaximum(qMax(typedRateLimit(), ui->numIntRate->value())); }, Qt::QueuedConnection);

    // The spin control wraps at 50 %, above the 40 % a rate may be typed up
    // to: the window says so while such a rate stands.
    m_rateNote = makeNote(this, "lblRateNote", 2);
    m_rateNote->setText(tr("The rate is above 40 %: the spin control goes up to 50 %, while a typed rate may be at "
                           "most 40 %."));
    ui->mainLayout->insertWidget(ui->mainLayout->indexOf(ui->figuresLayout) + 1, m_rateNote);
    connect(ui->numIntRate, &NumericEdit::valueChanged, this, &DailyBalanceWindow::noteRate);

    connect(ui->spDate, &SpinControl::stepped, this, &DailyBalanceWindow::spinDate);
    connect(ui->spRate, &SpinControl::stepped, this, &DailyBalanceWindow::spinRate);
    spinWithArrows(ui->dtEndDate, ui->spDate);
    spinWithArrows(ui->numIntRate, ui->spRate);

    Controls c;
    c.calculate = ui->cmdCalculate;
    c.print = ui->cmdPrint;
    c.ok = ui->cmdOk;
    c.printPanel = ui->fraPrint;
    setUpControls(c);
}

DailyBalanceWindow::~DailyBalanceWindow() = default;

void DailyBalanceWindow::noteRate()
{
    m_rateNote->setVisible(ui->numIntRate->value() > typedRateLimit());
}

double DailyBalanceWindow::typedRateLimit() const
{
    return findInput(dailyBalanceInputTable(), "rate")->max;
}

DailyBalanceInputs DailyBalanceWindow::currentInputs() const
{
    DailyBalanceInputs in = m_calc->inputs().values();
    in.start = dayOf(ui->dtStartDate);
    in.end = dayOf(ui->dtEndDate);
    return in;
}

void DailyBalanceWindow::keep()
{
    const DailyBalanceInputs in = currentInputs();
    kept().DayBalCapital = in.capital;
    kept().DayBalRate = in.rate;
    kept().DayBalStart = in.start;
    kept().DayBalEnd = in.end;
}

void DailyBalanceWindow::showKept()
{
    DailyBalanceInputs in;
    in.capital = kept().DayBalCapital;
    in.rate = kept().DayBalRate;
    // A rate kept from the spin control may be above the typed limit.
    ui->numIntRate->setMaximum(qMax(typedRateLimit(), static_cast<double>(in.rate)));
    m_calc->inputs().show(in);
    const QSignalBlocker blockStart(ui->dtStartDate);
    const QSignalBlocker blockEnd(ui->dtEndDate);
    ui->dtStartDate->setValue(kept().DayBalStart);
    ui->dtEndDate->setValue(kept().DayBalEnd);
    noteRate();
}

void DailyBalanceWindow::limitStartDate()
{
    const std::int32_t end = dayOf(ui->dtEndDate);
    if (dayBalanceDateSet(end)) {
        const DayRange range = startDateRange(end);
        ui->dtStartDate->setRange(range.first, range.last);
    } else {
        const InputSpec<DailyBalanceInputs>* desc = findInput(dailyBalanceInputTable(), "start");
        ui->dtStartDate->setRange(desc->min, desc->max);
    }
}

void DailyBalanceWindow::limitEndDate()
{
    const std::int32_t start = dayOf(ui->dtStartDate);
    if (dayBalanceDateSet(start)) {
        const DayRange range = endDateRange(start);
        ui->dtEndDate->setRange(range.first, range.last);
    } else {
        const InputSpec<DailyBalanceInputs>* desc = findInput(dailyBalanceInputTable(), "end");
        ui->dtEndDate->setRange(desc->min, desc->max);
    }
}

QString DailyBalanceWindow::dateRangeMessage(bool endDate) const
{
    // Built while the refused text is still in the field.
    const OptionalDateEdit* field = endDate ? ui->dtEndDate : ui->dtStartDate;
    const std::int32_t other = dayOf(endDate ? ui->dtStartDate : ui->dtEndDate);
    const auto typed = parseDate(field->text().trimmed().toStdString());
    if (!dayBalanceDateSet(other) || !typed) {
        return tr("The date entered is not correct please enter a date between %1 and %2")
            .arg(shownDate(field->minimum()), shownDate(field->maximum()));
    }
    // A date on the wrong side of the other is told so; one too far from it
    // gets the thirty-year message.
    if (endDate) {
        if (*typed < other)
            return tr("The end date cannot be before the start date %1.").arg(shownDate(other));
        return QString::fromStdString(endDateOutOfRangeMessage(other));
    }
    if (*typed >= other)
        return tr("The start date must be before the end date %1.").arg(shownDate(other));
    return QString::fromStdString(startDateOutOfRangeMessage(other));
}

void DailyBalanceWindow::spinDate(bool up)
{
    const std::int32_t start = dayOf(ui->dtStartDate);
    if (!dayBalanceDateSet(start))
        return;
    // Without an end date the steps start from the start date.
    const std::int32_t end = dayOf(ui->dtEndDate);
    const std::int32_t next = spinEndDate(start, dayBalanceDateSet(end) ? end : start, up);
    if (next > endDateRange(start).last) {
        // Any later would be more than thirty years after the start.
        QApplication::beep();
        return;
    }
    ui->dtEndDate->setValue(next);
    recalculateQuietly();
}

void DailyBalanceWindow::spinRate(bool up)
{
    const double rate = m_calc->inputs().values().rate;
    if (rate == 0)
        return;
    const SpinValue next = spinDailyBalanceRate(rate, kept().RateSpinStep, up);
    if (next.beep)
        QApplication::beep();
    ui->numIntRate->setMaximum(qMax(typedRateLimit(), next.value));
    ui->numIntRate->setValue(next.value);
    recalculateQuietly();
    focusOk();
}

}  // namespace grossby
