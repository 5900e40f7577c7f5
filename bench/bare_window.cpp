// The yardstick of bench_startup: the plainest Qt window, a QMainWindow
// holding one label, the same size as Tessaro's.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("A bare Qt window"), &window));
    window.resize(560, 460);
    window.show();
    return app.exec();
}
