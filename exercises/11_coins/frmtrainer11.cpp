#include "exercises/11_coins/frmtrainer11.h"

#include "exercises/catalogue.h"

#include "exercises/11_coins/coinpictures.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace {

// The places in fraProb (twips): column c starts at PlaceLeft + PlaceStep x c,
// row r at PlaceStep x r; a place is a little wider than the step, so
// neighbours share their edge.
constexpr int PlaceLeft = 240;
constexpr int PlaceStep = 1260;
constexpr int PlaceSide = 1275;

} // namespace

frmTrainer11::frmTrainer11(QWidget *parent)
    : TrainerWindow(ExerciseNumber, parent)
{
    setInstructionLines({QStringLiteral(u"●コインの合計金額を入力するんだぴこ。"),
                         QStringLiteral(u"※向きが違う時や、何にも無い時もあるよ。")});
    // Six instruction lines; the marks sit lower.
    placeForLongerInstructions(1455, 1680);

    fraProb = Controls::frame(this, QStringLiteral("fraProb"), Twips::rect(300, 2160, 5715, 2535));
    for (int place = 0; place < Coins::Places; ++place) {
        auto *picture = new CoinPicture(fraProb);
        picture->setObjectName(QStringLiteral("picProb(%1)").arg(place));
        // Named by place only: reading the coins out would answer the question.
        picture->setAccessibleName(QStringLiteral(u"%1の段　左から%2番目")
                                       .arg(Coins::row(place) == 0 ? QStringLiteral(u"上") : QStringLiteral(u"下"))
                                       .arg(Coins::column(place) + 1));
        Twips::place(picture, PlaceLeft + PlaceStep * Coins::column(place), PlaceStep * Coins::row(place), PlaceSide,
                     PlaceSide);
        picProb[place] = picture;
    }

    fraAns = Controls::frame(this, QStringLiteral("fraAns"), Twips::rect(250, 4920, 5775, 615));
    txtAns = Controls::textBox(fraAns, QStringLiteral("txtAns"), Fonts::gothic(15.75), Twips::rect(2340, 120, 1395, 390),
                               AnswerLength);
    txtAns->setText(QStringLiteral("666"));
    txtAns->setAccessibleName(QStringLiteral(u"合計金額"));
    txtAns->setAccessibleDescription(QStringLiteral(u"円の数字を入れてEnterキー"));
    lblYen = Controls::label(fraAns, QStringLiteral("lblYen"), QStringLiteral(u"円"), Fonts::gothic(12),
                             Twips::rect(3840, 240, 0, 0));
    lblYen->adjustSize();
    connect(txtAns, &QLineEdit::returnPressed, this, &frmTrainer11::txtAns_Enter);
    setAnswerArea(fraAns);

    showBoard(Coins::SampleBoard);
    CoinTotal = Coins::totalOf(Coins::SampleBoard);
}

void frmTrainer11::showBoard(const Coins::Board &board)
{
    for (int place = 0; place < Coins::Places; ++place)
        picProb[place]->setSlot(board[place]);
}

void frmTrainer11::NextQuestion()
{
    txtAns->clear();
    const Coins::Question question = Coins::drawQuestion(random());
    CoinTotal = question.CoinTotal;
    showBoard(question.board);
    txtAns->setFocus();
}

QString frmTrainer11::spokenQuestion() const
{
    // What the eye gets from a coin is its look, not a number: the player
    // knows the coins by colour, size and hole and adds them up. So each coin
    // is said as it looks, never by its value (which, for a single coin or a
    // few, would be the total itself), in reading order, top row then bottom.
    // Turned coins and empty places change nothing in the sum and are not said.
    static const std::array<QString, 6> Looks = {
        QStringLiteral(u"白くて小さい"),     // 1 yen
        QStringLiteral(u"金色で穴あき"),     // 5 yen
        QStringLiteral(u"銅色"),             // 10 yen
        QStringLiteral(u"銀色で穴あき"),     // 50 yen
        QStringLiteral(u"銀色"),             // 100 yen
        QStringLiteral(u"大きくて金色"),     // 500 yen
    };
    QStringList coins;
    for (int row = 0; row < Coins::Rows; ++row)
        for (int place = row; place < Coins::Places; place += Coins::Rows)
            if (!Coins::isBlank(picProb[place]->slot()))
                coins.append(Looks[(picProb[place]->slot() - Coins::FirstCoinSlot) / Coins::Orientations]);
    if (coins.isEmpty())
        return QStringLiteral(u"硬貨はなし");
    return QStringLiteral(u"硬貨%1枚、%2").arg(coins.size()).arg(coins.join(QStringLiteral(u"、")));
}

void frmTrainer11::txtAns_Enter()
{
    answer(Coins::isRightAnswer(txtAns->text(), CoinTotal));
}

// The exercise as the menu, the ranking and the history know it.
Exercise Exercises::coins()
{
    return {11, QStringLiteral(u"これ、いくら？"), [](QWidget *parent) -> TrainerWindow * { return new frmTrainer11(parent); }};
}
