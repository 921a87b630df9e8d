#pragma once

#include <QStringView>

#include <array>

class RandomSource;

// これ、いくら？: eight places on a two-by-four grid, each showing a yen coin
// (maybe turned) or nothing; the player types the total in yen.
//
// Every picture the window can show has a slot number, and the slot says
// what it is worth: slots 0 to 3 are the blank picture, then four slots per
// coin (upright, a quarter, a half and three quarters of a turn), from the
// 1-yen coin up to the 500-yen coin.
namespace Coins {

constexpr int PictureCount = 28;
constexpr int Orientations = 4;
constexpr int BlankSlot = 0;
constexpr int FirstCoinSlot = 4;
constexpr std::array<int, 6> Denominations = {1, 5, 10, 50, 100, 500};

// The places: index = 2 x column + row, columns 0 to 3 from the left, row 0
// on top; the even places form the top row.
constexpr int Places = 8;
constexpr int Columns = 4;
constexpr int Rows = 2;
constexpr int column(int place) { return place / Rows; }
constexpr int row(int place) { return place % Rows; }

// A place's draw k = Int(r x 40): 4 to 27 shows slot k, anything else
// (0 to 3, 28 to 39) leaves the place blank. So a place is blank two times
// in five, and each coin comes one time in ten, each turn of it one in forty.
constexpr int DrawChoices = PictureCount + 12;

constexpr bool isBlank(int slot)
{
    return slot < FirstCoinSlot || slot >= PictureCount;
}

// The coin a slot shows, by its value in yen; 0 for the blank picture.
constexpr int valueOf(int slot)
{
    return isBlank(slot) ? 0 : Denominations[(slot - FirstCoinSlot) / Orientations];
}

// How far the coin of a slot is turned, in quarter turns clockwise.
constexpr int quarterTurns(int slot)
{
    return slot % Orientations;
}

// The upright slot of the coin worth value yen; the blank slot for any other value.
constexpr int uprightSlot(int value)
{
    for (int i = 0; i < int(Denominations.size()); ++i)
        if (Denominations[i] == value)
            return FirstCoinSlot + Orientations * i;
    return BlankSlot;
}

using Board = std::array<int, Places>;

// As the window opens: one upright coin of each kind, places 0 and 3 empty.
constexpr Board SampleBoard = {BlankSlot, uprightSlot(1), uprightSlot(5), BlankSlot,
                               uprightSlot(10), uprightSlot(50), uprightSlot(100), uprightSlot(500)};

// The yen shown on a board.
int totalOf(const Board &board);

struct Question
{
    Board board{};
    int CoinTotal = 0;
};

// One place: the slot it shows after the draw k = Int(r x 40).
int drawPlace(RandomSource &random);
// The eight places, 0 first, each drawn on its own; CoinTotal adds up their coins.
Question drawQuestion(RandomSource &random);

// The typed text read as the game reads every typed number: right when it is CoinTotal.
bool isRightAnswer(QStringView typed, int CoinTotal);

} // namespace Coins
