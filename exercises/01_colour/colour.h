#pragma once

#include "run/random.h"

#include <QString>

#include <array>

// これは何色？ — a colour word written in a coloured ink; the player presses
// the button of the ink, not of the colour the word names.
namespace Colour {

inline constexpr int ColourCount = 5;

// Indices 1 to 5, shared by inks, words and the answer buttons. Colours as 0xRRGGBB.
inline constexpr std::array<quint32, ColourCount + 1> ColourTable = {
    0, 0x000000, 0xFF0000, 0x0000FF, 0xFFFF00, 0x00FF00,
};
const std::array<QString, ColourCount + 1> &ColourNames();

// The look of the question label before the first run: "あお" in yellow.
inline constexpr quint32 InkAtLoad = 0xFFFF00;

struct Question
{
    quint32 ink;
    QString word;
};

// A new question: an ink other than previousInk, and a word drawn on its own.
Question drawQuestion(RandomSource &random, quint32 previousInk);

// Right when the pressed button's colour is the ink (the word does not count).
constexpr bool isRightAnswer(quint32 shownInk, int pressedIndex)
{
    return pressedIndex >= 1 && pressedIndex <= ColourCount && ColourTable[pressedIndex] == shownInk;
}

} // namespace Colour
