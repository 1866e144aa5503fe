#pragma once

// The recorder's output file, written the safe way: the bytes go to a hidden temporary file
// beside the target ("." + name + ".XXXXXX"), every write is checked, and the file gets its
// name only when it is complete (commit: data synced, then renamed over the target). Until then
// no file of that name is touched.
//
// A stream differs from a picture in one point: what was written before a failure is worth
// keeping. A failed write cuts the file back to the end of the last whole write, and
// commitWritten() still names the file, so a full disk ends a recording with every frame that
// reached it.

#include <QCoreApplication>
#include <QString>

#include <cstdint>

class VQtVideoFile {
    Q_DECLARE_TR_FUNCTIONS(VQtVideoFile)

public:
    explicit VQtVideoFile(const QString& path);
    ~VQtVideoFile(); // discards the temporary file unless committed
    VQtVideoFile(const VQtVideoFile&) = delete;
    VQtVideoFile& operator=(const VQtVideoFile&) = delete;

    // Creates the temporary file. False when the target cannot be written (a folder, a folder
    // that does not exist or cannot be written).
    bool open();
    // Appends bytes. After the first failure every later call fails.
    bool write(const void* data, uint64_t size);
    // Syncs, closes and renames over the target; false (temporary file removed) when any step
    // or an earlier write failed.
    bool commit();
    // Like commit(), but after a failed write keeps the whole writes made before it.
    bool commitWritten();
    // Removes the temporary file; the target stays as it was.
    void abort();

    bool isOpen() const { return m_fd >= 0; }
    bool hasFailed() const { return m_failed; }
    const QString& path() const { return m_path; }
    // Bytes of the whole writes so far.
    uint64_t size() const { return m_size; }
    // "Cannot write PATH: REASON" after a failure, empty before.
    const QString& errorString() const { return m_error; }

private:
    bool fail(int error);
    bool fail(const QString& reason);
    bool finish(bool keepAfterFailure);

    QString m_path;
    QString m_temp;
    int m_fd = -1;
    bool m_failed = false;
    uint64_t m_size = 0;
    QString m_error;
};
