#include "app/status_note.h"

#include <algorithm>

namespace varnel {

namespace {

constexpr int kStatusNoteMs = 2500;
const QRect kStatusNoteRect(290, 556, 220, 26);
constexpr char kStatusNoteSheet[] =
    "QLabel { color: white; background: rgba(0, 128, 128, 215); border: 1px solid #9fd8d8; border-radius: 6px;"
    " font: bold 10pt 'DejaVu Sans'; }";

}  // namespace

StatusNote::StatusNote(QWidget* parent) : QLabel(parent) {
    setObjectName("StatusNote");
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setStyleSheet(kStatusNoteSheet);
    setGeometry(kStatusNoteRect);
    hide();
    fade_.setSingleShot(true);
    fade_.setInterval(kStatusNoteMs);
    connect(&fade_, &QTimer::timeout, this, &QWidget::hide);
}

void StatusNote::showText(const QString& text) {
    setText(text);
    // A longer text widens the note about its centre instead of being cut off.
    QRect at(0, 0, std::max(kStatusNoteRect.width(), sizeHint().width() + 16), kStatusNoteRect.height());
    at.moveCenter(kStatusNoteRect.center());
    setGeometry(at);
    raise();
    show();
    fade_.start();
}

}  // namespace varnel
