// The camera library's calls (device/OxaApi.h) served by the simulated cameras. Every call
// first meets the faults injected into it, library-wide and then the device's own.
#include "device/sim/SimCameraBackend.h"

#include <QByteArray>
#include <QStringList>
#include <cstring>

#include "device/dispatch/VQtStreamBuffer.h"
#include "device/sim/SimCamera.h"
#include "device/sim/SimEventInfo.h"
#include "device/sim/SimFeature.h"
#include "device/sim/SimLibrary.h"
#include "device/sim/SimStream.h"

namespace {

SimLibrary& lib() {
    return SimLibrary::instance();
}

constexpr OXASTATUS status(uint32_t module, uint32_t id) {
    return OXA_MAKE_STATUS(module, id);
}

OXASTATUS putText(const QByteArray& text, char* buffer, uint32_t* size, uint32_t module) {
    if (!buffer || !size)
        return status(module, OXA_ERR_INVALID_PARAMETER);
    const uint32_t need = uint32_t(text.size()) + 1;
    if (*size < need) {
        *size = need;
        return status(module, OXA_ERR_BUFFER_TOO_SMALL);
    }
    std::memcpy(buffer, text.constData(), need);
    *size = need;
    return OXA_STATUS_SUCCESS;
}

template <typename T> OXASTATUS putValue(const T& value, void* buffer, uint32_t* size, uint32_t module) {
    if (!buffer || !size)
        return status(module, OXA_ERR_INVALID_PARAMETER);
    if (*size < sizeof(T)) {
        *size = sizeof(T);
        return status(module, OXA_ERR_BUFFER_TOO_SMALL);
    }
    std::memcpy(buffer, &value, sizeof(T));
    *size = sizeof(T);
    return OXA_STATUS_SUCCESS;
}

void copyText(char* dst, size_t capacity, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    const size_t n = std::min(capacity - 1, size_t(bytes.size()));
    std::memset(dst, 0, capacity);
    std::memcpy(dst, bytes.constData(), n);
}

// Whether a read's value must differ from the device's, by the library's or the camera's faults.
bool differs(SimCamera& camera, const char* call) {
    const bool a = lib().faults().differ(call);
    const bool b = camera.faults().differ(call);
    return a || b;
}

// The camera of a device handle whose session is still open, or the status to return.
std::shared_ptr<SimCamera> openCamera(OXA_DEV_HANDLE h, const char* call, OXASTATUS* st,
                                      SimDeviceRef* refOut = nullptr) {
    SimDeviceRef ref;
    *st = lib().faults().enter(call);
    if (*st)
        return nullptr;
    if (!lib().device(h, &ref))
        *st = status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE);
    else if (!ref.camera->isCurrent(*ref.session))
        *st = status(OXA_MODULE_DEVICE, OXA_ERR_DEVICE_REMOVED);
    else
        *st = ref.camera->faults().enter(call);
    if (*st)
        return nullptr;
    if (refOut)
        *refOut = ref;
    return ref.camera;
}

#define SIM_CAMERA(handle, call)                                                                             \
    OXASTATUS openStatus;                                                                                    \
    const std::shared_ptr<SimCamera> cam = openCamera(handle, call, &openStatus);                            \
    if (!cam)                                                                                                \
        return openStatus;

#define SIM_BY_NAME(handle, name, call)                                                                      \
    SIM_CAMERA(handle, call);                                                                                \
    if (!(name))                                                                                             \
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);                                        \
    const QString featureName = QString::fromUtf8(name);

// The feature behind a feature handle, with its current state.
OXASTATUS featureOf(OXA_FEATURE_HANDLE h, const char* call, SimFeatureRef* ref, SimFeature* f) {
    if (const OXASTATUS st = lib().faults().enter(call))
        return st;
    if (!lib().feature(h, ref))
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_HANDLE);
    if (!ref->camera->isCurrent(*ref->session))
        return status(OXA_MODULE_DEVICE, OXA_ERR_DEVICE_REMOVED);
    if (const OXASTATUS st = ref->camera->faults().enter(call))
        return st;
    return f ? ref->camera->feature(ref->name, f) : OXA_STATUS_SUCCESS;
}

#define SIM_FEATURE(handle, call)                                                                            \
    SimFeatureRef ref;                                                                                       \
    SimFeature f;                                                                                            \
    if (const OXASTATUS fs = featureOf(handle, call, &ref, &f))                                              \
        return fs;

#define SIM_FEATURE_FIELD(handle, call, out, expression)                                                     \
    SIM_FEATURE(handle, call);                                                                               \
    if (!(out))                                                                                              \
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);                                        \
    *(out) = (expression);                                                                                   \
    return OXA_STATUS_SUCCESS;

#define SIM_FIELD(out, expression)                                                                           \
    if (!(out))                                                                                              \
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);                                        \
    *(out) = (expression);                                                                                   \
    return OXA_STATUS_SUCCESS;

// Limits are readable only for readable features of the type.
#define SIM_LIMIT(handle, call, out, check, field)                                                           \
    SIM_FEATURE(handle, call);                                                                               \
    if (!(check))                                                                                            \
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);                                    \
    if (f.access == OXA_ACCESS_NA || f.access == OXA_ACCESS_NI)                                              \
        return status(OXA_MODULE_FEATURE, OXA_ERR_NOT_ACCESSIBLE);                                           \
    SIM_FIELD(out, field)

