#pragma once
// Date field: typed and shown as "dd/mm/yyyy", held as a day number, limited
// to a range of days that the window may move (by default the tax year).

#include "widgets/field_edit.h"

#include <optional>

namespace grossby {

class DateEdit : public FieldEdit {
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged USER true)
public:
    explicit DateEdit(QWidget* parent = nullptr);

    /// The date as a whole day number (42795 is 1 March 2017).
    double value() const { return m_value; }
    /// Shows the date; emits valueChanged when it differs. Limits are not
    /// applied here.
    void setValue(double dayNumber);

    /// Earliest and latest dates accepted from the user, as day numbers.
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    void setMinimum(double dayNumber) { m_minimum = dayNumber; }
    void setMaximum(double dayNumber) { m_maximum = dayNumber; }
    void setRange(double first, double last);

Q_SIGNALS:
    /// The date changed: while typing (once the text is a whole date within
    /// the limits), when the field is left, or through setValue.
    void valueChanged(double dayNumber);

protected:
    bool acceptText() override;
    void restoreEntryValue() override;
    void markEntryValue() override { m_entryValue = m_value; }
    QString defaultRejectionTitle() const override;
    QString defaultRejectionText() const override;

private:
    std::optional<double> acceptableDate(const QString& text) const;
    void store(double dayNumber);

    double m_value;
    double m_entryValue;
    double m_minimum;
    double m_maximum;
};

}  // namespace grossby
