#pragma once
// Every message box of the program goes through here, so tests can answer
// them instead of waiting on a modal box.

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace grossby {

struct MessageRequest {
    QMessageBox::Icon icon = QMessageBox::Critical;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

/// Shows the message (modal) and returns the button pressed.
QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& request);

/// Replaces the modal box with `handler` (tests); an empty handler restores
/// the real box. The handler returns the button the "user" pressed.
using MessageHandler = std::function<QMessageBox::StandardButton(const MessageRequest&)>;
void setMessageHandler(MessageHandler handler);

}  // namespace grossby
