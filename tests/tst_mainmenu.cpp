// The menu: its buttons and help menu, the notice at the first activation,
// and the windows it opens.

#include "app/frmmain.h"
#include "buildinfo.h"
#include "ranking/rankstore.h"
#include "support/scripted.h"
#include "support/trainerfixture.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QtTest>

#include <optional>

namespace {

// Records each window the menu opens, and closes it once it is up.
class WindowLog
{
public:
    explicit WindowLog(frmMain &menu)
    {
        QObject::connect(&menu, &frmMain::windowOpened, &menu, [this, &menu](QDialog *window) {
            opened.append(window->objectName());
            QTimer::singleShot(0, window, [this, window, &menu] {
                allModal = allModal && QApplication::activeModalWidget() == window && menu.openWindow() == window;
                window->close();
            });
        });
    }

    QStringList opened;
    bool allModal = true;
};

QPushButton *menuButton(frmMain &menu, int index)
{
    return menu.findChild<QPushButton *>(QStringLiteral("cmdMenu(%1)").arg(index));
}

bool showAndSettle(frmMain &menu)
{
    menu.show();
    return QTest::qWaitFor([&menu] { return !menu.firstActivationPending() && !menu.openWindow(); });
}

// The exercises' titles in menu order, as the player knows them.
QStringList menuTitles()
{
    return {
        QStringLiteral(u"これは何色？"), QStringLiteral(u"数字順番押し"),     QStringLiteral(u"光ってるのは何個？"),
        QStringLiteral(u"あみだくじ"),   QStringLiteral(u"どれが大きい？"),   QStringLiteral(u"●●●たたき"),
        QStringLiteral(u"かげんざん"),   QStringLiteral(u"ぬけはな～に？"),   QStringLiteral(u"ながいのど～れ？"),
        QStringLiteral(u"じゃんけんぽん"), QStringLiteral(u"これ、いくら？"), QStringLiteral(u"いま、なんじ？"),
        QStringLiteral(u"えんざんし"),   QStringLiteral(u"とどうふけん"),
    };
}

QDialog *fakeExercise(int, QWidget *parent)
{
    auto *window = new QDialog(parent);
    window->setObjectName(QStringLiteral("exercise"));
    return window;
}

} // namespace

class TestMainMenu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Fonts::install();
        MakeVersionText();
    }

    void layout();
    void exerciseButtons_data();
    void exerciseButtons();
    void noticeAtFirstActivation_data();
    void noticeAtFirstActivation();
    void noticeNeverReopens();
    void exerciseChoiceLoadsRankingAndOpensModally();
    void exerciseWithoutWindowOpensNothing();
    void everyExerciseRanksUnderItsTitle_data();
    void everyExerciseRanksUnderItsTitle();
};

void TestMainMenu::layout()
{
    TempSettings settings;
    WriteSetting(QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("1"));
    GameContext game;
    frmMain menu(game);
    QVERIFY(showAndSettle(menu));
    QCOMPARE(menu.windowTitle(), QStringLiteral(u"カシコロ  ( Ver%1.%2.%3 )")
                                     .arg(BuildInfo::VersionMajor)
                                     .arg(BuildInfo::VersionMinor)
                                     .arg(BuildInfo::VersionRevision));
    QCOMPARE(menu.centralWidget()->size(), Twips::size(7890, 7080));
    QCOMPARE(menu.centralWidget()->geometry().bottom(), menu.rect().bottom());
    QCOMPARE(menu.minimumSize(), menu.maximumSize());

    auto *end = menu.findChild<QPushButton *>(QStringLiteral("cmdEnd"));
    QCOMPARE(end->text(), QStringLiteral(u"終　了"));
    QCOMPARE(end->geometry(), Twips::rect(3000, 6240, 1815, 675));

    // The records and options menus stand before the help menu (their items
    // are tested with the history and the sounds).
    auto *records = menu.findChild<QMenu *>(QStringLiteral("mnuBarSeiseki"));
    auto *help = menu.findChild<QMenu *>(QStringLiteral("mnuBarHelp"));
    auto *options = menu.findChild<QMenu *>(QStringLiteral("mnuBarOption"));
    QCOMPARE(menu.menuBar()->actions(),
             (QList<QAction *>{records->menuAction(), options->menuAction(), help->menuAction()}));
    QCOMPARE(help->title(), QStringLiteral(u"ﾍﾙﾌﾟ(&H)"));
    QStringList items;
    for (QAction *item : help->actions())
        items << item->objectName() << item->text();
    QCOMPARE(items, (QStringList{QStringLiteral("mnuOsirase"), QStringLiteral(u"お知らせ(&O)"), QStringLiteral("mnuVer"),
                                 QStringLiteral(u"ﾊﾞｰｼﾞｮﾝ情報(&A)")}));

    // Tab goes from the end button through the exercises by number.
    QStringList order;
    QWidget *widget = end;
    do {
        if (qobject_cast<QPushButton *>(widget))
            order.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != end);
    QStringList expected{QStringLiteral("cmdEnd")};
    for (int index = 1; index <= 14; ++index)
        expected.append(QStringLiteral("cmdMenu(%1)").arg(index));
    QCOMPARE(order, expected);

    QTest::mouseClick(end, Qt::LeftButton);
    QVERIFY(!menu.isVisible());
}

