#include "app/frmosirase.h"

#include "app/appstate.h"
#include "app/changehistory.h"
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

void paintBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

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
    paintBackground(this, Pink);

    shpFrame = new QFrame(this);
    shpFrame->setObjectName(QStringLiteral("shpFrame"));
    shpFrame->setFrameShape(QFrame::Box);
    shpFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
    shpFrame->setGeometry(rect());

    Label1 = new QLabel(QStringLiteral(u"★　お知らせ　★"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(Fonts::pGothic(24));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Twips::place(Label1, 120, 120, 7035, 540);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);
    paintBackground(Frame1, Pink);
    Twips::place(Frame1, 60, 660, 7155, 3615);

    txtOsirase = new QPlainTextEdit(Frame1);
    txtOsirase->setObjectName(QStringLiteral("txtOsirase"));
    txtOsirase->setFont(Fonts::pGothic(9));
    txtOsirase->setReadOnly(true);
    txtOsirase->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Twips::place(txtOsirase, 120, 120, 6915, 3375);

    chkDsp = new QCheckBox(QStringLiteral(u"次回から表示しない。"), this);
    chkDsp->setObjectName(QStringLiteral("chkDsp"));
    Twips::place(chkDsp, 660, 4380, 3015, 255);

    const QString memos[2] = {
        QStringLiteral(u"※お知らせはメニュー画面のヘルプからいつでもご覧になれます。"),
        QStringLiteral(u"※バージョンアップ時は強制表示します。"),
    };
    for (int index = 0; index < 2; ++index) {
        lblMemo[index] = new QLabel(memos[index], this);
        lblMemo[index]->setObjectName(QStringLiteral("lblMemo(%1)").arg(index));
        paintBackground(lblMemo[index], Pink);
        Twips::place(lblMemo[index], 660, 4740 + 240 * index, 5895, 195);
    }

    cmdClose = new QPushButton(QStringLiteral(u"閉じる"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);
    Twips::place(cmdClose, 2940, 5280, 1455, 555);
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
    WriteSettings(SettingsSection(), {
                                         {VersionKey(), app().AppVersionText},
                                         {DspFlagKey(), chkDsp->isChecked() ? QStringLiteral("1") : QStringLiteral("0")},
                                     });
}
