#pragma once
// A date field that may be left empty: typed and shown as "dd/mm/yyyy", held
// as a day number, and unsetDay() while it is empty. A text that is not a
// date is refused as invalid; a date outside the field's range is refused
// with the window's message, which may quote the other date.

#include "widgets/field_edit.h"

#include <optional>

namespace grossby {

class OptionalDateEdit : public FieldEdit {
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged USER true)
public:
    explicit OptionalDateEdit(QWidget* parent = nullptr);

    /// The day number held while the field is empty (1 January 1800).
    static double unsetDay();

    /// The date as a day number, or unsetDay() while the field is empty.
    double value() const { return m_value; }
    bool isEmpty() const { return m_value == unsetDay(); }
    /// Shows the date, or empties the field for a day number that is no
    /// date (1 January 1800, the day after, or earlier); emits valueChanged
    /// when it differs.
    void setValue(double dayNumber);

    /// Dates accepted from the user, as day numbers.
    void setRange(double first, double last);
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }

    /// Title and text for an entry that is not a date.
    void setInvalidMessage(const QString& title, const QString& text);

Q_SIGNALS:
    /// The date changed: while typing (once the text is a whole date within
    /// the range), when the field is emptied or left, or through setValue.
    void valueChanged(double dayNumber);

protected:
    bool acceptText() override;
    void restoreEntryValue() override;
    void markEntryValue() override { m_entryValue = m_value; }
    QString defaultRejectionTitle() const override;
    QString defaultRejectionText() const override;
    std::optional<RejectionReason> formatProblem() const override;

private:
    std::optional<double> typedDay() const;
    void show(double dayNumber);
    void store(double dayNumber);

    double m_value;
    double m_entryValue;
    double m_minimum;
    double m_maximum;
    QString m_invalidTitle;
    QString m_invalidText;
};

}  // namespace grossby
