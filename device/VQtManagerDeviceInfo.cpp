#include "device/VQtManagerDeviceInfo.h"

#include <cstring>

#include "device/OxaApi.h"
#include "device/VQtStatusText.h"
#include "device/VionBoardApi.h"

std::atomic<bool> VQtManagerDeviceInfo::m_bInit{false};

namespace {
// Does the requested probe type select type x?
bool selects(VQT_DEVICE_VAR_TYPE requested, VQT_DEVICE_VAR_TYPE x) {
    return requested == VQT_DEVICE_ALL || requested == x;
}
} // namespace

VQtManagerDeviceInfo::VQtManagerDeviceInfo() {
    for (int t = VQT_DEVICE_CAMERALINK; t <= VQT_DEVICE_PCIEVISION; ++t)
        m_groups.append(new VQtDeviceInfo(VQT_DEVICE_VAR_TYPE(t)));
}

VQtManagerDeviceInfo::~VQtManagerDeviceInfo() {
    qDeleteAll(m_groups);
    m_groups.clear();
    OxaManTerminate();
    // A later registry initialises the library again.
    m_bInit = false;
}

uint32_t VQtManagerDeviceInfo::initLibrary() {
    if (m_bInit)
        return 0;
    const OXASTATUS status = OxaManInitialize();
    if (status != OXA_STATUS_SUCCESS)
        return status;
    m_bInit = true;
    return 0;
}

VQT_DEVICE_VAR_TYPE VQtManagerDeviceInfo::classifyBoard(const char* name) {
    const auto has = [name](const char* part) { return std::strstr(name, part) != nullptr; };
    if (has("CXP") || has("CoaXPress"))
        return VQT_DEVICE_COAXPRESS;
    if (has("SFP"))
        return VQT_DEVICE_SFP;
    if (has("Camera Link") || has("CameraLink") || has("CL"))
        return VQT_DEVICE_CAMERALINK;
    if (has("GigEVision"))
        return VQT_DEVICE_GIGEVISION_BOARD;
    return VQT_DEVICE_ALL;
}

uint32_t VQtManagerDeviceInfo::probeDevice(VQT_DEVICE_VAR_TYPE type) {
    m_probeErrors.clear();
    const uint32_t status = initLibrary();
    if (status != 0) {
        m_probeErrors << getRemoteErrorCode(status);
        return status;
    }
    m_probeType = type;
    // Every group is emptied: a probe of one type leaves the others empty.
    for (VQtDeviceInfo* group : m_groups)
        group->clear();
    probeBoards(type);
    probeCameras(type);
    return 0;
}

void VQtManagerDeviceInfo::probeBoards(VQT_DEVICE_VAR_TYPE type) {
    int32_t count = 0;
    if (VionGetBoardCount(&count) != 1)
        count = 0;
    for (int i = 0; i < count; ++i) {
        char name[128] = {0};
        if (VionGetBoardName(uint32_t(i), name, sizeof(name) - 1) != 1)
            continue;
        const VQT_DEVICE_VAR_TYPE kind = classifyBoard(name);
        if (kind == VQT_DEVICE_ALL || !selects(type, kind))
            continue;
        getDevInfo(kind)->addAcqDevice(new VQtAcqDeviceInfo(kind, i));
    }
}

// A failed record read adds the status text to the probe errors.
bool VQtManagerDeviceInfo::readRecord(uint32_t status) {
    if (status == OXA_STATUS_SUCCESS)
        return true;
    m_probeErrors << getRemoteErrorCode(status);
    return false;
}

void VQtManagerDeviceInfo::probeCameras(VQT_DEVICE_VAR_TYPE type) {
    uint32_t count = 0;
    OxaManGetDeviceCount(&count); // its result is ignored: no count means no cameras
    for (uint32_t i = 0; i < count; ++i) {
        OXA_DEVICE_INFO record;
        std::memset(&record, 0, sizeof(record));
        if (!readRecord(OxaManGetDeviceInfo(i, &record)))
            continue;
        fileCamera(i, type, record);
    }
    m_deviceCount = count;
}

