#include "app/message_box.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <utility>

namespace varnel {

namespace {

void modalBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.exec();
}

MessageHandler& handler() {
    static MessageHandler h = modalBox;
    return h;
}

}  // namespace

void showMessage(QWidget* parent, const QString& text) { handler()(parent, text); }

MessageHandler setMessageHandler(MessageHandler h) {
    return std::exchange(handler(), h ? std::move(h) : MessageHandler(modalBox));
}

}  // namespace varnel
