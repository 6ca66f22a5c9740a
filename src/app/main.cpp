#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName("Gaming Mouse");
    QLabel window("Varnel Gaming Mouse v1.0");
    window.setWindowTitle("Varnel Gaming Mouse v1.0");
    window.resize(800, 600);
    window.show();
    return app.exec();
}
