#include "settings/settingsfile.h"

#include "settings/cp932.h"
#include "settings/filelock.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>
#include <cstdlib>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif
#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

// The end mark of DOS-era editors; the profile functions skip it like white space.
constexpr char CtrlZ = '\x1A';

// ASCII white space and ^Z around the raw bytes of a name or value. Every one
// of these is below 0x40, so none can be the second byte of a double-byte
// character: trimming the raw bytes is safe.
QByteArrayView trimmedBytes(QByteArrayView bytes)
{
    bytes = bytes.trimmed();
    while (!bytes.isEmpty() && (bytes.front() == CtrlZ || bytes.back() == CtrlZ)) {
        if (bytes.front() == CtrlZ)
            bytes = bytes.sliced(1);
        if (!bytes.isEmpty() && bytes.back() == CtrlZ)
            bytes.chop(1);
        bytes = bytes.trimmed();
    }
    return bytes;
}

// The same on decoded text. QStringView::trimmed() would also take U+3000 and
// the other Unicode spaces, which are part of names and values here.
constexpr bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r') || u == CtrlZ;
}

QStringView trimmedText(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

constexpr bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

constexpr bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

// A value in a matching pair of double or single quotes, without them.
template<typename View> View unquoted(View value)
{
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

// Names match without regard to ASCII letter case, and only ASCII: the
// full-width letters of a title are different names in upper and lower case.
QString foldedName(QStringView name)
{
    QString folded = trimmedText(name).toString();
    for (QChar &c : folded) {
        if (c.unicode() >= u'A' && c.unicode() <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return folded;
}

bool hasLineBreakOrNul(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c == u'\r' || c == u'\n' || c == u'\0';
    });
}

// What tells one state of the file from another, checked before every read,
// so it has to be cheap: one stat. A replace makes a new inode and every
// change of the file moves its change time, which nobody can set back (a
// backup put back with its old modification time still gets a new change
// time), so a file changed behind our back is noticed even when its size and
// modification time are the same.
struct Stamp
{
    bool exists = false;
    bool regular = false;
    qint64 device = 0;
    qint64 inode = 0;
    qint64 size = -1;
    qint64 modified = 0; // nanoseconds
    qint64 changed = 0;  // nanoseconds

#ifdef Q_OS_UNIX
    static Stamp from(const struct stat &info)
    {
        Stamp stamp;
        stamp.exists = true;
        stamp.regular = S_ISREG(info.st_mode);
        stamp.device = static_cast<qint64>(info.st_dev);
        stamp.inode = static_cast<qint64>(info.st_ino);
        stamp.size = stamp.regular ? static_cast<qint64>(info.st_size) : -1;
        stamp.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
        stamp.changed = qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
        return stamp;
    }
#endif

    static Stamp of(const QString &path)
    {
#ifdef Q_OS_UNIX
        const QByteArray name = QFile::encodeName(path);
        struct stat info;
        if (::stat(name.constData(), &info) == 0)
            return from(info);
        // A link that leads nowhere is there all the same, and cannot be read.
        if (::lstat(name.constData(), &info) != 0)
            return Stamp();
        Stamp broken = from(info);
        broken.regular = false;
        broken.size = -1;
        return broken;
#else
        const QFileInfo info(path);
        Stamp stamp;
        if (!info.exists())
            return stamp;
        stamp.exists = true;
        stamp.regular = info.isFile();
        stamp.size = stamp.regular ? info.size() : -1;
        stamp.modified = info.lastModified().toMSecsSinceEpoch();
        stamp.changed = info.metadataChangeTime().toMSecsSinceEpoch();
        return stamp;
#endif
    }

    friend bool operator==(const Stamp &, const Stamp &) = default;
};

// Temporary files of a write: the settings file's name, ".writing-" and six
// letters or digits. Nothing else beside the file is ever taken for one.
const QString TemporaryInfix = QStringLiteral(".writing-");
constexpr int TemporarySuffixLength = 6;

[[maybe_unused]] QString temporaryName(const QString &path)
{
    static const char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString name = path + TemporaryInfix;
    for (int i = 0; i < TemporarySuffixLength; ++i)
        name += QLatin1Char(Alphabet[QRandomGenerator::global()->bounded(int(sizeof Alphabet - 1))]);
    return name;
}

// Windows lets nobody open a file for the moment another process replaces
// it (a writer of another copy of the game, finishing its write): a read
// tries again for a little while before it takes the file for unreadable.
bool openToRead(QFile &file)
{
#ifdef Q_OS_WIN
    // Opened with leave to delete, so that a writer may replace the file
    // while it is being read.
    const auto open = [&file] {
        const std::wstring name = QDir::toNativeSeparators(file.fileName()).toStdWString();
        const HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        const int descriptor = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
        if (descriptor < 0) {
            ::CloseHandle(handle);
            return false;
        }
        if (file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
            return true;
        ::_close(descriptor);
        return false;
    };
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (open())
            return true;
        if (!file.exists())
            return false;
        QThread::msleep(10);
    }
    return false;
#else
    return file.open(QIODevice::ReadOnly);
#endif
}

} // namespace

struct SettingsFile::Document
{
    struct Entry
    {
        QString key;         // as decoded, white space removed
        QByteArray rawKey;   // the key's bytes as they stand in the file
        QByteArray value;    // raw bytes, white space removed, quotes kept
        qsizetype line = 0;
    };

    struct Section
    {
        QString name;
        qsizetype header = -1; // -1: the keys before the first header
        qsizetype end = 0;     // the next header's line, or the number of lines
        QList<Entry> entries;  // in file order, repeated keys included
        QHash<QString, qsizetype> firstEntry; // folded key -> index in entries
    };

    QByteArray content; // the file as it was read or written
    // Each line with its own line end (CR LF, LF, CR, or none at the very end).
    QList<QByteArray> lines;
    QList<Section> sections; // in file order, repeated sections included
    QHash<QString, qsizetype> firstSection; // folded name -> index in sections

    Stamp stamp;
    // False when the file is there but could not be read: reads give the
    // defaults, and nothing may be written over it.
    bool readable = true;

    static QList<QByteArray> splitLines(const QByteArray &bytes);
    void index();

    const Section *findSection(QStringView name) const
    {
        const auto it = firstSection.constFind(foldedName(name));
        return it == firstSection.cend() ? nullptr : &sections[*it];
    }

    const Entry *findEntry(QStringView section, QStringView key) const
    {
        const Section *found = findSection(section);
        if (!found)
            return nullptr;
        const auto it = found->firstEntry.constFind(foldedName(key));
        return it == found->firstEntry.cend() ? nullptr : &found->entries[*it];
    }

    QByteArray bytes() const
    {
        qsizetype total = 0;
        for (const QByteArray &line : lines)
            total += line.size();
        QByteArray all;
        all.reserve(total);
        for (const QByteArray &line : lines)
            all += line;
        return all;
    }

    // Makes sure the last line has a line end before another follows it.
    void endLastLine()
    {
        if (!lines.isEmpty() && !lines.constLast().endsWith('\n') && !lines.constLast().endsWith('\r'))
            lines.last() += LineEnd;
    }
};

struct SettingsFile::Encoded
{
    QString folded;
    QByteArray key;
    QByteArray value;
};

struct SettingsFile::NativeLock
{
    std::unique_ptr<FileLock> file;
};

QList<QByteArray> SettingsFile::Document::splitLines(const QByteArray &bytes)
{
    // CR and LF are never the second byte of a double-byte character, so the
    // raw bytes can be cut at them.
    QList<QByteArray> lines;
    const qsizetype size = bytes.size();
    const char *data = bytes.constData();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < size) {
        const char c = data[i];
        if (c == '\n' || c == '\r') {
            qsizetype end = i + 1;
            if (c == '\r' && end < size && data[end] == '\n')
                ++end;
            lines.append(bytes.sliced(start, end - start));
            start = i = end;
        } else {
            ++i;
        }
    }
    if (start < size)
        lines.append(bytes.sliced(start));
    return lines;
}

