// The least a Qt window costs to show: an 800 x 600 widget that paints one colour. Prints the
// time from main() to its first paint in milliseconds, the same span varnel-config-demo
// --measure reports, and quits.
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class Plain : public QWidget {
public:
    explicit Plain(const QElapsedTimer& since) : since_(since) { setFixedSize(800, 600); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor(40, 40, 48));
        if (painted_) return;
        painted_ = true;
        std::printf("first painted window after %lld ms\n", static_cast<long long>(since_.elapsed()));
        std::fflush(stdout);
        QTimer::singleShot(0, qApp, &QApplication::quit);
    }

private:
    const QElapsedTimer& since_;
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    Plain window(sinceStart);
    window.show();
    return app.exec();
}