void TestMainMenu::exerciseButtons_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QRect>("place");
    const QStringList titles = menuTitles();
    for (int index = 1; index <= 14; ++index) {
        const int row = (index - 1) % 7;
        QTest::addRow("%d", index) << index << titles[index - 1]
                                   << Twips::rect(index <= 7 ? 240 : 4080, 240 + 840 * row, 3555, 615);
    }
}

void TestMainMenu::exerciseButtons()
{
    QFETCH(int, index);
    QFETCH(QString, title);
    QFETCH(QRect, place);
    TempSettings settings;
    GameContext game;
    frmMain menu(game);
    QPushButton *button = menuButton(menu, index);
    QCOMPARE(button->text(), title);
    QCOMPARE(exerciseTitles()[index], title);
    QCOMPARE(button->geometry(), place);
    QVERIFY(button->fontMetrics().horizontalAdvance(title) < button->width());
}

void TestMainMenu::noticeAtFirstActivation_data()
{
    QTest::addColumn<std::optional<QString>>("version");
    QTest::addColumn<std::optional<QString>>("flag");
    QTest::addColumn<bool>("shown");

    const auto is = [](const QString &text) { return std::optional<QString>(text); };
    const QString now = QStringLiteral("Ver %1.%2.%3")
                            .arg(BuildInfo::VersionMajor)
                            .arg(BuildInfo::VersionMinor)
                            .arg(BuildInfo::VersionRevision);
    const std::optional<QString> none;
    QTest::newRow("first start, no file") << none << none << true;
    QTest::newRow("ticked, same version") << is(now) << is(QStringLiteral("1")) << false;
    QTest::newRow("not ticked, same version") << is(now) << is(QStringLiteral("0")) << true;
    QTest::newRow("ticked, older version") << is(QStringLiteral("Ver 9.0.0")) << is(QStringLiteral("1")) << true;
    QTest::newRow("ticked, version in other case") << is(now.toUpper()) << is(QStringLiteral("1")) << true;
    QTest::newRow("ticked, no version stored") << none << is(QStringLiteral("1")) << false;
    QTest::newRow("flag 2, same version") << is(now) << is(QStringLiteral("2")) << false;
    QTest::newRow("flag not a number") << is(now) << is(QStringLiteral("abc")) << true;
}

void TestMainMenu::noticeAtFirstActivation()
{
    QFETCH(std::optional<QString>, version);
    QFETCH(std::optional<QString>, flag);
    QFETCH(bool, shown);

    TempSettings settings;
    if (version)
        WriteSetting(QStringLiteral("osirase"), QStringLiteral("ver"), *version);
    if (flag)
        WriteSetting(QStringLiteral("osirase"), QStringLiteral("dspFlag"), *flag);
    GameContext game;
    frmMain menu(game);
    WindowLog log(menu);
    QVERIFY(showAndSettle(menu));
    QCOMPARE(log.opened, shown ? QStringList{QStringLiteral("frmOsirase")} : QStringList());
    QVERIFY(log.allModal);
}

