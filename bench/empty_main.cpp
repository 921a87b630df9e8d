// The yardsticks for the game's start-up: the least a Qt Widgets program does
// before its main window is on screen, and (with --text) the same window
// showing one line of Japanese in the game's proportional face, which is
// what any window of the game needs at the least: the fonts found and read.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include <cstring>

int main(int argc, char *argv[])
{
    const bool withText = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(withText ? QStringLiteral("kashikoro-text") : QStringLiteral("kashikoro-empty"));
    if (withText) {
        const QString face = QStringLiteral(u"ＭＳ Ｐゴシック");
        QFont::insertSubstitutions(face, {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
        auto *line = new QLabel(QStringLiteral(u"いろいろな色　数字の順番　かけ算"), &window);
        line->setFont(QFont(face, 12));
        window.setCentralWidget(line);
    }
    window.resize(320, 240);
    window.show();
    return application.exec();
}
