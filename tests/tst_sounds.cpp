// The game's sounds: the switch kept in the settings file (written, read
// back, left alone by everything else, safe when the file cannot be
// written), the menu item that turns it, the cues a run plays, and a game
// that stays silent and quiet where there is no audio output.

#include "app/frmmain.h"
#include "exercises/09_longest/linesview.h"
#include "support/files.h"
#include "support/trainerfixture.h"
#include "ui/sounds.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

QString storedSwitch()
{
    return ReadSetting(Sounds::settingsSection(), Sounds::enabledKey(), QStringLiteral("none"));
}

QList<Sounds::Cue> cuesOf(const QSignalSpy &spy)
{
    QList<Sounds::Cue> cues;
    for (const QList<QVariant> &arguments : spy)
        cues.append(arguments.at(0).value<Sounds::Cue>());
    return cues;
}

} // namespace

class TestSounds : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir noAudio;

    // Plays one run of ながいのど～れ？ with wrongs wrong answers among the 50.
    void playRun(TrainerFixture<TrainerWindow> &fx, int wrongs)
    {
        auto *view = fx.control<LinesView>(QStringLiteral("fraProb"));
        fx.random.pushSeeded(quint32(wrongs + 1), 1000);
        fx.clickStart();
        for (int q = 1; q <= 50; ++q) {
            const Longest::LineSet &lines = view->lines();
            const auto shortest = std::min_element(lines.begin(), lines.end(),
                                                   [](auto a, auto b) { return a.length() < b.length(); });
            const auto longest = std::max_element(lines.begin(), lines.end(),
                                                  [](auto a, auto b) { return a.length() < b.length(); });
            const auto pressed = q <= wrongs ? shortest : longest;
            fx.click(fx.button(qPrintable(QStringLiteral("cmdAns(%1)").arg(int(pressed - lines.begin())))));
        }
    }

