#include "widgets/field_edit.h"

#include "widgets/message_service.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

namespace grossby {

FieldEdit::FieldEdit(QWidget* parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void FieldEdit::setRejectionMessage(const QString& title, const QString& text)
{
    setRejectionMessage(title, [text] { return text; });
}

void FieldEdit::setRejectionMessage(const QString& title, MessageText text)
{
    m_title = title;
    m_text = std::move(text);
}

bool FieldEdit::commit()
{
    if (isReadOnly() || m_rejecting)
        return true;
    const QString typed = text();
    // Taking an entry reformats it ("20000" becomes "20000.00"); a field
    // that was ready to be typed over stays so.
    const bool typedOver = !typed.isEmpty() && selectedText() == typed;
    if (acceptText()) {
        markEntryValue();
        if (typedOver)
            selectAll();
        return true;
    }
    reject(typed);
    return false;
}

void FieldEdit::reject(const QString& typed)
{
    m_rejecting = true;
    Q_EMIT entryRejected(typed);
    MessageRequest request;
    request.icon = QMessageBox::Critical;
    if (const auto problem = formatProblem()) {
        request.title = problem->title;
        request.text = problem->text;
    } else {
        request.title = m_title.isEmpty() ? defaultRejectionTitle() : m_title;
        request.text = m_text ? m_text() : defaultRejectionText();
    }
    showMessage(this, request);
    restoreEntryValue();
    m_rejecting = false;
    // The focus goes back to the field once the event that moved it away is
    // over; setting it from inside focusOutEvent would be undone.
    QPointer<FieldEdit> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self && self->isVisible()) {
            self->setFocus(Qt::OtherFocusReason);
            self->selectAll();
        }
    });
}

void FieldEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        markEntryValue();
    Q_EMIT focusReceived();
    // The program putting the focus here (a window opening, a refused entry)
    // readies the field to be typed over, as Tab does: typing never lands
    // beside the "0.00" it showed.
    if (event->reason() == Qt::OtherFocusReason)
        selectAll();
}

void FieldEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Switching to another program or opening a context menu is not leaving
    // the field; only a move within the window is.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    commit();
}

void FieldEdit::keyPressEvent(QKeyEvent* event)
{
    // Alt (or Meta) chords are shortcuts, not text: left to the window, they
    // never change the entry. Ctrl+Alt is AltGr on some keyboards, where it
    // types symbols such as "@"; those still go in.
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods & (Qt::AltModifier | Qt::MetaModifier)) {
        const QString text = event->text();
        const bool altGrSymbol = (mods & Qt::ControlModifier) && !text.isEmpty() && !text.front().isLetterOrNumber() &&
            text.front().isPrint();
        if (!altGrSymbol) {
            event->ignore();
            return;
        }
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!commit()) {
            event->accept();
            return;
        }
        selectAll();
    }
    QLineEdit::keyPressEvent(event);
}

void FieldEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange)
        applyReadOnlyLook();
}

void FieldEdit::applyReadOnlyLook()
{
    // Result fields: shaded like the window, out of the Tab order, but still
    // clickable so a figure can be selected and copied.
    QPalette pal = QApplication::palette(this);
    if (isReadOnly())
        pal.setBrush(QPalette::Base, pal.brush(QPalette::Window));
    setPalette(pal);
    setFocusPolicy(isReadOnly() ? Qt::ClickFocus : Qt::StrongFocus);
}

}  // namespace grossby
