// kashikoro-screenshots DIR: the README's pictures of the game, taken from
// its real windows: the main menu and a few exercises in the middle of a
// run. The game plays on a settings file of its own in a temporary folder,
// so nobody's rankings are touched. tools/take-screenshots.sh runs it under
// a virtual display.

#include "app/frmmain.h"
#include "exercises/catalogue.h"
#include "ranking/rankstore.h"
#include "run/trainerwindow.h"
#include "settings/appstate.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget *window, const QString &path)
{
    const bool saved = window->grab().save(path);
    QTextStream(stdout) << (saved ? "wrote " : "could not write ") << path << Qt::endl;
    return saved;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: kashikoro-screenshots DIR\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder))
        return 1;

    QTemporaryDir scratch;
    if (!scratch.isValid())
        return 1;
    Fonts::install();
    MakeVersionText();
    setSettingsFilePath(scratch.filePath(QStringLiteral(u"カシコロ.ini")));
    // The notice stays closed: it has been seen for this version.
    WriteSetting(QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("1"));
    WriteSetting(QStringLiteral("osirase"), QStringLiteral("Ver"), app().AppVersionText);

    bool ok = true;
    GameContext game;
    frmMain menu(game);
    menu.show();
    settle(300);
    ok = save(&menu, folder + QStringLiteral("/menu.png")) && ok;

    // Exercises shown a few answers into a run.
    for (const int number : {1, 11, 12, 14}) {
        std::unique_ptr<TrainerWindow> window(openExercise(number, game.ranking, nullptr));
        if (!window)
            continue;
        window->show();
        settle(100);
        window->findChild<QPushButton *>(QStringLiteral("cmdStart"))->click();
        settle(1600);
        ok = save(window.get(), folder + QStringLiteral("/exercise-%1.png").arg(number, 2, 10, QLatin1Char('0'))) && ok;
        window->findChild<QPushButton *>(QStringLiteral("cmdStart"))->click();
    }
    return ok ? 0 : 1;
}
