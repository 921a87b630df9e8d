#include "settings/appstate.h"
#include "app/gamecontext.h"
#include "app/frmmain.h"
#include "buildinfo.h"
#include "app/frmver.h"
#include "app/instance.h"
#include "app/quitsignals.h"
#include "app/windowicon.h"
#include "history/history.h"
#include "ui/fonts.h"
#include "ui/gamestyle.h"
#include "ui/qtdialogs.h"
#include "ui/settingswait.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <memory>

int main(int argc, char *argv[])
{
    // Reading the font configuration needs no display: it is read while the
    // application object connects to one.
    const Fonts::ConfigurationReader fontConfiguration;
    QApplication application(argc, argv);
    // A logout ends the game as its own quit does, the history closed cleanly.
    quitOnTerminationSignals();
    // The game's own name, whatever the program file is called (installed it
    // is "kashikoro"): the per-user data folder and the desktop's window class
    // follow it.
    QCoreApplication::setApplicationName(QString::fromUtf16(BuildInfo::Title));
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.example.kashikoro"));
    QApplication::setStyle(new GameStyle);
    Fonts::install();
    // The installed fonts are read on a second thread while the rest starts.
    const Fonts::Preload installedFonts(fontConfiguration);
    QApplication::setWindowIcon(windowIcon());
    // Every text of the game is Japanese; so are the buttons of Qt's own dialogs.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    QtDialogs qtDialogs;
    setDialogs(&qtDialogs);
    // A settings write that waits for another writer keeps the windows painted
    // and says what it waits for.
    const SettingsWaitNotice settingsWait;

    if (!CheckPrevInstance())
        return 0;

    MakeVersionText();
    setSettingsFilePath(settingsPathFor(QCoreApplication::applicationFilePath()));
    if (!startSettings())
        return 1;

    // The version screen stands in as a splash while the menu is made.
    auto splash = std::make_unique<frmVer>(frmVer::Mode::Splash);
    splash->show();
    QCoreApplication::processEvents();

    // Made after the application object and gone before it, so the history
    // is closed while its database connections still exist.
    GameContext game;
    HistoryRecorder recorder(game.history);
    frmMain menu(game);
    splash.reset();
    menu.show();
    // Nothing can be played before the menu is up, so the history of runs is
    // opened once it is on screen; every run is recorded from then on.
    QTimer::singleShot(0, &menu, [&game, &menu, &recorder] {
        startHistory(game.history, app().SettingsFilePath);
        menu.recordRuns(&recorder);
    });
    return application.exec();
}
