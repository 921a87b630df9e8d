// How long one answer takes to show: the key that answers, the judging, the
// next question drawn and the window painted again, for an exercise of words
// (これは何色？), of coin pictures (これ、いくら？) and of silhouettes (とどうふけん).

#include "exercises/catalogue.h"
#include "ranking/rankstore.h"
#include "run/trainerwindow.h"
#include "settings/appstate.h"
#include "settings/dialogs.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// No run reaches its end here; should one, its name box is answered at once.
class QuietDialogs final : public Dialogs
{
public:
    void showMessage(const QString &, const QString &, Icon) override {}
    bool askYesNo(const QString &, const QString &) override { return false; }
    QString askText(const QString &, const QString &, const QString &) override { return QStringLiteral("bench"); }
};

void Answer(benchmark::State &state)
{
    const int exercise = int(state.range(0));
    QTemporaryDir dir;
    setSettingsFilePath(dir.filePath(QStringLiteral(u"カシコロ.ini")));
    QuietDialogs quiet;
    Dialogs *previous = setDialogs(&quiet);
    RankStore ranking;
    std::unique_ptr<TrainerWindow> window(openExercise(exercise, ranking, nullptr));
    window->show();
    QApplication::processEvents();
    // Typed answers take a digit and Enter; the others a number key.
    const bool typed = exercise == 11;
    int answered = 0;
    const auto start = [&] {
        QTest::keyClick(window.get(), Qt::Key_F5);
        QApplication::processEvents();
        answered = 0;
    };
    start();
    for (auto _ : state) {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        if (typed) {
            QTest::keyClick(target, Qt::Key_0);
            QTest::keyClick(target, Qt::Key_Return);
        } else {
            QTest::keyClick(target, Qt::Key_1);
        }
        window->repaint();
        // A run is stopped well before its last question, and a new one started.
        if (++answered == 40) {
            state.PauseTiming();
            QTest::keyClick(window.get(), Qt::Key_F5);
            QApplication::processEvents();
            start();
            state.ResumeTiming();
        }
    }
    window.reset();
    setDialogs(previous);
}
BENCHMARK(Answer)->Arg(1)->Arg(11)->Arg(14)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

} // namespace
