#include "app/message_box.h"

#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <utility>

#include "app/qt_translations.h"
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
constexpr int kOfferGap = 12;    // between OK and the offer
constexpr int kOfferTaken = 2;   // the box's result when the offer was taken

// The part of `image` at `logical` (in the picture's designed pixels), whatever its set.
QRect devicePart(const QImage& image, const QRect& logical) {
    const int s = qRound(image.devicePixelRatio());
    return {logical.x() * s, logical.y() * s, logical.width() * s, logical.height() * s};
}

QImage grownBackground(const QImage& base, int height) {
    const qreal scale = base.isNull() ? 1.0 : base.devicePixelRatio();
    QImage out(qRound(kWidth * scale), qRound(height * scale), QImage::Format_ARGB32);
    out.setDevicePixelRatio(scale);
    out.fill(QColor(128, 0, 0));
    if (base.isNull()) return out;
    const int baseHeight = base.deviceIndependentSize().toSize().height();
    QPainter p(&out);
    p.drawImage(QRect(0, 0, kWidth, kTop), base, devicePart(base, {0, 0, kWidth, kTop}));
    p.drawImage(QRect(0, kTop, kWidth, height - kTop - kBottom), base, devicePart(base, kPlainRows));
    p.drawImage(QRect(0, height - kBottom, kWidth, kBottom), base,
                devicePart(base, {0, baseHeight - kBottom, kWidth, kBottom}));
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
        p.setRenderHint(QPainter::SmoothPixmapTransform);  // the offer's face is stretched wider
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
    // `offer`: the text of a second answer beside OK (none for a question).
    MessageDialog(QWidget* parent, const QString& text, bool question, const QStringList& choices = {},
                  const QString& offer = {})
        : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
        setObjectName("MessageBox");
        // Modal to the window it speaks for only: the demo's virtual mouse window stays usable.
        setWindowModality(parent != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
        setWindowTitle(QGuiApplication::applicationDisplayName());
        const QImage base = loadPicture(kBase);

        auto* title = new QLabel(QGuiApplication::applicationDisplayName(), this);
        title->setObjectName("lbl_Message_Title");
        title->setGeometry(kTitle);
        // A longer title (the virtual mouse's) shrinks to the plate rather than lose its end.
        for (QFont f = title->font(); f.pointSize() > 6 && QFontMetrics(f).horizontalAdvance(title->text()) > kTitle.width();) {
            f.setPointSize(f.pointSize() - 1);
            title->setFont(f);
        }
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
        const int stacked = static_cast<int>(choices.size());
        const int rows = std::max(stacked, 1);
        const int buttonsHeight = rows * kButtonFace.height() + (rows - 1) * kRowGap;
        const int h = std::max(kMinHeight, buttonsTop + buttonsHeight + kButtonGap);
        setFixedSize(kWidth, h);
        background_ = grownBackground(base, h);
        setMask(windowShape(background_));

        QImage face;
        if (!base.isNull()) {
            face = base.copy(devicePart(base, kButtonFace));
            face.setDevicePixelRatio(base.devicePixelRatio());
        }
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
            auto* yes = new SkinButton(standardButtonText(question ? "&Yes" : "OK"), face, this);
            yes->setObjectName("IB_Yes");
            connect(yes, &QPushButton::clicked, this, &QDialog::accept);
            yes->setDefault(true);
            if (question) {
                auto* no = new SkinButton(standardButtonText("&No"), face, this);
                no->setObjectName("IB_No");
                no->move(kWidth - kButtonFace.left() - kButtonFace.width(), buttonsTop);
                connect(no, &QPushButton::clicked, this, &QDialog::reject);
                yes->move(kButtonFace.left(), buttonsTop);
            } else if (!offer.isEmpty()) {
                auto* take = new SkinButton(offer, face, this);
                take->setObjectName("IB_Offer");
                // Wider than OK, under the text's full width: the offer's words are longer.
                take->setFixedWidth(kWidth - 2 * kTextMargin - kButtonFace.width() - kOfferGap);
                take->move(kWidth - kTextMargin - take->width(), buttonsTop);
                connect(take, &QPushButton::clicked, this, [this] { done(kOfferTaken); });
                yes->move(kTextMargin, buttonsTop);
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

bool modalOffer(QWidget* parent, const QString& text, const QString& offer) {
    MessageDialog box(parent, text, false, {}, offer);
    return box.exec() == kOfferTaken;
}

bool customMessages = false;  // a message handler other than the modal box is installed

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

OfferHandler& offerHandler() {
    static OfferHandler h;
    return h;
}

QuestionHandler& questionHandler() {
    static QuestionHandler h = modalQuestion;
    return h;
}

}  // namespace

void showMessage(QWidget* parent, const QString& text) { handler()(parent, text); }

MessageHandler setMessageHandler(MessageHandler h) {
    customMessages = static_cast<bool>(h);
    return std::exchange(handler(), h ? std::move(h) : MessageHandler(modalBox));
}

bool offerMessage(QWidget* parent, const QString& text, const QString& offer) {
    if (offerHandler()) return offerHandler()(parent, text, offer);
    if (customMessages) {
        handler()(parent, text);
        return false;
    }
    return modalOffer(parent, text, offer);
}

OfferHandler setOfferHandler(OfferHandler h) { return std::exchange(offerHandler(), std::move(h)); }

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
