#include "ranking/rankstore.h"

#include "settings/appstate.h"
#include "settings/cp932.h"
#include "settings/dialogs.h"

#include <QLocale>

#include <cmath>

namespace {

const QString Separator = QStringLiteral(u"　");
const QString NoData = QStringLiteral("NoData");
const QString DefaultName = QStringLiteral(u"ごんべえ");
const QString Unstorable = QStringLiteral(u"？");

QString placeKey(int place)
{
    return QString::number(place);
}

} // namespace

RankStore &rankStore()
{
    static RankStore store;
    return store;
}

void RankStore::LoadRanking()
{
    RankData.fill(QString());
    for (int i = 1; i <= Capacity; ++i) {
        const QString value = ReadSetting(RankSection, placeKey(i), NoData);
        if (value == NoData)
            break;
        RankData[i] = value;
    }
}

bool RankStore::timeOfLine(const QString &line, double *time)
{
    const qsizetype separator = line.indexOf(Separator);
    if (separator < 1)
        return false;
    bool ok = false;
    const double value = QLocale::c().toDouble(QStringView(line).left(separator).trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return false;
    *time = value;
    return true;
}

int RankStore::FindRankPlace(double time) const
{
    for (int i = 1; i <= Capacity; ++i) {
        if (RankData[i].isEmpty())
            return i;
        double stored = 0;
        if (!timeOfLine(RankData[i], &stored))
            return 0;
        if (stored > time)
            return i;
    }
    return Capacity + 1;
}

QString RankStore::storableName(const QString &name)
{
    QString stored;
    int characters = 0;
    for (const char32_t codePoint : QStringView(name).toUcs4()) {
        if (characters == MaxNameLength)
            break;
        ++characters;
        const bool control = codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
        if (control || !Cp932::canEncode(codePoint))
            stored += Unstorable;
        else
            stored += QString::fromUcs4(&codePoint, 1);
    }
    return stored;
}

QString RankStore::makeLine(const QString &timeText, const QString &name, const QDateTime &stamp)
{
    const qsizetype fill = qMax<qsizetype>(0, NameFieldBytes - Cp932::byteLength(name));
    return timeText + Separator + name + QString(fill, QLatin1Char(' '))
        + stamp.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

void RankStore::RankIn(const QString &timeText)
{
    const double time = QLocale::c().toDouble(timeText.trimmed());
    const int place = FindRankPlace(time);
    if (place == 0) {
        dialogs().showMessage(app().BrokenIniMessage, app().AppTitleText, Dialogs::Icon::None);
        return;
    }
    if (place > Capacity) {
        dialogs().showMessage(QStringLiteral(u"残念！%1位以内に入れませんでした。").arg(Capacity), app().AppTitleText,
                              Dialogs::Icon::None);
        return;
    }
    const QDateTime stamp = now();
    LastRankName = dialogs().askText(QStringLiteral(u"名前を入力するだぴこ。８文字まで有効だぴこ。"),
                                     QStringLiteral(u"おめでとうだぴこ。　%1位だぴこ。").arg(place), LastRankName);
    if (LastRankName.isEmpty())
        LastRankName = DefaultName;
    LastRankName = storableName(LastRankName);
    InsertRanking(place, makeLine(timeText, LastRankName, stamp));
}

void RankStore::InsertRanking(int place, const QString &line)
{
    Q_ASSERT(place >= 1 && place <= Capacity);
    for (int c = Capacity; c > place; --c)
        RankData[c] = RankData[c - 1];
    RankData[place] = line;

    SettingsFile::Entries entries;
    for (int i = 1; i <= Capacity && !RankData[i].isEmpty(); ++i)
        entries.append({placeKey(i), RankData[i]});
    WriteSettings(RankSection, entries);
}

void RankStore::ClearRanking()
{
    DeleteSettingSection(RankSection);
    RankData.fill(QString());
}

int RankStore::usedPlaces() const
{
    int used = 0;
    while (used < Capacity && !RankData[used + 1].isEmpty())
        ++used;
    return used;
}
