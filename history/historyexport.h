#pragma once

#include <QString>

#include <functional>

class HistoryStore;
class QWidget;

// The CSV export from the menu: the save dialog with a name for today, the
// file written in one go, and a word to the player about how it went.
namespace HistoryExport {

// Asks where to save, starting from suggestedPath; empty when the player cancels.
using SaveDialog = std::function<QString(QWidget *parent, const QString &suggestedPath)>;
// Installs the dialog asked (tests answer it themselves); returns the one it replaces.
SaveDialog setSaveDialog(SaveDialog dialog);

// Where the dialog starts: the documents folder and カシコロ-成績-YYYYMMDD.csv.
QString suggestedPath();

// The menu's command: asks, writes, tells. Over parent, modally.
void exportAll(const HistoryStore &store, QWidget *parent);

} // namespace HistoryExport
