#include "app/frmver.h"

#include "settings/appstate.h"
#include "app/changehistory.h"
#include "buildinfo.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

QString frmVer::MakerLinesText()
{
    const QStringList lines = {
        QStringLiteral(u"会社名：") + QString::fromUtf16(BuildInfo::Company),
        QStringLiteral(u"商　標：") + QString::fromUtf16(BuildInfo::Trademarks),
        QStringLiteral(u"著作権：") + QString::fromUtf16(BuildInfo::Copyright),
    };
    return lines.join(QStringLiteral("\r\n"));
}

frmVer::UrlOpener &frmVer::urlOpener()
{
    static UrlOpener opener = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    return opener;
}

frmVer::frmVer(Mode mode, QWidget *parent) : QDialog(parent), m_mode(mode)
{
    setObjectName(QStringLiteral("frmVer"));
    setWindowTitle(QStringLiteral(u"ﾊﾞｰｼﾞｮﾝ"));

    shpFrame = Controls::outline(this, QStringLiteral("shpFrame"));

    lblTitle = Controls::label(this, QStringLiteral("lblTitle"), QStringLiteral(u"たいとる"), Fonts::gothic(18),
                               Twips::rect(240, 180, 4215, 435), Qt::AlignLeft | Qt::AlignTop);
    // The version stands on the title's line, so that the splash, which shows
    // only the top of the window, shows it too.
    lblVer = Controls::label(this, QStringLiteral("lblVer"), QStringLiteral("Ver 01.00"), Fonts::pGothic(15.75, true),
                             Twips::rect(4560, 210, 1890, 345), Qt::AlignRight | Qt::AlignTop);
    lblName = Controls::label(this, QStringLiteral("lblName"), QStringLiteral(u"たいとる"), Fonts::gothic(9),
                              Twips::rect(480, 600, 5175, 615), Qt::AlignLeft | Qt::AlignTop);

    // The address as a link: blue, underlined, and a click on it opens it.
    const QString homePage = QString::fromUtf16(BuildInfo::HomePage);
    lblURL = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(homePage.toHtmlEscaped()), this);
    lblURL->setObjectName(QStringLiteral("lblURL"));
    lblURL->setTextFormat(Qt::RichText);
    lblURL->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    lblURL->setOpenExternalLinks(false);
    QPalette linkPalette = lblURL->palette();
    linkPalette.setColor(QPalette::Link, Qt::blue);
    lblURL->setPalette(linkPalette);
    Twips::move(lblURL, 2400, 1200);
    lblURL->adjustSize();
    connect(lblURL, &QLabel::linkActivated, this, &frmVer::OpenHomePage);

    txtHistory = Controls::readOnlyText(this, QStringLiteral("txtHistory"), QStringLiteral("Text1"), Fonts::gothic(9),
                                        Twips::rect(240, 1620, 6120, 2760));
    txtHistory->setLineWrapMode(QPlainTextEdit::NoWrap);

    cmdClose = Controls::button(this, QStringLiteral("cmdClose"), QStringLiteral(u"閉じる"),
                                Twips::rect(2640, 4500, 1455, 555));
    connect(cmdClose, &QPushButton::clicked, this, &frmVer::cmdClose_Click);

    Form_Load();
}

void frmVer::Form_Load()
{
    lblTitle->setText(app().AppTitleText);
    lblName->setText(withLineFeeds(MakerLinesText()));
    lblVer->setText(app().AppVersionText);
    if (m_mode == Mode::Splash) {
        txtHistory->clear();
        cmdClose->setEnabled(false);
        setFixedSize(Twips::size(ClientWidth, SplashHeight));
    } else {
        txtHistory->setPlainText(withLineFeeds(MakeChangeHistoryText()));
        cmdClose->setEnabled(true);
        setFixedSize(Twips::size(ClientWidth, FullHeight));
    }
    shpFrame->setGeometry(0, 0, width(), height());
    shpFrame->lower();
}

void frmVer::OpenHomePage(const QString &address)
{
    urlOpener()(QUrl(address));
}

void frmVer::cmdClose_Click()
{
    close();
}
