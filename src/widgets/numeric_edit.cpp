#include "widgets/numeric_edit.h"

#include "core/input_table.h"
#include "services/report_format.h"

#include <QEvent>
#include <QLabel>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace grossby {

NumericEdit::NumericEdit(QWidget* parent)
    : FieldEdit(parent)
    , m_minimum(0)
    , m_maximum(kMaxAmount)
{
    setText(formatValue(0));
    connect(this, &QLineEdit::textEdited, this, &NumericEdit::onTextEdited);
}

void NumericEdit::setValue(double value)
{
    store(value);
    m_entryValue = value;
    // A field waiting to be typed over (its window's focus field, all
    // selected, whether or not the window is active yet) stays so when the
    // window shows a new value in it.
    const bool typedOver = window()->focusWidget() == this && !text().isEmpty() && selectedText() == text();
    setText(formatValue(value));
    if (typedOver)
        selectAll();
}

void NumericEdit::setDecimals(int decimals)
{
    m_decimals = std::clamp(decimals, 0, 6);
    setText(formatValue(m_value));
}

void NumericEdit::setRange(double minimum, double maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
}

QString NumericEdit::formatValue(double value) const
{
    if (value == 0)
        value = 0;  // never show "-0"
    if (isReadOnly() && m_decimals == 2 && std::isfinite(value))
        return formatReportAmount(value);
    if (isReadOnly() && m_leastShown >= 0 && std::isfinite(value))
        return formatReportFigure(value, m_leastShown, m_decimals);
    QString text = QString::number(value, 'f', m_decimals);
    if (text.startsWith(QLatin1Char('-')) && text.toDouble() == 0)
        text.remove(0, 1);  // a tiny negative would show as "-0.00"
    return text;
}

std::optional<double> NumericEdit::parseTyped(const QString& typed)
{
    // Hard and narrow no-break spaces count as spaces: they come in when an
    // amount is copied from elsewhere.
    QString text = typed;
    text.replace(QChar(0x00A0), QLatin1Char(' ')).replace(QChar(0x202F), QLatin1Char(' '));
    text = text.trimmed();
    if (text.isEmpty())
        return 0.0;

    // An optional sign and an optional "R", in either order, then the digits.
    static const QRegularExpression shape(
        QStringLiteral("^(?:([+-]) *)?(?:[Rr] *)?(?:([+-]) *)?"
                       // Whole part: plain digits, or groups of three set apart by the one
                       // separator the entry uses throughout.
                       "(\\d{1,3}(?:( |,)\\d{3})(?:\\4\\d{3})*|\\d*)"
                       "(\\.\\d*)?"
                       "([eE][+-]?\\d+)?$"));
    const QRegularExpressionMatch m = shape.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    if (!m.captured(1).isEmpty() && !m.captured(2).isEmpty())
        return std::nullopt;  // two signs
    const QString whole = m.captured(3);
    const QString fraction = m.captured(5);
    const QString exponent = m.captured(6);
    const bool grouped = !m.captured(4).isEmpty();
    if (whole.isEmpty() && fraction.size() < 2)
        return std::nullopt;  // no digit at all: "R", "-", "."
    if (grouped && !exponent.isEmpty())
        return std::nullopt;
    QString plain = m.captured(1) + m.captured(2) + whole + fraction + exponent;
    plain.remove(QLatin1Char(' ')).remove(QLatin1Char(','));
    if (plain.startsWith(QLatin1Char('+')))
        plain.remove(0, 1);
    // strtod on the C locale's digits; an overflow gives an infinity, which
    // the limits refuse as too large rather than as not a number.
    const QByteArray latin = plain.toLatin1();
    return std::strtod(latin.constData(), nullptr);
}

QString NumericEdit::fieldName() const
{
    if (const QWidget* top = window()) {
        for (const QLabel* label : top->findChildren<QLabel*>()) {
            if (label->buddy() != this)
                continue;
            QString name = label->text();
            name.replace(QLatin1String("&&"), QString(QChar(0xE000)));
            name.remove(QLatin1Char('&'));
            name.replace(QChar(0xE000), QLatin1Char('&'));
            name = name.simplified();
            while (name.endsWith(QLatin1Char(':')))
                name.chop(1);
            if (!name.isEmpty())
                return name;
        }
    }
    return accessibleName();
}

