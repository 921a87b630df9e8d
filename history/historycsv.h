#pragma once

#include "history/historystore.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

class QIODevice;

// The history as one CSV file: every run of every exercise, one line each
// after a header line. UTF-8 with a byte-order mark (a spreadsheet on a
// Japanese desktop opens it right), CR LF line ends, fields quoted as RFC 4180
// says.
//
// Columns: 記録番号, 種目番号, 種目, 開始日時, 終了日時, タイム（秒）, 間違い,
// 順位 (empty when the run did not enter the hundred best), 回答数,
// 回答時間（ミリ秒） (each answer's time since the one before, space-separated),
// 正誤 (one ○ or × per answer, in the same order).
namespace HistoryCsv {

// A field as it stands in a line: in double quotes, its quotes doubled, when
// it holds a comma, a double quote, a line break or leading or trailing space.
QString field(const QString &text);
// Fields joined by commas, then CR LF, in UTF-8.
QByteArray line(const QStringList &fields);

QStringList header();
QStringList fields(const HistoryStore::Run &run);

// The whole file onto out; false when the history cannot be read or out written.
bool write(const HistoryStore &store, QIODevice &out);
// The whole file at path, all or nothing (an earlier file there stays whole
// when writing fails).
bool writeFile(const HistoryStore &store, const QString &path);

// カシコロ-成績-YYYYMMDD.csv for the given day.
QString defaultFileName(const QDate &day);

} // namespace HistoryCsv
