#include "widgets/numeric_edit.h"

#include "core/numeric.h"

#include <algorithm>
#include <cmath>

namespace grossby {

NumericEdit::NumericEdit(QWidget* parent)
    : FieldEdit(parent)
{
    setText(formatValue(0));
    connect(this, &QLineEdit::textEdited, this, &NumericEdit::onTextEdited);
}

void NumericEdit::setValue(double value)
{
    store(value);
    m_entryValue = value;
    setText(formatValue(value));
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
    QString text = QString::number(value, 'f', m_decimals);
    if (text.startsWith(QLatin1Char('-')) && text.toDouble() == 0)
        text.remove(0, 1);  // a tiny negative would show as "-0.00"
    return text;
}

bool NumericEdit::acceptable(double value) const
{
    return std::isfinite(value) && value >= m_minimum && value <= m_maximum;
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
    const double value = parseLeadingNumber(text.toStdString());
    if (acceptable(value))
        store(value);
}

bool NumericEdit::acceptText()
{
    double value = parseLeadingNumber(text().toStdString());
    if (m_decimals == 0)
        value = roundHalfEven(value);
    if (!acceptable(value))
        return false;
    store(value);
    setText(formatValue(value));
    return true;
}

void NumericEdit::restoreEntryValue()
{
    store(m_entryValue);
    setText(formatValue(m_entryValue));
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
            .arg(formatValue(m_minimum), formatValue(m_maximum));
    if (low)
        return tr("The number entered is not correct please enter a number of at least %1").arg(formatValue(m_minimum));
    if (high)
        return tr("The number entered is not correct please enter a number of at most %1").arg(formatValue(m_maximum));
    return tr("The number entered is too large");
}

}  // namespace grossby
