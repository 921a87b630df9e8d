#include "exercises/14_prefectures/prefectures.h"

#include "run/random.h"

#include <algorithm>

namespace Prefectures {

Table buildTable()
{
    return {{
        {QStringLiteral(u"ほっかいどう"), QStringLiteral(u"北海道")},
        {QStringLiteral(u"あおもり"), QStringLiteral(u"青森")},
        {QStringLiteral(u"いわて"), QStringLiteral(u"岩手")},
        {QStringLiteral(u"みやぎ"), QStringLiteral(u"宮城")},
        {QStringLiteral(u"あきた"), QStringLiteral(u"秋田")},
        {QStringLiteral(u"やまがた"), QStringLiteral(u"山形")},
        {QStringLiteral(u"ふくしま"), QStringLiteral(u"福島")},
        {QStringLiteral(u"いばらき"), QStringLiteral(u"茨城")},
        {QStringLiteral(u"とちぎ"), QStringLiteral(u"栃木")},
        {QStringLiteral(u"ぐんま"), QStringLiteral(u"群馬")},
        {QStringLiteral(u"さいたま"), QStringLiteral(u"埼玉")},
        {QStringLiteral(u"ちば"), QStringLiteral(u"千葉")},
        {QStringLiteral(u"とうきょう"), QStringLiteral(u"東京")},
        {QStringLiteral(u"かながわ"), QStringLiteral(u"神奈川")},
        {QStringLiteral(u"にいがた"), QStringLiteral(u"新潟")},
        {QStringLiteral(u"とやま"), QStringLiteral(u"富山")},
        {QStringLiteral(u"いしかわ"), QStringLiteral(u"石川")},
        {QStringLiteral(u"ふくい"), QStringLiteral(u"福井")},
        {QStringLiteral(u"やまなし"), QStringLiteral(u"山梨")},
        {QStringLiteral(u"ながの"), QStringLiteral(u"長野")},
        {QStringLiteral(u"ぎふ"), QStringLiteral(u"岐阜")},
        {QStringLiteral(u"しずおか"), QStringLiteral(u"静岡")},
        {QStringLiteral(u"あいち"), QStringLiteral(u"愛知")},
        {QStringLiteral(u"みえ"), QStringLiteral(u"三重")},
        {QStringLiteral(u"しが"), QStringLiteral(u"滋賀")},
        {QStringLiteral(u"きょうと"), QStringLiteral(u"京都")},
        {QStringLiteral(u"おおさか"), QStringLiteral(u"大阪")},
        {QStringLiteral(u"ひょうご"), QStringLiteral(u"兵庫")},
        {QStringLiteral(u"なら"), QStringLiteral(u"奈良")},
        {QStringLiteral(u"わかやま"), QStringLiteral(u"和歌山")},
        {QStringLiteral(u"とっとり"), QStringLiteral(u"鳥取")},
        {QStringLiteral(u"しまね"), QStringLiteral(u"島根")},
        {QStringLiteral(u"おかやま"), QStringLiteral(u"岡山")},
        {QStringLiteral(u"ひろしま"), QStringLiteral(u"広島")},
        {QStringLiteral(u"やまぐち"), QStringLiteral(u"山口")},
        {QStringLiteral(u"とくしま"), QStringLiteral(u"徳島")},
        {QStringLiteral(u"かがわ"), QStringLiteral(u"香川")},
        {QStringLiteral(u"えひめ"), QStringLiteral(u"愛媛")},
        {QStringLiteral(u"こうち"), QStringLiteral(u"高知")},
        {QStringLiteral(u"ふくおか"), QStringLiteral(u"福岡")},
        {QStringLiteral(u"さが"), QStringLiteral(u"佐賀")},
        {QStringLiteral(u"ながさき"), QStringLiteral(u"長崎")},
        {QStringLiteral(u"くまもと"), QStringLiteral(u"熊本")},
        {QStringLiteral(u"おおいた"), QStringLiteral(u"大分")},
        {QStringLiteral(u"みやざき"), QStringLiteral(u"宮崎")},
        {QStringLiteral(u"かごしま"), QStringLiteral(u"鹿児島")},
        {QStringLiteral(u"おきなわ"), QStringLiteral(u"沖縄")},
    }};
}

Question Questions::draw(RandomSource &random)
{
    Question question;
    question.Choice.fill(EmptySlot);

    int asked = drawInt(random, Count);
    while (asked == m_previousPrefecture)
        asked = drawInt(random, Count);
    m_previousPrefecture = asked;
    question.asked = asked;

    question.AnswerPosition = drawInt(random, Choices);
    question.Choice[question.AnswerPosition] = asked;

    // The other buttons in order, each a prefecture no button shows yet.
    for (int &slot : question.Choice) {
        if (slot != EmptySlot)
            continue;
        int other = drawInt(random, Count);
        while (std::find(question.Choice.begin(), question.Choice.end(), other) != question.Choice.end())
            other = drawInt(random, Count);
        slot = other;
    }
    return question;
}

} // namespace Prefectures
