#include "app/changehistory.h"

#include <QStringList>

#include <initializer_list>

namespace {

struct VersionBlock
{
    const char16_t *header;
    std::initializer_list<const char16_t *> details;
};

const QString LineEnd = QStringLiteral("\r\n");

} // namespace

QString MakeChangeHistoryText()
{
    static const VersionBlock blocks[] = {
        {u"●Ver 1.0.0（2005年 9月 9日）･･･　新規作成", {}},
        {u"●Ver 1.0.1（2005年 9月10日）･･･　バグ修正",
         {u"　　　・光ってるのは何個？＜解答の個数が１少なかった＞"}},
        {u"●Ver 2.0.0（2005年 9月24日）･･･　トレコ追加",
         {u"　　　・あみだくじ", u"　　　・どれが大きい？", u"　　　・●●●たたき"}},
        {u"●Ver 2.1.0（2005年10月 2日）･･･　出題アルゴリズム調整",
         {u"　　　・これは何色？＜前回値と違う解答にする＞", u"　　　・あみだくじ＜同上＞",
          u"　　　・●●●たたき＜同上＞"}},
        {u"●Ver 3.0.0（2005年11月 4日）･･･　トレコ追加", {u"　　　・かげんざん"}},
        {u"●Ver 3.0.1（2005年11月27日）･･･　バグ修正",
         {u"　　　・これは何色？＜青と赤の解答が逆だった＞"}},
        {u"●Ver 3.1.0（2005年11月28日）･･･　機能追加",
         {u"　　　・解答が正解の場合「○」間違った場合「×」を表示"}},
        {u"●Ver 4.0.0（2005年11月29日）･･･　トレコ追加", {u"　　　・ぬけはな～に？"}},
        {u"●Ver 5.0.0（2005年12月25日）･･･　トレコ追加",
         {u"　　　・ながいのど～れ？", u"　　　・じゃんけんぽん"}},
        {u"●Ver 6.0.0（2006年 1月 4日）･･･　トレコ追加", {u"　　　・これ、いくら？"}},
        {u"●Ver 7.0.0（2006年 7月24日）･･･　トレコ追加", {u"　　　・いま、なんじ？"}},
        {u"●Ver 7.1.0（2006年11月20日）･･･　機能追加", {u"　　　・お知らせ画面表示"}},
        {u"●Ver 8.0.0（2006年12月24日）･･･　トレコ追加", {u"　　　・えんざんし"}},
        {u"●Ver 9.0.0（2007年 9月 4日）･･･　トレコ追加", {u"　　　・とどうふけん"}},
        {u"●Ver 9.1.0（2007年 9月 5日）･･･　機能追加",
         {u"　　　・ランキングクリア機能", u"　　　・ランクイン日時付加機能"}},
    };

    QStringList blockTexts;
    for (const VersionBlock &block : blocks) {
        QStringList lines{QString::fromUtf16(block.header)};
        for (const char16_t *detail : block.details)
            lines.append(QString::fromUtf16(detail));
        blockTexts.append(lines.join(LineEnd));
    }
    return blockTexts.join(LineEnd + LineEnd);
}

QString withLineFeeds(QString crlfText)
{
    return crlfText.replace(LineEnd, QStringLiteral("\n"));
}
