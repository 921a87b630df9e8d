#include "exercises/14_prefectures/frmtrainer14.h"

#include "exercises/14_prefectures/shapewords.h"
#include "exercises/catalogue.h"

#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/keys.h"
#include "ui/twips.h"

#include <QFrame>
#include <QLabel>

namespace {

// cmdPic(i) in fraAns: left edges in index order (twips).
constexpr std::array<int, Prefectures::Choices> PictureLefts = {60, 2100, 4140, 6180};
constexpr int PictureSide = 2000;

} // namespace

FramePlaces frmTrainer14::framePlaces()
{
    FramePlaces places;
    places.client = {10530, 6900};
    places.lblExp = {300, 120, 7875, 2115};
    places.lblResult = {3180, 2400, 525, 435};
    places.lblProbCnt = {3900, 2400, 1935, 375};
    places.cmdRank = {8760, 240, 1575, 615};
    places.cmdStart = {8760, 1020, 1575, 855};
    places.Label1 = {8820, 2040, 1095, 255};
    places.lblTimer = {8820, 2520, 1095, 375};
    // "秒" beside the taller stopwatch, on its middle line.
    places.Label2 = {10020, 2580, 240, 240};
    places.cmdEnd = {8760, 6060, 1575, 615};
    return places;
}

frmTrainer14::frmTrainer14(QWidget *parent)
    : TrainerWindow(ExerciseNumber, parent, framePlaces())
    , Prefs(Prefectures::buildTable())
{
    setInstructionLines({QStringLiteral(u"●出題される都道府県名のシルエットを押すんだぴこ。")});

    fraProb = Controls::frame(this, QStringLiteral("fraProb"), Twips::rect(360, 2940, 7755, 1575));
    lblName[0] = Controls::label(fraProb, QStringLiteral("lblName(0)"), QString(), Fonts::pGothic(15.75),
                                 Twips::rect(1560, 60, 4575, 375), Qt::AlignCenter);
    lblName[1] = Controls::label(fraProb, QStringLiteral("lblName(1)"), QString(), Fonts::pGothic(48),
                                 Twips::rect(1560, 480, 4575, 1035), Qt::AlignCenter);

    fraAns = Controls::frame(this, QStringLiteral("fraAns"), Twips::rect(120, 4620, 8235, 2175));
    for (int i = 0; i < Prefectures::Choices; ++i) {
        auto *button = Controls::button<SilhouetteButton>(fraAns, QStringLiteral("cmdPic(%1)").arg(i), QString(),
                                                          Twips::rect(PictureLefts[i], 60, PictureSide, PictureSide));
        connect(button, &QPushButton::clicked, this, [this, i] { cmdPic_Click(i); });
        // Named by place only: the prefecture it shows is the question.
        button->setAccessibleName(QStringLiteral(u"左から%1番目のシルエット").arg(i + 1));
        button->setAccessibleDescription(QStringLiteral(u"数字キー%1でも押せる").arg(i + 1));
        cmdPic[i] = button;
    }
    setAnswerArea(fraAns);
    Keys::numberKeys(Keys::buttons(cmdPic));

    showQuestion(Prefectures::LoadQuestion);
}

void frmTrainer14::showQuestion(const Prefectures::Question &question)
{
    AnswerPosition = question.AnswerPosition;
    Shown = question;
    lblName[0]->setText(Prefs[question.asked].reading);
    lblName[1]->setText(Prefs[question.asked].name);
    for (int i = 0; i < Prefectures::Choices; ++i)
        cmdPic[i]->setPicture(imgPic, question.Choice[i]);
}

void frmTrainer14::NextQuestion()
{
    showQuestion(m_questions.draw(random()));
}

QString frmTrainer14::spokenQuestion() const
{
    // The name by its reading, then the four silhouettes as a listener can
    // know them: by where the prefecture lies and what marks its outline,
    // never by name (shapeWords).
    QStringList parts = {Prefs[Shown.asked].reading + QStringLiteral(u"、") + Prefs[Shown.asked].name};
    for (int i = 0; i < Prefectures::Choices; ++i)
        parts.append(QStringLiteral(u"%1、%2").arg(i + 1).arg(Prefectures::shapeWords(Shown.Choice[i])));
    return parts.join(QStringLiteral(u"。"));
}

void frmTrainer14::cmdPic_Click(int Index)
{
    answer(Prefectures::isRightAnswer(Index, AnswerPosition));
}

// The exercise as the menu, the ranking and the history know it.
Exercise Exercises::prefectures()
{
    return {14, QStringLiteral(u"とどうふけん"), [](QWidget *parent) -> TrainerWindow * { return new frmTrainer14(parent); }};
}
