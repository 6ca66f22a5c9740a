#include "app/message_box.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <utility>

#include "skin/ui/pictures.h"

namespace varnel {

namespace {

// The message box in the skin of the small dialogs: their background picture, grown to the text
// by stretching its plain middle (its corners, title line and close cross kept), and their
// buttons. Enter takes the focused button (Yes or OK first), Escape and the cross answer No.
constexpr char kBase[] = "MacroNameBase";
constexpr char kButtonHover[] = "DlgBtnS_02";
constexpr int kWidth = 354;
constexpr int kMinHeight = 179;
// Slices of the background: the top band with its title line and cross, the bottom band with its
// corner accent, and a plain strip between the edit well and the buttons that stretches.
constexpr int kTop = 58;
constexpr int kBottom = 15;
constexpr QRect kPlainRows{0, 96, kWidth, 34};
constexpr QRect kButtonFace{44, 134, 97, 29};
constexpr QRect kTitle{10, 25, 164, 24};
constexpr QRect kClose{316, 6, 30, 30};
constexpr int kTextTop = 66;
constexpr int kTextMargin = 24;
constexpr int kButtonGap = 16;  // above the buttons and below them
constexpr int kRowGap = 8;      // between answers one under the other
constexpr char kTextColour[] = "#e2e4e8";

QImage grownBackground(const QImage& base, int height) {
    QImage out(kWidth, height, QImage::Format_ARGB32);
    out.fill(QColor(128, 0, 0));
    if (base.isNull()) return out;
    QPainter p(&out);
    p.drawImage(QRect(0, 0, kWidth, kTop), base, QRect(0, 0, kWidth, kTop));
    p.drawImage(QRect(0, kTop, kWidth, height - kTop - kBottom), base, kPlainRows);
    p.drawImage(QRect(0, height - kBottom, kWidth, kBottom), base, QRect(0, base.height() - kBottom, kWidth, kBottom));
    return out;
}

class SkinButton final : public QPushButton {
public:
    SkinButton(const QString& text, const QImage& face, QWidget* parent)
        : QPushButton(text, parent), face_(face), hover_(loadPicture(kButtonHover)) {
        setAttribute(Qt::WA_Hover);
        setFixedSize(kButtonFace.size());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const bool lit = underMouse() || hasFocus();
        p.drawImage(rect(), lit && !hover_.isNull() ? hover_ : face_);
        p.setPen(QColor(kTextColour));
        p.drawText(rect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }

private:
    QImage face_;
    QImage hover_;
};

class MessageDialog final : public QDialog {
public:
    static constexpr int kFirstChoice = 2;  // done() codes of the stacked answers, past Accepted

    // `choices`: the answers of a question with more than two, the last one taking Escape and the
    // cross; none: OK, or Yes and No for a `question`.
    MessageDialog(QWidget* parent, const QString& text, bool question, const QStringList& choices = {})
        : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
        setObjectName("MessageBox");
        setWindowTitle(QGuiApplication::applicationDisplayName());
        const QImage base = loadPicture(kBase);

        auto* title = new QLabel(QGuiApplication::applicationDisplayName(), this);
        title->setObjectName("lbl_Message_Title");
        title->setGeometry(kTitle);
        auto* message = new QLabel(text, this);
        message->setObjectName("lbl_Message");
        message->setTextFormat(Qt::PlainText);
        message->setWordWrap(true);
        message->setTextInteractionFlags(Qt::TextSelectableByMouse);
        const int textWidth = kWidth - 2 * kTextMargin;
        const int textHeight = message->heightForWidth(textWidth);
        message->setGeometry(kTextMargin, kTextTop, textWidth, textHeight);
        for (QLabel* l : {title, message}) l->setStyleSheet(QStringLiteral("color: %1;").arg(kTextColour));

