#include "device/sim/SimControlServer.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "device/sim/SimControl.h"
#include "device/sim/SimLibrary.h"

namespace {

constexpr int kMaxCommand = 64 * 1024;
// A command that succeeds starts with "ok"; the client tells success by it.
const char kOk[] = "ok";

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool address(const QString& path, sockaddr_un* a, QString* error) {
    const QByteArray bytes = QFile::encodeName(path);
    std::memset(a, 0, sizeof(*a));
    a->sun_family = AF_UNIX;
    if (size_t(bytes.size()) >= sizeof(a->sun_path)) {
        *error = QStringLiteral("control socket path %1 is too long").arg(path);
        return false;
    }
    std::memcpy(a->sun_path, bytes.constData(), size_t(bytes.size()));
    return true;
}

// A folder of our own for the socket: created 0700, refused when it is a link or someone
// else's.
bool privateFolder(const QString& dir, QString* error) {
    const QByteArray d = QFile::encodeName(dir);
    if (mkdir(d.constData(), 0700) != 0 && errno != EEXIST) {
        *error = QStringLiteral("cannot create %1: %2").arg(dir, systemError());
        return false;
    }
    struct stat st;
    if (lstat(d.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() ||
        (st.st_mode & 077) != 0) {
        *error = QStringLiteral("%1 is not a private folder of this user").arg(dir);
        return false;
    }
    return true;
}

// Reads until the newline, the peer closing, or the deadline.
QByteArray readLine(int fd, int timeoutMs) {
    QByteArray data;
    char chunk[4096];
    while (data.size() < kMaxCommand && !data.contains('\n')) {
        pollfd p = {fd, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0)
            break;
        const ssize_t n = read(fd, chunk, sizeof(chunk));
        if (n <= 0)
            break;
        data.append(chunk, int(n));
    }
    return data.left(data.indexOf('\n'));
}

void writeAll(int fd, const QByteArray& data) {
    const char* p = data.constData();
    size_t left = size_t(data.size());
    while (left > 0) {
        const ssize_t n = send(fd, p, left, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        p += n;
        left -= size_t(n);
    }
}

// Whether a process accepts connections at that address.
bool listening(const sockaddr_un& a) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool yes = ::connect(fd, reinterpret_cast<const sockaddr*>(&a), sizeof(a)) == 0;
    close(fd);
    return yes;
}

class Server {
public:
    ~Server() { stop(); }

    bool start(QString* error) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_thread.joinable())
            return true;
        SimLibrary::instance(); // made first, so that it outlives this server
        m_path = SimControlServer::socketPath();
        if (m_path.startsWith(QDir::tempPath() + QStringLiteral("/vionc-sim-")) &&
            !privateFolder(QFileInfo(m_path).path(), error))
            return false;
        sockaddr_un a;
        if (!address(m_path, &a, error))
            return false;
        if (listening(a)) {
            *error = QStringLiteral("another viewer already listens at %1").arg(m_path);
            return false;
        }
        unlink(a.sun_path); // a socket left behind by a viewer that ended abruptly
        m_fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const mode_t old = umask(077);
        const bool bound =
            m_fd >= 0 && bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof(a)) == 0 && listen(m_fd, 4) == 0;
        umask(old);
        if (!bound) {
            *error = QStringLiteral("cannot listen at %1: %2").arg(m_path, systemError());
            if (m_fd >= 0)
                close(m_fd);
            m_fd = -1;
            return false;
        }
        m_stop = false;
        m_thread = std::thread([this] { run(); });
        return true;
    }

    void stop() {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_thread.joinable())
            return;
        m_stop = true;
        m_thread.join();
        close(m_fd);
        m_fd = -1;
        unlink(QFile::encodeName(m_path).constData());
    }

private:
    void run() {
        while (!m_stop) {
            pollfd p = {m_fd, POLLIN, 0};
            if (poll(&p, 1, 200) <= 0)
                continue;
            const int client = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0)
                continue;
            const QByteArray line = readLine(client, 2000);
            QStringList words;
            for (const QByteArray& w : line.split('\t'))
                if (!w.isEmpty())
                    words << QString::fromUtf8(w);
            QString reply;
            SimControl::execute(words, &reply);
            writeAll(client, reply.toUtf8() + '\n');
            close(client);
        }
    }

    std::mutex m_mutex;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    int m_fd = -1;
    QString m_path;
};

Server& server() {
    static Server s;
    return s;
}

} // namespace

QString SimControlServer::socketPath() {
    const QString explicitPath = qEnvironmentVariable("VIONC_SIM_CONTROL");
    if (!explicitPath.isEmpty())
        return explicitPath;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime + QStringLiteral("/vionc-sim.sock");
    return QDir::tempPath() + QStringLiteral("/vionc-sim-%1/control.sock").arg(getuid());
}

bool SimControlServer::start(QString* error) {
    return server().start(error);
}

void SimControlServer::stop() {
    server().stop();
}

bool SimControlServer::send(const QStringList& words, QString* reply, int timeoutMs) {
    const QString path = socketPath();
    sockaddr_un a;
    if (!address(path, &a, reply))
        return false;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof(a)) != 0) {
        *reply = QStringLiteral("no running viewer listens at %1 (%2)").arg(path, systemError());
        if (fd >= 0)
            close(fd);
        return false;
    }
    writeAll(fd, words.join(QLatin1Char('\t')).toUtf8() + '\n');
    QByteArray answer;
    char chunk[4096];
    for (;;) {
        pollfd p = {fd, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0) {
            close(fd);
            *reply = QStringLiteral("the viewer at %1 did not answer within %2 ms").arg(path).arg(timeoutMs);
            return false;
        }
        const ssize_t n = read(fd, chunk, sizeof(chunk));
        if (n <= 0)
            break;
        answer.append(chunk, int(n));
    }
    close(fd);
    if (answer.endsWith('\n'))
        answer.chop(1);
    *reply = QString::fromUtf8(answer);
    // "list" answers with its listing; every other command with "ok" or the reason.
    return words.value(0) == QLatin1String("list") ? !answer.isEmpty() : answer == kOk;
}
