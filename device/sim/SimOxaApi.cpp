// The camera library's C surface (device/OxaApi.h), served by the simulated devices.
#include <QByteArray>
#include <QStringList>
#include <cstring>

#include "device/OxaApi.h"
#include "device/sim/SimBuffer.h"
#include "device/sim/SimCamera.h"
#include "device/sim/SimEventInfo.h"
#include "device/sim/SimFeature.h"
#include "device/sim/SimLibrary.h"
#include "device/sim/SimStatusText.h"
#include "device/sim/SimStream.h"

namespace {

SimLibrary& lib() {
    return SimLibrary::instance();
}

constexpr OXASTATUS status(uint32_t module, uint32_t id) {
    return OXA_MAKE_STATUS(module, id);
}

// Injected failure of a call, from the description's library-wide faults.
#define OXA_FAULT_CHECK()                                                                                    \
    do {                                                                                                     \
        if (const uint32_t injected = lib().fault(__func__))                                                 \
            return injected;                                                                                 \
    } while (0)

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

// The open camera behind a device handle, or the status to return.
std::shared_ptr<SimCamera> openCamera(OXA_DEV_HANDLE h, const char* call, OXASTATUS* st) {
    std::shared_ptr<SimCamera> camera = lib().device(h);
    *st = OXA_STATUS_SUCCESS;
    if (!camera)
        *st = status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE);
    else if (!camera->isPresent())
        *st = status(OXA_MODULE_DEVICE, OXA_ERR_DEVICE_REMOVED);
    else if (const uint32_t fail = camera->failStatus(call))
        *st = fail;
    return *st == OXA_STATUS_SUCCESS ? camera : nullptr;
}

#define OXA_OPEN_CAMERA(handle)                                                                              \
    OXASTATUS openStatus;                                                                                    \
    const std::shared_ptr<SimCamera> cam = openCamera(handle, __func__, &openStatus);                        \
    if (!cam)                                                                                                \
        return openStatus;

// The feature behind a feature handle, with its current state.
OXASTATUS featureOf(OXA_FEATURE_HANDLE h, const char* call, SimFeatureRef* ref, SimFeature* f) {
    if (!lib().feature(h, ref))
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_HANDLE);
    if (!ref->camera->isPresent())
        return status(OXA_MODULE_DEVICE, OXA_ERR_DEVICE_REMOVED);
    if (const uint32_t injected = ref->camera->failStatus(call))
        return injected;
    return f ? ref->camera->feature(ref->name, f) : OXA_STATUS_SUCCESS;
}

#define OXA_FEATURE(handle)                                                                                  \
    SimFeatureRef ref;                                                                                       \
    SimFeature f;                                                                                            \
    if (const OXASTATUS fs = featureOf(handle, __func__, &ref, &f))                                          \
        return fs;

OXASTATUS needManager() {
    return lib().isInitialized() ? OXA_STATUS_SUCCESS : status(OXA_MODULE_MANAGER, OXA_ERR_NOT_INITIALIZED);
}

bool numericLimitsOk(const SimFeature& f) {
    return f.type == OXAFEATURE_VAL_TYPE_INT64 || f.type == OXAFEATURE_VAL_TYPE_INT64_RO;
}
bool floating(const SimFeature& f) {
    return f.type == OXAFEATURE_VAL_TYPE_FLOAT || f.type == OXAFEATURE_VAL_TYPE_DOUBLE;
}

std::shared_ptr<SimCamera> listed(uint32_t index, OXASTATUS* st) {
    *st = needManager();
    if (*st)
        return nullptr;
    std::shared_ptr<SimCamera> c = lib().listedCamera(index);
    if (!c)
        *st = status(OXA_MODULE_MANAGER, OXA_ERR_INDEX_OUT_OF_RANGE);
    return c;
}

// Interface-specific record reads: the camera must be of that interface.
std::shared_ptr<SimCamera> listedOf(uint32_t index, const char* interfaceType, OXASTATUS* st) {
    std::shared_ptr<SimCamera> c = listed(index, st);
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

} // namespace

