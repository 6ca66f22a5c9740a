#pragma once
// Every message box of the window goes through showMessage or askQuestion, so tests can capture
// the texts and give the answers instead of blocking on a modal dialog.
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace varnel {

using MessageHandler = std::function<void(QWidget* parent, const QString& text)>;
using QuestionHandler = std::function<bool(QWidget* parent, const QString& text)>;

// A modal box with an OK button, titled with the application title (or the installed handler).
void showMessage(QWidget* parent, const QString& text);
// Installs `handler` (empty: the modal box again); returns the previous one.
MessageHandler setMessageHandler(MessageHandler handler);

// A modal box with OK and a second answer, `offer`: true when the offer was taken. Without an
// offer handler installed, an installed message handler gets the text (and the offer is not taken).
bool offerMessage(QWidget* parent, const QString& text, const QString& offer);
using OfferHandler = std::function<bool(QWidget* parent, const QString& text, const QString& offer)>;
OfferHandler setOfferHandler(OfferHandler handler);

// A modal information box with Yes and No (or the installed handler): true for Yes.
bool askQuestion(QWidget* parent, const QString& text);
QuestionHandler setQuestionHandler(QuestionHandler handler);

// A question with more answers than Yes and No, one under the other (or the installed handler):
// the index of the answer chosen; Escape and the cross choose the last.
using ChoiceHandler = std::function<int(QWidget* parent, const QString& text, const QStringList& answers)>;
int askChoice(QWidget* parent, const QString& text, const QStringList& answers);
ChoiceHandler setChoiceHandler(ChoiceHandler handler);

}  // namespace varnel