void SettingsFile::Document::index()
{
    sections.clear();
    firstSection.clear();
    sections.append(Section{}); // keys before the first header belong to no section

    for (qsizetype n = 0; n < lines.size(); ++n) {
        QByteArrayView line = lines[n];
        while (!line.isEmpty() && (line.back() == '\n' || line.back() == '\r'))
            line.chop(1);
        const QByteArrayView content = trimmedBytes(line);
        if (content.isEmpty() || content.front() == ';')
            continue;

        if (content.front() == '[') {
            // Decoded, so that a ']' inside a double-byte character is not taken
            // for the end of the name.
            const QString text = Cp932::decode(content);
            const qsizetype close = text.lastIndexOf(u']');
            if (close > 0) {
                Section section;
                section.name = trimmedText(QStringView(text).sliced(1, close - 1)).toString();
                section.header = n;
                const QString folded = foldedName(section.name);
                if (!firstSection.contains(folded))
                    firstSection.insert(folded, sections.size());
                sections.last().end = n;
                sections.append(std::move(section));
                continue;
            }
        }

        // '=' is below 0x40 and never the second byte of a character.
        const qsizetype equals = content.indexOf('=');
        if (equals < 0)
            continue;
        Entry entry;
        const QByteArrayView rawKey = trimmedBytes(content.first(equals));
        entry.rawKey = rawKey.toByteArray();
        entry.key = Cp932::decode(rawKey);
        entry.value = trimmedBytes(content.sliced(equals + 1)).toByteArray();
        entry.line = n;

        Section &section = sections.last();
        const QString folded = foldedName(entry.key);
        if (!section.firstEntry.contains(folded))
            section.firstEntry.insert(folded, section.entries.size());
        section.entries.append(std::move(entry));
    }
    sections.last().end = lines.size();
}