bool NumericEdit::acceptable(double value) const
{
    return std::isfinite(value) && value >= m_minimum && value <= m_maximum && wholeEnough(value);
}

bool NumericEdit::wholeEnough(double value) const
{
    return m_decimals > 0 || !std::isfinite(value) || value == std::trunc(value);
}

bool NumericEdit::fitsDecimals(const QString& typed) const
{
    if (m_decimals == 0)
        return true;  // a fraction is wholeEnough's business
    const qsizetype point = typed.lastIndexOf(QLatin1Char('.'));
    if (point < 0)
        return true;
    QString decimals = typed.mid(point + 1).trimmed();
    while (decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    return decimals.size() <= m_decimals;
}

void NumericEdit::store(double value)
{
    if (value == m_value)
        return;
    m_value = value;
    Q_EMIT valueChanged(value);
}

void NumericEdit::onTextEdited(const QString& text)
{
    // Each keystroke that leaves an acceptable number stores it; anything
    // else waits for the field to be left, where it is rejected.
    const auto value = parseTyped(text);
    if (value && acceptable(*value) && fitsDecimals(text))
        store(*value);
}

bool NumericEdit::acceptText()
{
    const auto value = parseTyped(text());
    if (!value || !acceptable(*value) || !fitsDecimals(text()))
        return false;
    store(*value);
    setText(formatValue(*value));
    return true;
}

void NumericEdit::restoreEntryValue()
{
    store(m_entryValue);
    setText(formatValue(m_entryValue));
}

std::optional<RejectionReason> NumericEdit::formatProblem() const
{
    const QString typed = text().trimmed();
    const auto value = parseTyped(typed);
    const QString name = fieldName();
    const QString where = name.isEmpty() ? tr("this field") : QStringLiteral("\"%1\"").arg(name);
    if (!value) {
        return RejectionReason{
            tr("Incorrect Number"),
            tr("\"%1\" in %2 is not a number.\n\n"
               "Please type digits only, for example %3. The thousands may be set apart by spaces or commas, "
               "and an amount may start with R.")
                .arg(typed, where, m_decimals == 0 ? QStringLiteral("1 500") : QStringLiteral("1 500.00"))};
    }
    if (!fitsDecimals(typed)) {
        return RejectionReason{
            tr("Incorrect Number"),
            tr("\"%1\" in %2 has more decimals than the field shows.\n\n"
               "Please type at most %3 %4.")
                .arg(typed, where, QString::number(m_decimals), m_decimals == 1 ? tr("decimal") : tr("decimals"))};
    }
    if (!wholeEnough(*value)) {
        return RejectionReason{
            tr("Incorrect Number"),
            tr("\"%1\" in %2 is not a whole number.\n\nPlease type a whole number.").arg(typed, where)};
    }
    return std::nullopt;
}

void NumericEdit::changeEvent(QEvent* event)
{
    FieldEdit::changeEvent(event);
    // A field turned into a result field shows its amount grouped, and back.
    if (event->type() == QEvent::ReadOnlyChange)
        setText(formatValue(m_value));
}

QString NumericEdit::formatLimit(double value) const
{
    return m_decimals == 2 ? formatReportAmount(value) : QString::number(value, 'f', m_decimals);
}

QString NumericEdit::defaultRejectionTitle() const
{
    return tr("Incorrect Number");
}

QString NumericEdit::defaultRejectionText() const
{
    const bool low = std::isfinite(m_minimum);
    const bool high = std::isfinite(m_maximum);
    if (low && high)
        return tr("The number entered is not correct please enter a number from %1 to %2")
            .arg(formatLimit(m_minimum), formatLimit(m_maximum));
    if (low)
        return tr("The number entered is not correct please enter a number of at least %1").arg(formatLimit(m_minimum));
    if (high)
        return tr("The number entered is not correct please enter a number of at most %1").arg(formatLimit(m_maximum));
    return tr("The number entered is too large");
}

}  // namespace grossby
