#include "acquisition/VQtVideoFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// One write call moves at most this much.
constexpr uint64_t kMaxWrite = 1ull << 30;

// Permissions open() gives a new file: 0666 less the umask, read from /proc because setting
// and restoring the umask would race with other threads creating files.
int newFileMode() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            bool ok = false;
            const int mask = line.startsWith("Umask:") ? line.mid(6).trimmed().toInt(&ok, 8) : 0;
            if (ok)
                return 0666 & ~mask;
        }
    }
    return 0644;
}
} // namespace

VQtVideoFile::VQtVideoFile(const QString& path) : m_path(path) {}

VQtVideoFile::~VQtVideoFile() {
    abort();
}

bool VQtVideoFile::fail(const QString& reason) {
    m_failed = true;
    m_error = tr("Cannot write %1: %2").arg(m_path, reason);
    return false;
}

bool VQtVideoFile::fail(int error) {
    return fail(QString::fromLocal8Bit(std::strerror(error)));
}

bool VQtVideoFile::open() {
    abort();
    m_failed = false;
    m_error.clear();
    m_size = 0;
    if (m_path.isEmpty())
        return fail(tr("no file name"));
    const QFileInfo info(m_path);
    if (info.isDir())
        return fail(tr("it is a folder"));
    QByteArray name = QFile::encodeName(info.fileName());
    if (name.size() > 200)
        name.truncate(200);
    QByteArray temp = QFile::encodeName(info.absolutePath()) + "/." + name + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    m_fd = fd;
    m_temp = QFile::decodeName(temp);
    // mkostemp makes the file private; a recording gets the usual permissions of a new file.
    ::fchmod(m_fd, mode_t(newFileMode()));
    return true;
}

bool VQtVideoFile::write(const void* data, uint64_t size) {
    if (m_failed)
        return false;
    if (m_fd < 0)
        return fail(tr("the file is not open"));
    const char* p = static_cast<const char*>(data);
    uint64_t left = size;
    while (left > 0) {
        const ssize_t n = ::write(m_fd, p, size_t(std::min(left, kMaxWrite)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : EIO;
            // Only whole writes stay in the file.
            if (::ftruncate(m_fd, off_t(m_size)) == 0)
                ::lseek(m_fd, off_t(m_size), SEEK_SET);
            return fail(error);
        }
        p += n;
        left -= uint64_t(n);
    }
    m_size += size;
    return true;
}

bool VQtVideoFile::finish(bool keepAfterFailure) {
    if (m_fd < 0) {
        if (!m_failed)
            fail(tr("the file is not open"));
        return false;
    }
    const bool failedBefore = m_failed;
    if (failedBefore && !keepAfterFailure) {
        abort();
        return false;
    }
    // After a failed write the first reason is the one worth telling; later steps only decide
    // whether the whole writes keep their file.
    auto check = [&](bool done) {
        if (!done && !failedBefore)
            fail(errno);
        return done || failedBefore;
    };
    bool ok = check(::fsync(m_fd) == 0);
    const int fd = m_fd;
    m_fd = -1;
    // Write-back errors can surface only at close.
    ok = check(::close(fd) == 0) && ok;
    const QByteArray temp = QFile::encodeName(m_temp);
    if (ok && ::rename(temp.constData(), QFile::encodeName(m_path).constData()) != 0) {
        if (!failedBefore)
            fail(errno);
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.constData());
        m_temp.clear();
        return false;
    }
    m_temp.clear();
    // The rename reaches the disk with the folder.
    const int dir = ::open(QFile::encodeName(QFileInfo(m_path).absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool VQtVideoFile::commit() {
    return finish(false);
}

bool VQtVideoFile::commitWritten() {
    return finish(true);
}

void VQtVideoFile::abort() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.isEmpty()) {
        ::unlink(QFile::encodeName(m_temp).constData());
        m_temp.clear();
    }
}
