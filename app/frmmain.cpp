#include "app/frmmain.h"

#include "settings/appstate.h"
#include "app/frmosirase.h"
#include "app/frmver.h"
#include "app/soundmenu.h"
#include "buildinfo.h"
#include "exercises/catalogue.h"
#include "history/frmseiseki.h"
#include "history/historyexport.h"
#include "run/trainerwindow.h"
#include "ui/a11y.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>

frmMain::frmMain(GameContext &game, QWidget *parent)
    : QMainWindow(parent),
      m_game(game),
      m_sounds(game.sounds),
      m_listeners{&m_sounds, nullptr},
      m_trainerFactory([this](int number, QWidget *owner) -> QDialog * {
          return openExercise(number, m_game.ranking, owner, m_listeners);
      })
{
    setObjectName(QStringLiteral("frmMain"));

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Twips::size(ClientWidth, clientHeight()));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // Created in tab order: the end button first, then the exercises by number.
    const int endTop = ButtonTop + RowHeight * rows() + 120;
    cmdEnd = Controls::button(client, QStringLiteral("cmdEnd"), QStringLiteral(u"終　了"), Fonts::pGothic(12),
                              Twips::rect(3000, endTop, 1815, 675));
    connect(cmdEnd, &QPushButton::clicked, this, &frmMain::cmdEnd_Click);
    cmdEnd->setAccessibleName(QStringLiteral(u"終了"));

    QWidget *previous = cmdEnd;
    cmdMenu.assign(std::size_t(exerciseCount() + 1), nullptr);
    for (int index = 1; index <= exerciseCount(); ++index) {
        const int column = (index - 1) / rows();
        const int row = (index - 1) % rows();
        // The captions are the exercises' titles, set by Form_Load.
        auto *button = Controls::button(client, QStringLiteral("cmdMenu(%1)").arg(index), QString(),
                                        Fonts::pGothic(15.75),
                                        Twips::rect(240 + 3840 * column, ButtonTop + RowHeight * row, 3555, 615));
        connect(button, &QPushButton::clicked, this, [this, index] { cmdMenu_Click(index); });
        setTabOrder(previous, button);
        previous = button;
        cmdMenu[std::size_t(index)] = button;
    }

    // The records of every run played, before the help menu.
    mnuBarSeiseki = menuBar()->addMenu(QStringLiteral(u"成績(&S)"));
    mnuBarSeiseki->setObjectName(QStringLiteral("mnuBarSeiseki"));
    mnuSeiseki = mnuBarSeiseki->addAction(QStringLiteral(u"成績を見る(&V)"));
    mnuSeiseki->setObjectName(QStringLiteral("mnuSeiseki"));
    connect(mnuSeiseki, &QAction::triggered, this, &frmMain::mnuSeiseki_Click);
    mnuExport = mnuBarSeiseki->addAction(QStringLiteral(u"CSVファイルに書き出す(&E)"));
    mnuExport->setObjectName(QStringLiteral("mnuExport"));
    connect(mnuExport, &QAction::triggered, this, &frmMain::mnuExport_Click);

    mnuBarHelp = menuBar()->addMenu(QStringLiteral(u"ﾍﾙﾌﾟ(&H)"));
    mnuBarHelp->setObjectName(QStringLiteral("mnuBarHelp"));
    mnuOsirase = mnuBarHelp->addAction(QStringLiteral(u"お知らせ(&O)"));
    mnuOsirase->setObjectName(QStringLiteral("mnuOsirase"));
    connect(mnuOsirase, &QAction::triggered, this, &frmMain::mnuOsirase_Click);
    mnuVer = mnuBarHelp->addAction(QStringLiteral(u"ﾊﾞｰｼﾞｮﾝ情報(&A)"));
    mnuVer->setObjectName(QStringLiteral("mnuVer"));
    connect(mnuVer, &QAction::triggered, this, &frmMain::mnuVer_Click);
    addSoundMenu(this, mnuBarHelp);

    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::Form_Load()
{
    m_firstActivation = true;
    setWindowTitle(app().AppTitleText + QStringLiteral("  ( Ver%1.%2.%3 )")
                                            .arg(BuildInfo::VersionMajor)
                                            .arg(BuildInfo::VersionMinor)
                                            .arg(BuildInfo::VersionRevision));
    for (const Exercise &entry : exercises()) {
        QPushButton *button = cmdMenu[std::size_t(entry.number)];
        button->setText(entry.title);
        // A title of signs ("●●●たたき") reads as words.
        if (A11y::spoken(entry.title) != entry.title)
            button->setAccessibleName(A11y::spoken(entry.title));
    }
}

int frmMain::rows()
{
    return (exerciseCount() + Columns - 1) / Columns;
}

int frmMain::clientHeight()
{
    // The end button 120 below the last row, and as much again under it.
    return ButtonTop + RowHeight * rows() + 120 + 840;
}

bool frmMain::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        queueFirstActivation();
    return QMainWindow::event(event);
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Some platforms never activate a window that is not in front of the
    // player (an offscreen one, for instance): being shown counts as well.
    queueFirstActivation();
}

void frmMain::queueFirstActivation()
{
    if (!m_firstActivation || m_activationQueued)
        return;
    m_activationQueued = true;
    QMetaObject::invokeMethod(this, &frmMain::Form_Activate, Qt::QueuedConnection);
}

void frmMain::Form_Activate()
{
    m_activationQueued = false;
    if (!m_firstActivation)
        return;
    // Cleared before the notice opens: the activation that follows its
    // closing is no longer the first.
    m_firstActivation = false;

    const QString stored = ReadSetting(frmOsirase::SettingsSection(), frmOsirase::VersionKey(), app().AppVersionText);
    const int flag = frmOsirase::StoredDspFlag();
    if (stored != app().AppVersionText || flag == 0)
        mnuOsirase_Click();
}

void frmMain::cmdMenu_Click(int index)
{
    if (index < 1 || index > exerciseCount())
        return;
    if (QDialog *trainer = m_trainerFactory(index, this))
        showModal(trainer);
}

void frmMain::mnuOsirase_Click()
{
    showModal(new frmOsirase(this));
}

void frmMain::mnuVer_Click()
{
    showModal(new frmVer(frmVer::Mode::About, this));
}

void frmMain::mnuSeiseki_Click()
{
    showModal(new frmSeiseki(m_game.history, this));
}

void frmMain::mnuExport_Click()
{
    HistoryExport::exportAll(m_game.history, this);
}

void frmMain::cmdEnd_Click()
{
    close();
}

void frmMain::showModal(QDialog *window)
{
    const QPointer<QDialog> guard(window);
    m_openWindow = window;
    emit windowOpened(window);
    if (guard)
        window->exec();
    m_openWindow = nullptr;
    // A window that deleted itself on closing is already gone.
    delete guard.data();
}
