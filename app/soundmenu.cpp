#include "app/soundmenu.h"

#include "settings/appstate.h"
#include "ui/sounds.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

QMenu *addSoundMenu(QMainWindow *window, QMenu *before)
{
    auto *mnuBarOption = new QMenu(QStringLiteral(u"ｵﾌﾟｼｮﾝ(&O)"), window);
    mnuBarOption->setObjectName(QStringLiteral("mnuBarOption"));
    window->menuBar()->insertMenu(before->menuAction(), mnuBarOption);

    QAction *mnuSound = mnuBarOption->addAction(QStringLiteral(u"効果音(&E)"));
    mnuSound->setObjectName(QStringLiteral("mnuSound"));
    mnuSound->setCheckable(true);
    mnuSound->setChecked(Sounds::enabled());
    QObject::connect(mnuBarOption, &QMenu::aboutToShow, mnuSound, [mnuSound] { mnuSound->setChecked(Sounds::enabled()); });
    // A choice the settings file cannot keep still holds until the game ends;
    // the player is told it will not be there next time.
    QObject::connect(mnuSound, &QAction::triggered, mnuSound, [](bool on) {
        if (!Sounds::setEnabled(on))
            tellWriteFailed(QStringLiteral(u"効果音の選択は残せなかったぴこ。"));
    });
    return mnuBarOption;
}