void TestMainMenu::noticeNeverReopens()
{
    TempSettings settings;
    GameContext game;
    frmMain menu(game);
    menu.setTrainerFactory(fakeExercise);
    WindowLog log(menu);
    QVERIFY(showAndSettle(menu));

    // Back from an exercise, from the version screen, activated again, shown again.
    QTest::mouseClick(menuButton(menu, 1), Qt::LeftButton);
    menu.findChild<QAction *>(QStringLiteral("mnuVer"))->trigger();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&menu, &activate);
    menu.hide();
    menu.show();
    QCoreApplication::processEvents();
    // Asked for, it opens as often as the player likes.
    menu.findChild<QAction *>(QStringLiteral("mnuOsirase"))->trigger();

    QCOMPARE(log.opened, (QStringList{QStringLiteral("frmOsirase"), QStringLiteral("exercise"), QStringLiteral("frmVer"),
                                      QStringLiteral("frmOsirase")}));
    QVERIFY(log.allModal);
}

void TestMainMenu::exerciseChoiceLoadsRankingAndOpensModally()
{
    TempSettings settings;
    WriteSetting(QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("1"));
    GameContext game;
    frmMain menu(game);
    QStringList rankingWhenOpened;
    QObject::connect(&menu, &frmMain::windowOpened, &menu, [&](QDialog *) {
        rankingWhenOpened = {game.ranking.RankSection, game.ranking.RankTitle, game.ranking.RankData[1]};
    });
    QVERIFY(showAndSettle(menu));
    WindowLog log(menu);

    // The real exercise window, opened through the catalogue as a player opens it.
    const QString title = QStringLiteral(u"これは何色？");
    const QString line = RankStore::makeLine(QStringLiteral("12.3"), QStringLiteral(u"たろう"),
                                             QDateTime(QDate(2007, 9, 5), QTime(12, 34)));
    WriteSetting(title, QStringLiteral("1"), line);
    QTest::mouseClick(menuButton(menu, 1), Qt::LeftButton);
    QCOMPARE(rankingWhenOpened, (QStringList{title, title, line}));
    QCOMPARE(log.opened, QStringList{QStringLiteral("frmTrainer1")});
    QVERIFY(log.allModal);

    // Chosen again, the ranking is read afresh.
    DeleteSettingSection(title);
    QTest::mouseClick(menuButton(menu, 1), Qt::LeftButton);
    QCOMPARE(rankingWhenOpened, (QStringList{title, title, QString()}));
}

void TestMainMenu::exerciseWithoutWindowOpensNothing()
{
    TempSettings settings;
    WriteSetting(QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("1"));
    GameContext game;
    frmMain menu(game);
    menu.setTrainerFactory([](int, QWidget *) -> QDialog * { return nullptr; });
    QVERIFY(showAndSettle(menu));
    WindowLog log(menu);
    QTest::mouseClick(menuButton(menu, 14), Qt::LeftButton);
    QVERIFY(log.opened.isEmpty());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(menu.isVisible() && menu.isEnabled());
}

void TestMainMenu::everyExerciseRanksUnderItsTitle_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("section");
    const QStringList titles = menuTitles();
    for (int number = 1; number <= 14; ++number)
        QTest::newRow(qPrintable(titles[number - 1])) << number << titles[number - 1];
}

// A run of an exercise opened as the menu opens it goes into the settings
// file's section of that exercise's title, and no other.
void TestMainMenu::everyExerciseRanksUnderItsTitle()
{
    QFETCH(int, number);
    QFETCH(QString, section);
    TrainerFixture<TrainerWindow> fx;
    QVERIFY(fx.open(number));
    fx.stampRankingsAt(QDateTime(QDate(2026, 4, 5), QTime(6, 7)));
    fx.random.pushSeeded(quint32(number), 400);
    fx.dialogs->answerText(QStringLiteral(u"ぴこ"));
    fx.clickStart();
    fx.ticks(12);
    // Ended as its last answer ends it, the time standing at 1.2.
    fx.window->session().FinishRun();

    QCOMPARE(fx.dialogs->shown.size(), 1);
    QCOMPARE(fx.dialogs->shown[0].caption, QStringLiteral(u"おめでとうだぴこ。　1位だぴこ。"));
    const SettingsFile file(fx.settings->path());
    QStringList sections;
    for (const QString &title : menuTitles())
        if (file.read(title, QStringLiteral("1"), QStringLiteral("NoData")) != QStringLiteral("NoData"))
            sections.append(title);
    QCOMPARE(sections, QStringList{section});
    QCOMPARE(file.read(section, QStringLiteral("1"), QStringLiteral("NoData")),
             QStringLiteral(u"1.2　ぴこ            2026/04/05 06:07"));
    fx.close();
}

QTEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
