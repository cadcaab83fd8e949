#pragma once
// What the window tests do to a window, as a user would: type into a named
// field, click a named button, read what a field shows. Message boxes are
// captured rather than shown.

#include "widgets/message_service.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QHash>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace grossby::test {

/// The child of `window` named `name`; a test failure when there is none.
template <class T = QWidget> T* child(const QWidget* window, const QString& name)
{
    T* w = window ? window->findChild<T*>(name) : nullptr;
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

/// The text field `name` shows.
inline QString shown(const QWidget* window, const QString& name)
{
    auto* field = child<QLineEdit>(window, name);
    return field ? field->text() : QString();
}

/// Focus into the field, replace its text by typing, then leave it for the
/// window's "&Calculate" button (or `leaveTo`), as a user would.
inline void type(QWidget* window, const QString& name, const QString& keys, const char* leaveTo = "cmdCalculate")
{
    auto* field = child<QLineEdit>(window, name);
    if (!field)
        return;
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, keys);
    if (auto* next = window->findChild<QWidget*>(QString::fromLatin1(leaveTo)))
        next->setFocus();
    QCoreApplication::processEvents();
}

/// Clicks the button `name` with the mouse.
inline void click(QWidget* window, const QString& name)
{
    if (auto* button = child<QAbstractButton>(window, name))
        QTest::mouseClick(button, Qt::LeftButton);
    QCoreApplication::processEvents();
}

/// A key pressed where the focus is now.
inline void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    EXPECT_NE(target, nullptr) << "nothing has the focus";
    if (target)
        QTest::keyClick(target, Qt::Key(key), modifiers);
    QCoreApplication::processEvents();
}

/// Captures every message box for the life of the object; each is answered OK.
class CapturedMessages {
public:
    CapturedMessages()
    {
        setMessageHandler([this](const MessageRequest& r) {
            list.push_back(r);
            return QMessageBox::Ok;
        });
    }
    ~CapturedMessages() { setMessageHandler({}); }
    CapturedMessages(const CapturedMessages&) = delete;
    CapturedMessages& operator=(const CapturedMessages&) = delete;

    std::vector<MessageRequest> list;
};

/// Mnemonics that two visible, enabled controls of `window` share (buttons,
/// and labels with a buddy), each as "name / name"; empty when none clash.
inline QStringList sharedMnemonics(const QWidget* window)
{
    QHash<QKeySequence, QStringList> byKey;
    for (const QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (b->isVisible() && b->isEnabled())
            byKey[QKeySequence::mnemonic(b->text())].append(b->objectName());
    }
    for (const QLabel* l : window->findChildren<QLabel*>()) {
        if (l->isVisible() && l->buddy() && l->buddy()->isEnabled())
            byKey[QKeySequence::mnemonic(l->text())].append(l->objectName());
    }
    QStringList clashes;
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        if (!it.key().isEmpty() && it.value().size() > 1)
            clashes.append(it.value().join(" / "));
    }
    return clashes;
}

}  // namespace grossby::test
