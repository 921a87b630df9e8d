// The yardstick for the game's start-up: the least a Qt Widgets program does
// before its main window is on screen.

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("kashikoro-empty"));
    window.resize(320, 240);
    window.show();
    return application.exec();
}
