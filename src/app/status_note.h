#pragma once
// A short line over the skin that fades after a moment ("Saved to the mouse"): white on the skin's
// teal, over the lower middle of the page.
#include <QLabel>
#include <QTimer>

namespace varnel {

class StatusNote : public QLabel {
public:
    explicit StatusNote(QWidget* parent);
    // Shows `text`, widened about its centre if it needs more room, until the moment has passed.
    void showText(const QString& text);

private:
    QTimer fade_;
};

}  // namespace varnel
