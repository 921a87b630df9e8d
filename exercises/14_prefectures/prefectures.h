#pragma once

#include <QString>

#include <array>

class RandomSource;

// とどうふけん: a prefecture's name is shown, four silhouettes are offered,
// the player presses the named prefecture's.
namespace Prefectures {

// Rows 0 to 46, in the order of the national prefecture codes (code - 1).
constexpr int Count = 47;
constexpr int Choices = 4;
// PreviousPrefecture as the window opens: any prefecture may come first.
constexpr int NoPrevious = -1;
// A choice slot not yet filled.
constexpr int EmptySlot = -1;

struct Row
{
    QString reading; // in hiragana, shown above the name
    QString name;    // in kanji, without 都, 府 or 県
};
using Table = std::array<Row, Count>;

// The table a window builds when it is created.
Table buildTable();

struct Question
{
    int asked = 0;          // the row of the named prefecture
    int AnswerPosition = 0; // the button that shows its silhouette
    std::array<int, Choices> Choice{}; // the row each button shows
};

// What the window shows before the first run: 北海道, its silhouette on the
// second button among 三重, 和歌山 and 熊本.
constexpr Question LoadQuestion{0, 1, {23, 0, 29, 42}};

// The questions of one window, which remember the last asked row themselves.
class Questions
{
public:
    explicit Questions(int previousPrefecture = NoPrevious) : m_previousPrefecture(previousPrefecture) {}

    // The asked row Int(Rnd x 47), drawn again while it equals
    // PreviousPrefecture (which then becomes it); its button Int(Rnd x 4);
    // then for every other button in order a row Int(Rnd x 47), drawn again
    // while any button already shows it.
    Question draw(RandomSource &random);
    // The row asked last (NoPrevious before the first question).
    int PreviousPrefecture() const { return m_previousPrefecture; }

private:
    int m_previousPrefecture;
};

// Judged by position alone: the button that shows the named prefecture.
constexpr bool isRightAnswer(int pressed, int answerPosition)
{
    return pressed == answerPosition;
}

} // namespace Prefectures
