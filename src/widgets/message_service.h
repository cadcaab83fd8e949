#pragma once
// Every message box of the program goes through here, so tests can answer
// them instead of waiting on a modal box.

#include <QList>
#include <QMessageBox>
#include <QPair>
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
    /// Captions shown instead of the standard ones, e.g. Save as
    /// "Save as PDF..."; the answer is still the standard button.
    QList<QPair<QMessageBox::StandardButton, QString>> buttonTexts = {};
};

/// Shows the message (modal) and returns the button pressed.
QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& request);

/// Replaces the modal box with `handler` (tests); an empty handler restores
/// the real box. The handler returns the button the "user" pressed.
using MessageHandler = std::function<QMessageBox::StandardButton(const MessageRequest&)>;
void setMessageHandler(MessageHandler handler);

}  // namespace grossby
