// The floor for start-up: a Qt Widgets program that shows one empty window and
// reports as the program does. With --tekst the window also holds one label and
// one text box, the least text a window can show: text needs the font
// configuration read and a font loaded, which an empty window never does.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget okno;
    if (argc > 1 && std::strcmp(argv[1], "--tekst") == 0) {
        (new QLabel(QStringLiteral("Port COM1"), &okno))->move(10, 10);
        (new QLineEdit(QStringLiteral("3000"), &okno))->move(10, 40);
    }
    okno.show();
    QTimer::singleShot(0, &app, [] {
        std::puts("ready");
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}
