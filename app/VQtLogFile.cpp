#include "app/VQtLogFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>

namespace {
constexpr int kCloseDeadlineMs = 2000;

const char* levelName(int level) {
    switch (level) {
    case 0:
        return "Information";
    case 1:
        return "Warning";
    case 2:
        return "Error";
    default:
        return "-";
    }
}
} // namespace

VQtLogFile::VQtLogFile(const QString& folder, qint64 fileBytes, int fileCount, QObject* parent)
    : QObject(parent), m_folder(folder), m_fileBytes(qMax<qint64>(fileBytes, 256)),
      m_fileCount(qMax(fileCount, 1)) {
    connect(this, &VQtLogFile::signalWriteFailed, this, &VQtLogFile::slotWriteFailed, Qt::QueuedConnection);
    m_thread = std::thread([this] { run(); });
}

VQtLogFile::~VQtLogFile() {
    flush(kCloseDeadlineMs);
    {
        std::lock_guard<std::mutex> l(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
    delete m_file;
}

QString VQtLogFile::filePath() const {
    return m_folder + QStringLiteral("/VionCViewer.log");
}

QString VQtLogFile::rotatedPath(int n) const {
    return filePath() + QLatin1Char('.') + QString::number(n);
}

bool VQtLogFile::isWritable() const {
    std::lock_guard<std::mutex> l(m_mutex);
    return !m_failed;
}

void VQtLogFile::append(int level, const QString& message) {
    {
        std::lock_guard<std::mutex> l(m_mutex);
        if (m_failed)
            return;
        if (m_queue.size() >= size_t(MaxQueuedLines)) {
            if (m_dropped++ == 0)
                m_dropNote = tr("%1 lines of the log were not written: the disk did not keep up");
            return;
        }
        m_queue.push_back({QDateTime::currentDateTime(), level, message});
        ++m_queued;
    }
    m_wake.notify_one();
}

bool VQtLogFile::flush(int msecs) {
    std::unique_lock<std::mutex> l(m_mutex);
    const quint64 target = m_queued;
    return m_progress.wait_for(l, std::chrono::milliseconds(msecs),
                               [&] { return m_written >= target || m_failed; });
}

void VQtLogFile::run() {
    std::unique_lock<std::mutex> l(m_mutex);
    for (;;) {
        m_wake.wait(l, [this] { return m_stop || !m_queue.empty(); });
        if (m_queue.empty() && m_stop)
            break;
        std::deque<Line> lines;
        lines.swap(m_queue);
        const quint64 dropped = m_dropped;
        const QString dropNote = m_dropNote;
        m_dropped = 0;
        const bool failed = m_failed;
        l.unlock();
        if (!failed)
            writeLines(lines, dropped ? dropNote.arg(dropped) : QString());
        l.lock();
        m_written += lines.size();
        m_progress.notify_all();
    }
    if (m_file)
        m_file->close();
}

void VQtLogFile::writeLines(const std::deque<Line>& lines, const QString& dropNote) {
    if (!m_file && !openFile())
        return;
    auto writeOne = [this](const QByteArray& bytes) {
        if (m_size > 0 && m_size + bytes.size() > m_fileBytes && !rotate())
            return false;
        if (m_file->write(bytes) != bytes.size()) {
            fail(CannotWrite, m_file->errorString());
            return false;
        }
        m_size += bytes.size();
        return true;
    };
    if (!dropNote.isEmpty() &&
        !writeOne((QDateTime::currentDateTime().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss.zzz")) +
                   QStringLiteral(" Warning ") + dropNote + QLatin1Char('\n'))
                      .toUtf8()))
        return;
    for (const Line& line : lines) {
        const QString text = line.time.toString(QStringLiteral("yyyy.MM.dd hh:mm:ss.zzz")) +
                             QLatin1Char(' ') + QLatin1String(levelName(line.level)) + QLatin1Char(' ') +
                             line.message + QLatin1Char('\n');
        if (!writeOne(text.toUtf8()))
            return;
    }
    if (!m_file->flush())
        fail(CannotWrite, m_file->errorString());
}

bool VQtLogFile::openFile() {
    if (!QDir().mkpath(m_folder)) {
        fail(NoFolder);
        return false;
    }
    if (!m_file)
        m_file = new QFile(filePath());
    // A log grows by appending; it is the one file the program does not replace whole.
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Append)) {
        fail(CannotOpen, m_file->errorString());
        return false;
    }
    m_size = m_file->size();
    return true;
}

bool VQtLogFile::rotate() {
    m_file->close();
    QFile::remove(rotatedPath(m_fileCount - 1));
    for (int n = m_fileCount - 2; n >= 1; --n)
        if (QFile::exists(rotatedPath(n)))
            QFile::rename(rotatedPath(n), rotatedPath(n + 1));
    if (m_fileCount == 1) {
        // No older file is kept: start the one file afresh.
        if (!QFile::remove(filePath())) {
            fail(CannotRotate);
            return false;
        }
    } else if (!QFile::rename(filePath(), rotatedPath(1))) {
        // Appending on would let the file grow without bound.
        fail(CannotRotate);
        return false;
    }
    return openFile();
}

void VQtLogFile::fail(Reason reason, const QString& detail) {
    {
        std::lock_guard<std::mutex> l(m_mutex);
        if (m_failed)
            return;
        m_failed = true;
        m_queue.clear();
    }
    if (m_file)
        m_file->close();
    emit signalWriteFailed(reason, detail);
}

void VQtLogFile::slotWriteFailed(int reason, const QString& detail) {
    QString why;
    switch (reason) {
    case NoFolder:
        why = tr("the folder cannot be created");
        break;
    case CannotRotate:
        why = tr("the full file cannot be renamed");
        break;
    default:
        why = detail;
        break;
    }
    emit signalOutputInfo(tr("The log is not written to %1 (%2); it is kept in the log window only")
                              .arg(QDir::toNativeSeparators(filePath()), why),
                          1);
}
