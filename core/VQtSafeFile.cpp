#include "core/VQtSafeFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kGatherBytes = 64 * 1024;
// One write call moves at most this much; the kernel takes no more than 2 GiB at once anyway.
constexpr uint64_t kMaxWrite = 1ull << 30;

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Permissions a newly created file gets from open(): 0666 less the umask. The umask is read
// from /proc rather than set and restored, which would race with other threads creating files.
int defaultMode() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const int mask = line.mid(6).trimmed().toInt(&ok, 8);
                if (ok)
                    return 0666 & ~mask;
            }
        }
    }
    return 0644;
}

// Temporary name beside the target: hidden, and short enough for any file name length.
QByteArray temporaryTemplate(const QString& target) {
    const QFileInfo info(target);
    QByteArray name = QFile::encodeName(info.fileName());
    if (name.size() > 200)
        name.truncate(200);
    return QFile::encodeName(info.absolutePath()) + "/." + name + ".XXXXXX";
}

} // namespace

VQtSafeFile::VQtSafeFile(const QString& path, Durability durability, LinkPolicy links)
    : m_path(path), m_durability(durability), m_links(links) {}

VQtSafeFile::~VQtSafeFile() {
    abort();
}

bool VQtSafeFile::fail(const QString& reason) {
    m_failed = true;
    m_error = tr("Cannot write %1: %2").arg(m_path, reason);
    return false;
}

bool VQtSafeFile::failErrno(int error) {
    return fail(systemReason(error));
}

bool VQtSafeFile::open() {
    abort();
    m_failed = false;
    m_error.clear();
    m_gathered.clear();
    if (m_path.isEmpty())
        return fail(tr("no file name"));
    m_target = m_path;
    int mode = m_mode;
    const QByteArray native = QFile::encodeName(m_path);
    struct stat st;
    if (::lstat(native.constData(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            if (m_links == RefuseLinks)
                return fail(tr("it is a symbolic link, which this file must not be"));
            char resolved[PATH_MAX];
            if (!::realpath(native.constData(), resolved))
                return failErrno(errno);
            m_target = QFile::decodeName(resolved);
            if (::stat(resolved, &st) != 0)
                return failErrno(errno);
        }
        if (S_ISDIR(st.st_mode))
            return fail(tr("it is a folder"));
        if (!S_ISREG(st.st_mode))
            return fail(tr("it is not a regular file"));
        // A file its owner made read-only is not replaced behind their back, although the
        // folder would allow the rename.
        if (::faccessat(AT_FDCWD, QFile::encodeName(m_target).constData(), W_OK, AT_EACCESS) != 0)
            return failErrno(errno);
        if (mode == kKeepPermissions)
            mode = int(st.st_mode & 07777);
    } else if (errno != ENOENT) {
        return failErrno(errno);
    }
    if (mode == kKeepPermissions)
        mode = defaultMode();

    QByteArray name = temporaryTemplate(m_target);
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return failErrno(errno);
    m_fd = fd;
    m_temp = QFile::decodeName(name);
    // On the open file: whatever sits at the path meanwhile is never touched.
    if (::fchmod(m_fd, mode_t(mode)) != 0) {
        const int e = errno;
        abort();
        return failErrno(e);
    }
    return true;
}

bool VQtSafeFile::writeAll(const char* data, uint64_t size) {
    while (size > 0) {
        const size_t chunk = size_t(std::min(size, kMaxWrite));
        const ssize_t n = ::write(m_fd, data, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failErrno(errno);
        }
        if (n == 0)
            return failErrno(EIO);
        data += n;
        size -= uint64_t(n);
    }
    return true;
}

bool VQtSafeFile::flushGathered() {
    if (m_gathered.empty())
        return true;
    const bool ok = writeAll(m_gathered.data(), m_gathered.size());
    m_gathered.clear();
    return ok;
}

bool VQtSafeFile::write(const void* data, uint64_t size) {
    if (m_fd < 0)
        return m_failed ? false : fail(tr("the file is not open"));
    if (m_failed)
        return false;
    if (size == 0)
        return true;
    if (!data)
        return fail(tr("no data"));
    const char* bytes = static_cast<const char*>(data);
    if (m_gathered.size() + size <= kGatherBytes) {
        if (m_gathered.capacity() < kGatherBytes)
            m_gathered.reserve(kGatherBytes);
        m_gathered.insert(m_gathered.end(), bytes, bytes + size);
        return true;
    }
    return flushGathered() && writeAll(bytes, size);
}

bool VQtSafeFile::seek(uint64_t position) {
    if (m_failed || m_fd < 0)
        return false;
    if (!flushGathered())
        return false;
    if (position > uint64_t(LLONG_MAX) || ::lseek(m_fd, off_t(position), SEEK_SET) < 0)
        return failErrno(position > uint64_t(LLONG_MAX) ? EINVAL : errno);
    return true;
}

bool VQtSafeFile::commit() {
    if (m_fd < 0) {
        if (!m_failed)
            fail(tr("the file is not open"));
        return false;
    }
    bool ok = !m_failed && flushGathered();
    if (ok && m_durability == Durable && ::fsync(m_fd) != 0)
        ok = failErrno(errno);
    // Write-back errors (quota, network file systems) can surface only at close.
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && ok)
        ok = failErrno(errno);
    const QByteArray temp = QFile::encodeName(m_temp);
    if (ok && ::rename(temp.constData(), QFile::encodeName(m_target).constData()) != 0)
        ok = failErrno(errno);
    if (!ok) {
        ::unlink(temp.constData());
        m_temp.clear();
        return false;
    }
    m_temp.clear();
    if (m_durability == Durable) {
        // The rename itself reaches the disk with the folder; a folder that cannot be synced
        // (some file systems refuse) still holds the complete new file.
        const QByteArray folder = QFile::encodeName(QFileInfo(m_target).absolutePath());
        const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    return true;
}

void VQtSafeFile::abort() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.isEmpty()) {
        ::unlink(QFile::encodeName(m_temp).constData());
        m_temp.clear();
    }
    m_gathered.clear();
}

bool VQtSafeFile::writeFile(const QString& path, const void* data, uint64_t size, QString* error,
                            Durability durability, LinkPolicy links, int mode) {
    VQtSafeFile file(path, durability, links);
    file.setPermissions(mode);
    // One large block goes straight to the file rather than through the gathering buffer.
    const bool ok = file.open() && file.write(data, size) && file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

bool VQtSafeFile::writeFile(const QString& path, const QByteArray& bytes, QString* error,
                            Durability durability, LinkPolicy links, int mode) {
    return writeFile(path, bytes.constData(), uint64_t(bytes.size()), error, durability, links, mode);
}

bool VQtSafeFile::setPermissionsNoFollow(const QString& path, int mode, QString* error) {
    auto failed = [&](const QString& reason) {
        if (error)
            *error = tr("Cannot set the permissions of %1: %2").arg(path, reason);
        return false;
    };
    // O_NOFOLLOW refuses a link as the last part of the path; O_NONBLOCK keeps a FIFO from
    // holding the open up.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failed(errno == ELOOP ? tr("it is a symbolic link") : systemReason(errno));
    struct stat st;
    bool ok = true;
    if (::fstat(fd, &st) != 0)
        ok = failed(systemReason(errno));
    else if (!S_ISREG(st.st_mode))
        ok = failed(tr("it is not a regular file"));
    else if ((st.st_mode & 07777) != mode_t(mode) && ::fchmod(fd, mode_t(mode)) != 0)
        ok = failed(systemReason(errno));
    ::close(fd);
    return ok;
}
