#include "app/frmosirase.h"

#include "settings/appstate.h"
#include "app/changehistory.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStringList>

namespace {

constexpr int ClientWidth = 7275;
constexpr int ClientHeight = 5955;

const QColor Pink(0xFF, 0xC0, 0xFF);

} // namespace

QString frmOsirase::NoticeText()
{
    const QStringList lines = {
        QStringLiteral(u"◆新トレコ　『とどうふけん』　を、追加しました。"),
        QStringLiteral(u"◆新機能　『ランキングクリア機能』　『ランクイン日時付加機能』　を、追加しました。"),
        QString(),
        QStringLiteral(u"◆カシコロ工房の新作　『パズコロ』　も、ぜひお試し下さい。"),
        QStringLiteral(u"　・・・詳しくはホームページにてご確認下さい。"),
        QStringLiteral(u"※ホームページへは、　『ﾍﾙﾌﾟ ⇒ ﾊﾞｰｼﾞｮﾝ情報』　から行けます。"),
        QString(),
        QStringLiteral(u"◆最初に　『!読んでね.txt』　をご一読下さい。"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

QString frmOsirase::SettingsSection()
{
    return QStringLiteral("osirase");
}

QString frmOsirase::VersionKey()
{
    return QStringLiteral("ver");
}

QString frmOsirase::DspFlagKey()
{
    return QStringLiteral("dspFlag");
}

int frmOsirase::StoredDspFlag()
{
    bool isNumber = false;
    const int flag = ReadSetting(SettingsSection(), DspFlagKey(), QStringLiteral("0")).trimmed().toInt(&isNumber);
    return isNumber ? flag : 0;
}

frmOsirase::frmOsirase(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOsirase"));
    setWindowTitle(QStringLiteral(u"お知らせ"));
    setFixedSize(Twips::size(ClientWidth, ClientHeight));
    Controls::setBackColor(this, Pink);

    shpFrame = Controls::outline(this, QStringLiteral("shpFrame"));
    shpFrame->setGeometry(rect());

    Label1 = Controls::label(this, QStringLiteral("Label1"), QStringLiteral(u"★　お知らせ　★"), Fonts::pGothic(24),
                             Twips::rect(120, 120, 7035, 540), Qt::AlignHCenter | Qt::AlignTop);

    Frame1 = Controls::frame(this, QStringLiteral("Frame1"), Twips::rect(60, 660, 7155, 3615));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);
    Controls::setBackColor(Frame1, Pink);

    txtOsirase = Controls::readOnlyText(Frame1, QStringLiteral("txtOsirase"), QString(), Fonts::pGothic(9),
                                        Twips::rect(120, 120, 6915, 3375));
    txtOsirase->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    chkDsp = new QCheckBox(QStringLiteral(u"次回から表示しない。"), this);
    chkDsp->setObjectName(QStringLiteral("chkDsp"));
    Twips::place(chkDsp, 660, 4380, 3015, 255);

    const QString memos[2] = {
        QStringLiteral(u"※お知らせはメニュー画面のヘルプからいつでもご覧になれます。"),
        QStringLiteral(u"※バージョンアップ時は強制表示します。"),
    };
    for (int index = 0; index < 2; ++index) {
        lblMemo[index] = Controls::label(this, QStringLiteral("lblMemo(%1)").arg(index), memos[index],
                                         Twips::rect(660, 4740 + 240 * index, 5895, 195));
        Controls::setBackColor(lblMemo[index], Pink);
    }

    cmdClose = Controls::button(this, QStringLiteral("cmdClose"), QStringLiteral(u"閉じる"),
                                Twips::rect(2940, 5280, 1455, 555));
    connect(cmdClose, &QPushButton::clicked, this, &frmOsirase::cmdClose_Click);

    Form_Load();
}

void frmOsirase::Form_Load()
{
    txtOsirase->setPlainText(withLineFeeds(NoticeText()));
}

void frmOsirase::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Form_Activate();
}

void frmOsirase::Form_Activate()
{
    chkDsp->setChecked(StoredDspFlag() == 1);
}

void frmOsirase::cmdClose_Click()
{
    close();
}

void frmOsirase::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmOsirase::Form_Unload()
{
    const QString flag = chkDsp->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (!WriteSettings(SettingsSection(), {{VersionKey(), app().AppVersionText}, {DspFlagKey(), flag}}))
        tellWriteFailed(QStringLiteral(u"「次回から表示しない。」の選択は残せなかったぴこ。"));
}
