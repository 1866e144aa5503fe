#pragma once

// The one way this program writes a file, so that nothing already saved is ever lost.
//
// The bytes go to a new temporary file in the target's own folder; every write and the close
// are checked, and only a complete file is renamed over the target. Until that rename the
// target is untouched, so any failure (full disk, file size limit, no permission, a folder or a
// link where the file should be) leaves the old file exactly as it was, and errorString() names
// the path and the system's reason. The permissions are set on the open temporary file, never
// through a path.
//
// Durability:
// - Atomic (the default): the replacement is atomic for every program that looks at the file
//   (old file or new file, never a mix) but the data is not forced to disk. Used for pictures,
//   frames and sequences, where waiting for the disk would hold up a camera's frame rate; after a
//   power cut the newest file may be lost, the ones before it are not touched.
// - Durable: the file's data is flushed to disk (fsync) before the rename and the folder after
//   it. Used for small files whose loss matters more than a few milliseconds: settings and
//   configuration files, and the end of a recorded stream.
//
// Whole files: writeFile(). Streams (video, tables written row by row): open(), write() as often
// as needed (small writes are gathered into 64 KiB blocks), commit() or abort(). An object
// destroyed before commit() discards its temporary file.

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <vector>

class VQtSafeFile {
    Q_DECLARE_TR_FUNCTIONS(VQtSafeFile)

public:
    enum Durability { Atomic, Durable };
    enum LinkPolicy {
        FollowLinks, // a link as target: the file it points to is replaced (a user's choice)
        RefuseLinks  // a link as target is refused (shared folders such as the temporary folder)
    };
    // Permissions of the new file when none are set: those of the file it replaces, else the
    // usual ones for a new file (0666 less the process's umask).
    static constexpr int kKeepPermissions = -1;

    explicit VQtSafeFile(const QString& path, Durability durability = Atomic, LinkPolicy links = FollowLinks);
    ~VQtSafeFile();
    VQtSafeFile(const VQtSafeFile&) = delete;
    VQtSafeFile& operator=(const VQtSafeFile&) = delete;

    // POSIX permission bits for the new file (for example 0666), or kKeepPermissions.
    void setPermissions(int mode) { m_mode = mode; }

    // Creates the temporary file. False when the target cannot be replaced (a folder, a refused
    // link, a file its user may not write, a folder that does not exist or cannot be written).
    bool open();
    // Appends bytes. After the first failure every later call fails and commit() discards.
    bool write(const void* data, uint64_t size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), uint64_t(bytes.size())); }
    // Moves the write position (for headers written after their data, or the other way round).
    bool seek(uint64_t position);
    // Writes what is gathered, checks the close, (Durable: syncs) and renames over the target.
    // False, with the target untouched, when any step failed.
    bool commit();
    // Discards the temporary file; the target stays as it was.
    void abort();

    bool isOpen() const { return m_fd >= 0; }
    const QString& path() const { return m_path; }
    // "Cannot write PATH: REASON" after a failure, empty before.
    const QString& errorString() const { return m_error; }

    // The whole file in one call; on failure *error (when given) gets errorString().
    static bool writeFile(const QString& path, const void* data, uint64_t size, QString* error = nullptr,
                          Durability durability = Atomic, LinkPolicy links = FollowLinks,
                          int mode = kKeepPermissions);
    static bool writeFile(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                          Durability durability = Atomic, LinkPolicy links = FollowLinks,
                          int mode = kKeepPermissions);
    // Sets the permissions of an existing regular file through the opened file; a symbolic link
    // (or anything but a regular file) is refused. False with the reason in *error.
    static bool setPermissionsNoFollow(const QString& path, int mode, QString* error = nullptr);

private:
    bool fail(const QString& reason);
    bool failErrno(int error);
    bool flushGathered();
    bool writeAll(const char* data, uint64_t size);

    QString m_path;   // as given, for messages
    QString m_target; // what the rename replaces (the link's file when following links)
    QString m_temp;
    Durability m_durability;
    LinkPolicy m_links;
    int m_mode = kKeepPermissions;
    int m_fd = -1;
    bool m_failed = false;
    QString m_error;
    std::vector<char> m_gathered;
};
