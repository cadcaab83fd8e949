#pragma once
// Numeric input and result field: whole numbers or a fixed number of
// decimals, always within limits (by default 0 to the largest amount the
// calculators take).
//
// What the field reads: digits with an optional decimal part, a sign, and a
// leading "R"; thousands may be set apart by spaces ("1 000 000", as the
// program shows amounts) or by commas ("1,000,000"), but only in groups of
// three, so "20,000" is 20000 while "20,5" or "1 00" are refused rather than
// guessed at. Anything else ("abc", "R500000x") is refused with a message
// that names the field; an empty field is 0.

#include "widgets/field_edit.h"

#include <optional>

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

    /// Decimals shown. A field with 0 decimals takes whole numbers only:
    /// "64.6" is refused, not rounded.
    int decimals() const { return m_decimals; }
    void setDecimals(int decimals);

    /// A result shown with the decimals it has, at least `least` and at most
    /// `decimals()`: a rate worked to four decimals shows "310.89" or
    /// "155.0191", never a rounded figure. -1 (the default): always `decimals()`.
    void setLeastDecimalsShown(int least) { m_leastShown = least; }

    /// Entries below the minimum or above the maximum are rejected with the
    /// field's message. Unless the window sets its own, the limits are 0 and
    /// kMaxAmount.
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    void setMinimum(double minimum) { m_minimum = minimum; }
    void setMaximum(double maximum) { m_maximum = maximum; }
    void setRange(double minimum, double maximum);

    /// `value` as the field shows it: plain while it takes input, with the
    /// thousands set apart as on the reports when it is a read-only amount.
    QString formatValue(double value) const;

    /// Reads typed text as the field does: the number, or nothing when the
    /// text is not a number. An empty text is 0; a number too large to hold
    /// reads as an infinity (refused by the limits).
    static std::optional<double> parseTyped(const QString& text);

    /// What the field's messages call it: the text of the label that names
    /// it (without its mnemonic), else its accessible name.
    QString fieldName() const;

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
    std::optional<RejectionReason> formatProblem() const override;
    void changeEvent(QEvent* event) override;

private:
    bool acceptable(double value) const;
    bool wholeEnough(double value) const;
    /// No more decimals typed than the field shows (trailing zeros aside), so
    /// the number used is the number shown.
    bool fitsDecimals(const QString& typed) const;
    QString formatLimit(double value) const;
    void store(double value);
    void onTextEdited(const QString& text);

    double m_value = 0;
    double m_entryValue = 0;
    int m_decimals = 2;
    int m_leastShown = -1;
    double m_minimum;
    double m_maximum;
};

}  // namespace grossby
