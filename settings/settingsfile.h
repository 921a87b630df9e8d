#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <chrono>
#include <memory>
#include <optional>
#include <utility>

// The game's settings file: a Windows-style INI file in code page 932, read
// and written the way the Windows profile-string functions do, so that files
// left by earlier versions of the game keep working.
//
// Reading:
//  - a missing file, section or key gives the default (trailing spaces and a
//    matching pair of quotes removed, as from a stored value); a key that is
//    present with an empty value gives the empty string;
//  - section and key names match without regard to ASCII letter case, on the
//    decoded text (never on raw bytes: CP932 trail bytes include '[', ']', '\');
//  - only ASCII white space and ^Z (0x1A, the end mark of DOS-era editors)
//    around names and values are ignored (never U+3000);
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
// after the last entry of its section; a new section is appended at the end;
// a deleted section goes with every line up to the next header, its comments
// included. Every line written ends in CR LF.
//
// Every write is a locked read-modify-write: it takes a lock beside the file
// ("<file>.lock", shared with every other process of the game and the settings
// tool), reads the file as it is now, makes its change, writes the new content
// to a temporary file beside the old one and renames it over it (keeping the
// old file's owner and mode where it can), then lets the lock go. Writers never
// lose each other's lines, and a failed or interrupted write leaves the old
// file as it was.
//
// Reads are served from the parsed file, checked before every read against
// what any replace or change of the file alters (its inode and change time).
class SettingsFile
{
public:
    using Entries = QList<std::pair<QString, QString>>;
    // Values as the file holds them: moved from one key to another, they keep
    // every byte, whatever code page 932 makes of them.
    using RawEntries = QList<std::pair<QString, QByteArray>>;

    // The largest value a read returns, in bytes of the file's encoding.
    static constexpr qsizetype MaxValueBytes = 511;
    // How long a write waits for another writer to finish.
    static constexpr std::chrono::milliseconds LockWait{10000};

    explicit SettingsFile(QString path);
    ~SettingsFile();
    SettingsFile(const SettingsFile &) = delete;
    SettingsFile &operator=(const SettingsFile &) = delete;

    const QString &path() const { return m_path; }
    // How long lock() waits for another writer (LockWait unless set).
    void setLockWait(std::chrono::milliseconds wait) { m_lockWait = wait; }

    QString read(QStringView section, QStringView key, QStringView defaultValue) const;
    // The value's bytes as they stand after '=' (blanks around them removed,
    // quotes kept), or nothing when the key is missing.
    std::optional<QByteArray> rawValue(QStringView section, QStringView key) const;

    // True when the section, key and value can be written and read back: no
    // line breaks or NULs, no ']' in the section, no '=' in the key, no key
    // that would read as a comment or a header, and only characters that code
    // page 932 holds. Writes of anything else are refused.
    static bool isStorable(QStringView section, QStringView key, QStringView value);

    // Why the last write or lock() of this object failed.
    enum class Failure {
        None,
        Refused,    // what was to be written cannot be stored
        Busy,       // another writer held the file's lock the whole wait
        Broken,     // the file is there but cannot be read: never written over
        Unwritable, // the file or its folder cannot be written
    };
    Failure lastFailure() const { return m_failure; }

    // Each returns false when nothing was written (the old file is then intact).
    bool write(const QString &section, const QString &key, const QString &value);
    // Several keys of one section in one replace of the file; the result is
    // the same as writing them one after the other.
    bool write(const QString &section, const Entries &entries);
    // The same with values as the file holds them (no line breaks in them).
    bool writeRaw(const QString &section, const RawEntries &entries);
    // Deleting a section that is not there (or a file that is not there)
    // succeeds: there is nothing to delete.
    bool deleteSection(const QString &section);

    // A settings file that is a symbolic link is read and written where the
    // link leads; the link stays a link. One that leads nowhere (a loop, or a
    // chain to a file that is not there) counts as a file that cannot be read.
    //
    // Holds the file's lock while it lives. Reads made under it see the file
    // as it is now, and writes made under it do not wait for the lock again,
    // so a read-modify-write of several steps sees no other writer between them.
    // Never show a dialog while holding it: other writers wait for it.
    class [[nodiscard]] Lock
    {
    public:
        Lock(Lock &&other) noexcept : m_file(std::exchange(other.m_file, nullptr)) {}
        Lock &operator=(Lock &&) = delete;
        ~Lock() { unlock(); }
        // False when the lock could not be had (no write can succeed then).
        explicit operator bool() const { return m_file != nullptr; }
        void unlock();

    private:
        friend class SettingsFile;
        explicit Lock(SettingsFile *file) : m_file(file) {}
        SettingsFile *m_file = nullptr;
    };
    Lock lock();

    // The whole file decoded (for the maintainers' tool).
    QString contents() const;
    // True when the file is there and could be read (a missing file reads as
    // empty, so read() alone cannot tell).
    bool canRead() const;
    // True when the file is there but cannot be read (nor written over): a
    // folder in its place, a file the player may not read, a link that leads
    // nowhere.
    bool isBroken() const;

    // Removes what a write killed between making its temporary file and the
    // rename left beside the settings file at path: files named like it plus
    // "." and six letters or digits, last changed more than olderThan ago.
    // Returns how many were removed.
    static int removeStaleTemporaryFiles(const QString &path,
                                         std::chrono::seconds olderThan = std::chrono::seconds(60));

private:
    struct Document;
    struct Encoded;
    const Document &document() const;
    bool writeEncoded(const QString &section, const QList<Encoded> &entries);
    bool save(Document &&changed);
    bool acquireLock();
    void releaseLock();

    QString m_path;
    std::chrono::milliseconds m_lockWait = LockWait;
    mutable std::unique_ptr<Document> m_cache;
    // Set when the lock is taken: the next read compares the file's content
    // with what is cached, whatever its stamp says.
    mutable bool m_recheck = false;
    int m_lockDepth = 0;
    Failure m_failure = Failure::None;
    struct NativeLock;
    std::unique_ptr<NativeLock> m_nativeLock;
};
