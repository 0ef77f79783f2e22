// The floor for start-up: a Qt Widgets program that shows one empty window and
// reports as the program does.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget okno;
    okno.show();
    QTimer::singleShot(0, &app, [] {
        std::puts("ready");
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}
