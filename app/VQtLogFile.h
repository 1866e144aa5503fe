#ifndef VQTLOGFILE_H
#define VQTLOGFILE_H

#include <QDateTime>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// The output log kept on disk: every line of the log window is also appended to "VionCViewer.log"
// in the log folder. The user-interface thread only queues lines; a thread of its own writes
// them, so a slow or stalled disk never holds up the windows. When the file reaches its size
// limit it is renamed to "VionCViewer.log.1" (older files move up one number, the oldest is
// deleted) and a new file is started, so the folder never holds more than fileCount files.
class VQtLogFile : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 DefaultFileBytes = 4 * 1024 * 1024;
    static constexpr int DefaultFileCount = 4;   // the current file and three older ones
    static constexpr int MaxQueuedLines = 20000; // beyond this a stalled disk costs lines, not memory

    explicit VQtLogFile(const QString& folder, qint64 fileBytes = DefaultFileBytes,
                        int fileCount = DefaultFileCount, QObject* parent = nullptr);
    // Writes what is still queued (bounded by a short deadline), then stops the writer.
    ~VQtLogFile() override;

    // Queues one line; never waits for the disk.
    void append(int level, const QString& message);
    // Waits until every line queued so far is written, at most `msecs`; true when written.
    bool flush(int msecs);

    QString folder() const { return m_folder; }
    QString filePath() const;
    // Path of the n-th older file (1 = the most recent).
    QString rotatedPath(int n) const;
    // False once the folder turned out not to be writable; lines are then dropped.
    bool isWritable() const;

signals:
    // Sent once, when the log folder cannot be written.
    void signalOutputInfo(const QString& text, int level);
    // From the writer thread to the object's own thread, where the message is translated.
    void signalWriteFailed(int reason, const QString& detail);

private:
    enum Reason { NoFolder, CannotOpen, CannotWrite, CannotRotate };

    struct Line {
        QDateTime time;
        int level;
        QString message;
    };

    void run();
    void writeLines(const std::deque<Line>& lines, const QString& dropNote);
    bool openFile();
    bool rotate();
    void fail(Reason reason, const QString& detail = QString());
    void slotWriteFailed(int reason, const QString& detail);

    const QString m_folder;
    const qint64 m_fileBytes;
    const int m_fileCount;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;     // lines queued or stop requested
    std::condition_variable m_progress; // a batch was written
    std::deque<Line> m_queue;
    quint64 m_dropped = 0; // lines refused while the queue was full
    QString m_dropNote;    // translated on the queuing thread
    quint64 m_queued = 0;  // lines accepted so far
    quint64 m_written = 0; // lines taken off the queue and handled so far
    bool m_stop = false;
    bool m_failed = false;

    // Used by the writer thread only.
    class QFile* m_file = nullptr;
    qint64 m_size = 0;

    std::thread m_thread;
};

#endif // VQTLOGFILE_H