SettingsFile::SettingsFile(QString path) : m_path(std::move(path)) {}

SettingsFile::~SettingsFile()
{
    releaseLock();
}

const SettingsFile::Document &SettingsFile::document() const
{
    const Stamp stamp = Stamp::of(m_path);
    if (m_cache && m_cache->stamp == stamp && !m_recheck)
        return *m_cache;
    const bool recheck = std::exchange(m_recheck, false);

    auto doc = std::make_unique<Document>();
    doc->stamp = stamp;
    if (stamp.exists) {
        QFile file(m_path);
        if (stamp.regular && openToRead(file)) {
            doc->content = file.readAll();
            if (file.error() != QFileDevice::NoError) {
                doc->content.clear();
                doc->readable = false;
            }
        } else {
            doc->readable = false;
        }
    }
    // Under the lock the content decides: what is cached is kept only when the
    // file still says exactly that.
    if (recheck && m_cache && m_cache->stamp.exists == stamp.exists && m_cache->readable == doc->readable
        && m_cache->content == doc->content) {
        m_cache->stamp = stamp;
        return *m_cache;
    }
    doc->lines = Document::splitLines(doc->content);
    doc->index();
    m_cache = std::move(doc);
    return *m_cache;
}

bool SettingsFile::canRead() const
{
    const Document &doc = document();
    return doc.stamp.exists && doc.readable;
}

bool SettingsFile::isBroken() const
{
    const Document &doc = document();
    return doc.stamp.exists && !doc.readable;
}

