#include "history/historyexport.h"

#include "history/historycsv.h"
#include "history/historystore.h"
#include "settings/appstate.h"
#include "settings/dialogs.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace HistoryExport {

namespace {

QString askWithQt(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral(u"成績の書き出し"), suggested,
                                        QStringLiteral(u"CSV ファイル (*.csv)"));
}

SaveDialog &installed()
{
    static SaveDialog dialog = askWithQt;
    return dialog;
}

} // namespace

SaveDialog setSaveDialog(SaveDialog dialog)
{
    SaveDialog previous = std::move(installed());
    installed() = dialog ? std::move(dialog) : SaveDialog(askWithQt);
    return previous;
}

QString suggestedPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return folder + QLatin1Char('/') + HistoryCsv::defaultFileName(QDate::currentDate());
}

void exportAll(const HistoryStore &store, QWidget *parent)
{
    if (!store.isOpen()) {
        dialogs().showMessage(QStringLiteral(u"成績の記録ファイルが使えないので、書き出せないぴこ。\n%1")
                                  .arg(QDir::toNativeSeparators(store.path())),
                              app().AppTitleText, Dialogs::Icon::Exclamation);
        return;
    }
    QString path = installed()(parent, suggestedPath());
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    if (HistoryCsv::writeFile(store, path))
        dialogs().showMessage(QStringLiteral(u"%1回分の成績を書き出したぴこ。\n%2")
                                  .arg(QString::number(store.runCount()), QDir::toNativeSeparators(path)),
                              app().AppTitleText, Dialogs::Icon::None);
    else if (store.hasReadFailed())
        dialogs().showMessage(QStringLiteral(u"成績の記録ファイルが全部は読めなかったので、書き出さなかったぴこ。\n"
                                             u"記録ファイルが壊れているかもしれないぴこ。\n%1")
                                  .arg(QDir::toNativeSeparators(store.path())),
                              app().AppTitleText, Dialogs::Icon::Exclamation);
    else
        dialogs().showMessage(QStringLiteral(u"成績を書き出せなかったぴこ。\n%1").arg(QDir::toNativeSeparators(path)),
                              app().AppTitleText, Dialogs::Icon::Exclamation);
}

} // namespace HistoryExport
