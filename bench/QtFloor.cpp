// The floor a Qt Widgets program stands on: one frameless label with a line
// of Japanese, shown until the given number of milliseconds has passed. The
// desktop measurement runs it beside the game to compare memory and start-up.
#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QString::fromUtf8("いらっしゃいませ、武器屋へようこそ。"), nullptr, Qt::Window | Qt::FramelessWindowHint);
    label.move(100, 100);
    label.show();
    const int ms = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000;
    QTimer::singleShot(ms, &app, &QApplication::quit);
    return QApplication::exec();
}
