#pragma once
// Numeric input and result field: whole numbers or a fixed number of
// decimals, read with the program's leading-number parse ("12abc" is 12,
// "abc" is 0), with optional limits.

#include "widgets/field_edit.h"

#include <limits>

namespace grossby {

class NumericEdit : public FieldEdit {
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged USER true)
    Q_PROPERTY(int decimals READ decimals WRITE setDecimals)
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum)
public:
    explicit NumericEdit(QWidget* parent = nullptr);

    double value() const { return m_value; }
    /// Shows `value` with the field's decimals; emits valueChanged when it
    /// differs from the value held. Limits are not applied here.
    void setValue(double value);

    /// Decimals shown (0 for a whole-number field, whose value is rounded
    /// half to even when the field is left).
    int decimals() const { return m_decimals; }
    void setDecimals(int decimals);

    /// Entries below the minimum or above the maximum are rejected with the
    /// field's message. Without limits any finite number is accepted.
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    void setMinimum(double minimum) { m_minimum = minimum; }
    void setMaximum(double maximum) { m_maximum = maximum; }
    void setRange(double minimum, double maximum);

    /// `value` as the field shows it.
    QString formatValue(double value) const;

Q_SIGNALS:
    /// The value changed: while typing (each acceptable keystroke), when the
    /// field is left, or through setValue.
    void valueChanged(double value);

protected:
    bool acceptText() override;
    void restoreEntryValue() override;
    void markEntryValue() override { m_entryValue = m_value; }
    QString defaultRejectionTitle() const override;
    QString defaultRejectionText() const override;

private:
    bool acceptable(double value) const;
    void store(double value);
    void onTextEdited(const QString& text);

    double m_value = 0;
    double m_entryValue = 0;
    int m_decimals = 2;
    double m_minimum = -std::numeric_limits<double>::infinity();
    double m_maximum = std::numeric_limits<double>::infinity();
};

}  // namespace grossby
