#include "finance/ui/optional_date_edit.h"

#include "core/tax_year.h"
#include "finance/finance_figures.h"

namespace grossby {

double OptionalDateEdit::unsetDay()
{
    return kFinance.unsetDay;
}

OptionalDateEdit::OptionalDateEdit(QWidget* parent)
    : FieldEdit(parent)
    , m_value(unsetDay())
    , m_entryValue(unsetDay())
    , m_minimum(unsetDay() + 2)
    , m_maximum(2958465)  // 31/12/9999
    , m_invalidTitle(tr("Incorrect Date"))
    , m_invalidText(tr("The date entered is not a date: please type it as dd/mm/yyyy."))
{
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setMaxLength(10);
    setPlaceholderText(QStringLiteral("dd/mm/yyyy"));
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text.trimmed().isEmpty()) {
            store(unsetDay());
        } else if (const auto day = typedDay(); day && *day >= m_minimum && *day <= m_maximum) {
            store(*day);
        }
    });
}

void OptionalDateEdit::setValue(double dayNumber)
{
    const double day = dayNumber < unsetDay() + 2 ? unsetDay() : dayNumber;
    store(day);
    m_entryValue = day;
    show(day);
}

void OptionalDateEdit::setRange(double first, double last)
{
    m_minimum = first;
    m_maximum = last;
}

void OptionalDateEdit::setInvalidMessage(const QString& title, const QString& text)
{
    m_invalidTitle = title;
    m_invalidText = text;
}

std::optional<double> OptionalDateEdit::typedDay() const
{
    return parseDate(text().trimmed().toStdString());
}

void OptionalDateEdit::show(double dayNumber)
{
    setText(dayNumber == unsetDay() ? QString() : QString::fromStdString(formatDate(dayNumber)));
}

void OptionalDateEdit::store(double dayNumber)
{
    if (dayNumber == m_value)
        return;
    m_value = dayNumber;
    Q_EMIT valueChanged(dayNumber);
}

bool OptionalDateEdit::acceptText()
{
    if (text().trimmed().isEmpty()) {
        store(unsetDay());
        clear();
        return true;
    }
    const auto day = typedDay();
    if (!day || *day < m_minimum || *day > m_maximum)
        return false;
    store(*day);
    show(*day);
    return true;
}

void OptionalDateEdit::restoreEntryValue()
{
    store(m_entryValue);
    show(m_entryValue);
}

QString OptionalDateEdit::defaultRejectionTitle() const
{
    return tr("Incorrect Date");
}

QString OptionalDateEdit::defaultRejectionText() const
{
    return tr("The date entered is not correct please enter a date between %1 and %2")
        .arg(QString::fromStdString(formatDate(m_minimum)), QString::fromStdString(formatDate(m_maximum)));
}

std::optional<RejectionReason> OptionalDateEdit::formatProblem() const
{
    if (text().trimmed().isEmpty() || typedDay())
        return std::nullopt;
    return RejectionReason{m_invalidTitle, m_invalidText};
}

}  // namespace grossby
