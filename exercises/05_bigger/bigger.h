#pragma once

#include <QString>

#include <array>

class RandomSource;

// どれが大きい？: four different digits in four random sizes; the player
// presses the one of the largest value, whatever its size.
namespace Bigger {

constexpr int Buttons = 4;
constexpr int DigitChoices = 10;   // a digit 0 to 9
constexpr int SmallestSize = 12;   // points
constexpr int SizeChoices = 61;    // 12 to 72 points
constexpr int LargestSize = SmallestSize + SizeChoices - 1;

struct Card
{
    int pointSize = SmallestSize;
    int digit = 0;
};

struct Question
{
    std::array<Card, Buttons> cards{};
    int MaxValue = 0;
};

// The four buttons in order: for each, its size Int(Rnd x 61 + 12), then its
// digit Int(Rnd x 10), drawn again while it equals a digit already dealt.
Question drawQuestion(RandomSource &random);

// Right when the card at pressedIndex carries the question's MaxValue.
bool isRightAnswer(const Question &question, int pressedIndex);

} // namespace Bigger