QString SettingsFile::read(QStringView section, QStringView key, QStringView defaultValue) const
{
    if (const Document::Entry *entry = document().findEntry(section, key)) {
        QByteArrayView value = unquoted(QByteArrayView(entry->value));
        const qsizetype nul = value.indexOf('\0');
        if (nul >= 0)
            value = value.first(nul);
        return Cp932::decode(Cp932::cutWhole(value, MaxValueBytes));
    }

    // The default as the profile functions take it: up to a NUL, trailing
    // spaces removed, then quotes as around a stored value, and cut like one.
    QStringView fallback = defaultValue;
    const qsizetype nul = fallback.indexOf(u'\0');
    if (nul >= 0)
        fallback = fallback.first(nul);
    qsizetype end = fallback.size();
    while (end > 0 && fallback[end - 1] == u' ')
        --end;
    fallback = unquoted(fallback.first(end));
    // Every UTF-16 unit takes at most two bytes in the file.
    if (fallback.size() * 2 <= MaxValueBytes)
        return fallback.toString();
    const QByteArray bytes = Cp932::encode(fallback);
    if (bytes.size() <= MaxValueBytes)
        return fallback.toString();
    return Cp932::decode(Cp932::cutWhole(bytes, MaxValueBytes));
}

std::optional<QByteArray> SettingsFile::rawValue(QStringView section, QStringView key) const
{
    if (const Document::Entry *entry = document().findEntry(section, key))
        return entry->value;
    return std::nullopt;
}

bool SettingsFile::write(const QString &section, const QString &key, const QString &value)
{
    return write(section, Entries{{key, value}});
}

namespace {

bool validSection(QStringView section)
{
    return !hasLineBreakOrNul(section) && !section.contains(u']');
}

bool validKey(QStringView key)
{
    if (hasLineBreakOrNul(key) || key.contains(u'='))
        return false;
    // A key that starts like a comment or a header would not read back.
    const QStringView name = trimmedText(key);
    return !name.startsWith(u';') && !name.startsWith(u'[');
}

} // namespace

bool SettingsFile::isStorable(QStringView section, QStringView key, QStringView value)
{
    return validSection(section) && validKey(key) && !hasLineBreakOrNul(value)
        && Cp932::encodeExact(section) && Cp932::encodeExact(key) && Cp932::encodeExact(value);
}

bool SettingsFile::write(const QString &section, const Entries &entries)
{
    m_failure = Failure::Refused;
    QList<Encoded> encoded;
    encoded.reserve(entries.size());
    for (const auto &[key, value] : entries) {
        if (!validKey(key) || hasLineBreakOrNul(value))
            return false;
        const auto keyBytes = Cp932::encodeExact(trimmedText(key));
        const auto valueBytes = Cp932::encodeExact(value);
        if (!keyBytes || !valueBytes)
            return false;
        encoded.append({foldedName(key), *keyBytes, *valueBytes});
    }
    return writeEncoded(section, encoded);
}

bool SettingsFile::writeRaw(const QString &section, const RawEntries &entries)
{
    m_failure = Failure::Refused;
    QList<Encoded> encoded;
    encoded.reserve(entries.size());
    for (const auto &[key, value] : entries) {
        if (!validKey(key) || value.contains('\r') || value.contains('\n'))
            return false;
        const auto keyBytes = Cp932::encodeExact(trimmedText(key));
        if (!keyBytes)
            return false;
        encoded.append({foldedName(key), *keyBytes, value});
    }
    return writeEncoded(section, encoded);
}

