#include "aravis_helpers.h"

#include <gtest/gtest.h>

#include <QThread>
#include <chrono>
#include <cstring>
#include <thread>

#include "device/aravis/VQtArvBackend.h"
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

FakeGvCamera::FakeGvCamera(const QString& address, const QString& serial)
    : m_address(address), m_serial(serial) {
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
}

bool FakeGvCamera::start(int timeoutMs, int* index) {
    m_process.start(QStringLiteral("arv-fake-gv-camera-0.8"), {"-i", m_address, "-s", m_serial});
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