extern "C" {

OXASTATUS OxaManInitialize(void) {
    return lib().initialize();
}

OXASTATUS OxaManTerminate(void) {
    return lib().terminate();
}

OXASTATUS OxaManSetPrm(uint32_t prm, const void* pValue, uint32_t size) {
    OXA_FAULT_CHECK();
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

OXASTATUS OxaManGetPrm(uint32_t prm, void* pValue, uint32_t* pSize) {
    uint32_t v = 0;
    if (!lib().managerPrm(prm, &v))
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    return putValue(v, pValue, pSize, OXA_MODULE_MANAGER);
}

OXASTATUS OxaManGetStatusText(OXASTATUS st, char* pName, uint32_t* pNameSize, char* pSymbol,
                              uint32_t* pSymbolSize, char* pModule, uint32_t* pModuleSize) {
    const char* module = SimStatusText::moduleName(OXA_STATUS_MODULE(st));
    const char* text = SimStatusText::errorText(OXA_STATUS_ID(st));
    if (!module || !text || !(st & OXA_STATUS_ERROR_FLAG))
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    if (const OXASTATUS r = putText(text, pName, pNameSize, OXA_MODULE_MANAGER))
        return r;
    if (const OXASTATUS r =
            putText(SimStatusText::errorSymbol(OXA_STATUS_ID(st)), pSymbol, pSymbolSize, OXA_MODULE_MANAGER))
        return r;
    return putText(module, pModule, pModuleSize, OXA_MODULE_MANAGER);
}

OXASTATUS OxaManGetDeviceCount(uint32_t* pCount) {
    OXA_FAULT_CHECK();
    if (const OXASTATUS st = needManager())
        return st;
    if (!pCount)
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    *pCount = lib().refreshDeviceList();
    return OXA_STATUS_SUCCESS;
}

OXASTATUS OxaManGetDeviceInfo(uint32_t index, OXA_DEVICE_INFO* pInfo) {
    OXA_FAULT_CHECK();
    OXASTATUS st;
    const std::shared_ptr<SimCamera> c = listed(index, &st);
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

OXASTATUS OxaManGetCLDeviceInfo(uint32_t index, OXA_CL_DEVICE_INFO* pInfo) {
    OXA_FAULT_CHECK();
    OXASTATUS st;
    const std::shared_ptr<SimCamera> c = listedOf(index, OXA_INTERFACE_CL, &st);
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

static OXASTATUS boardCameraInfo(uint32_t index, const char* interfaceType, OXA_CXP_DEVICE_INFO* pInfo) {
    OXASTATUS st;
    const std::shared_ptr<SimCamera> c = listedOf(index, interfaceType, &st);
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

OXASTATUS OxaManGetCXPDeviceInfo(uint32_t index, OXA_CXP_DEVICE_INFO* pInfo) {
    OXA_FAULT_CHECK();
    return boardCameraInfo(index, OXA_INTERFACE_CXP, pInfo);
}

OXASTATUS OxaManGetGVBDeviceInfo(uint32_t index, OXA_GVB_DEVICE_INFO* pInfo) {
    OXA_FAULT_CHECK();
    return boardCameraInfo(index, OXA_INTERFACE_GVB, pInfo);
}

OXASTATUS OxaManGetGigEDeviceInfo(uint32_t index, OXA_GIGE_DEVICE_INFO* pInfo) {
    OXA_FAULT_CHECK();
    OXASTATUS st;
    std::shared_ptr<SimCamera> c = listed(index, &st);
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

OXASTATUS OxaGigEDevForceIp(const char* pMac, const char* pIp, const char* pSubnetMask,
                            const char* pGateway) {
    OXA_FAULT_CHECK();
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

OXASTATUS OxaDevOpen(uint32_t index, uint32_t accessMode, OXA_DEV_HANDLE* phDev) {
    OXA_FAULT_CHECK();
    OXASTATUS st;
    const std::shared_ptr<SimCamera> c = listed(index, &st);
    if (!c)
        return st == status(OXA_MODULE_MANAGER, OXA_ERR_INDEX_OUT_OF_RANGE)
                   ? status(OXA_MODULE_DEVICE, OXA_ERR_INDEX_OUT_OF_RANGE)
                   : st;
    if (!phDev)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    if (const uint32_t fail = c->failStatus("OxaDevOpen"))
        return fail;
    if (const OXASTATUS r = c->open(accessMode))
        return r;
    *phDev = lib().addDevice(c);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS OxaDevClose(OXA_DEV_HANDLE hDev) {
    const std::shared_ptr<SimCamera> c = lib().device(hDev);
    if (!c || !lib().removeDevice(hDev))
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE);
    c->close();
    return OXA_STATUS_SUCCESS;
}

OXASTATUS OxaDevGetFeatureCount(OXA_DEV_HANDLE hDev, uint32_t* pCount) {
    OXA_OPEN_CAMERA(hDev);
    if (!pCount)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    *pCount = uint32_t(cam->featureCount());
    return OXA_STATUS_SUCCESS;
}

OXASTATUS OxaDevGetFeatureName(OXA_DEV_HANDLE hDev, uint32_t index, char* pName, uint32_t* pSize) {
    OXA_OPEN_CAMERA(hDev);
    if (index >= uint32_t(cam->featureCount()))
        return status(OXA_MODULE_DEVICE, OXA_ERR_INDEX_OUT_OF_RANGE);
    return putText(cam->featureName(int(index)).toUtf8(), pName, pSize, OXA_MODULE_DEVICE);
}

OXASTATUS OxaDevAllocFeature(OXA_DEV_HANDLE hDev, const char* pName, OXA_FEATURE_HANDLE* phFeature) {
    OXA_OPEN_CAMERA(hDev);
    if (!pName || !phFeature)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    SimFeature f;
    const QString name = QString::fromUtf8(pName);
    if (const OXASTATUS st = cam->feature(name, &f))
        return st;
    *phFeature = lib().addFeature(SimFeatureRef{cam, name});
    return OXA_STATUS_SUCCESS;
}

OXASTATUS OxaDevFreeFeature(OXA_FEATURE_HANDLE hFeature) {
    return lib().removeFeature(hFeature) ? OXA_STATUS_SUCCESS
                                         : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_HANDLE);
}

OXASTATUS OxaDevGetAccessMode(OXA_DEV_HANDLE hDev, const char* pName, uint32_t* pAccess) {
    OXA_OPEN_CAMERA(hDev);
    if (!pName || !pAccess)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    SimFeature f;
    if (const OXASTATUS st = cam->feature(QString::fromUtf8(pName), &f))
        return st;
    *pAccess = f.access;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS OxaDevRegisterCallback(OXA_DEV_HANDLE hDev, const char* pEventName, OXA_EVENT_CALLBACK pFunc,
                                 void* pContext) {
    OXA_OPEN_CAMERA(hDev);
    if (!pEventName)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    return cam->registerCallback(QString::fromLatin1(pEventName), pFunc, pContext);
}

OXASTATUS OxaDevUnregisterCallback(OXA_DEV_HANDLE hDev, const char* pEventName) {
    const std::shared_ptr<SimCamera> c = lib().device(hDev);
    if (!c)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE);
    if (!pEventName)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    return c->unregisterCallback(QString::fromLatin1(pEventName));
}

OXASTATUS OxaEventInfoGetPrm(OXA_EVENT_INFO_HANDLE hInfo, uint32_t prm, void* pValue, uint32_t* pSize) {
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

OXASTATUS OxaDevLoadConfigurationFromFile(OXA_DEV_HANDLE hDev, const char* pPath) {
    OXA_OPEN_CAMERA(hDev);
    if (!pPath)
        return status(OXA_MODULE_FILE, OXA_ERR_INVALID_PARAMETER);
    return cam->loadConfiguration(QString::fromUtf8(pPath));
}

OXASTATUS OxaDevSaveConfigurationToFile(OXA_DEV_HANDLE hDev, const char* pPath) {
    OXA_OPEN_CAMERA(hDev);
    if (!pPath)
        return status(OXA_MODULE_FILE, OXA_ERR_INVALID_PARAMETER);
    return cam->saveConfiguration(QString::fromUtf8(pPath));
}

OXASTATUS OxaDevPortRead(OXA_DEV_HANDLE hDev, void* pBuffer, uint64_t address, uint32_t size) {
    OXA_OPEN_CAMERA(hDev);
    if (!pBuffer)
        return status(OXA_MODULE_PORT, OXA_ERR_INVALID_PARAMETER);
    return cam->portRead(address, pBuffer, size);
}

OXASTATUS OxaDevPortWrite(OXA_DEV_HANDLE hDev, const void* pBuffer, uint64_t address, uint32_t size) {
    OXA_OPEN_CAMERA(hDev);
    if (!pBuffer)
        return status(OXA_MODULE_PORT, OXA_ERR_INVALID_PARAMETER);
    return cam->portWrite(address, pBuffer, size);
}

OXASTATUS OxaDevSerialPortRead(OXA_DEV_HANDLE hDev, void* pBuffer, uint32_t* pSize, uint32_t timeoutMs) {
    OXA_OPEN_CAMERA(hDev);
    if (!pBuffer || !pSize)
        return status(OXA_MODULE_PORT, OXA_ERR_INVALID_PARAMETER);
    return cam->serialRead(pBuffer, pSize, timeoutMs);
}

OXASTATUS OxaDevSerialPortWrite(OXA_DEV_HANDLE hDev, const void* pBuffer, uint32_t* pSize, uint32_t) {
    OXA_OPEN_CAMERA(hDev);
    if (!pBuffer || !pSize)
        return status(OXA_MODULE_PORT, OXA_ERR_INVALID_PARAMETER);
    return cam->serialWrite(pBuffer, pSize);
}

#define OXA_BY_NAME(handle, name)                                                                            \
    OXA_OPEN_CAMERA(handle);                                                                                 \
    if (!(name))                                                                                             \
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);                                        \
    const QString featureName = QString::fromUtf8(name);

OXASTATUS OxaDevGetInt64(OXA_DEV_HANDLE hDev, const char* pName, int64_t* pValue) {
    OXA_BY_NAME(hDev, pName);
    return pValue ? cam->getInt(featureName, pValue) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS OxaDevSetInt64(OXA_DEV_HANDLE hDev, const char* pName, int64_t value) {
    OXA_BY_NAME(hDev, pName);
    return cam->setInt(featureName, value);
}

namespace {
// The integer limits read by feature name share every check; only the field differs.
OXASTATUS intLimitByName(OXA_DEV_HANDLE hDev, const char* pName, int64_t* pValue,
                         int64_t SimFeature::*field) {
    OXA_BY_NAME(hDev, pName);
    SimFeature f;
    if (const OXASTATUS st = cam->feature(featureName, &f))
        return st;
    if (!numericLimitsOk(f) || !pValue)
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
    *pValue = f.*field;
    return OXA_STATUS_SUCCESS;
}
} // namespace

OXASTATUS OxaDevGetInt64Max(OXA_DEV_HANDLE hDev, const char* pName, int64_t* pValue) {
    return intLimitByName(hDev, pName, pValue, &SimFeature::intMax);
}

OXASTATUS OxaDevGetInt64Min(OXA_DEV_HANDLE hDev, const char* pName, int64_t* pValue) {
    return intLimitByName(hDev, pName, pValue, &SimFeature::intMin);
}

OXASTATUS OxaDevGetDouble(OXA_DEV_HANDLE hDev, const char* pName, double* pValue) {
    OXA_BY_NAME(hDev, pName);
    return pValue ? cam->getDouble(featureName, pValue)
                  : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS OxaDevSetDouble(OXA_DEV_HANDLE hDev, const char* pName, double value) {
    OXA_BY_NAME(hDev, pName);
    return cam->setDouble(featureName, value);
}

OXASTATUS OxaDevGetBool(OXA_DEV_HANDLE hDev, const char* pName, bool* pValue) {
    OXA_BY_NAME(hDev, pName);
    return pValue ? cam->getBool(featureName, pValue) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS OxaDevSetBool(OXA_DEV_HANDLE hDev, const char* pName, bool value) {
    OXA_BY_NAME(hDev, pName);
    return cam->setBool(featureName, value);
}

OXASTATUS OxaDevFromString(OXA_DEV_HANDLE hDev, const char* pName, const char* pValue) {
    OXA_BY_NAME(hDev, pName);
    return pValue ? cam->fromString(featureName, QString::fromUtf8(pValue))
                  : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS OxaDevToString(OXA_DEV_HANDLE hDev, const char* pName, char* pValue, uint32_t* pSize) {
    OXA_BY_NAME(hDev, pName);
    QString text;
    if (const OXASTATUS st = cam->toString(featureName, &text))
        return st;
    return putText(text.toUtf8(), pValue, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS OxaDevExecuteCommand(OXA_DEV_HANDLE hDev, const char* pName) {
    OXA_BY_NAME(hDev, pName);
    return cam->execute(featureName);
}

OXASTATUS OxaFeatureGetName(OXA_FEATURE_HANDLE h, char* pName, uint32_t* pSize) {
    OXA_FEATURE(h);
    return putText(f.name.toUtf8(), pName, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS OxaFeatureGetDisplayName(OXA_FEATURE_HANDLE h, char* pName, uint32_t* pSize) {
    OXA_FEATURE(h);
    return putText(f.display.toUtf8(), pName, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS OxaFeatureGetCategory(OXA_FEATURE_HANDLE h, char* pName, uint32_t* pSize) {
    OXA_FEATURE(h);
    return putText(f.category.toUtf8(), pName, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS OxaFeatureGetDescription(OXA_FEATURE_HANDLE h, char* pText, uint32_t* pSize) {
    OXA_FEATURE(h);
    return putText(f.description.toUtf8(), pText, pSize, OXA_MODULE_FEATURE);
}

#define OXA_FEATURE_FIELD(handle, out, expression)                                                           \
    OXA_FEATURE(handle);                                                                                     \
    if (!(out))                                                                                              \
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);                                        \
    *(out) = (expression);                                                                                   \
    return OXA_STATUS_SUCCESS;

OXASTATUS OxaFeatureGetType(OXA_FEATURE_HANDLE h, uint32_t* pType) {
    OXA_FEATURE_FIELD(h, pType, f.type);
}

OXASTATUS OxaFeatureGetRepresentation(OXA_FEATURE_HANDLE h, uint32_t* pRepresentation) {
    OXA_FEATURE_FIELD(h, pRepresentation, f.representation);
}

OXASTATUS OxaFeatureGetVisibility(OXA_FEATURE_HANDLE h, uint32_t* pVisibility) {
    OXA_FEATURE_FIELD(h, pVisibility, f.visibility);
}

OXASTATUS OxaFeatureGetAccessMode(OXA_FEATURE_HANDLE h, uint32_t* pAccess) {
    OXA_FEATURE_FIELD(h, pAccess, f.access);
}

OXASTATUS OxaFeatureGetPollingTime(OXA_FEATURE_HANDLE h, int32_t* pMs) {
    OXA_FEATURE(h);
    if (f.pollingMs < 0)
        return status(OXA_MODULE_FEATURE, OXA_ERR_NOT_IMPLEMENTED);
    if (!pMs)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    *pMs = f.pollingMs;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS OxaFeatureIsSelector(OXA_FEATURE_HANDLE h, bool* pIsSelector) {
    OXA_FEATURE(h);
    if (f.selected.isEmpty())
        return status(OXA_MODULE_FEATURE, OXA_ERR_NOT_IMPLEMENTED);
    if (!pIsSelector)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    *pIsSelector = true;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS OxaFeatureGetSelectedCount(OXA_FEATURE_HANDLE h, uint32_t* pCount) {
    OXA_FEATURE_FIELD(h, pCount, uint32_t(f.selected.size()));
}

OXASTATUS OxaFeatureGetSelectedName(OXA_FEATURE_HANDLE h, uint32_t index, char* pName, uint32_t* pSize) {
    OXA_FEATURE(h);
    if (index >= uint32_t(f.selected.size()))
        return status(OXA_MODULE_FEATURE, OXA_ERR_INDEX_OUT_OF_RANGE);
    return putText(f.selected.at(int(index)).toUtf8(), pName, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS OxaFeatureGetInt64(OXA_FEATURE_HANDLE h, int64_t* pValue) {
    OXA_FEATURE(h);
    return pValue ? ref.camera->getInt(ref.name, pValue)
                  : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS OxaFeatureSetInt64(OXA_FEATURE_HANDLE h, int64_t value) {
    OXA_FEATURE(h);
    return ref.camera->setInt(ref.name, value);
}

#define OXA_LIMIT(handle, out, check, field)                                                                 \
    OXA_FEATURE(handle);                                                                                     \
    if (!(check))                                                                                            \
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);                                    \
    if (f.access == OXA_ACCESS_NA || f.access == OXA_ACCESS_NI)                                              \
        return status(OXA_MODULE_FEATURE, OXA_ERR_NOT_ACCESSIBLE);                                           \
    OXA_FEATURE_FIELD_NO_DECL(out, field)

#define OXA_FEATURE_FIELD_NO_DECL(out, expression)                                                           \
    if (!(out))                                                                                              \
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);                                        \
    *(out) = (expression);                                                                                   \
    return OXA_STATUS_SUCCESS;

OXASTATUS OxaFeatureGetInt64Max(OXA_FEATURE_HANDLE h, int64_t* pValue) {
    OXA_LIMIT(h, pValue, numericLimitsOk(f), f.intMax);
}
OXASTATUS OxaFeatureGetInt64Min(OXA_FEATURE_HANDLE h, int64_t* pValue) {
    OXA_LIMIT(h, pValue, numericLimitsOk(f), f.intMin);
}
OXASTATUS OxaFeatureGetInt64Inc(OXA_FEATURE_HANDLE h, int64_t* pValue) {
    OXA_LIMIT(h, pValue, numericLimitsOk(f), f.intInc);
}

OXASTATUS OxaFeatureGetDouble(OXA_FEATURE_HANDLE h, double* pValue) {
    OXA_FEATURE(h);
    return pValue ? ref.camera->getDouble(ref.name, pValue)
                  : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS OxaFeatureSetDouble(OXA_FEATURE_HANDLE h, double value) {
    OXA_FEATURE(h);
    return ref.camera->setDouble(ref.name, value);
}

OXASTATUS OxaFeatureGetDoubleMax(OXA_FEATURE_HANDLE h, double* pValue) {
    OXA_LIMIT(h, pValue, floating(f), f.dblMax);
}
OXASTATUS OxaFeatureGetDoubleMin(OXA_FEATURE_HANDLE h, double* pValue) {
    OXA_LIMIT(h, pValue, floating(f), f.dblMin);
}

OXASTATUS OxaFeatureGetDoubleInc(OXA_FEATURE_HANDLE h, double* pValue) {
    OXA_FEATURE(h);
    if (!floating(f))
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
    // Floating features without an increment say so, like cameras that publish none.
    if (f.dblInc <= 0.0)
        return status(OXA_MODULE_FEATURE, OXA_ERR_NOT_IMPLEMENTED);
    OXA_FEATURE_FIELD_NO_DECL(pValue, f.dblInc);
}

OXASTATUS OxaFeatureGetDoublePrecision(OXA_FEATURE_HANDLE h, int64_t* pDigits) {
    OXA_FEATURE(h);
    if (!floating(f))
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
    OXA_FEATURE_FIELD_NO_DECL(pDigits, f.precision);
}

OXASTATUS OxaFeatureGetBool(OXA_FEATURE_HANDLE h, bool* pValue) {
    OXA_FEATURE(h);
    return pValue ? ref.camera->getBool(ref.name, pValue)
                  : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS OxaFeatureSetBool(OXA_FEATURE_HANDLE h, bool value) {
    OXA_FEATURE(h);
    return ref.camera->setBool(ref.name, value);
}

OXASTATUS OxaFeatureGetEnumEntryCount(OXA_FEATURE_HANDLE h, uint32_t* pCount) {
    OXA_FEATURE(h);
    if (f.type != OXAFEATURE_VAL_TYPE_ENUM)
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
    OXA_FEATURE_FIELD_NO_DECL(pCount, uint32_t(f.entries.size()));
}

OXASTATUS OxaFeatureGetEnumEntryName(OXA_FEATURE_HANDLE h, uint32_t index, char* pName, uint32_t* pSize) {
    OXA_FEATURE(h);
    if (f.type != OXAFEATURE_VAL_TYPE_ENUM)
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
    if (index >= uint32_t(f.entries.size()))
        return status(OXA_MODULE_FEATURE, OXA_ERR_INDEX_OUT_OF_RANGE);
    return putText(f.entries.at(int(index)).toUtf8(), pName, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS OxaFeatureGetEnumEntryValue(OXA_FEATURE_HANDLE h, uint32_t index, int64_t* pValue) {
    OXA_FEATURE(h);
    if (f.type != OXAFEATURE_VAL_TYPE_ENUM)
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
    if (index >= uint32_t(f.entries.size()))
        return status(OXA_MODULE_FEATURE, OXA_ERR_INDEX_OUT_OF_RANGE);
    OXA_FEATURE_FIELD_NO_DECL(pValue, f.entryValues.value(int(index)));
}

OXASTATUS OxaFeatureToString(OXA_FEATURE_HANDLE h, char* pValue, uint32_t* pSize) {
    OXA_FEATURE(h);
    QString text;
    if (const OXASTATUS st = ref.camera->toString(ref.name, &text))
        return st;
    return putText(text.toUtf8(), pValue, pSize, OXA_MODULE_FEATURE);
}

OXASTATUS OxaFeatureFromString(OXA_FEATURE_HANDLE h, const char* pValue) {
    OXA_FEATURE(h);
    if (!pValue)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    return ref.camera->fromString(ref.name, QString::fromUtf8(pValue));
}

OXASTATUS OxaFeatureExecuteCommand(OXA_FEATURE_HANDLE h) {
    OXA_FEATURE(h);
    return ref.camera->execute(ref.name);
}

OXASTATUS OxaBufferNew(uint32_t width, uint32_t height, uint32_t pixelFormat, OXA_BUFFER_HANDLE* phBuffer) {
    OXA_FAULT_CHECK();
    const uint32_t bits = pixelFormat == OXA_PIXEL_JPEG ? 24 : OXA_PIXEL_STREAM_BITS(pixelFormat);
    if (!phBuffer || width == 0 || height == 0 || bits == 0 || width > 65535 || height > 65535)
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
    const uint64_t bytes = (uint64_t(width) * height * bits + 7) / 8;
    if (bytes > (1ull << 31))
        return status(OXA_MODULE_BUFFER, OXA_ERR_NO_MEMORY);
    SimBuffer* b = lib().newBuffer(bytes);
    if (!b)
        return status(OXA_MODULE_BUFFER, OXA_ERR_NO_MEMORY);
    b->width = width, b->height = height, b->pixelFormat = pixelFormat;
    *phBuffer = b;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS OxaBufferFree(OXA_BUFFER_HANDLE hBuffer) {
    return lib().freeBuffer(hBuffer) ? OXA_STATUS_SUCCESS : status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_HANDLE);
}

OXASTATUS OxaBufferGetPrm(OXA_BUFFER_HANDLE hBuffer, uint32_t prm, void* pValue, uint32_t* pSize) {
    if (!lib().isBuffer(hBuffer))
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_HANDLE);
    const auto* b = static_cast<const SimBuffer*>(hBuffer);
    switch (prm) {
    case OXA_BUFFER_PRM_DATA: {
        const void* data = b->data.data();
        return putValue(data, pValue, pSize, OXA_MODULE_BUFFER);
    }
    case OXA_BUFFER_PRM_STATE:
        return putValue(b->state, pValue, pSize, OXA_MODULE_BUFFER);
    case OXA_BUFFER_PRM_SIZE:
        return putValue(uint64_t(b->data.size()), pValue, pSize, OXA_MODULE_BUFFER);
    case OXA_BUFFER_PRM_BLOCK_ID:
        return putValue(b->blockId, pValue, pSize, OXA_MODULE_BUFFER);
    case OXA_BUFFER_PRM_PAYLOAD:
        return putValue(b->payload, pValue, pSize, OXA_MODULE_BUFFER);
    case OXA_BUFFER_PRM_TIMESTAMP:
        return putValue(b->timestampUs, pValue, pSize, OXA_MODULE_BUFFER);
    case OXA_BUFFER_PRM_RESENT_PACKETS:
        return putValue(b->resentPackets, pValue, pSize, OXA_MODULE_BUFFER);
    case OXA_BUFFER_PRM_LOST_PACKETS:
        return putValue(b->lostPackets, pValue, pSize, OXA_MODULE_BUFFER);
    case OXA_BUFFER_PRM_WIDTH:
        return putValue(b->width, pValue, pSize, OXA_MODULE_BUFFER);
    case OXA_BUFFER_PRM_HEIGHT:
        return putValue(b->height, pValue, pSize, OXA_MODULE_BUFFER);
    case OXA_BUFFER_PRM_PIXEL_FORMAT:
        return putValue(b->pixelFormat, pValue, pSize, OXA_MODULE_BUFFER);
    default:
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
    }
}

OXASTATUS OxaDevAllocStream(OXA_DEV_HANDLE hDev, OXA_BUFFER_HANDLE hFirstBuffer,
                            OXA_STREAM_HANDLE* phStream) {
    OXA_OPEN_CAMERA(hDev);
    if (!phStream || !lib().isBuffer(hFirstBuffer))
        return status(OXA_MODULE_STREAM, OXA_ERR_INVALID_PARAMETER);
    SimStream* s = lib().newStream(cam);
    if (const OXASTATUS st = s->addBuffer(static_cast<SimBuffer*>(hFirstBuffer))) {
        lib().freeStream(s);
        return st;
    }
    *phStream = s;
    return OXA_STATUS_SUCCESS;
}

#define OXA_STREAM(handle)                                                                                   \
    if (!lib().isStream(handle))                                                                             \
        return status(OXA_MODULE_STREAM, OXA_ERR_INVALID_HANDLE);                                            \
    auto* stream = static_cast<SimStream*>(handle);

OXASTATUS OxaStreamFree(OXA_STREAM_HANDLE hStream) {
    return lib().freeStream(hStream) ? OXA_STATUS_SUCCESS : status(OXA_MODULE_STREAM, OXA_ERR_INVALID_HANDLE);
}

OXASTATUS OxaStreamAddBuffer(OXA_STREAM_HANDLE hStream, OXA_BUFFER_HANDLE hBuffer) {
    OXA_FAULT_CHECK();
    OXA_STREAM(hStream);
    if (!lib().isBuffer(hBuffer))
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_HANDLE);
    return stream->addBuffer(static_cast<SimBuffer*>(hBuffer));
}

OXASTATUS OxaStreamRemoveBuffer(OXA_STREAM_HANDLE hStream, OXA_BUFFER_HANDLE hBuffer) {
    OXA_STREAM(hStream);
    if (!lib().isBuffer(hBuffer))
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_HANDLE);
    return stream->removeBuffer(static_cast<SimBuffer*>(hBuffer));
}

OXASTATUS OxaStreamClearBuffer(OXA_STREAM_HANDLE hStream, OXA_BUFFER_HANDLE hBuffer) {
    OXA_STREAM(hStream);
    if (!lib().isBuffer(hBuffer))
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_HANDLE);
    return stream->clearBuffer(static_cast<SimBuffer*>(hBuffer));
}

OXASTATUS OxaStreamSetPrm(OXA_STREAM_HANDLE hStream, uint32_t prm, const void* pValue, uint32_t size) {
    OXA_FAULT_CHECK();
    OXA_STREAM(hStream);
    return stream->setPrm(prm, pValue, size);
}

OXASTATUS OxaStreamGetPrm(OXA_STREAM_HANDLE hStream, uint32_t prm, void* pValue, uint32_t* pSize) {
    OXA_STREAM(hStream);
    return stream->getPrm(prm, pValue, pSize);
}

OXASTATUS OxaStreamRegisterCallback(OXA_STREAM_HANDLE hStream, uint32_t eventId, OXA_EVENT_CALLBACK pFunc,
                                    void* pContext) {
    OXA_STREAM(hStream);
    return stream->registerCallback(eventId, pFunc, pContext);
}

OXASTATUS OxaStreamUnregisterCallback(OXA_STREAM_HANDLE hStream, uint32_t eventId) {
    OXA_STREAM(hStream);
    return stream->unregisterCallback(eventId);
}

OXASTATUS OxaStreamStart(OXA_STREAM_HANDLE hStream, int64_t count) {
    OXA_FAULT_CHECK();
    OXA_STREAM(hStream);
    return stream->start(count);
}

OXASTATUS OxaStreamStop(OXA_STREAM_HANDLE hStream) {
    OXA_STREAM(hStream);
    return stream->stop();
}

OXASTATUS OxaStreamWait(OXA_STREAM_HANDLE hStream, uint32_t timeoutMs) {
    OXA_STREAM(hStream);
    return stream->wait(timeoutMs);
}

} // extern "C"