        const int buttonsTop = std::max(kButtonFace.top(), kTextTop + textHeight + kButtonGap);
        const QImage face = base.isNull() ? QImage() : base.copy(kButtonFace);
        const int stacked = static_cast<int>(choices.size());
        const int rows = std::max(stacked, 1);
        const int buttonsHeight = rows * kButtonFace.height() + (rows - 1) * kRowGap;
        const int h = std::max(kMinHeight, buttonsTop + buttonsHeight + kButtonGap);
        setFixedSize(kWidth, h);
        background_ = grownBackground(base, h);
        setMask(windowShape(background_));

        QPushButton* first = nullptr;
        if (stacked > 0) {
            // More answers than fit beside each other: one under the other, as wide as the longest.
            int w = kButtonFace.width();
            for (const QString& c : choices) w = std::max(w, fontMetrics().horizontalAdvance(c) + 2 * kButtonGap);
            w = std::min(w, kWidth - 2 * kTextMargin);
            for (int i = 0; i < stacked; ++i) {
                auto* b = new SkinButton(choices[i], face, this);
                b->setObjectName(QStringLiteral("IB_Answer%1").arg(i + 1));
                b->setFixedSize(w, kButtonFace.height());
                b->move((kWidth - w) / 2, buttonsTop + i * (kButtonFace.height() + kRowGap));
                connect(b, &QPushButton::clicked, this, [this, i] { done(kFirstChoice + i); });
                if (first == nullptr) first = b;
            }
            cancel_ = kFirstChoice + stacked - 1;
        } else {
            auto* yes = new SkinButton(question ? tr("&Yes") : tr("OK"), face, this);
            yes->setObjectName("IB_Yes");
            connect(yes, &QPushButton::clicked, this, &QDialog::accept);
            yes->setDefault(true);
            if (question) {
                auto* no = new SkinButton(tr("&No"), face, this);
                no->setObjectName("IB_No");
                no->move(kWidth - kButtonFace.left() - kButtonFace.width(), buttonsTop);
                connect(no, &QPushButton::clicked, this, &QDialog::reject);
                yes->move(kButtonFace.left(), buttonsTop);
            } else {
                yes->move((kWidth - kButtonFace.width()) / 2, buttonsTop);
            }
            first = yes;
        }
        auto* close = new QPushButton(this);
        close->setObjectName("IB_Close");
        close->setGeometry(kClose);
        close->setFlat(true);
        close->setFocusPolicy(Qt::NoFocus);
        close->setStyleSheet("QPushButton { border: none; background: transparent; }");
        connect(close, &QPushButton::clicked, this, &QDialog::reject);
        first->setFocus();

        if (parent != nullptr) {
            const QRect over = parent->window()->geometry();
            move(over.x() + (over.width() - width()) / 2, over.y() + (over.height() - height()) / 2);
        }
    }

    // The answer chosen from `choices`.
    int choice(int code) const { return code >= kFirstChoice ? code - kFirstChoice : cancel_ - kFirstChoice; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, background_);
    }

private:
    QImage background_;
    int cancel_ = 0;
};

void modalBox(QWidget* parent, const QString& text) {
    MessageDialog box(parent, text, false);
    box.exec();
}

bool modalQuestion(QWidget* parent, const QString& text) {
    MessageDialog box(parent, text, true);
    return box.exec() == QDialog::Accepted;
}

int modalChoice(QWidget* parent, const QString& text, const QStringList& answers) {
    MessageDialog box(parent, text, true, answers);
    return box.choice(box.exec());
}

ChoiceHandler& choiceHandler() {
    static ChoiceHandler h = modalChoice;
    return h;
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

int askChoice(QWidget* parent, const QString& text, const QStringList& answers) {
    return choiceHandler()(parent, text, answers);
}

ChoiceHandler setChoiceHandler(ChoiceHandler h) {
    return std::exchange(choiceHandler(), h ? std::move(h) : ChoiceHandler(modalChoice));
}

QuestionHandler setQuestionHandler(QuestionHandler h) {
    return std::exchange(questionHandler(), h ? std::move(h) : QuestionHandler(modalQuestion));
}

}  // namespace varnel
