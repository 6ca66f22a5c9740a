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

bool modalQuestion(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

MessageHandler& handler() {
    static MessageHandler h = modalBox;
    return h;
}

QuestionHandler& questionHandler() {
    static QuestionHandler h = modalQuestion;
    return h;
}

}  // namespace

void showMessage(QWidget* parent, const QString& text) { handler()(parent, text); }

MessageHandler setMessageHandler(MessageHandler h) {
    return std::exchange(handler(), h ? std::move(h) : MessageHandler(modalBox));
}

bool askQuestion(QWidget* parent, const QString& text) { return questionHandler()(parent, text); }

QuestionHandler setQuestionHandler(QuestionHandler h) {
    return std::exchange(questionHandler(), h ? std::move(h) : QuestionHandler(modalQuestion));
}

}  // namespace varnel