bool SettingsFile::writeEncoded(const QString &section, const QList<Encoded> &encoded)
{
    m_failure = Failure::Refused;
    if (!validSection(section))
        return false;
    const auto sectionBytes = Cp932::encodeExact(trimmedText(section));
    if (!sectionBytes)
        return false;
    m_failure = Failure::None;
    if (encoded.isEmpty())
        return true;

    const Lock held = lock();
    if (!held)
        return false;
    const Document &doc = document();
    if (!doc.readable) {
        m_failure = Failure::Broken;
        return false;
    }

    Document changed;
    changed.lines = doc.lines;

    // The first section of that name, and where its keys stand; a new key goes
    // after the section's last entry, which is then the new key.
    QHash<QString, QByteArray> keyInFile; // folded key -> spelling in the file
    QHash<QString, qsizetype> lineOf;     // folded key -> line
    qsizetype last = -1;
    if (const Document::Section *found = doc.findSection(section)) {
        last = found->header;
        for (const Document::Entry &entry : found->entries) {
            const QString folded = foldedName(entry.key);
            if (!lineOf.contains(folded)) {
                lineOf.insert(folded, entry.line);
                keyInFile.insert(folded, entry.rawKey);
            }
            last = std::max(last, entry.line);
        }
    } else {
        changed.endLastLine();
        changed.lines.append('[' + *sectionBytes + ']' + LineEnd);
        last = changed.lines.size() - 1;
    }

    for (const Encoded &entry : encoded) {
        const auto it = lineOf.constFind(entry.folded);
        if (it != lineOf.cend()) {
            changed.lines[*it] = keyInFile.value(entry.folded) + '=' + entry.value + LineEnd;
            continue;
        }
        if (last == changed.lines.size() - 1)
            changed.endLastLine();
        changed.lines.insert(last + 1, entry.key + '=' + entry.value + LineEnd);
        ++last;
        lineOf.insert(entry.folded, last);
        keyInFile.insert(entry.folded, entry.key);
    }
    return save(std::move(changed));
}

bool SettingsFile::deleteSection(const QString &section)
{
    m_failure = Failure::Refused;
    if (!validSection(section))
        return false;
    m_failure = Failure::None;
    // Nothing to delete, and nothing to create.
    if (!Stamp::of(m_path).exists)
        return true;

    const Lock held = lock();
    if (!held)
        return false;
    const Document &doc = document();
    if (!doc.readable) {
        m_failure = Failure::Broken;
        return false;
    }
    const Document::Section *found = doc.findSection(section);
    if (!found)
        return true;

    // The header and every line up to the next header: entries, comments and all.
    Document changed;
    changed.lines = doc.lines;
    changed.lines.remove(found->header, found->end - found->header);
    return save(std::move(changed));
}

