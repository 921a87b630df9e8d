#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <memory>
#include <utility>

// The game's settings file: a Windows-style INI file in code page 932, read
// and written the way the Windows profile-string functions do, so that files
// left by earlier versions of the game keep working.
//
// Reading:
//  - a missing file, section or key gives the default (trailing spaces removed);
//    a key that is present with an empty value gives the empty string;
//  - section and key names match without regard to ASCII letter case, on the
//    decoded text (never on raw bytes: CP932 trail bytes include '[', ']', '\');
//  - only ASCII white space around names and values is ignored (never U+3000);
//  - a value in a matching pair of double or single quotes reads without them;
//  - the first of two equal sections or keys is the one that counts; keys
//    before the first section header belong to no section;
//  - lines without '=' are not entries; ';' as first non-blank starts a comment;
//    a header's name ends at its last ']';
//  - CR LF, LF and CR line ends read the same;
//  - a value longer than 511 bytes comes back as its first 511 bytes, or fewer
//    when byte 511 would split a double-byte character.
//
// Writing changes the file in place and keeps every other line byte for byte:
// a replaced value rewrites only its own line as key=value; a new key goes
// after the last entry of its section; a new section is appended at the end.
// Every line written ends in CR LF. The new content is written to a temporary
// file beside the old one and renamed over it, so a failed or interrupted
// write leaves the old file as it was.
class SettingsFile
{
public:
    using Entries = QList<std::pair<QString, QString>>;

    // The largest value a read returns, in bytes of the file's encoding.
    static constexpr qsizetype MaxValueBytes = 511;

    explicit SettingsFile(QString path);
    ~SettingsFile();
    SettingsFile(const SettingsFile &) = delete;
    SettingsFile &operator=(const SettingsFile &) = delete;

    const QString &path() const { return m_path; }

    QString read(QStringView section, QStringView key, QStringView defaultValue) const;

    // True when the section, key and value can be written and read back: no
    // line breaks or NULs, no ']' in the section, no '=' in the key, no key
    // that would read as a comment or a header, and only characters that code
    // page 932 holds. Writes of anything else are refused.
    static bool isStorable(QStringView section, QStringView key, QStringView value);

    // Each returns false when nothing was written (the old file is then intact).
    bool write(const QString &section, const QString &key, const QString &value);
    // Several keys of one section in one replace of the file; the result is
    // the same as writing them one after the other.
    bool write(const QString &section, const Entries &entries);
    bool deleteSection(const QString &section);

    // The whole file decoded (for the maintainers' tool).
    QString contents() const;
    // True when the file is there and could be read (a missing file reads as
    // empty, so read() alone cannot tell).
    bool canRead() const;

private:
    struct Document;
    const Document &document() const;
    bool save(Document &&changed);

    QString m_path;
    mutable std::unique_ptr<Document> m_cache;
};
