#include "aravis_helpers.h"

#include <gtest/gtest.h>

#include <QStandardPaths>
#include <QThread>
#include <QVector>
#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstring>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "device/aravis/VQtArvBackend.h"
#include "device/aravis/VQtArvHostInterfaces.h"
#include "device/dispatch/VQtBackendRegistry.h"

void useAravisBackend() {
    static std::once_flag once;
    std::call_once(once, [] {
        VQtBackendRegistry::setEnabledBackends({QStringLiteral("sim"), QStringLiteral("aravis")});
        VQtArvBackend::setFakeCamera(true, QStringLiteral(VQT_ARAVIS_TEST_DATA "/test-camera.xml"));
        ASSERT_EQ(OxaManInitialize(), OXA_STATUS_SUCCESS);
    });
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

int listedCamera(const char* serial, const char* interfaceType) {
    uint32_t count = 0;
    OxaManGetDeviceCount(&count);
    for (uint32_t i = 0; i < count; ++i) {
        OXA_DEVICE_INFO info{};
        if (OxaManGetDeviceInfo(i, &info) == OXA_STATUS_SUCCESS &&
            std::strcmp(info.serialNumber, serial) == 0 &&
            std::strcmp(info.interfaceType, interfaceType) == 0)
            return int(i);
    }
    return -1;
}

void BoundedProcess::setupChildProcess() {
    // Between fork and exec: both survive exec.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::alarm(unsigned(m_lifetime));
}

namespace {

// Nothing on this host holds UDP port 3956, the GigE Vision control port, on the address.
bool controlPortFree(uint32_t address) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(3956);
    sa.sin_addr.s_addr = htonl(address);
    const bool free = ::bind(fd, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0;
    ::close(fd);
    return free;
}

} // namespace

FakeGvCamera::FakeGvCamera(const QString& serial) : m_serial(serial) {
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
}

QString FakeGvCamera::unavailable() {
    if (QStandardPaths::findExecutable(QLatin1String(kTool)).isEmpty())
        return QStringLiteral("%1 is not installed (Debian package aravis-tools): the tests with a "
                              "fake GigE Vision camera are skipped")
            .arg(QLatin1String(kTool));
    // The fake camera listens on one interface's own address and port 3956 only; another test
    // run on this host may hold loopback's, so any other local address will do.
    QVector<VQtArvHostInterface> all = VQtArvHostInterfaces::list();
    std::stable_sort(all.begin(), all.end(), [](const VQtArvHostInterface& a, const VQtArvHostInterface& b) {
        return (a.ip >> 24) == 127 && (b.ip >> 24) != 127;
    });
    QStringList taken;
    for (const VQtArvHostInterface& h : all) {
        if (h.ip == 0)
            continue;
        if (controlPortFree(h.ip)) {
            m_address = QString::fromLatin1(VQtArvHostInterfaces::text(h.ip));
            m_interface = h.name;
            m_mask = h.mask;
            return QString();
        }
        taken << QString::fromLatin1(VQtArvHostInterfaces::text(h.ip));
    }
    return QStringLiteral("UDP port 3956 is taken on every local address (%1): the tests with a "
                          "fake GigE Vision camera are skipped")
        .arg(taken.join(QStringLiteral(", ")));
}

bool FakeGvCamera::start(int timeoutMs, int* index) {
    *index = -1;
    if (m_address.isEmpty() && !unavailable().isEmpty())
        return false;
    m_process.start(QLatin1String(kTool), {"-i", m_address, "-s", m_serial});
    if (!m_process.waitForStarted(5000))
        return false;
    const QByteArray serial = m_serial.toUtf8();
    return waitUntil(
               [&] {
                   *index = listedCamera(serial.constData(), OXA_INTERFACE_GIGE);
                   return *index >= 0 || m_process.state() != QProcess::Running;
               },
               timeoutMs) &&
           *index >= 0;
}

void FakeGvCamera::kill() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

namespace {
std::mutex g_logMutex;
QStringList g_log;
} // namespace

LogCapture::LogCapture() {
    std::lock_guard<std::mutex> lock(g_logMutex);
    g_log.clear();
    m_previous = qInstallMessageHandler(&LogCapture::handler);
}

LogCapture::~LogCapture() {
    qInstallMessageHandler(m_previous);
}

QStringList LogCapture::lines() const {
    std::lock_guard<std::mutex> lock(g_logMutex);
    return g_log;
}

void LogCapture::handler(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (context.category && std::strcmp(context.category, "vionc.device.aravis") == 0) {
        std::lock_guard<std::mutex> lock(g_logMutex);
        g_log << message;
    }
}
