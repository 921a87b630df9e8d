#include "ui/settingswait.h"

#include "settings/appstate.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Closed only by the wait being over: neither Esc nor the title bar takes
// it away.
class WaitWindow final : public QDialog
{
public:
    explicit WaitWindow(QWidget *owner) : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    {
        setObjectName(QStringLiteral("frmSettingsWait"));
        setWindowTitle(app().AppTitleText);
        setWindowModality(Qt::ApplicationModal);
        auto *label = new QLabel(SettingsWaitNotice::text(), this);
        label->setObjectName(QStringLiteral("lblWait"));
        label->setAlignment(Qt::AlignCenter);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(24, 18, 24, 18);
        layout->addWidget(label);
        setAccessibleName(label->text());
    }

    void reject() override {}

protected:
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};

QWidget *ownerWindow()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace

SettingsWaitNotice::SettingsWaitNotice()
{
    m_previous = FileLock::setWait(this);
}

SettingsWaitNotice::~SettingsWaitNotice()
{
    over();
    FileLock::setWait(m_previous);
}

QString SettingsWaitNotice::text()
{
    return QStringLiteral(u"ほかのカシコロか別のプログラムが設定ファイルに書き込み中ぴこ。\n終わるまで待っているぴこ…");
}

void SettingsWaitNotice::pause(std::chrono::milliseconds pause, std::chrono::milliseconds waited)
{
    if (waited < ShowAfter || !qobject_cast<QApplication *>(QCoreApplication::instance())) {
        QThread::msleep(static_cast<unsigned long>(pause.count()));
        return;
    }
    if (!m_window) {
        m_window = new WaitWindow(ownerWindow());
        m_window->show();
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    // The windows paint and their timers run; what the player presses goes
    // nowhere while the modal window stands.
    QElapsedTimer slept;
    slept.start();
    QEventLoop loop;
    QTimer::singleShot(pause, &loop, &QEventLoop::quit);
    loop.exec();
    // A loop that ends at once (the game is quitting) still waits its time.
    const qint64 left = pause.count() - slept.elapsed();
    if (left > 0)
        QThread::msleep(static_cast<unsigned long>(left));
}

void SettingsWaitNotice::over()
{
    if (!m_window)
        return;
    delete m_window.data();
    QApplication::restoreOverrideCursor();
}
