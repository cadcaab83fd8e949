#include "widgets/date_edit.h"

#include "core/tax_year.h"

namespace grossby {

DateEdit::DateEdit(QWidget* parent)
    : FieldEdit(parent)
    , m_value(defaultTaxYear().start)
    , m_entryValue(defaultTaxYear().start)
    , m_minimum(defaultTaxYear().start)
    , m_maximum(defaultTaxYear().end)
{
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setMaxLength(10);
    setPlaceholderText(QStringLiteral("dd/mm/yyyy"));
    setText(QString::fromStdString(formatDate(m_value)));
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (auto day = acceptableDate(text))
            store(*day);
    });
}

void DateEdit::setValue(double dayNumber)
{
    store(dayNumber);
    m_entryValue = dayNumber;
    setText(QString::fromStdString(formatDate(dayNumber)));
}

void DateEdit::setRange(double first, double last)
{
    m_minimum = first;
    m_maximum = last;
}

std::optional<double> DateEdit::acceptableDate(const QString& text) const
{
    const auto day = parseDate(text.trimmed().toStdString());
    if (!day || *day < m_minimum || *day > m_maximum)
        return std::nullopt;
    return day;
}

void DateEdit::store(double dayNumber)
{
    if (dayNumber == m_value)
        return;
    m_value = dayNumber;
    Q_EMIT valueChanged(dayNumber);
}

bool DateEdit::acceptText()
{
    const auto day = acceptableDate(text());
    if (!day)
        return false;
    store(*day);
    setText(QString::fromStdString(formatDate(*day)));
    return true;
}

void DateEdit::restoreEntryValue()
{
    store(m_entryValue);
    setText(QString::fromStdString(formatDate(m_entryValue)));
}

QString DateEdit::defaultRejectionTitle() const
{
    return tr("Incorrect Date");
}

QString DateEdit::defaultRejectionText() const
{
    return tr("The date entered is not correct please enter a date between %1 and %2")
        .arg(QString::fromStdString(formatDate(m_minimum)), QString::fromStdString(formatDate(m_maximum)));
}

}  // namespace grossby