bool SettingsFile::save(Document &&changed)
{
    // Whatever fails from here on, the file or its folder could not be written.
    m_failure = Failure::Unwritable;
    const QByteArray bytes = changed.bytes();
#ifdef Q_OS_UNIX
    // A settings file that is a link is written where the link leads, through
    // every link of a chain; the link itself stays as it is.
    QByteArray target = QFile::encodeName(m_path);
    struct stat entry;
    if (::lstat(target.constData(), &entry) == 0 && S_ISLNK(entry.st_mode)) {
        char *const resolved = ::realpath(target.constData(), nullptr);
        if (!resolved) {
            m_failure = Failure::Broken;
            return false;
        }
        target = resolved;
        std::free(resolved);
    }
    const QString path = QFile::decodeName(target);
    struct stat old;
    const bool replacing = ::stat(target.constData(), &old) == 0;
    // A file the player made read-only stays as it is.
    if (replacing && ::access(target.constData(), W_OK) != 0)
        return false;

    QByteArray temporary;
    int handle = -1;
    for (int attempt = 0; attempt < 16 && handle < 0; ++attempt) {
        temporary = QFile::encodeName(temporaryName(path));
        handle = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (handle < 0 && errno != EEXIST)
            return false;
    }
    if (handle < 0)
        return false;

    if (replacing) {
        // The owner and mode of the file it replaces, where this process may
        // give them (a settings tool run with sudo must not leave the
        // player's file to root); otherwise at least the group. What cannot
        // be kept the settings tool tells its user.
        [[maybe_unused]] const bool ownerKept =
            ::fchown(handle, old.st_uid, old.st_gid) == 0 || ::fchown(handle, uid_t(-1), old.st_gid) == 0;
        [[maybe_unused]] const bool modeKept = ::fchmod(handle, old.st_mode & 07777) == 0;
    }
    bool written = true;
    for (qsizetype done = 0; written && done < bytes.size();) {
        const ssize_t count = ::write(handle, bytes.constData() + done, size_t(bytes.size() - done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            written = false;
        else
            done += count;
    }
    written = written && ::fdatasync(handle) == 0;
    written = written && ::rename(temporary.constData(), target.constData()) == 0;
    if (written)
        FileLock::reach(FileLock::Moment::FileReplaced);
    struct stat now;
    const bool stamped = written && ::fstat(handle, &now) == 0;
    ::close(handle);
    if (!written) {
        ::unlink(temporary.constData());
        return false;
    }
    changed.stamp = stamped ? Stamp::from(now) : Stamp();
#else
    // Windows refuses to replace a file another program has open without
    // leave to delete it (one that reads it outside the lock, a virus
    // scanner): the write is made again for a little while before it fails.
    bool committed = false;
    for (int attempt = 0; attempt < 50 && !committed; ++attempt) {
        if (attempt > 0)
            QThread::msleep(10);
        QSaveFile file(m_path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        if (file.write(bytes) != bytes.size()) {
            file.cancelWriting();
            return false;
        }
        committed = file.commit();
        if (!committed && file.error() != QFileDevice::RenameError)
            return false;
    }
    if (!committed)
        return false;
    FileLock::reach(FileLock::Moment::FileReplaced);
    changed.stamp = Stamp::of(m_path);
#endif

    changed.content = bytes;
    changed.readable = true;
    changed.index();
    m_cache = std::make_unique<Document>(std::move(changed));
    m_failure = Failure::None;
    return true;
}

SettingsFile::Lock SettingsFile::lock()
{
    m_failure = Failure::None;
    if (m_lockDepth == 0 && !acquireLock())
        return Lock(nullptr);
    ++m_lockDepth;
    return Lock(this);
}

void SettingsFile::Lock::unlock()
{
    if (SettingsFile *file = std::exchange(m_file, nullptr)) {
        if (--file->m_lockDepth == 0)
            file->releaseLock();
    }
}

bool SettingsFile::acquireLock()
{
    // "<file>.lock" (settings/filelock.h): shared with every other process of
    // the game and within this one, let go by the system when a process dies.
    FileLock::Outcome outcome = FileLock::Outcome::Failed;
    auto file = FileLock::acquire(m_path + QStringLiteral(".lock"), QDeadlineTimer(m_lockWait), &outcome);
    if (!file) {
        m_failure = outcome == FileLock::Outcome::TimedOut ? Failure::Busy : Failure::Unwritable;
        return false;
    }
    m_nativeLock = std::make_unique<NativeLock>(NativeLock{std::move(file)});
    m_recheck = true;
    return true;
}

void SettingsFile::releaseLock()
{
    m_nativeLock.reset();
}

QString SettingsFile::contents() const
{
    const Document &doc = document();
    QString text;
    for (const QByteArray &line : doc.lines)
        text += Cp932::decode(line);
    return text;
}

int SettingsFile::removeStaleTemporaryFiles(const QString &path, std::chrono::seconds olderThan)
{
    const QFileInfo settings(path);
    const QString prefix = settings.fileName() + TemporaryInfix;
    static const QRegularExpression suffix(QStringLiteral("\\A[A-Za-z0-9]{%1}\\z").arg(TemporarySuffixLength));
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-olderThan.count());
    int removed = 0;
    const QFileInfoList entries = settings.absoluteDir().entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        if (!name.startsWith(prefix) || !suffix.match(QStringView(name).sliced(prefix.size())).hasMatch())
            continue;
        if (entry.isSymLink() || !entry.isFile() || entry.lastModified().toUTC() >= before)
            continue;
        if (QFile::remove(entry.absoluteFilePath()))
            ++removed;
    }
    return removed;
}
