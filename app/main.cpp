#include "app/appstate.h"
#include "app/changehistory.h"
#include "app/frmmain.h"
#include "app/frmver.h"
#include "app/instance.h"
#include "ranking/rankstore.h"
#include "ui/fonts.h"
#include "ui/qtdialogs.h"

#include <QApplication>
#include <QIcon>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/kashikoro.svg")));
    Fonts::install();
    QtDialogs qtDialogs;
    setDialogs(&qtDialogs);

    if (!CheckPrevInstance())
        return 0;

    MakeVersionText();
    setSettingsFilePath(settingsPathFor(QCoreApplication::applicationFilePath()));
    rankStore().LastRankName.clear();
    app().ChangeHistoryText = MakeChangeHistoryText();

    // The version screen stands in as a splash while the menu is made.
    app().VersionSplashMode = true;
    auto splash = std::make_unique<frmVer>();
    splash->show();
    QCoreApplication::processEvents();

    frmMain menu;
    splash.reset();
    menu.show();
    return application.exec();
}
