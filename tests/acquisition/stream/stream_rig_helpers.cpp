#include "stream_rig_helpers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include "device/OxaApi.h"
#include "device/VQtDevice.h"
#include "device/VionBoardApi.h"
#include "device/sim/SimControl.h"
#include "device/sim/SimDeviceSet.h"
#include "device/sim/SimLibrary.h"

namespace {
// Queued signals need an application object on the test's (owner) thread.
void ensureApplication() {
    static int argc = 1;
    static char name[] = "test_stream";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}
} // namespace

StreamRig::StreamRig() : saved(g_sysPrm) {
    ensureApplication();
    m_stream = std::make_unique<VQtDeviceStream>();
    m_stream->setWidget(&m_picture, nullptr);
    QObject::connect(m_stream.get(), &VQtDeviceStream::signalOutputInfo, [this](const QString& text, int) {
        std::lock_guard<std::mutex> l(m_linesMutex);
        m_lines << text;
    });
    // Every frame goes to the display unless a test thins them.
    g_sysPrm.general.ExtractFrame = false;
}

StreamRig::~StreamRig() {
    m_stream->slotGrabStop();
    m_stream.reset();
    close();
    OxaManTerminate();
    g_sysPrm = saved;
}

bool StreamRig::useDevices(const QByteArray& json) {
    SimDeviceSet set;
    QString error;
    if (!SimDeviceSet::fromJson(json, &set, &error)) {
        ADD_FAILURE() << error.toStdString();
        return false;
    }
    SimLibrary::instance().setDeviceSet(set);
    uint32_t cameras = 0;
    int32_t boards = 0;
    return OxaManInitialize() == OXA_STATUS_SUCCESS && OxaManGetDeviceCount(&cameras) == OXA_STATUS_SUCCESS &&
           VionGetBoardCount(&boards) == VION_OK;
}

bool StreamRig::open(int type, int boardIndex, int cameraIndex) {
    close();
    m_device = VQtDevice::createDevice(VQT_DEVICE_VAR_TYPE(type));
    if (!m_device || !m_device->open(boardIndex, cameraIndex) || !m_device->isOpen())
        return false;
    g_pDev = m_device;
    return true;
}

void StreamRig::close() {
    if (!m_device)
        return;
    m_device->close();
    if (g_pDev == m_device)
        g_pDev = nullptr;
    delete m_device;
    m_device = nullptr;
}

bool StreamRig::step(const QString& device, int frames) {
    QString error;
    const bool ok = SimControl::step(device, frames, 10000, &error);
    if (!ok)
        ADD_FAILURE() << "step " << device.toStdString() << ": " << error.toStdString();
    return ok;
}

bool StreamRig::waitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

bool StreamRig::waitShown(uint64_t frames) {
    return waitFor([&] { return m_stream->getFigures().displayed >= frames; });
}

bool StreamRig::waitStopped() {
    return waitFor([&] { return !m_stream->isGrabbing(); });
}

QStringList StreamRig::lines() const {
    std::lock_guard<std::mutex> l(m_linesMutex);
    return m_lines;
}

bool StreamRig::logged(const QString& text) const {
    std::lock_guard<std::mutex> l(m_linesMutex);
    for (const QString& line : m_lines)
        if (line.contains(text))
            return true;
    return false;
}
