#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The version screen: title, maker lines, version, home page and the change
// history. At start it stands in as a small splash: no history, no close button.
class frmVer : public QDialog
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 6600;
    static constexpr int SplashHeight = 1545;
    static constexpr int FullHeight = 5145;

    enum class Mode { Splash, About };

    explicit frmVer(Mode mode, QWidget *parent = nullptr);

    // "会社名：", "商　標：", "著作権：" with the product's strings, joined by CR LF.
    static QString MakerLinesText();

    // How a web address is handed to the desktop; tests put their own here.
    using UrlOpener = std::function<void(const QUrl &)>;
    static UrlOpener &urlOpener();

public slots:
    // Hands the address to the desktop, whatever becomes of it.
    void OpenHomePage(const QString &address);
    void cmdClose_Click();

private:
    void Form_Load();

    QFrame *shpFrame = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblName = nullptr;
    QLabel *lblURL = nullptr;
    QLabel *lblVer = nullptr;
    QPlainTextEdit *txtHistory = nullptr;
    QPushButton *cmdClose = nullptr;
    Mode m_mode;
};
