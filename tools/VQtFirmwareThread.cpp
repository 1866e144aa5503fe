#include "tools/VQtFirmwareThread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstring>

#include "core/VQtSystemParam.h"
#include "core/VQtThreadGuard.h"
#include "core/VQtThreadMark.h"
#include "tools/VQtFirmwareFamily.h"
#include "tools/VQtServiceTiming.h"

VQtFirmwareThread::VQtFirmwareThread(QObject* parent) : QThread(parent) {}

VQtFirmwareThread::~VQtFirmwareThread() {
    m_running = false;
    wait();
    VQtThreadMark::seen(this);
}

QString VQtFirmwareThread::deviceName() const {
    if (!m_deviceName.isEmpty())
        return m_deviceName;
    if (!g_sysPrm.deviceName.isEmpty())
        return g_sysPrm.deviceName;
    return device() ? device()->getDisplayName() : QString();
}

bool VQtFirmwareThread::refuse(const QString& text) {
    if (!text.isEmpty())
        emit signalOutputInfo(text, 2);
    m_file.clear();
    emit signalExitThread(false);
    return false;
}

int64_t VQtFirmwareThread::updateFamily(int type) {
    OXA_DEV_HANDLE h = cameraHandle();
    const VQT_DEVICE_VAR_TYPE devType = device()->getType();
    auto read6420 = [h](uint32_t* value) {
        return OxaDevPortRead(h, value, 0x6420, 4) == OXA_STATUS_SUCCESS;
    };
    return VQtFirmwareFamily::derive(devType, deviceName(), type, read6420);
}

bool VQtFirmwareThread::startFwFileUpgrade(int type, const QString& path, const QString& suffix) {
    if (isRunning())
        return false;
    m_type = type;
    m_path = path;
    m_suffix = suffix.toLower();
    m_lastProgress = 0;
    OXA_DEV_HANDLE h = cameraHandle();
    if (!h)
        return refuse(tr("Please open the device!"));
    int64_t family = VQtFirmwareFamily::kNone;
    if (OxaDevGetInt64(h, "DeviceFirmwareUpdateType", &family) == OXA_STATUS_SUCCESS) {
        if (family > VQtFirmwareFamily::kHighest || family < 0)
            return refuse(tr("The current device firmware update type is not supported!"));
    } else {
        family = updateFamily(type);
    }
    family = VQtFirmwareFamily::forFirmwareType(family, type);
    m_family = family;
    // Family 7 has no routine for description files.
    if (family == 7)
        return refuse(tr("The current device firmware update type is not supported!"));

    const VQT_DEVICE_VAR_TYPE devType = device()->getType();
    const bool header = VQtFirmwareFile::hasHeader(type, m_suffix);
    const uint8_t fill = VQtFirmwareFamily::fillByte(devType, family, type);
    bool ok = false;
    if (devType == VQT_DEVICE_CAMERALINK) {
        if (VQtFirmwareFamily::refusedCameraLinkModels().contains(deviceName()))
            return refuse(tr("The camera does not support firmware update!"));
        ok = checkFile(fill, VQtFirmwareFile::kPageBytes, header);
    } else if (family == VQtFirmwareFamily::kNone && devType != VQT_DEVICE_USB3VISION) {
        return refuse(tr("The camera does not support firmware update!"));
    } else if (VQtFirmwareFamily::usesBlocks(family, type)) {
        // These cameras take the whole file and check its container themselves; a container is
        // still checked here first, so that a wrong file never reaches them.
        ok = !header || checkFile(fill, VQtFirmwareFile::kPageBytes, true);
        if (ok) {
            const VQtFirmwareFile::Result r = m_file.load(path, false, fill, 256);
            if (r != VQtFirmwareFile::Ok)
                return refuse(VQtFirmwareFile::message(r));
        }
    } else {
        ok = checkFile(fill, VQtFirmwareFile::kPageBytes, header);
    }
    if (!ok) {
        m_file.clear();
        emit signalExitThread(false);
        return false;
    }
    m_running = true;
    start();
    return true;
}

// The file against the camera: it reads whole, a container carries both markers, names this
// camera (or the user accepts another name) and accepts the camera's versions.
bool VQtFirmwareThread::checkFile(uint8_t fill, int block, bool withHeader) {
    VQtFirmwareVersions versions;
    QString versionText;
    bool known = false;
    {
        char text[128] = {0};
        uint32_t size = sizeof(text);
        if (OxaDevToString(cameraHandle(), "DeviceVersion", text, &size) == OXA_STATUS_SUCCESS) {
            text[sizeof(text) - 1] = 0;
            known = parseDeviceVersion(QString::fromLatin1(text), &versions);
        }
    }
    const VQtFirmwareFile::Result r = m_file.load(m_path, withHeader, fill, block);
    if (r != VQtFirmwareFile::Ok) {
        emit signalOutputInfo(VQtFirmwareFile::message(r), 2);
        return false;
    }
    if (!withHeader)
        return true;
    if (!m_file.modelMatches(deviceName())) {
        const QString question =
            tr("Firmware file and camera name do not match, Do you want to continue updating?");
        if (!m_ask || !m_ask(question)) {
            emit signalOutputInfo(
                tr("Firmware file is made for %1, not for %2.").arg(m_file.modelName(), deviceName()), 1);
            return false;
        }
    }
    const VQtFirmwareFile::Result v = m_file.checkVersions(known ? &versions : nullptr);
    if (v != VQtFirmwareFile::Ok) {
        emit signalOutputInfo(VQtFirmwareFile::message(v), 2);
        return false;
    }
    return true;
}

