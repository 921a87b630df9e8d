#include "settings/settingsfile.h"

#include "settings/cp932.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

// White space the profile functions skip around names and values. Every one
// of these is below 0x40, so none of them can be the second byte of a
// double-byte character: trimming the raw bytes is safe.
constexpr bool isBlankByte(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

constexpr bool isBlank(char c)
{
    return isBlankByte(c);
}

constexpr bool isBlank(QChar c)
{
    return c.unicode() < 0x80 && isBlankByte(static_cast<char>(c.unicode()));
}

// The bytes or characters between the blanks at either end.
template<typename View> View trimmedBlank(View view)
{
    qsizetype begin = 0;
    qsizetype end = view.size();
    while (begin < end && isBlank(view[begin]))
        ++begin;
    while (end > begin && isBlank(view[end - 1]))
        --end;
    return view.sliced(begin, end - begin);
}

QByteArrayView trimmedBytes(QByteArrayView bytes)
{
    return trimmedBlank(bytes);
}

QStringView trimmedText(QStringView text)
{
    return trimmedBlank(text);
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

// The file's size and modification time, to notice a change made behind our
// back. Checked before every read, so it has to be cheap: std::filesystem
// gives the time as it is stored (QFileInfo would convert it to local time on
// every call, which costs more than the whole lookup).
struct Stamp
{
    bool exists = false;
    qint64 size = -1;
    std::filesystem::file_time_type::rep modified = 0;

    static Stamp of(const QString &path)
    {
#ifdef Q_OS_WIN
        const std::filesystem::path native(path.toStdWString());
#else
        const std::filesystem::path native(QFile::encodeName(path).toStdString());
#endif
        Stamp stamp;
        std::error_code error;
        const auto modified = std::filesystem::last_write_time(native, error);
        if (error)
            return stamp;
        stamp.exists = true;
        stamp.modified = modified.time_since_epoch().count();
        const auto size = std::filesystem::file_size(native, error); // fails for a folder
        stamp.size = error ? -1 : static_cast<qint64>(size);
        return stamp;
    }

    friend bool operator==(const Stamp &, const Stamp &) = default;
};

} // namespace

struct SettingsFile::Document
{
    struct Entry
    {
        QString key;         // as decoded, white space removed
        QByteArray rawKey;   // the key's bytes as they stand in the file
        QByteArray value;    // raw bytes, white space and quotes removed
        qsizetype line = 0;
    };

    struct Section
    {
        QString name;
        qsizetype header = -1; // -1: the keys before the first header
        QList<Entry> entries;  // in file order, repeated keys included
        QHash<QString, qsizetype> firstEntry; // folded key -> index in entries
    };

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
        QByteArrayView value = trimmedBytes(content.sliced(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.sliced(1, value.size() - 2);
        entry.value = value.toByteArray();
        entry.line = n;

        Section &section = sections.last();
        const QString folded = foldedName(entry.key);
        if (!section.firstEntry.contains(folded))
            section.firstEntry.insert(folded, section.entries.size());
        section.entries.append(std::move(entry));
    }
}

SettingsFile::SettingsFile(QString path) : m_path(std::move(path)) {}

SettingsFile::~SettingsFile() = default;

const SettingsFile::Document &SettingsFile::document() const
{
    const Stamp stamp = Stamp::of(m_path);
    if (m_cache && m_cache->stamp == stamp)
        return *m_cache;

    auto doc = std::make_unique<Document>();
    doc->stamp = stamp;
    if (stamp.exists) {
        QFile file(m_path);
        if (QFileInfo(m_path).isFile() && file.open(QIODevice::ReadOnly)) {
            doc->lines = Document::splitLines(file.readAll());
            if (file.error() != QFileDevice::NoError) {
                doc->lines.clear();
                doc->readable = false;
            }
        } else {
            doc->readable = false;
        }
    }
    doc->index();
    m_cache = std::move(doc);
    return *m_cache;
}

bool SettingsFile::canRead() const
{
    const Document &doc = document();
    return doc.stamp.exists && doc.readable;
}

QString SettingsFile::read(QStringView section, QStringView key, QStringView defaultValue) const
{
    const Document &doc = document();
    if (const Document::Section *found = doc.findSection(section)) {
        const auto it = found->firstEntry.constFind(foldedName(key));
        if (it != found->firstEntry.cend()) {
            QByteArrayView value = found->entries[*it].value;
            const qsizetype nul = value.indexOf('\0');
            if (nul >= 0)
                value = value.first(nul);
            return Cp932::decode(Cp932::cutWhole(value, MaxValueBytes));
        }
    }

    // The default: trailing spaces removed, read up to a NUL, and cut like a value.
    qsizetype end = defaultValue.size();
    while (end > 0 && defaultValue[end - 1] == u' ')
        --end;
    QStringView fallback = defaultValue.first(end);
    const qsizetype nul = fallback.indexOf(u'\0');
    if (nul >= 0)
        fallback = fallback.first(nul);
    // Every UTF-16 unit takes at most two bytes in the file.
    if (fallback.size() * 2 <= MaxValueBytes)
        return fallback.toString();
    const QByteArray bytes = Cp932::encode(fallback);
    if (bytes.size() <= MaxValueBytes)
        return fallback.toString();
    return Cp932::decode(Cp932::cutWhole(bytes, MaxValueBytes));
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
    if (!validSection(section))
        return false;
    const auto sectionBytes = Cp932::encodeExact(trimmedText(section));
    if (!sectionBytes)
        return false;

    struct Encoded
    {
        QString folded;
        QByteArray key;
        QByteArray value;
    };
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
    if (encoded.isEmpty())
        return true;

    const Document &doc = document();
    if (!doc.readable)
        return false;

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

    for (const Encoded &entry : std::as_const(encoded)) {
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
    if (!validSection(section))
        return false;
    const Document &doc = document();
    if (!doc.readable)
        return false;
    const Document::Section *found = doc.findSection(section);
    if (!found)
        return true;

    QList<qsizetype> gone;
    gone.append(found->header);
    for (const Document::Entry &entry : found->entries)
        gone.append(entry.line);
    std::sort(gone.begin(), gone.end());

    Document changed;
    changed.lines.reserve(doc.lines.size() - gone.size());
    qsizetype next = 0;
    for (qsizetype n = 0; n < doc.lines.size(); ++n) {
        if (next < gone.size() && gone[next] == n) {
            ++next;
            continue;
        }
        changed.lines.append(doc.lines[n]);
    }
    return save(std::move(changed));
}

bool SettingsFile::save(Document &&changed)
{
    const QByteArray bytes = changed.bytes();
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;

    changed.stamp = Stamp::of(m_path);
    changed.readable = true;
    changed.index();
    m_cache = std::make_unique<Document>(std::move(changed));
    return true;
}

QString SettingsFile::contents() const
{
    const Document &doc = document();
    QString text;
    for (const QByteArray &line : doc.lines)
        text += Cp932::decode(line);
    return text;
}
