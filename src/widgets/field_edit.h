#pragma once
// Base of the single-line input fields: the value is taken from the text as
// it is typed, and the text is read once more when the field is left (focus
// out or Return). An entry the field cannot accept is rejected there: the
// field shows its message, puts back the value it had when the user started
// editing and keeps the focus, so nothing the user had before is lost.
//
// A key chord with Alt is never typing: it belongs to a button or menu
// mnemonic, so it never reaches the field's text (with the text selected it
// would otherwise replace the entry by a letter).

#include <QLineEdit>

#include <functional>
#include <optional>

namespace grossby {

/// A message box's title and text.
struct RejectionReason {
    QString title;
    QString text;
};

class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    /// Builds the rejection text at the moment of the rejection, so it can
    /// quote limits or other fields as they are then.
    using MessageText = std::function<QString()>;

    explicit FieldEdit(QWidget* parent = nullptr);

    /// The message box shown when an entry is rejected (critical icon).
    void setRejectionMessage(const QString& title, const QString& text);
    void setRejectionMessage(const QString& title, MessageText text);

    /// Reads the text now, as leaving the field does. Returns false (after
    /// the rejection message) when the entry was not accepted.
    bool commit();

Q_SIGNALS:
    /// The field received the keyboard focus (windows move limits here).
    void focusReceived();
    /// An entry was refused; `text` is what the user had typed.
    void entryRejected(const QString& text);

protected:
    /// Parses the whole text into the value and reformats it; false when the
    /// entry is not acceptable (the value must then be left alone).
    virtual bool acceptText() = 0;
    /// Puts the value held when editing started back, text included.
    virtual void restoreEntryValue() = 0;
    /// Remembers the current value as the one to go back to.
    virtual void markEntryValue() = 0;
    /// Title and text used when the window gave none.
    virtual QString defaultRejectionTitle() const = 0;
    virtual QString defaultRejectionText() const = 0;
    /// When the text is not even of the field's kind ("abc" in a number
    /// field), the message for that; it comes before the window's message,
    /// which speaks of limits.
    virtual std::optional<RejectionReason> formatProblem() const { return std::nullopt; }

    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void reject(const QString& typed);
    void applyReadOnlyLook();

    QString m_title;
    MessageText m_text;
    bool m_rejecting = false;
};

}  // namespace grossby
