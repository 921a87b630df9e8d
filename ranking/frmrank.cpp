#include "ranking/frmrank.h"

#include "settings/appstate.h"
#include "settings/dialogs.h"
#include "ranking/rankline.h"
#include "ranking/rankrows.h"
#include "ranking/rankstore.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
const QString NoDataText = QStringLiteral("No Data");
}

frmRank::frmRank(RankStore &ranking, QWidget *parent) : QDialog(parent), m_ranking(ranking)
{
    setObjectName(QStringLiteral("frmRank"));
    setWindowTitle(QStringLiteral(u"順位"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(Twips::size(6735, 5640));

    lblRankTitle = Controls::label(this, QStringLiteral("lblRankTitle"), QString(), Fonts::pGothic(15.75, true),
                                   Twips::rect(240, 120, 6015, 375), Qt::AlignCenter);
    lblTitle = Controls::label(this, QStringLiteral("lblTitle"),
                               QStringLiteral(u" 順位　　時間　　　　名　前　　　　ランクイン日時"), Fonts::gothic(12),
                               Twips::rect(120, 660, 6255, 315));

    txtRank = Controls::readOnlyText(this, QStringLiteral("txtRank"), QString(), Fonts::gothic(12),
                                     Twips::rect(120, 960, 6495, 3975));
    txtRank->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtRank->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The rows are laid out for the text box's own first column.
    txtRank->document()->setDocumentMargin(2);

    cmdClr = Controls::button(this, QStringLiteral("cmdClr"), QStringLiteral(u"クリア"), Fonts::pGothic(9),
                              Twips::rect(120, 5040, 735, 375));
    cmdClose = Controls::button(this, QStringLiteral("cmdClose"), QStringLiteral(u"閉　じ　る"), Fonts::pGothic(12),
                                Twips::rect(2340, 5040, 1815, 495));

    connect(cmdClr, &QPushButton::clicked, this, &frmRank::cmdClr_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    // Read as words, not as the spaced-out caption.
    txtRank->setAccessibleName(QStringLiteral(u"順位表"));
    cmdClr->setAccessibleDescription(QStringLiteral(u"この練習の順位をすべて消す"));
    cmdClose->setAccessibleName(QStringLiteral(u"閉じる"));

    Form_Load();
}

void frmRank::Form_Load()
{
    const RankStore &store = m_ranking;
    lblRankTitle->setText(store.RankTitle);
    QStringList rows;
    for (int i = 1; i <= RankStore::Capacity; ++i) {
        const QString &line = store.RankData[i];
        if (line.isEmpty())
            break;
        if (!RankLine(line).hasTimePart()) {
            dialogs().showMessage(app().BrokenIniMessage, app().AppTitleText, Dialogs::Icon::None);
            break;
        }
        rows.append(RankRows::row(i, line));
    }
    txtRank->setPlainText(rows.isEmpty() ? NoDataText : rows.join(QLatin1Char('\n')));
}

void frmRank::cmdClr_Click()
{
    RankStore &store = m_ranking;
    const QString question = QStringLiteral(u"『%1』　のランキングを全てクリアします。宜しいですか？").arg(store.RankSection);
    if (!dialogs().askYesNo(question, QStringLiteral(u"クリアしちゃうの？")))
        return;
    if (!dialogs().askYesNo(QStringLiteral(u"本当に良いですか？"), QStringLiteral(u"え～")))
        return;
    if (!store.ClearRanking()) {
        // The rows stay: the file still holds them.
        tellWriteFailed(QStringLiteral(u"ランキングはクリアできなかったぴこ。"));
        return;
    }
    txtRank->setPlainText(NoDataText);
}
