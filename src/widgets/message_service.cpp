#include "widgets/message_service.h"

#include <QAbstractButton>
#include <QApplication>

namespace grossby {
namespace {
MessageHandler& handlerSlot()
{
    static MessageHandler handler;
    return handler;
}
}  // namespace

QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& request)
{
    if (const auto& handler = handlerSlot())
        return handler(request);
    QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    for (const auto& [button, text] : request.buttonTexts) {
        if (QAbstractButton* shown = box.button(button))
            shown->setText(text);
    }
    // A message must be readable even while a busy pointer is up.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    if (busy)
        QApplication::restoreOverrideCursor();
    return answer;
}

void setMessageHandler(MessageHandler handler)
{
    handlerSlot() = std::move(handler);
}

}  // namespace grossby
