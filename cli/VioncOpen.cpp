// Opening the device a command names: the registry is probed like the device panel does,
// the name resolved to a device type, board index and camera index, and the adapter opened.
#include <QCoreApplication>

#include "cli/VioncCommands.h"
#include "device/VQtDevice.h"
#include "device/VQtManagerDeviceInfo.h"
#include "device/VQtStatusText.h"

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("vionc", text);
}

QString boardModel(int index) {
    char name[128] = {0};
    if (index < 0 || VionGetBoardName(uint32_t(index), name, sizeof(name)) != VION_OK)
        return QString();
    name[sizeof(name) - 1] = 0;
    return QString::fromUtf8(name);
}

struct Target {
    VQT_DEVICE_VAR_TYPE type = VQT_DEVICE_ALL;
    int board = -1;
    int camera = -1;
};

bool findBoard(const VQtManagerDeviceInfo& registry, const QString& key, Target* target) {
    bool numbered = false;
    const int wanted =
        key.startsWith(QLatin1String("board:"), Qt::CaseInsensitive) ? key.mid(6).toInt(&numbered) : -1;
    for (const VQtDeviceInfo* group : registry.getDeviceList()) {
        if (!group->isAcqBoard())
            continue;
        for (const VQtAcqDeviceInfo* entry : group->getAcqDeviceList()) {
            if (!(numbered && entry->getIndex() == wanted) && key != entry->getName() &&
                key != boardModel(entry->getIndex()))
                continue;
            target->type = entry->getType();
            target->board = entry->getIndex();
            const QList<VQtRemoteDeviceInfo*>& cameras = entry->getRemoteDeviceList();
            target->camera = cameras.isEmpty() ? -1 : cameras.first()->getIndex();
            return true;
        }
    }
    return false;
}

bool findCamera(const VQtManagerDeviceInfo& registry, const QString& key, Target* target) {
    bool numeric = false;
    const int index = key.toInt(&numeric);
    for (const VQtDeviceInfo* group : registry.getDeviceList())
        for (const VQtAcqDeviceInfo* entry : group->getAcqDeviceList())
            for (const VQtRemoteDeviceInfo* c : entry->getRemoteDeviceList()) {
                const OXA_DEVICE_INFO& record = c->deviceRecord();
                const bool match = numeric ? c->getIndex() == index
                                           : key == c->getDeviceName() || key == c->getName() ||
                                                 key == QString::fromUtf8(record.serialNumber) ||
                                                 key == c->getUserDefinedName() ||
                                                 (!c->getIp().isEmpty() && key == c->getIp());
                if (!match)
                    continue;
                target->type = entry->getType();
                target->board = group->isAcqBoard() ? entry->getIndex() : -1;
                target->camera = c->getIndex();
                return true;
            }
    return false;
}

} // namespace

VioncDevice::VioncDevice() : m_registry(new VQtManagerDeviceInfo) {}

VioncDevice::~VioncDevice() {
    if (g_pDev == m_device)
        g_pDev = nullptr;
    delete m_device;
    delete m_registry;
}

bool VioncDevice::open(const QString& key, QString* error) {
    if (const uint32_t status = m_registry->probeDevice(VQT_DEVICE_ALL)) {
        *error = tr("Cannot initialise the camera library: %1").arg(getRemoteErrorCode(status));
        return false;
    }
    Target target;
    if (!findBoard(*m_registry, key, &target) && !findCamera(*m_registry, key, &target)) {
        *error = tr("No device \"%1\" (see vionc probe)").arg(key);
        return false;
    }
    m_device = VQtDevice::createDevice(target.type);
    QObject::connect(m_device, &VQtDevice::signalOutputInfo,
                     [this](const QString& text, int) { m_lines << text; });
    const bool opened = m_device->open(target.board, target.camera);
    // Either half failing is worth a line: a board without its camera is still useful, but the
    // user named both.
    const QString why = !m_device->isOpenAcq() && target.board >= 0       ? m_device->getAcqErrorInfo()
                        : !m_device->isOpenRemote() && target.camera >= 0 ? m_device->getRemoteErrorInfo()
                                                                          : QString();
    if (!opened || !why.isEmpty()) {
        *error = tr("Cannot open %1: %2").arg(key, why.isEmpty() ? tr("the library refused it") : why);
        return false;
    }
    g_pDev = m_device;
    m_device->adaptiveAcqFeature();
    return true;
}

QStringList VioncDevice::takeLines() {
    QStringList lines;
    lines.swap(m_lines);
    return lines;
}
