#pragma once
// A calculator window's own button mnemonics ("&Calculate", "&Settings")
// come before the main window's menu bar, whose "&Car Calculations" and
// "Bu&siness Calculations" would otherwise take Alt+C and Alt+S.

#include <QObject>

class QAbstractButton;
class QKeyEvent;
class QWidget;

namespace grossby {

class WindowMnemonics : public QObject {
    Q_OBJECT
public:
    /// Watches `window`'s key events; owned by the window.
    static void install(QWidget* window);

    /// The visible, enabled button of `window` whose mnemonic is the key.
    static QAbstractButton* buttonFor(const QWidget* window, const QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

}  // namespace grossby