// A stream handle, after the faults of the call.
std::shared_ptr<SimStream> streamOf(OXA_STREAM_HANDLE h, const char* call, OXASTATUS* st) {
    *st = lib().faults().enter(call);
    if (*st)
        return nullptr;
    std::shared_ptr<SimStream> s = lib().stream(h);
    if (!s)
        *st = status(OXA_MODULE_STREAM, OXA_ERR_INVALID_HANDLE);
    else
        *st = s->camera()->faults().enter(call);
    return *st ? nullptr : s;
}

#define SIM_STREAM(handle, call)                                                                             \
    OXASTATUS streamStatus;                                                                                  \
    const std::shared_ptr<SimStream> stream = streamOf(handle, call, &streamStatus);                         \
    if (!stream)                                                                                             \
        return streamStatus;

bool numericLimitsOk(const SimFeature& f) {
    return f.type == OXAFEATURE_VAL_TYPE_INT64 || f.type == OXAFEATURE_VAL_TYPE_INT64_RO;
}
bool floating(const SimFeature& f) {
    return f.type == OXAFEATURE_VAL_TYPE_FLOAT || f.type == OXAFEATURE_VAL_TYPE_DOUBLE;
}

OXASTATUS needManager() {
    return lib().isInitialized() ? OXA_STATUS_SUCCESS : status(OXA_MODULE_MANAGER, OXA_ERR_NOT_INITIALIZED);
}

std::shared_ptr<SimCamera> listed(uint32_t index, const char* call, OXASTATUS* st) {
    *st = lib().faults().enter(call);
    if (!*st)
        *st = needManager();
    if (*st)
        return nullptr;
    std::shared_ptr<SimCamera> c = lib().listedCamera(index);
    if (!c)
        *st = status(OXA_MODULE_MANAGER, OXA_ERR_INDEX_OUT_OF_RANGE);
    return c;
}

// Interface-specific record reads: the camera must be of that interface.
std::shared_ptr<SimCamera> listedOf(uint32_t index, const char* interfaceType, const char* call,
                                    OXASTATUS* st) {
    std::shared_ptr<SimCamera> c = listed(index, call, st);
    if (!c)
        return nullptr;
    const SimCameraDesc d = c->desc();
    if (d.interfaceType != QLatin1String(interfaceType)) {
        *st = status(OXA_MODULE_MANAGER, OXA_ERR_PARAMETER_MISMATCH);
        return nullptr;
    }
    if (d.infoError) {
        *st = d.infoError;
        return nullptr;
    }
    return c;
}

bool validIp(const char* text) {
    if (!text)
        return false;
    const QStringList parts = QString::fromLatin1(text).split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString& p : parts) {
        bool ok = false;
        const uint v = p.toUInt(&ok);
        if (!ok || v > 255)
            return false;
    }
    return true;
}

OXASTATUS boardCameraInfo(uint32_t index, const char* interfaceType, const char* call,
                          OXA_CXP_DEVICE_INFO* pInfo) {
    OXASTATUS st;
    const std::shared_ptr<SimCamera> c = listedOf(index, interfaceType, call, &st);
    if (!c)
        return st;
    if (!pInfo)
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    const SimCameraDesc d = c->desc();
    std::memset(pInfo, 0, sizeof(*pInfo));
    pInfo->boardIndex = d.board;
    pInfo->masterIndex = d.master;
    pInfo->linkCount = uint32_t(d.links);
    pInfo->linkSpeed = 6;
    copyText(pInfo->deviceVendor, sizeof(pInfo->deviceVendor), d.vendor);
    copyText(pInfo->deviceModel, sizeof(pInfo->deviceModel), d.model);
    copyText(pInfo->deviceId, sizeof(pInfo->deviceId), d.serial);
    copyText(pInfo->hostConnection, sizeof(pInfo->hostConnection),
             QStringLiteral("Board%1-%2").arg(d.board).arg(QChar('A' + (d.master & 7))));
    return OXA_STATUS_SUCCESS;
}