private slots:
    void initTestCase()
    {
        setUpGame();
        // A machine without an audio server, whatever this one has.
        qunsetenv("PULSE_SERVER");
        QVERIFY(noAudio.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(noAudio.path()));
    }

    // --- The switch in the settings file ------------------------------------

    void onWhenNothingIsKept()
    {
        TempSettings settings;
        QVERIFY(Sounds::enabled());
        // Reading it writes nothing.
        QVERIFY(!QFile::exists(settings.path()));
    }

    void switchWrittenAndReadBack()
    {
        TempSettings settings;
        QVERIFY(Sounds::setEnabled(false));
        QCOMPARE(storedSwitch(), QStringLiteral("0"));
        QCOMPARE(SettingsFile(settings.path()).read(u"sound", u"enabled", u"none"), QStringLiteral("0"));
        QVERIFY(!Sounds::enabled());
        QVERIFY(Sounds::setEnabled(true));
        QCOMPARE(SettingsFile(settings.path()).read(u"sound", u"enabled", u"none"), QStringLiteral("1"));
        QVERIFY(Sounds::enabled());
    }

    // Files of earlier versions keep every line; the switch is a section of its own at the end.
    void otherSettingsUntouched()
    {
        TempSettings settings;
        WriteSetting(QStringLiteral("osirase"), QStringLiteral("dspFlag"), QStringLiteral("1"));
        WriteSetting(QStringLiteral(u"あみだくじ"), QStringLiteral("1"),
                     QStringLiteral(u"12.3　ねこ            2024/05/06 07:08"));
        const QByteArray before = fileBytes(settings.path());
        QVERIFY(Sounds::setEnabled(false));
        QCOMPARE(fileBytes(settings.path()), before + raw("[sound]\r\nenabled=0\r\n"));
        QCOMPARE(ReadSetting(QStringLiteral(u"あみだくじ"), QStringLiteral("1"), QString()),
                 QStringLiteral(u"12.3　ねこ            2024/05/06 07:08"));
    }

    void handEditedValues_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("on");
        QTest::newRow("0") << QByteArray("enabled=0") << false;
        QTest::newRow("0 in spaces") << QByteArray("enabled = 0 ") << false;
        QTest::newRow("1") << QByteArray("enabled=1") << true;
        QTest::newRow("empty") << QByteArray("enabled=") << true;
        QTest::newRow("words") << QByteArray("enabled=off") << true;
        QTest::newRow("key in capitals") << QByteArray("ENABLED=0") << false;
    }
    void handEditedValues()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, on);
        TempSettings settings;
        QVERIFY(putBytes(settings.path(), "[sound]\r\n" + line + "\r\n"));
        setSettingsFilePath(settings.path());
        QCOMPARE(Sounds::enabled(), on);
    }

    void fileThatCannotBeWritten()
    {
        TempSettings elsewhere;
        setSettingsFilePath(elsewhere.folder() + QStringLiteral("/no such folder/カシコロ.ini"));
        QVERIFY(!Sounds::setEnabled(false));
        // The choice holds for the session all the same.
        QVERIFY(!Sounds::enabled());
        QVERIFY(!QFile::exists(app().SettingsFilePath));
        // Another settings file has a switch of its own.
        TempSettings other;
        QVERIFY(Sounds::enabled());
    }

    // --- The menu ---------------------------------------------------------

    void menuItem()
    {
        TempSettings settings;
        GameContext game;
        frmMain menu(game);
        auto *options = menu.findChild<QMenu *>(QStringLiteral("mnuBarOption"));
        auto *help = menu.findChild<QMenu *>(QStringLiteral("mnuBarHelp"));
        QVERIFY(options && help);
        QCOMPARE(options->title(), QStringLiteral(u"ｵﾌﾟｼｮﾝ(&O)"));
        const QList<QAction *> bar = menu.menuBar()->actions();
        QCOMPARE(bar.indexOf(options->menuAction()) + 1, bar.indexOf(help->menuAction()));

        auto *sound = menu.findChild<QAction *>(QStringLiteral("mnuSound"));
        QCOMPARE(options->actions(), QList<QAction *>{sound});
        QCOMPARE(sound->text(), QStringLiteral(u"効果音(&E)"));
        QVERIFY(sound->isCheckable());
        QVERIFY(sound->isChecked());

        sound->trigger();
        QVERIFY(!sound->isChecked());
        QCOMPARE(storedSwitch(), QStringLiteral("0"));
        sound->trigger();
        QCOMPARE(storedSwitch(), QStringLiteral("1"));

        // The tick shows the setting in force each time the menu opens.
        Sounds::setEnabled(false);
        emit options->aboutToShow();
        QVERIFY(!sound->isChecked());
    }

    void menuItemOnAFileThatCannotBeWritten()
    {
        TempSettings elsewhere;
        ScriptedDialogs told;
        GameContext game;
        frmMain menu(game);
        setSettingsFilePath(elsewhere.folder() + QStringLiteral("/no such folder/カシコロ.ini"));
        auto *sound = menu.findChild<QAction *>(QStringLiteral("mnuSound"));
        sound->trigger();
        // Off for the session, and the player knows it will not be kept.
        QVERIFY(!Sounds::enabled());
        QCOMPARE(told.shown.size(), 1);
        QVERIFY(told.shown[0].text.contains(QStringLiteral(u"効果音の選択は残せなかったぴこ。")));
    }

    // --- Playing ----------------------------------------------------------

    // Where no audio output can be found the game plays on in silence, and
    // says nothing about it on the console either.
    void noAudioOutputNoError()
    {
        TempSettings settings;
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        Sounds sounds;
        QSignalSpy played(&sounds, &Sounds::played);
        sounds.prepare();
        QVERIFY(!sounds.audible());
        for (int round = 0; round < 20; ++round)
            for (Sounds::Cue cue : {Sounds::Cue::Right, Sounds::Cue::Wrong, Sounds::Cue::Finished, Sounds::Cue::NewRecord})
                sounds.play(cue);
        QCOMPARE(played.count(), 80);
    }

    // The sounds are played by a module of their own, loaded when the first
    // exercise opens: it is found where the game looks for it.
    void soundModuleIsFound()
    {
        QVERIFY(Sounds::findModule() != nullptr);
    }

    // Each sound is plain PCM, under 150 ms and quiet: well below full scale,
    // starting and ending at silence so that cutting one off never clicks.
    void soundsAreShortAndQuiet_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *name : {"right", "wrong", "finished", "record"})
            QTest::newRow(name) << QStringLiteral(":/assets/sounds/%1.wav").arg(QLatin1String(name));
    }
    void soundsAreShortAndQuiet()
    {
        QFETCH(QString, file);
        const QByteArray wav = fileBytes(file);
        QVERIFY(wav.size() > 44);
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
        const auto u16 = [&wav](int at) { return quint16(quint8(wav[at]) | quint8(wav[at + 1]) << 8); };
        const auto u32 = [&](int at) { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; };
        QCOMPARE(u16(20), quint16(1));     // PCM
        QCOMPARE(u16(22), quint16(1));     // mono
        QCOMPARE(u32(24), quint32(22050)); // samples a second
        QCOMPARE(u16(34), quint16(16));    // bits a sample
        QCOMPARE(wav.mid(36, 4), QByteArray("data"));
        const int samples = int(u32(40) / 2);
        QCOMPARE(44 + samples * 2, int(wav.size()));
        QVERIFY(samples * 1000 / 22050 < 150);

        int peak = 0;
        for (int i = 0; i < samples; ++i)
            peak = std::max(peak, std::abs(int(qint16(u16(44 + 2 * i)))));
        QVERIFY(peak > 32767 / 10);
        QVERIFY(peak < 32767 * 3 / 10);
        QVERIFY(std::abs(int(qint16(u16(44)))) < 100);
        QVERIFY(std::abs(int(qint16(u16(44 + 2 * (samples - 1))))) < 100);
    }

    void silentWhenOff()
    {
        TempSettings settings;
        QVERIFY(Sounds::setEnabled(false));
        Sounds sounds;
        QSignalSpy played(&sounds, &Sounds::played);
        sounds.play(Sounds::Cue::Right);
        QCOMPARE(played.count(), 0);
    }

    // Right, wrong, the end of a run, and a new best time, each heard as it happens.
    void cuesOfARun()
    {
        TrainerFixture<TrainerWindow> fx;
        QVERIFY(fx.open(9));
        QSignalSpy played(&fx.player, &Sounds::played);

        fx.dialogs->answerText(QStringLiteral(u"いちばん"));
        playRun(fx, 2);
        QList<Sounds::Cue> expected = {Sounds::Cue::Wrong, Sounds::Cue::Wrong};
        expected += QList<Sounds::Cue>(48, Sounds::Cue::Right);
        // The first time of an empty ranking is a new best.
        expected.append(Sounds::Cue::NewRecord);
        QCOMPARE(cuesOf(played), expected);

        // Slower than the best: the plain end of a run.
        played.clear();
        fx.dialogs->answerText(QStringLiteral(u"にばん"));
        playRun(fx, 3);
        QCOMPARE(cuesOf(played).last(), Sounds::Cue::Finished);
        QCOMPARE(cuesOf(played).count(Sounds::Cue::Wrong), 3);

        // Turned off: a whole run without a sound.
        played.clear();
        QVERIFY(Sounds::setEnabled(false));
        fx.dialogs->answerText(QStringLiteral(u"しずか"));
        playRun(fx, 0);
        QCOMPARE(played.count(), 0);
        QCOMPARE(fx.dialogs->shown.size(), 3);
        fx.close();
    }
};

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