void VQtManagerDeviceInfo::fileCamera(uint32_t index, VQT_DEVICE_VAR_TYPE type,
                                      const OXA_DEVICE_INFO& record) {
    const QByteArray iface(record.interfaceType,
                           int(strnlen(record.interfaceType, sizeof(record.interfaceType))));
    auto make = [&](VQT_DEVICE_VAR_TYPE t) {
        auto* camera = new VQtRemoteDeviceInfo;
        *camera->deviceInfo() = record;
        camera->setType(t);
        camera->setIndex(int(index));
        return camera;
    };
    if (iface == OXA_INTERFACE_GIGE && selects(type, VQT_DEVICE_GIGEVISION)) {
        VQtRemoteDeviceInfo* camera = make(VQT_DEVICE_GIGEVISION);
        if (!readRecord(OxaManGetGigEDeviceInfo(index, camera->gigeInfo()))) {
            delete camera;
            return;
        }
        const QString nic = camera->getNicIp();
        VQtDeviceInfo* group = getDevInfo(VQT_DEVICE_GIGEVISION);
        VQtAcqDeviceInfo* entry = group->findByNicIp(nic);
        if (!entry) {
            entry = new VQtAcqDeviceInfo(VQT_DEVICE_GIGEVISION, -1, nic);
            group->addAcqDevice(entry);
        }
        entry->addRemoteDevice(camera);
    } else if ((iface == OXA_INTERFACE_USB3 && selects(type, VQT_DEVICE_USB3VISION)) ||
               (iface == OXA_INTERFACE_PCIE && selects(type, VQT_DEVICE_PCIEVISION))) {
        const VQT_DEVICE_VAR_TYPE t =
            iface == OXA_INTERFACE_USB3 ? VQT_DEVICE_USB3VISION : VQT_DEVICE_PCIEVISION;
        auto* entry = new VQtAcqDeviceInfo(t, -1);
        entry->addRemoteDevice(make(t));
        getDevInfo(t)->addAcqDevice(entry);
    } else if (iface == OXA_INTERFACE_CXP &&
               (selects(type, VQT_DEVICE_COAXPRESS) || selects(type, VQT_DEVICE_SFP))) {
        OXA_CXP_DEVICE_INFO cxp;
        std::memset(&cxp, 0, sizeof(cxp));
        if (!readRecord(OxaManGetCXPDeviceInfo(index, &cxp)))
            return;
        for (VQT_DEVICE_VAR_TYPE t : {VQT_DEVICE_COAXPRESS, VQT_DEVICE_SFP}) {
            VQtAcqDeviceInfo* entry = selects(type, t) ? getDevInfo(t)->findByIndex(cxp.boardIndex) : nullptr;
            if (!entry)
                continue;
            VQtRemoteDeviceInfo* camera = make(t);
            *camera->cxpInfo() = cxp;
            entry->addRemoteDevice(camera);
        }
    } else if (iface == OXA_INTERFACE_GVB && selects(type, VQT_DEVICE_GIGEVISION_BOARD)) {
        VQtRemoteDeviceInfo* camera = make(VQT_DEVICE_GIGEVISION_BOARD);
        if (!readRecord(OxaManGetGVBDeviceInfo(index, camera->gvbInfo()))) {
            delete camera;
            return;
        }
        VQtAcqDeviceInfo* entry =
            getDevInfo(VQT_DEVICE_GIGEVISION_BOARD)->findByIndex(camera->gvbRecord().boardIndex);
        if (entry)
            entry->addRemoteDevice(camera);
        else
            delete camera; // its board is not in the registry
    } else if (iface == OXA_INTERFACE_CL && selects(type, VQT_DEVICE_CAMERALINK)) {
        VQtRemoteDeviceInfo* camera = make(VQT_DEVICE_CAMERALINK);
        if (OxaManGetCLDeviceInfo(index, camera->clInfo()) != OXA_STATUS_SUCCESS)
            camera->clInfo()->boardIndex = -1;
        VQtAcqDeviceInfo* entry =
            getDevInfo(VQT_DEVICE_CAMERALINK)->findByIndex(camera->clRecord().boardIndex);
        if (entry)
            entry->addRemoteDevice(camera);
        else
            delete camera;
    }
    // "IrradiationGigEVision" cameras are recognised and never listed.
}

VQtDeviceInfo* VQtManagerDeviceInfo::getDevInfo(VQT_DEVICE_VAR_TYPE type) const {
    for (VQtDeviceInfo* g : m_groups)
        if (g->getType() == type)
            return g;
    return nullptr;
}

VQtAcqDeviceInfo* VQtManagerDeviceInfo::getAcqDevInfoFromAcqIndex(VQT_DEVICE_VAR_TYPE type, int acqIndex,
                                                                  int cameraIndex) const {
    VQtDeviceInfo* group = getDevInfo(type);
    if (!group)
        return nullptr;
    for (VQtAcqDeviceInfo* e : group->getAcqDeviceList()) {
        if (e->getIndex() != acqIndex)
            continue;
        if (group->isAcqBoard() || e->getRemoteDeviceInfo(cameraIndex))
            return e;
    }
    return nullptr;
}

VQtRemoteDeviceInfo* VQtManagerDeviceInfo::getRemoteDeviceInfo(VQT_DEVICE_VAR_TYPE type, int acqIndex,
                                                               int cameraIndex) const {
    VQtAcqDeviceInfo* entry = getAcqDevInfoFromAcqIndex(type, acqIndex, cameraIndex);
    return entry ? entry->getRemoteDeviceInfo(cameraIndex) : nullptr;
}

VQtAcqDeviceInfo* VQtManagerDeviceInfo::getAcqDevInfoFromNICIp(const QString& address) const {
    VQtDeviceInfo* group = getDevInfo(VQT_DEVICE_GIGEVISION);
    return group ? group->findByNicIp(address) : nullptr;
}
