#pragma once

// The prefecture table of とどうふけん written out by hand, row by row in
// the order of the national prefecture codes (row = code - 1): what the
// tests expect the game's own table to hold, and how they find a row by the
// name on screen without asking the code under test.

#include <QString>

#include <array>

namespace WrittenPrefectures {

struct Row
{
    const char16_t *reading;
    const char16_t *name;
};

constexpr std::array<Row, 47> Rows = {{
    {u"ほっかいどう", u"北海道"}, {u"あおもり", u"青森"}, {u"いわて", u"岩手"}, {u"みやぎ", u"宮城"},
    {u"あきた", u"秋田"}, {u"やまがた", u"山形"}, {u"ふくしま", u"福島"}, {u"いばらき", u"茨城"},
    {u"とちぎ", u"栃木"}, {u"ぐんま", u"群馬"}, {u"さいたま", u"埼玉"}, {u"ちば", u"千葉"},
    {u"とうきょう", u"東京"}, {u"かながわ", u"神奈川"}, {u"にいがた", u"新潟"}, {u"とやま", u"富山"},
    {u"いしかわ", u"石川"}, {u"ふくい", u"福井"}, {u"やまなし", u"山梨"}, {u"ながの", u"長野"},
    {u"ぎふ", u"岐阜"}, {u"しずおか", u"静岡"}, {u"あいち", u"愛知"}, {u"みえ", u"三重"},
    {u"しが", u"滋賀"}, {u"きょうと", u"京都"}, {u"おおさか", u"大阪"}, {u"ひょうご", u"兵庫"},
    {u"なら", u"奈良"}, {u"わかやま", u"和歌山"}, {u"とっとり", u"鳥取"}, {u"しまね", u"島根"},
    {u"おかやま", u"岡山"}, {u"ひろしま", u"広島"}, {u"やまぐち", u"山口"}, {u"とくしま", u"徳島"},
    {u"かがわ", u"香川"}, {u"えひめ", u"愛媛"}, {u"こうち", u"高知"}, {u"ふくおか", u"福岡"},
    {u"さが", u"佐賀"}, {u"ながさき", u"長崎"}, {u"くまもと", u"熊本"}, {u"おおいた", u"大分"},
    {u"みやざき", u"宮崎"}, {u"かごしま", u"鹿児島"}, {u"おきなわ", u"沖縄"},
}};

inline QString reading(int row)
{
    return QString::fromUtf16(Rows[row].reading);
}

inline QString name(int row)
{
    return QString::fromUtf16(Rows[row].name);
}

// The row of the prefecture called name; -1 for a name that is none.
inline int rowNamed(const QString &name)
{
    for (int row = 0; row < int(Rows.size()); ++row)
        if (WrittenPrefectures::name(row) == name)
            return row;
    return -1;
}

} // namespace WrittenPrefectures
