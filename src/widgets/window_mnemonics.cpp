#include "widgets/window_mnemonics.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>
#include <QWidget>

namespace grossby {

void WindowMnemonics::install(QWidget* window)
{
    window->installEventFilter(new WindowMnemonics(window));
}

QAbstractButton* WindowMnemonics::buttonFor(const QWidget* window, const QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::AltModifier && mods != (Qt::AltModifier | Qt::ShiftModifier))
        return nullptr;
    const QKeySequence pressed(QKeyCombination(Qt::AltModifier, Qt::Key(event->key())));
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && button->isEnabled() && QKeySequence::mnemonic(button->text()) == pressed)
            return button;
    }
    return nullptr;
}

bool WindowMnemonics::eventFilter(QObject* watched, QEvent* event)
{
    auto* window = qobject_cast<QWidget*>(watched);
    if (!window)
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // Claiming the key here keeps it from the menu bar's shortcuts. The
        // button is pressed once the key event is over, with the focus moved
        // to it first so the field being typed in is left as a click would
        // leave it.
        if (QAbstractButton* button = buttonFor(window, static_cast<QKeyEvent*>(event))) {
            event->accept();
            QPointer<QAbstractButton> target(button);
            QMetaObject::invokeMethod(
                window,
                [target] {
                    if (target && target->isEnabled() && target->isVisible()) {
                        target->setFocus(Qt::ShortcutFocusReason);
                        target->click();
                    }
                },
                Qt::QueuedConnection);
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        // The key press that follows a claimed mnemonic has been acted on already.
        if (buttonFor(window, static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
    }
    return false;
}

}  // namespace grossby