bool VQtFirmwareThread::stopThread(int deadlineMs) {
    m_running = false;
    return VQtWorkerJoin::join(this, deadlineMs);
}

void VQtFirmwareThread::run() {
    const VQtThreadMark::EndMark endMark(this);
    QString failure;
    if (!VQtThreadGuard::run(
            tr("Firmware upgrade"), [this] { transfer(); }, &failure)) {
        emit signalOutputInfo(failure, 2);
        fail(tr("Failed to update firmware"));
    }
    m_file.clear();
    m_running = false;
}

void VQtFirmwareThread::transfer() {
    swtichNexoAssic();
    const VQT_DEVICE_VAR_TYPE devType = device() ? device()->getType() : VQT_DEVICE_ALL;
    switch (m_family) {
    case 0:
        runAster();
        break;
    case 1:
        runBirch();
        break;
    case 2:
        runSpecificGvCxp();
        break;
    case 3:
        runGvCxp();
        break;
    case 4:
    case 6:
        runIntegration();
        break;
    case 5:
    case 8:
        runCedar();
        break;
    default:
        if (devType == VQT_DEVICE_USB3VISION && deviceName().contains(VQtFirmwareFamily::usb3ModelWord()))
            runUSB3Vision();
        else if (devType == VQT_DEVICE_USB3VISION)
            runGvCxp();
        else if (devType == VQT_DEVICE_CAMERALINK)
            runCLFirmware();
        else
            fail(tr("The camera does not support firmware update!"));
        break;
    }
}

// Cameras speaking the ASCII variant of the control protocol are switched to the fast line
// and told (ESC) to take text commands.
void VQtFirmwareThread::swtichNexoAssic() {
    OXA_DEV_HANDLE h = cameraHandle();
    char text[128] = {0};
    uint32_t size = sizeof(text);
    if (!h || OxaDevToString(h, "DeviceProtocol", text, &size) != OXA_STATUS_SUCCESS)
        return;
    text[sizeof(text) - 1] = 0;
    if (!QByteArray(text).contains("NexoAscii_GenCP"))
        return;
    OxaDevFromString(h, "DeviceSerialPortBaudRate", "Baud_460800");
    VQtServiceTiming::sleep(VQtServiceTiming::ms(500), &m_running);
    serialWrite(QByteArray(1, '\x1b'), 10);
}

bool VQtFirmwareThread::portWrite(uint64_t address, const void* data, uint32_t size) {
    OXA_DEV_HANDLE h = cameraHandle();
    return h && OxaDevPortWrite(h, data, address, size) == OXA_STATUS_SUCCESS;
}

bool VQtFirmwareThread::writeWord(uint64_t address, uint32_t value, int tries) {
    for (int i = 0; i < tries && m_running; ++i)
        if (portWrite(address, &value, 4))
            return true;
    return false;
}

bool VQtFirmwareThread::readWord(uint64_t address, uint32_t* value, int tries) {
    OXA_DEV_HANDLE h = cameraHandle();
    for (int i = 0; h && i < tries && m_running; ++i)
        if (OxaDevPortRead(h, value, address, 4) == OXA_STATUS_SUCCESS)
            return true;
    return false;
}

bool VQtFirmwareThread::TryDevPortWrite(uint64_t address, uint32_t value) {
    return writeWord(address, value, kPortTries);
}

bool VQtFirmwareThread::TryDevPortRead(uint64_t address, uint32_t* value) {
    return readWord(address, value, kPortTries);
}

bool VQtFirmwareThread::TryDevPortWriteSleep(uint64_t address, const void* data, uint32_t size) {
    for (int i = 0; i < kPortTries && m_running; ++i) {
        QThread::usleep(200);
        if (portWrite(address, data, size))
            return true;
    }
    return false;
}

bool VQtFirmwareThread::serialWrite(const QByteArray& bytes, uint32_t timeoutMs) {
    OXA_DEV_HANDLE h = cameraHandle();
    uint32_t size = uint32_t(bytes.size());
    return h && OxaDevSerialPortWrite(h, bytes.constData(), &size, timeoutMs) == OXA_STATUS_SUCCESS;
}

namespace {
// What ends the wait for a serial reply. Cameras answer ">ok" or ">Ok"; ">128" to ">133" are
// their refusals.
bool replyEnds(const QByteArray& reply, const QByteArray& command) {
    const QByteArray lower = reply.toLower();
    for (const char* end : {">ok", ">128", ">130", ">131", ">132", ">133"})
        if (lower.contains(end))
            return true;
    return reply.contains(command);
}
} // namespace

bool VQtFirmwareThread::SetCmdToSerialPort(const QString& command, int timeoutMs) {
    OXA_DEV_HANDLE h = cameraHandle();
    const QByteArray cmd = command.toUpper().toLatin1();
    const QByteArray bare = cmd.trimmed();
    for (int attempt = 0; attempt < kSerialTries && m_running; ++attempt) {
        if (!serialWrite(cmd, 1))
            return false;
        if (timeoutMs == 0)
            return true;
        QByteArray reply;
        QElapsedTimer waited;
        waited.start();
        const int limit = VQtServiceTiming::ms(timeoutMs);
        while (waited.elapsed() < limit && m_running && !replyEnds(reply, bare)) {
            char buffer[1024];
            uint32_t size = sizeof(buffer);
            if (OxaDevSerialPortRead(h, buffer, &size, 10) == OXA_STATUS_SUCCESS && size > 0)
                reply.append(buffer, int(std::min<uint32_t>(size, sizeof(buffer))));
        }
        if (reply.toLower().contains(">ok"))
            return true;
    }
    return false;
}