// The integer limits read by feature name share every check; only the field differs.
OXASTATUS intLimitByName(OXA_DEV_HANDLE hDev, const char* pName, int64_t* pValue, int64_t SimFeature::*field,
                         const char* call) {
    SIM_BY_NAME(hDev, pName, call);
    SimFeature f;
    if (const OXASTATUS st = cam->feature(featureName, &f))
        return st;
    if (!numericLimitsOk(f) || !pValue)
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
    *pValue = f.*field;
    return OXA_STATUS_SUCCESS;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Manager
// ---------------------------------------------------------------------------------------------
OXASTATUS SimCameraBackend::initialize() {
    if (const OXASTATUS st = lib().faults().enter("OxaManInitialize"))
        return st;
    return lib().initialize();
}

OXASTATUS SimCameraBackend::terminate() {
    return lib().terminate();
}

OXASTATUS SimCameraBackend::setManagerPrm(uint32_t prm, const void* pValue, uint32_t size) {
    if (const OXASTATUS st = lib().faults().enter("OxaManSetPrm"))
        return st;
    if (!pValue || size != 4)
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    if (prm != OXA_MAN_PRM_SUPPORT_CXP12 && prm != OXA_MAN_PRM_SUPPORT_CXP_COMM_TAG &&
        prm != OXA_MAN_PRM_CXP_CONTROL_PACKET_MAX_SIZE && prm != OXA_MAN_PRM_CXP_STREAM_PACKET_MAX_SIZE &&
        prm != OXA_MAN_PRM_CXP_RW_REGISTER_MAX_TIME)
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    uint32_t v;
    std::memcpy(&v, pValue, 4);
    lib().setManagerPrm(prm, v);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCameraBackend::getManagerPrm(uint32_t prm, void* pValue, uint32_t* pSize) {
    uint32_t v = 0;
    if (!lib().managerPrm(prm, &v))
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    return putValue(v, pValue, pSize, OXA_MODULE_MANAGER);
}

OXASTATUS SimCameraBackend::getDeviceCount(uint32_t* pCount) {
    if (const OXASTATUS st = lib().faults().enter("OxaManGetDeviceCount"))
        return st;
    if (const OXASTATUS st = needManager())
        return st;
    if (!pCount)
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    *pCount = lib().refreshDeviceList();
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCameraBackend::getDeviceInfo(uint32_t index, OXA_DEVICE_INFO* pInfo) {
    OXASTATUS st;
    const std::shared_ptr<SimCamera> c = listed(index, "OxaManGetDeviceInfo", &st);
    if (!c)
        return st;
    if (!pInfo)
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    const SimCameraDesc d = c->desc();
    copyText(pInfo->deviceName, sizeof(pInfo->deviceName), d.model);
    copyText(pInfo->vendorName, sizeof(pInfo->vendorName), d.vendor);
    copyText(pInfo->serialNumber, sizeof(pInfo->serialNumber), d.serial);
    copyText(pInfo->deviceVersion, sizeof(pInfo->deviceVersion), d.version);
    copyText(pInfo->interfaceType, sizeof(pInfo->interfaceType), d.interfaceType);
    copyText(pInfo->userDefinedName, sizeof(pInfo->userDefinedName), d.userName);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCameraBackend::getCLDeviceInfo(uint32_t index, OXA_CL_DEVICE_INFO* pInfo) {
    OXASTATUS st;
    const std::shared_ptr<SimCamera> c = listedOf(index, OXA_INTERFACE_CL, "OxaManGetCLDeviceInfo", &st);
    if (!c)
        return st;
    if (!pInfo)
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    const SimCameraDesc d = c->desc();
    std::memset(pInfo, 0, sizeof(*pInfo));
    pInfo->portIndex = 0;
    pInfo->boardIndex = d.board;
    copyText(pInfo->portName, sizeof(pInfo->portName), QStringLiteral("Board%1-COM0").arg(d.board));
    copyText(pInfo->manufacturer, sizeof(pInfo->manufacturer), d.vendor);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCameraBackend::getCXPDeviceInfo(uint32_t index, OXA_CXP_DEVICE_INFO* pInfo) {
    return boardCameraInfo(index, OXA_INTERFACE_CXP, "OxaManGetCXPDeviceInfo", pInfo);
}

OXASTATUS SimCameraBackend::getGVBDeviceInfo(uint32_t index, OXA_GVB_DEVICE_INFO* pInfo) {
    return boardCameraInfo(index, OXA_INTERFACE_GVB, "OxaManGetGVBDeviceInfo", pInfo);
}

OXASTATUS SimCameraBackend::getGigEDeviceInfo(uint32_t index, OXA_GIGE_DEVICE_INFO* pInfo) {
    OXASTATUS st;
    std::shared_ptr<SimCamera> c = listed(index, "OxaManGetGigEDeviceInfo", &st);
    if (!c)
        return st;
    const SimCameraDesc d = c->desc();
    if (d.interfaceType != QLatin1String(OXA_INTERFACE_GIGE) &&
        d.interfaceType != QLatin1String(OXA_INTERFACE_IRRADIATION))
        return status(OXA_MODULE_MANAGER, OXA_ERR_PARAMETER_MISMATCH);
    if (d.infoError)
        return d.infoError;
    if (!pInfo)
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    std::memset(pInfo, 0, sizeof(*pInfo));
    copyText(pInfo->mac, sizeof(pInfo->mac), d.mac);
    copyText(pInfo->ip, sizeof(pInfo->ip), d.ip);
    copyText(pInfo->subnetMask, sizeof(pInfo->subnetMask), d.mask);
    copyText(pInfo->defaultGateway, sizeof(pInfo->defaultGateway), d.gateway);
    copyText(pInfo->nicMac, sizeof(pInfo->nicMac),
             QStringLiteral("A0:36:9F:00:00:%1")
                 .arg(d.nicIp.section('.', 2, 2).toInt(), 2, 16, QLatin1Char('0'))
                 .toUpper());
    copyText(pInfo->nicIp, sizeof(pInfo->nicIp), d.nicIp);
    copyText(pInfo->nicSubnetMask, sizeof(pInfo->nicSubnetMask), d.nicMask);
    copyText(pInfo->nicDefaultGateway, sizeof(pInfo->nicDefaultGateway), d.gateway);
    copyText(pInfo->nicName, sizeof(pInfo->nicName), d.nicName);
    copyText(pInfo->manufacturer, sizeof(pInfo->manufacturer), d.vendor);
    copyText(pInfo->model, sizeof(pInfo->model), d.model);
    copyText(pInfo->serialNumber, sizeof(pInfo->serialNumber), d.serial);
    copyText(pInfo->version, sizeof(pInfo->version), d.version);
    copyText(pInfo->userDefinedName, sizeof(pInfo->userDefinedName), d.userName);
    pInfo->ipConfigOptions = 0x7;
    pInfo->ipConfigCurrent = 0x1;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCameraBackend::forceIp(const char* pMac, const char* pIp, const char* pSubnetMask,
                                    const char* pGateway) {
    if (const OXASTATUS st = lib().faults().enter("OxaGigEDevForceIp"))
        return st;
    if (const OXASTATUS st = needManager())
        return st;
    if (!pMac || !validIp(pIp) || (pSubnetMask && *pSubnetMask && !validIp(pSubnetMask)))
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    const std::shared_ptr<SimCamera> c = lib().cameraByMac(QString::fromLatin1(pMac));
    if (!c || !c->isPresent())
        return status(OXA_MODULE_MANAGER, OXA_ERR_DEVICE_NOT_FOUND);
    if (c->isOpen())
        return status(OXA_MODULE_DEVICE, OXA_ERR_ACCESS_DENIED);
    c->forceIp(QString::fromLatin1(pIp), QString::fromLatin1(pSubnetMask ? pSubnetMask : ""),
               QString::fromLatin1(pGateway ? pGateway : ""));
    return OXA_STATUS_SUCCESS;
}

// ---------------------------------------------------------------------------------------------
// Devices
// ---------------------------------------------------------------------------------------------
OXASTATUS SimCameraBackend::devOpen(uint32_t index, uint32_t accessMode, OXA_DEV_HANDLE* phDev) {
    OXASTATUS st;
    const std::shared_ptr<SimCamera> c = listed(index, "OxaDevOpen", &st);
    if (!c)
        return st == status(OXA_MODULE_MANAGER, OXA_ERR_INDEX_OUT_OF_RANGE)
                   ? status(OXA_MODULE_DEVICE, OXA_ERR_INDEX_OUT_OF_RANGE)
                   : st;
    if (!phDev)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    if (const OXASTATUS fail = c->faults().enter("OxaDevOpen"))
        return fail;
    const std::shared_ptr<SimCameraSession> session = c->open(accessMode, &st);
    if (!session)
        return st;
    *phDev = lib().addDevice(SimDeviceRef{c, session});
    return OXA_STATUS_SUCCESS;
}

// The device's streams stop before the camera closes; a stream that is closing its own device
// from its callback stops right after that callback.
OXASTATUS SimCameraBackend::devClose(OXA_DEV_HANDLE hDev) {
    SimDeviceRef ref;
    if (!lib().removeDevice(hDev, &ref))
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE);
    for (const std::shared_ptr<SimStream>& s : lib().streamsOf(ref.session.get()))
        s->stop();
    ref.camera->close(ref.session);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCameraBackend::devGetFeatureCount(OXA_DEV_HANDLE hDev, uint32_t* pCount) {
    SIM_CAMERA(hDev, "OxaDevGetFeatureCount");
    if (!pCount)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    *pCount = uint32_t(cam->featureCount());
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCameraBackend::devGetFeatureName(OXA_DEV_HANDLE hDev, uint32_t index, char* pName,
                                              uint32_t* pSize) {
    SIM_CAMERA(hDev, "OxaDevGetFeatureName");
    if (index >= uint32_t(cam->featureCount()))
        return status(OXA_MODULE_DEVICE, OXA_ERR_INDEX_OUT_OF_RANGE);
    return putText(cam->featureName(int(index)).toUtf8(), pName, pSize, OXA_MODULE_DEVICE);
}

OXASTATUS SimCameraBackend::devAllocFeature(OXA_DEV_HANDLE hDev, const char* pName,
                                            OXA_FEATURE_HANDLE* phFeature) {
    OXASTATUS openStatus;
    SimDeviceRef dev;
    const std::shared_ptr<SimCamera> cam = openCamera(hDev, "OxaDevAllocFeature", &openStatus, &dev);
    if (!cam)
        return openStatus;
    if (!pName || !phFeature)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    SimFeature f;
    const QString name = QString::fromUtf8(pName);
    if (const OXASTATUS st = cam->feature(name, &f))
        return st;
    *phFeature = lib().addFeature(SimFeatureRef{cam, dev.session, name});
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCameraBackend::devFreeFeature(OXA_FEATURE_HANDLE hFeature) {
    return lib().removeFeature(hFeature) ? OXA_STATUS_SUCCESS
                                         : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_HANDLE);
}

OXASTATUS SimCameraBackend::devGetAccessMode(OXA_DEV_HANDLE hDev, const char* pName, uint32_t* pAccess) {
    SIM_CAMERA(hDev, "OxaDevGetAccessMode");
    if (!pName || !pAccess)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    SimFeature f;
    if (const OXASTATUS st = cam->feature(QString::fromUtf8(pName), &f))
        return st;
    *pAccess = f.access;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCameraBackend::devRegisterCallback(OXA_DEV_HANDLE hDev, const char* pEventName,
                                                OXA_EVENT_CALLBACK pFunc, void* pContext) {
    OXASTATUS openStatus;
    SimDeviceRef dev;
    if (!openCamera(hDev, "OxaDevRegisterCallback", &openStatus, &dev))
        return openStatus;
    if (!pEventName)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    return dev.camera->registerCallback(*dev.session, QString::fromLatin1(pEventName), pFunc, pContext);
}

// Works on a handle whose camera was unplugged too: its callbacks must be undone all the same.
OXASTATUS SimCameraBackend::devUnregisterCallback(OXA_DEV_HANDLE hDev, const char* pEventName) {
    SimDeviceRef dev;
    if (!lib().device(hDev, &dev))
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE);
    if (!pEventName)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    return dev.camera->unregisterCallback(*dev.session, QString::fromLatin1(pEventName));
}

OXASTATUS SimCameraBackend::eventInfoGetPrm(OXA_EVENT_INFO_HANDLE hInfo, uint32_t prm, void* pValue,
                                            uint32_t* pSize) {
    const auto* info = static_cast<const SimEventInfo*>(hInfo);
    if (!info)
        return status(OXA_MODULE_EVENT_INFO, OXA_ERR_INVALID_HANDLE);
    switch (prm) {
    case OXA_EVENT_PRM_FEATURE_NAME:
        return putText(info->featureName, static_cast<char*>(pValue), pSize, OXA_MODULE_EVENT_INFO);
    case OXA_EVENT_PRM_EVENT_NAME:
        return putText(info->eventName, static_cast<char*>(pValue), pSize, OXA_MODULE_EVENT_INFO);
    case OXA_EVENT_PRM_BUFFER:
        return putValue(info->buffer, pValue, pSize, OXA_MODULE_EVENT_INFO);
    case OXA_EVENT_PRM_TIMESTAMP:
        return putValue(info->timestampUs, pValue, pSize, OXA_MODULE_EVENT_INFO);
    case OXA_EVENT_PRM_STREAM_EVENT:
        return putValue(info->streamEvent, pValue, pSize, OXA_MODULE_EVENT_INFO);
    default:
        return status(OXA_MODULE_EVENT_INFO, OXA_ERR_INVALID_PARAMETER);
    }
}

OXASTATUS SimCameraBackend::devLoadConfiguration(OXA_DEV_HANDLE hDev, const char* pPath) {
    SIM_CAMERA(hDev, "OxaDevLoadConfigurationFromFile");
    if (!pPath)
        return status(OXA_MODULE_FILE, OXA_ERR_INVALID_PARAMETER);
    return cam->loadConfiguration(QString::fromUtf8(pPath));
}

OXASTATUS SimCameraBackend::devSaveConfiguration(OXA_DEV_HANDLE hDev, const char* pPath) {
    SIM_CAMERA(hDev, "OxaDevSaveConfigurationToFile");
    if (!pPath)
        return status(OXA_MODULE_FILE, OXA_ERR_INVALID_PARAMETER);
    return cam->saveConfiguration(QString::fromUtf8(pPath));
}

OXASTATUS SimCameraBackend::devPortRead(OXA_DEV_HANDLE hDev, void* pBuffer, uint64_t address, uint32_t size) {
    SIM_CAMERA(hDev, "OxaDevPortRead");
    if (!pBuffer)
        return status(OXA_MODULE_PORT, OXA_ERR_INVALID_PARAMETER);
    const OXASTATUS st = cam->portRead(address, pBuffer, size);
    if (st == OXA_STATUS_SUCCESS && differs(*cam, "OxaDevPortRead"))
        *static_cast<uint8_t*>(pBuffer) ^= 1u;
    return st;
}

OXASTATUS SimCameraBackend::devPortWrite(OXA_DEV_HANDLE hDev, const void* pBuffer, uint64_t address,
                                         uint32_t size) {
    SIM_CAMERA(hDev, "OxaDevPortWrite");
    if (!pBuffer)
        return status(OXA_MODULE_PORT, OXA_ERR_INVALID_PARAMETER);
    return cam->portWrite(address, pBuffer, size);
}

OXASTATUS SimCameraBackend::devSerialPortRead(OXA_DEV_HANDLE hDev, void* pBuffer, uint32_t* pSize,
                                              uint32_t timeoutMs) {
    SIM_CAMERA(hDev, "OxaDevSerialPortRead");
    if (!pBuffer || !pSize)
        return status(OXA_MODULE_PORT, OXA_ERR_INVALID_PARAMETER);
    return cam->serialRead(pBuffer, pSize, timeoutMs);
}

OXASTATUS SimCameraBackend::devSerialPortWrite(OXA_DEV_HANDLE hDev, const void* pBuffer, uint32_t* pSize,
                                               uint32_t) {
    SIM_CAMERA(hDev, "OxaDevSerialPortWrite");
    if (!pBuffer || !pSize)
        return status(OXA_MODULE_PORT, OXA_ERR_INVALID_PARAMETER);
    return cam->serialWrite(pBuffer, pSize);
}

OXASTATUS SimCameraBackend::devGetInt64(OXA_DEV_HANDLE hDev, const char* pName, int64_t* pValue) {
    SIM_BY_NAME(hDev, pName, "OxaDevGetInt64");
    if (!pValue)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    const OXASTATUS st = cam->getInt(featureName, pValue);
    if (st == OXA_STATUS_SUCCESS && differs(*cam, "OxaDevGetInt64"))
        *pValue ^= 1;
    return st;
}

OXASTATUS SimCameraBackend::devSetInt64(OXA_DEV_HANDLE hDev, const char* pName, int64_t value) {
    SIM_BY_NAME(hDev, pName, "OxaDevSetInt64");
    return cam->setInt(featureName, value);
}

OXASTATUS SimCameraBackend::devGetInt64Max(OXA_DEV_HANDLE hDev, const char* pName, int64_t* pValue) {
    return intLimitByName(hDev, pName, pValue, &SimFeature::intMax, "OxaDevGetInt64Max");
}

OXASTATUS SimCameraBackend::devGetInt64Min(OXA_DEV_HANDLE hDev, const char* pName, int64_t* pValue) {
    return intLimitByName(hDev, pName, pValue, &SimFeature::intMin, "OxaDevGetInt64Min");
}

OXASTATUS SimCameraBackend::devGetDouble(OXA_DEV_HANDLE hDev, const char* pName, double* pValue) {
    SIM_BY_NAME(hDev, pName, "OxaDevGetDouble");
    return pValue ? cam->getDouble(featureName, pValue)
                  : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS SimCameraBackend::devSetDouble(OXA_DEV_HANDLE hDev, const char* pName, double value) {
    SIM_BY_NAME(hDev, pName, "OxaDevSetDouble");
    return cam->setDouble(featureName, value);
}

OXASTATUS SimCameraBackend::devGetBool(OXA_DEV_HANDLE hDev, const char* pName, bool* pValue) {
    SIM_BY_NAME(hDev, pName, "OxaDevGetBool");
    return pValue ? cam->getBool(featureName, pValue) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS SimCameraBackend::devSetBool(OXA_DEV_HANDLE hDev, const char* pName, bool value) {
    SIM_BY_NAME(hDev, pName, "OxaDevSetBool");
    return cam->setBool(featureName, value);
}

OXASTATUS SimCameraBackend::devFromString(OXA_DEV_HANDLE hDev, const char* pName, const char* pValue) {
    SIM_BY_NAME(hDev, pName, "OxaDevFromString");
    return pValue ? cam->fromString(featureName, QString::fromUtf8(pValue))
                  : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS SimCameraBackend::devToString(OXA_DEV_HANDLE hDev, const char* pName, char* pValue,
                                        uint32_t* pSize) {
    SIM_BY_NAME(hDev, pName, "OxaDevToString");
    QString text;
    if (const OXASTATUS st = cam->toString(featureName, &text))
        return st;
    return putText(text.toUtf8(), pValue, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS SimCameraBackend::devExecuteCommand(OXA_DEV_HANDLE hDev, const char* pName) {
    SIM_BY_NAME(hDev, pName, "OxaDevExecuteCommand");
    return cam->execute(featureName);
}

// ---------------------------------------------------------------------------------------------
// Features
// ---------------------------------------------------------------------------------------------
OXASTATUS SimCameraBackend::featureGetName(OXA_FEATURE_HANDLE h, char* pName, uint32_t* pSize) {
    SIM_FEATURE(h, "OxaFeatureGetName");
    return putText(f.name.toUtf8(), pName, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS SimCameraBackend::featureGetDisplayName(OXA_FEATURE_HANDLE h, char* pName, uint32_t* pSize) {
    SIM_FEATURE(h, "OxaFeatureGetDisplayName");
    return putText(f.display.toUtf8(), pName, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS SimCameraBackend::featureGetCategory(OXA_FEATURE_HANDLE h, char* pName, uint32_t* pSize) {
    SIM_FEATURE(h, "OxaFeatureGetCategory");
    return putText(f.category.toUtf8(), pName, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS SimCameraBackend::featureGetDescription(OXA_FEATURE_HANDLE h, char* pText, uint32_t* pSize) {
    SIM_FEATURE(h, "OxaFeatureGetDescription");
    return putText(f.description.toUtf8(), pText, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS SimCameraBackend::featureGetType(OXA_FEATURE_HANDLE h, uint32_t* pType) {
    SIM_FEATURE_FIELD(h, "OxaFeatureGetType", pType, f.type);
}

OXASTATUS SimCameraBackend::featureGetRepresentation(OXA_FEATURE_HANDLE h, uint32_t* pRepresentation) {
    SIM_FEATURE_FIELD(h, "OxaFeatureGetRepresentation", pRepresentation, f.representation);
}

OXASTATUS SimCameraBackend::featureGetVisibility(OXA_FEATURE_HANDLE h, uint32_t* pVisibility) {
    SIM_FEATURE_FIELD(h, "OxaFeatureGetVisibility", pVisibility, f.visibility);
}

OXASTATUS SimCameraBackend::featureGetAccessMode(OXA_FEATURE_HANDLE h, uint32_t* pAccess) {
    SIM_FEATURE_FIELD(h, "OxaFeatureGetAccessMode", pAccess, f.access);
}

OXASTATUS SimCameraBackend::featureGetPollingTime(OXA_FEATURE_HANDLE h, int32_t* pMs) {
    SIM_FEATURE(h, "OxaFeatureGetPollingTime");
    if (f.pollingMs < 0)
        return status(OXA_MODULE_FEATURE, OXA_ERR_NOT_IMPLEMENTED);
    SIM_FIELD(pMs, f.pollingMs);
}

OXASTATUS SimCameraBackend::featureIsSelector(OXA_FEATURE_HANDLE h, bool* pIsSelector) {
    SIM_FEATURE(h, "OxaFeatureIsSelector");
    if (f.selected.isEmpty())
        return status(OXA_MODULE_FEATURE, OXA_ERR_NOT_IMPLEMENTED);
    SIM_FIELD(pIsSelector, true);
}

OXASTATUS SimCameraBackend::featureGetSelectedCount(OXA_FEATURE_HANDLE h, uint32_t* pCount) {
    SIM_FEATURE_FIELD(h, "OxaFeatureGetSelectedCount", pCount, uint32_t(f.selected.size()));
}

OXASTATUS SimCameraBackend::featureGetSelectedName(OXA_FEATURE_HANDLE h, uint32_t index, char* pName,
                                                   uint32_t* pSize) {
    SIM_FEATURE(h, "OxaFeatureGetSelectedName");
    if (index >= uint32_t(f.selected.size()))
        return status(OXA_MODULE_FEATURE, OXA_ERR_INDEX_OUT_OF_RANGE);
    return putText(f.selected.at(int(index)).toUtf8(), pName, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS SimCameraBackend::featureGetInt64(OXA_FEATURE_HANDLE h, int64_t* pValue) {
    SIM_FEATURE(h, "OxaFeatureGetInt64");
    if (!pValue)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    const OXASTATUS st = ref.camera->getInt(ref.name, pValue);
    if (st == OXA_STATUS_SUCCESS && differs(*ref.camera, "OxaFeatureGetInt64"))
        *pValue ^= 1;
    return st;
}

OXASTATUS SimCameraBackend::featureSetInt64(OXA_FEATURE_HANDLE h, int64_t value) {
    SIM_FEATURE(h, "OxaFeatureSetInt64");
    return ref.camera->setInt(ref.name, value);
}

OXASTATUS SimCameraBackend::featureGetInt64Max(OXA_FEATURE_HANDLE h, int64_t* pValue) {
    SIM_LIMIT(h, "OxaFeatureGetInt64Max", pValue, numericLimitsOk(f), f.intMax);
}

OXASTATUS SimCameraBackend::featureGetInt64Min(OXA_FEATURE_HANDLE h, int64_t* pValue) {
    SIM_LIMIT(h, "OxaFeatureGetInt64Min", pValue, numericLimitsOk(f), f.intMin);
}

OXASTATUS SimCameraBackend::featureGetInt64Inc(OXA_FEATURE_HANDLE h, int64_t* pValue) {
    SIM_LIMIT(h, "OxaFeatureGetInt64Inc", pValue, numericLimitsOk(f), f.intInc);
}

OXASTATUS SimCameraBackend::featureGetDouble(OXA_FEATURE_HANDLE h, double* pValue) {
    SIM_FEATURE(h, "OxaFeatureGetDouble");
    return pValue ? ref.camera->getDouble(ref.name, pValue)
                  : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS SimCameraBackend::featureSetDouble(OXA_FEATURE_HANDLE h, double value) {
    SIM_FEATURE(h, "OxaFeatureSetDouble");
    return ref.camera->setDouble(ref.name, value);
}

OXASTATUS SimCameraBackend::featureGetDoubleMax(OXA_FEATURE_HANDLE h, double* pValue) {
    SIM_LIMIT(h, "OxaFeatureGetDoubleMax", pValue, floating(f), f.dblMax);
}

OXASTATUS SimCameraBackend::featureGetDoubleMin(OXA_FEATURE_HANDLE h, double* pValue) {
    SIM_LIMIT(h, "OxaFeatureGetDoubleMin", pValue, floating(f), f.dblMin);
}

OXASTATUS SimCameraBackend::featureGetDoubleInc(OXA_FEATURE_HANDLE h, double* pValue) {
    SIM_FEATURE(h, "OxaFeatureGetDoubleInc");
    if (!floating(f))
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
    // Floating features without an increment say so, like cameras that publish none.
    if (f.dblInc <= 0.0)
        return status(OXA_MODULE_FEATURE, OXA_ERR_NOT_IMPLEMENTED);
    SIM_FIELD(pValue, f.dblInc);
}

OXASTATUS SimCameraBackend::featureGetDoublePrecision(OXA_FEATURE_HANDLE h, int64_t* pDigits) {
    SIM_FEATURE(h, "OxaFeatureGetDoublePrecision");
    if (!floating(f))
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
    SIM_FIELD(pDigits, f.precision);
}

OXASTATUS SimCameraBackend::featureGetBool(OXA_FEATURE_HANDLE h, bool* pValue) {
    SIM_FEATURE(h, "OxaFeatureGetBool");
    return pValue ? ref.camera->getBool(ref.name, pValue)
                  : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS SimCameraBackend::featureSetBool(OXA_FEATURE_HANDLE h, bool value) {
    SIM_FEATURE(h, "OxaFeatureSetBool");
    return ref.camera->setBool(ref.name, value);
}

OXASTATUS SimCameraBackend::featureGetEnumEntryCount(OXA_FEATURE_HANDLE h, uint32_t* pCount) {
    SIM_FEATURE(h, "OxaFeatureGetEnumEntryCount");
    if (f.type != OXAFEATURE_VAL_TYPE_ENUM)
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
    SIM_FIELD(pCount, uint32_t(f.entries.size()));
}

OXASTATUS SimCameraBackend::featureGetEnumEntryName(OXA_FEATURE_HANDLE h, uint32_t index, char* pName,
                                                    uint32_t* pSize) {
    SIM_FEATURE(h, "OxaFeatureGetEnumEntryName");
    if (f.type != OXAFEATURE_VAL_TYPE_ENUM)
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
    if (index >= uint32_t(f.entries.size()))
        return status(OXA_MODULE_FEATURE, OXA_ERR_INDEX_OUT_OF_RANGE);
    return putText(f.entries.at(int(index)).toUtf8(), pName, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS SimCameraBackend::featureGetEnumEntryValue(OXA_FEATURE_HANDLE h, uint32_t index, int64_t* pValue) {
    SIM_FEATURE(h, "OxaFeatureGetEnumEntryValue");
    if (f.type != OXAFEATURE_VAL_TYPE_ENUM)
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
    if (index >= uint32_t(f.entries.size()))
        return status(OXA_MODULE_FEATURE, OXA_ERR_INDEX_OUT_OF_RANGE);
    SIM_FIELD(pValue, f.entryValues.value(int(index)));
}

OXASTATUS SimCameraBackend::featureToString(OXA_FEATURE_HANDLE h, char* pValue, uint32_t* pSize) {
    SIM_FEATURE(h, "OxaFeatureToString");
    QString text;
    if (const OXASTATUS st = ref.camera->toString(ref.name, &text))
        return st;
    return putText(text.toUtf8(), pValue, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS SimCameraBackend::featureFromString(OXA_FEATURE_HANDLE h, const char* pValue) {
    SIM_FEATURE(h, "OxaFeatureFromString");
    if (!pValue)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    return ref.camera->fromString(ref.name, QString::fromUtf8(pValue));
}

OXASTATUS SimCameraBackend::featureExecuteCommand(OXA_FEATURE_HANDLE h) {
    SIM_FEATURE(h, "OxaFeatureExecuteCommand");
    return ref.camera->execute(ref.name);
}

// ---------------------------------------------------------------------------------------------
// Streams
// ---------------------------------------------------------------------------------------------
OXASTATUS SimCameraBackend::checkBufferNew(uint32_t, uint32_t, uint32_t) {
    return lib().faults().enter("OxaBufferNew");
}

OXASTATUS SimCameraBackend::allocStream(OXA_DEV_HANDLE hDev, VQtStreamBuffer* first,
                                        OXA_STREAM_HANDLE* phStream) {
    OXASTATUS openStatus;
    SimDeviceRef dev;
    if (!openCamera(hDev, "OxaDevAllocStream", &openStatus, &dev))
        return openStatus;
    if (!phStream || !first)
        return status(OXA_MODULE_STREAM, OXA_ERR_INVALID_PARAMETER);
    auto s = std::make_shared<SimStream>(dev.camera, dev.session);
    if (const OXASTATUS st = s->addBuffer(first))
        return st;
    *phStream = lib().addStream(std::move(s));
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCameraBackend::streamFree(OXA_STREAM_HANDLE hStream) {
    const std::shared_ptr<SimStream> s = lib().takeStream(hStream);
    if (!s)
        return status(OXA_MODULE_STREAM, OXA_ERR_INVALID_HANDLE);
    s->release();
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimCameraBackend::streamAddBuffer(OXA_STREAM_HANDLE hStream, VQtStreamBuffer* buffer) {
    SIM_STREAM(hStream, "OxaStreamAddBuffer");
    return stream->addBuffer(buffer);
}

OXASTATUS SimCameraBackend::streamRemoveBuffer(OXA_STREAM_HANDLE hStream, VQtStreamBuffer* buffer) {
    SIM_STREAM(hStream, "OxaStreamRemoveBuffer");
    return stream->removeBuffer(buffer);
}

OXASTATUS SimCameraBackend::streamClearBuffer(OXA_STREAM_HANDLE hStream, VQtStreamBuffer* buffer) {
    SIM_STREAM(hStream, "OxaStreamClearBuffer");
    return stream->clearBuffer(buffer);
}

OXASTATUS SimCameraBackend::streamSetPrm(OXA_STREAM_HANDLE hStream, uint32_t prm, const void* pValue,
                                         uint32_t size) {
    SIM_STREAM(hStream, "OxaStreamSetPrm");
    return stream->setPrm(prm, pValue, size);
}

OXASTATUS SimCameraBackend::streamGetPrm(OXA_STREAM_HANDLE hStream, uint32_t prm, void* pValue,
                                         uint32_t* pSize) {
    SIM_STREAM(hStream, "OxaStreamGetPrm");
    return stream->getPrm(prm, pValue, pSize);
}

OXASTATUS SimCameraBackend::streamRegisterCallback(OXA_STREAM_HANDLE hStream, uint32_t eventId,
                                                   OXA_EVENT_CALLBACK pFunc, void* pContext) {
    SIM_STREAM(hStream, "OxaStreamRegisterCallback");
    return stream->registerCallback(eventId, pFunc, pContext);
}

OXASTATUS SimCameraBackend::streamUnregisterCallback(OXA_STREAM_HANDLE hStream, uint32_t eventId) {
    const std::shared_ptr<SimStream> s = lib().stream(hStream);
    if (!s)
        return status(OXA_MODULE_STREAM, OXA_ERR_INVALID_HANDLE);
    return s->unregisterCallback(eventId);
}

OXASTATUS SimCameraBackend::streamStart(OXA_STREAM_HANDLE hStream, int64_t count) {
    SIM_STREAM(hStream, "OxaStreamStart");
    return stream->start(count);
}

OXASTATUS SimCameraBackend::streamStop(OXA_STREAM_HANDLE hStream) {
    SIM_STREAM(hStream, "OxaStreamStop");
    return stream->stop();
}

OXASTATUS SimCameraBackend::streamWait(OXA_STREAM_HANDLE hStream, uint32_t timeoutMs) {
    SIM_STREAM(hStream, "OxaStreamWait");
    return stream->wait(timeoutMs);
}
