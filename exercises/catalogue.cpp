#include "exercises/catalogue.h"

#include "exercises/01_colour/frmtrainer1.h"
#include "exercises/02_numbers/frmtrainer2.h"
#include "exercises/03_lamps/frmtrainer3.h"
#include "exercises/04_ladder/frmtrainer4.h"
#include "exercises/05_bigger/frmtrainer5.h"
#include "exercises/06_whack/frmtrainer6.h"
#include "exercises/07_sums/frmtrainer7.h"
#include "exercises/08_missing/frmtrainer8.h"
#include "exercises/09_longest/frmtrainer9.h"
#include "exercises/10_janken/frmtrainer10.h"
#include "exercises/11_coins/frmtrainer11.h"
#include "exercises/12_clock/frmtrainer12.h"
#include "exercises/13_operators/frmtrainer13.h"
#include "exercises/14_prefectures/frmtrainer14.h"
#include "ranking/rankstore.h"

namespace {

template<typename Window> TrainerWindow *make(QWidget *parent)
{
    return new Window(parent);
}

// One line per exercise.
const std::array<Exercise, ExerciseCount> Catalogue = {{
    {1, QStringLiteral(u"これは何色？"), make<frmTrainer1>},
    {2, QStringLiteral(u"数字順番押し"), make<frmTrainer2>},
    {3, QStringLiteral(u"光ってるのは何個？"), make<frmTrainer3>},
    {4, QStringLiteral(u"あみだくじ"), make<frmTrainer4>},
    {5, QStringLiteral(u"どれが大きい？"), make<frmTrainer5>},
    {6, QStringLiteral(u"●●●たたき"), make<frmTrainer6>},
    {7, QStringLiteral(u"かげんざん"), make<frmTrainer7>},
    {8, QStringLiteral(u"ぬけはな～に？"), make<frmTrainer8>},
    {9, QStringLiteral(u"ながいのど～れ？"), make<frmTrainer9>},
    {10, QStringLiteral(u"じゃんけんぽん"), make<frmTrainer10>},
    {11, QStringLiteral(u"これ、いくら？"), make<frmTrainer11>},
    {12, QStringLiteral(u"いま、なんじ？"), make<frmTrainer12>},
    {13, QStringLiteral(u"えんざんし"), make<frmTrainer13>},
    {14, QStringLiteral(u"とどうふけん"), make<frmTrainer14>},
}};

} // namespace

const Exercise &exercise(int number)
{
    Q_ASSERT(number >= 1 && number <= ExerciseCount);
    return Catalogue[number - 1];
}

std::array<QString, ExerciseCount + 1> exerciseTitles()
{
    std::array<QString, ExerciseCount + 1> titles;
    for (const Exercise &entry : Catalogue)
        titles[entry.number] = entry.title;
    return titles;
}

TrainerWindow *openExercise(int number, RankStore &ranking, QWidget *parent)
{
    if (number < 1 || number > ExerciseCount)
        return nullptr;
    const Exercise &entry = exercise(number);
    // The windows take their captions from the process-wide table the menu
    // fills; a window opened without the menu (a tool, a test) finds it too.
    if (app().ExerciseTitles[number].isEmpty())
        app().ExerciseTitles = exerciseTitles();
    ranking.RankSection = entry.title;
    ranking.RankTitle = entry.title;
    ranking.LoadRanking();
    if (!entry.create)
        return nullptr;
    TrainerWindow *window = entry.create(parent);
    window->useRanking(ranking);
    return window;
}
