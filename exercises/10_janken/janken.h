#pragma once

#include <QString>

class RandomSource;

// じゃんけんぽん: the opponent shows a hand and says how the game went for
// them, "勝った" (they won) or "負けた" (they lost); the player presses the
// hand that gives that result against the shown one.
namespace Janken {

// The hands, numbered the same everywhere in the window: the opponent's
// picture, the three buttons and the rule.
enum Hand : int { Rock = 0, Scissors = 1, Paper = 2 };
constexpr int HandCount = 3;

// How the game went, from the opponent's side.
enum Outcome : int { OpponentWon = 0, OpponentLost = 1 };
constexpr int OutcomeCount = 2;

// The opponent's hand as the window opens (paper): the first question never repeats it.
constexpr int PreviousHandAtLoad = Paper;

// Rock beats scissors, scissors beat paper, paper beats rock.
constexpr bool beats(int hand, int other)
{
    return (hand + 1) % HandCount == other;
}

// The button that answers the shown hand and outcome: after "勝った" the hand
// the shown one beats, after "負けた" the hand that beats it. The game reads
// it off the sum of the two: 1 gives paper, 2 gives rock, 0 and 3 scissors.
constexpr int correctHand(int shownHand, int outcome)
{
    switch (shownHand + outcome) {
    case 1:
        return Paper;
    case 2:
        return Rock;
    default:
        return Scissors;
    }
}

// The opponent's words for an outcome.
QString outcomeCaption(int outcome);

struct Question
{
    int hand = Paper;
    int outcome = OpponentLost;
    int CorrectHand = Scissors;
};

// The opponent's hand Int(Rnd x 3), drawn again while it equals
// PreviousHand, then the outcome Int(Rnd x 2); PreviousHand becomes the hand.
//
// The questions of one window, which remember the last hand themselves:
// each draw is made as said above, PreviousHand being the last one drawn.
class Questions
{
public:
    explicit Questions(int previous = PreviousHandAtLoad) : m_previous(previous) {}

    Question draw(RandomSource &random);
    int PreviousHand() const { return m_previous; }

private:
    int m_previous;
};

// Only the one right hand counts: the shown hand itself never does, since no
// question asks for a draw.
constexpr bool isRightAnswer(int pressedHand, int CorrectHand)
{
    return pressedHand == CorrectHand;
}

} // namespace Janken
