#include "ranking/rankstore.h"

#include "ranking/rankline.h"
#include "settings/appstate.h"
#include "settings/cp932.h"
#include "settings/dialogs.h"

#include <QLocale>

#include <algorithm>

namespace {

const QString NoData = QStringLiteral("NoData");
const QString DefaultName = QStringLiteral(u"ごんべえ");
const QString Unstorable = QStringLiteral(u"？");

QString placeKey(int place)
{
    return QString::number(place);
}

void tellBrokenFile()
{
    dialogs().showMessage(app().BrokenIniMessage, app().AppTitleText, Dialogs::Icon::None);
}

void tellNoRoom()
{
    dialogs().showMessage(QStringLiteral(u"残念！%1位以内に入れませんでした。").arg(RankStore::Capacity),
                          app().AppTitleText, Dialogs::Icon::None);
}

} // namespace

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

int RankStore::FindRankPlace(double time) const
{
    for (int i = 1; i <= Capacity; ++i) {
        if (RankData[i].isEmpty())
            return i;
        const RankLine stored(RankData[i]);
        if (!stored.isWellFormed())
            return 0;
        if (stored.time() > time)
            return i;
    }
    return Capacity + 1;
}

QString RankStore::storableName(const QString &name)
{
    QString stored;
    int characters = 0;
    for (char32_t codePoint : QStringView(name).toUcs4()) {
        if (characters == MaxNameLength)
            break;
        ++characters;
        codePoint = Cp932::windowsForm(codePoint);
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
    return RankLine::format(timeText, name, stamp);
}

int RankStore::RankIn(const QString &timeText)
{
    const double time = QLocale::c().toDouble(timeText.trimmed());
    LoadRanking();
    const int place = FindRankPlace(time);
    // A file that cannot be read is never written over: no name is asked for.
    if (place == 0 || settingsFile().isBroken()) {
        tellBrokenFile();
        return 0;
    }
    if (place > Capacity) {
        tellNoRoom();
        return 0;
    }
    const QDateTime stamp = now();
    LastRankName = dialogs().askText(QStringLiteral(u"名前を入力するだぴこ。８文字まで有効だぴこ。"),
                                     QStringLiteral(u"おめでとうだぴこ。　%1位だぴこ。").arg(place), LastRankName);
    if (LastRankName.isEmpty())
        LastRankName = DefaultName;
    LastRankName = storableName(LastRankName);

    // The section may have changed while the name box was open: the run goes
    // among what the file holds now.
    const Inserted inserted = insertByTime(time, makeLine(timeText, LastRankName, stamp));
    switch (inserted.outcome) {
    case Outcome::Saved:
        return inserted.place;
    case Outcome::Broken:
        tellBrokenFile();
        break;
    case Outcome::Full:
        tellNoRoom();
        break;
    case Outcome::NotWritten:
        tellWriteFailed(QStringLiteral(u"今回の記録は残せなかったぴこ。"));
        break;
    }
    return 0;
}

bool RankStore::InsertRanking(int place, const QString &line)
{
    Q_ASSERT(place >= 1 && place <= Capacity);
    return insertAtPlace(place, line) == Outcome::Saved;
}

RankStore::Outcome RankStore::insertAtPlace(int place, const QString &line)
{
    SettingsFile::Lock lock = settingsFile().lock();
    LoadRanking();
    const bool saved = lock && writeInserted(std::min(place, usedPlaces() + 1), line);
    if (saved)
        LoadRanking();
    return saved ? Outcome::Saved : Outcome::NotWritten;
}

RankStore::Inserted RankStore::insertByTime(double time, const QString &line)
{
    // No dialog while the lock is held: other writers wait for it.
    SettingsFile::Lock lock = settingsFile().lock();
    LoadRanking();
    const int place = FindRankPlace(time);
    if (place == 0)
        return {Outcome::Broken};
    if (place > Capacity)
        return {Outcome::Full};
    const bool saved = lock && writeInserted(place, line);
    if (!saved)
        return {Outcome::NotWritten};
    LoadRanking();
    return {Outcome::Saved, place};
}

bool RankStore::writeInserted(int place, const QString &line)
{
    // Only the new line is encoded; each place below it takes the bytes of
    // the one above, whatever code page 932 makes of them.
    const auto encoded = Cp932::encodeExact(line);
    if (!encoded)
        return false;
    SettingsFile::RawEntries entries{{placeKey(place), *encoded}};
    const int last = std::min(usedPlaces() + 1, Capacity);
    for (int i = place + 1; i <= last; ++i) {
        const auto moved = settingsFile().rawValue(RankSection, placeKey(i - 1));
        if (!moved)
            return false;
        entries.append({placeKey(i), *moved});
    }
    return settingsFile().writeRaw(RankSection, entries);
}

bool RankStore::ClearRanking()
{
    const bool cleared = DeleteSettingSection(RankSection);
    LoadRanking();
    return cleared;
}

int RankStore::usedPlaces() const
{
    int used = 0;
    while (used < Capacity && !RankData[used + 1].isEmpty())
        ++used;
    return used;
}
