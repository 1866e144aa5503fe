// The camera library's C surface (device/OxaApi.h): every call is routed to the backend that
// gave out its handle, or, for the manager and discovery calls, to the enabled backends in
// registry order with their device lists merged. Buffers and status texts are served here.
#include <cstring>

#include "device/OxaApi.h"
#include "device/VionBoardApi.h"
#include "device/dispatch/VQtBackendRegistry.h"
#include "device/dispatch/VQtCallbackRelay.h"
#include "device/dispatch/VQtDiscoveryMap.h"
#include "device/dispatch/VQtHandleTag.h"
#include "device/dispatch/VQtOxaStatusTable.h"
#include "device/dispatch/VQtStreamBuffer.h"

namespace {

constexpr OXASTATUS status(uint32_t module, uint32_t id) {
    return OXA_MAKE_STATUS(module, id);
}

// Device event names become relay keys.
uint64_t eventKey(const char* name) {
    uint64_t h = 1469598103934665603ull; // FNV-1a
    for (; *name; ++name)
        h = (h ^ uint8_t(*name)) * 1099511628211ull;
    return h;
}

uint64_t ownerKey(const void* local) {
    return uint64_t(reinterpret_cast<uintptr_t>(local));
}

// Resolves a merged device index to its backend.
VQtCameraBackend* listedBackend(uint32_t index, unsigned* slot, uint32_t* local) {
    if (!VQtDiscoveryMap::camera(index, slot, local))
        return nullptr;
    return VQtBackendRegistry::cameraBackend(*slot);
}

// Board indices in camera records refer to the boards of the same backend; the application
// sees merged board indices.
void toMergedBoard(unsigned slot, int32_t* boardIndex) {
    if (*boardIndex < 0 || !VQtBackendRegistry::boardBackend(slot))
        return;
    if (!VQtDiscoveryMap::hasBoards()) {
        int32_t count = 0;
        VionGetBoardCount(&count); // takes the board list the offsets come from
    }
    const int32_t offset = VQtDiscoveryMap::boardOffset(slot);
    if (offset > 0)
        *boardIndex += offset;
}

template <typename T> OXASTATUS putValue(const T& value, void* buffer, uint32_t* size) {
    if (!buffer || !size)
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
    if (*size < sizeof(T)) {
        *size = sizeof(T);
        return status(OXA_MODULE_BUFFER, OXA_ERR_BUFFER_TOO_SMALL);
    }
    std::memcpy(buffer, &value, sizeof(T));
    *size = sizeof(T);
    return OXA_STATUS_SUCCESS;
}

// A local handle that does not fit beside the slot cannot be handed out.
bool fits(const void* local) {
    return VQtHandleTag::fitsLocal(local);
}

} // namespace

#define OXA_ROUTE(handle, module)                                                                            \
    const unsigned slot = VQtHandleTag::slotOf(handle);                                                      \
    VQtCameraBackend* const backend = VQtBackendRegistry::cameraBackend(slot);                               \
    if (!backend)                                                                                            \
        return status(module, OXA_ERR_INVALID_HANDLE);                                                       \
    void* const local = VQtHandleTag::localOf(handle);

#define OXA_LISTED(index, module)                                                                            \
    unsigned slot = 0;                                                                                       \
    uint32_t local = 0;                                                                                      \
    VQtCameraBackend* const backend = listedBackend(index, &slot, &local);                                   \
    if (!backend)                                                                                            \
        return status(module, OXA_ERR_INDEX_OUT_OF_RANGE);

extern "C" {

// ---------------------------------------------------------------------------------------------
// Manager: every enabled backend
// ---------------------------------------------------------------------------------------------

// The library is usable when at least one backend starts; a backend that does not is left
// out of discovery (its own calls fail with "not initialised").
OXASTATUS OxaManInitialize(void) {
    OXASTATUS first = OXA_STATUS_SUCCESS;
    bool any = false;
    const auto backends = VQtBackendRegistry::enabledCameraBackends();
    for (const auto& b : backends) {
        const OXASTATUS st = b.backend->initialize();
        if (st == OXA_STATUS_SUCCESS)
            any = true;
        else if (first == OXA_STATUS_SUCCESS)
            first = st;
    }
    return any || backends.isEmpty() ? OXA_STATUS_SUCCESS : first;
}

OXASTATUS OxaManTerminate(void) {
    for (const auto& b : VQtBackendRegistry::enabledCameraBackends()) {
        b.backend->terminate();
        VQtCallbackRelay::releaseSlot(b.slot);
        VQtStreamBuffer::unbindSlot(b.slot);
    }
    VQtDiscoveryMap::setCameras({});
    VQtStreamBuffer::destroyAll();
    return OXA_STATUS_SUCCESS;
}

// Every backend that knows the parameter takes it; the first refusal is the answer.
OXASTATUS OxaManSetPrm(uint32_t prm, const void* pValue, uint32_t size) {
    OXASTATUS first = OXA_STATUS_SUCCESS;
    for (const auto& b : VQtBackendRegistry::enabledCameraBackends()) {
        const OXASTATUS st = b.backend->setManagerPrm(prm, pValue, size);
        if (st != OXA_STATUS_SUCCESS && OXA_STATUS_ID(st) != OXA_ERR_NOT_IMPLEMENTED &&
            first == OXA_STATUS_SUCCESS)
            first = st;
    }
    return first;
}

OXASTATUS OxaManGetPrm(uint32_t prm, void* pValue, uint32_t* pSize) {
    OXASTATUS first = status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    bool failed = false;
    for (const auto& b : VQtBackendRegistry::enabledCameraBackends()) {
        const OXASTATUS st = b.backend->getManagerPrm(prm, pValue, pSize);
        if (st == OXA_STATUS_SUCCESS)
            return st;
        if (!failed)
            first = st, failed = true;
    }
    return first;
}

OXASTATUS OxaManGetStatusText(OXASTATUS st, char* pName, uint32_t* pNameSize, char* pSymbol,
                              uint32_t* pSymbolSize, char* pModule, uint32_t* pModuleSize) {
    return VQtOxaStatusTable::statusText(st, pName, pNameSize, pSymbol, pSymbolSize, pModule, pModuleSize);
}

// Refreshes every enabled backend's list; the merged list is theirs one after the other.
OXASTATUS OxaManGetDeviceCount(uint32_t* pCount) {
    if (!pCount)
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    QVector<VQtDiscoveryMap::Range> ranges;
    OXASTATUS first = OXA_STATUS_SUCCESS;
    bool any = false;
    uint32_t total = 0;
    const auto backends = VQtBackendRegistry::enabledCameraBackends();
    for (const auto& b : backends) {
        uint32_t n = 0;
        const OXASTATUS st = b.backend->getDeviceCount(&n);
        if (st != OXA_STATUS_SUCCESS) {
            if (first == OXA_STATUS_SUCCESS)
                first = st;
            continue;
        }
        any = true;
        ranges.push_back({b.slot, n});
        total += n;
    }
    VQtDiscoveryMap::setCameras(ranges);
    *pCount = total;
    return any || backends.isEmpty() ? OXA_STATUS_SUCCESS : first;
}

OXASTATUS OxaManGetDeviceInfo(uint32_t index, OXA_DEVICE_INFO* pInfo) {
    OXA_LISTED(index, OXA_MODULE_MANAGER);
    return backend->getDeviceInfo(local, pInfo);
}

OXASTATUS OxaManGetCLDeviceInfo(uint32_t index, OXA_CL_DEVICE_INFO* pInfo) {
    OXA_LISTED(index, OXA_MODULE_MANAGER);
    const OXASTATUS st = backend->getCLDeviceInfo(local, pInfo);
    if (st == OXA_STATUS_SUCCESS)
        toMergedBoard(slot, &pInfo->boardIndex);
    return st;
}

OXASTATUS OxaManGetCXPDeviceInfo(uint32_t index, OXA_CXP_DEVICE_INFO* pInfo) {
    OXA_LISTED(index, OXA_MODULE_MANAGER);
    const OXASTATUS st = backend->getCXPDeviceInfo(local, pInfo);
    if (st == OXA_STATUS_SUCCESS)
        toMergedBoard(slot, &pInfo->boardIndex);
    return st;
}

OXASTATUS OxaManGetGVBDeviceInfo(uint32_t index, OXA_GVB_DEVICE_INFO* pInfo) {
    OXA_LISTED(index, OXA_MODULE_MANAGER);
    const OXASTATUS st = backend->getGVBDeviceInfo(local, pInfo);
    if (st == OXA_STATUS_SUCCESS)
        toMergedBoard(slot, &pInfo->boardIndex);
    return st;
}

OXASTATUS OxaManGetGigEDeviceInfo(uint32_t index, OXA_GIGE_DEVICE_INFO* pInfo) {
    OXA_LISTED(index, OXA_MODULE_MANAGER);
    return backend->getGigEDeviceInfo(local, pInfo);
}

// The first backend that knows the MAC answers.
OXASTATUS OxaGigEDevForceIp(const char* pMac, const char* pIp, const char* pSubnetMask,
                            const char* pGateway) {
    const OXASTATUS notFound = status(OXA_MODULE_MANAGER, OXA_ERR_DEVICE_NOT_FOUND);
    for (const auto& b : VQtBackendRegistry::enabledCameraBackends()) {
        const OXASTATUS st = b.backend->forceIp(pMac, pIp, pSubnetMask, pGateway);
        if (st != notFound && OXA_STATUS_ID(st) != OXA_ERR_NOT_IMPLEMENTED)
            return st;
    }
    return notFound;
}

// ---------------------------------------------------------------------------------------------
// Devices
// ---------------------------------------------------------------------------------------------
OXASTATUS OxaDevOpen(uint32_t index, uint32_t accessMode, OXA_DEV_HANDLE* phDev) {
    OXA_LISTED(index, OXA_MODULE_DEVICE);
    if (!phDev)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    OXA_DEV_HANDLE dev = nullptr;
    const OXASTATUS st = backend->devOpen(local, accessMode, &dev);
    if (st != OXA_STATUS_SUCCESS)
        return st;
    if (!fits(dev)) {
        backend->devClose(dev);
        return status(OXA_MODULE_DEVICE, OXA_ERR_NO_RESOURCE);
    }
    *phDev = VQtHandleTag::tag(slot, dev);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS OxaDevClose(OXA_DEV_HANDLE hDev) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    const OXASTATUS st = backend->devClose(local);
    if (st == OXA_STATUS_SUCCESS)
        VQtCallbackRelay::releaseOwner(slot, ownerKey(local));
    return st;
}

OXASTATUS OxaDevGetFeatureCount(OXA_DEV_HANDLE hDev, uint32_t* pCount) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devGetFeatureCount(local, pCount);
}

OXASTATUS OxaDevGetFeatureName(OXA_DEV_HANDLE hDev, uint32_t index, char* pName, uint32_t* pSize) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devGetFeatureName(local, index, pName, pSize);
}

OXASTATUS OxaDevAllocFeature(OXA_DEV_HANDLE hDev, const char* pName, OXA_FEATURE_HANDLE* phFeature) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    if (!phFeature)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    OXA_FEATURE_HANDLE f = nullptr;
    const OXASTATUS st = backend->devAllocFeature(local, pName, &f);
    if (st != OXA_STATUS_SUCCESS)
        return st;
    if (!fits(f)) {
        backend->devFreeFeature(f);
        return status(OXA_MODULE_FEATURE, OXA_ERR_NO_RESOURCE);
    }
    *phFeature = VQtHandleTag::tag(slot, f);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS OxaDevFreeFeature(OXA_FEATURE_HANDLE hFeature) {
    OXA_ROUTE(hFeature, OXA_MODULE_FEATURE);
    return backend->devFreeFeature(local);
}

OXASTATUS OxaDevGetAccessMode(OXA_DEV_HANDLE hDev, const char* pName, uint32_t* pAccess) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devGetAccessMode(local, pName, pAccess);
}

OXASTATUS OxaDevRegisterCallback(OXA_DEV_HANDLE hDev, const char* pEventName, OXA_EVENT_CALLBACK pFunc,
                                 void* pContext) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    if (!pEventName || !pFunc)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    VQtCallbackRelay* relay = VQtCallbackRelay::add(slot, ownerKey(local), eventKey(pEventName));
    relay->cameraFunc = pFunc;
    relay->context = pContext;
    const OXASTATUS st =
        backend->devRegisterCallback(local, pEventName, &VQtCallbackRelay::onCameraEvent, relay);
    if (st != OXA_STATUS_SUCCESS)
        VQtCallbackRelay::discard(relay);
    return st;
}

OXASTATUS OxaDevUnregisterCallback(OXA_DEV_HANDLE hDev, const char* pEventName) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    if (!pEventName)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    const OXASTATUS st = backend->devUnregisterCallback(local, pEventName);
    if (st == OXA_STATUS_SUCCESS)
        VQtCallbackRelay::release(slot, ownerKey(local), eventKey(pEventName));
    return st;
}

OXASTATUS OxaEventInfoGetPrm(OXA_EVENT_INFO_HANDLE hInfo, uint32_t prm, void* pValue, uint32_t* pSize) {
    OXA_ROUTE(hInfo, OXA_MODULE_EVENT_INFO);
    return backend->eventInfoGetPrm(local, prm, pValue, pSize);
}

OXASTATUS OxaDevLoadConfigurationFromFile(OXA_DEV_HANDLE hDev, const char* pPath) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devLoadConfiguration(local, pPath);
}

OXASTATUS OxaDevSaveConfigurationToFile(OXA_DEV_HANDLE hDev, const char* pPath) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devSaveConfiguration(local, pPath);
}

OXASTATUS OxaDevPortRead(OXA_DEV_HANDLE hDev, void* pBuffer, uint64_t address, uint32_t size) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devPortRead(local, pBuffer, address, size);
}

OXASTATUS OxaDevPortWrite(OXA_DEV_HANDLE hDev, const void* pBuffer, uint64_t address, uint32_t size) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devPortWrite(local, pBuffer, address, size);
}

OXASTATUS OxaDevSerialPortRead(OXA_DEV_HANDLE hDev, void* pBuffer, uint32_t* pSize, uint32_t timeoutMs) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devSerialPortRead(local, pBuffer, pSize, timeoutMs);
}

OXASTATUS OxaDevSerialPortWrite(OXA_DEV_HANDLE hDev, const void* pBuffer, uint32_t* pSize,
                                uint32_t timeoutMs) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devSerialPortWrite(local, pBuffer, pSize, timeoutMs);
}

OXASTATUS OxaDevGetInt64(OXA_DEV_HANDLE hDev, const char* pName, int64_t* pValue) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devGetInt64(local, pName, pValue);
}

OXASTATUS OxaDevSetInt64(OXA_DEV_HANDLE hDev, const char* pName, int64_t value) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devSetInt64(local, pName, value);
}

OXASTATUS OxaDevGetInt64Max(OXA_DEV_HANDLE hDev, const char* pName, int64_t* pValue) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devGetInt64Max(local, pName, pValue);
}

OXASTATUS OxaDevGetInt64Min(OXA_DEV_HANDLE hDev, const char* pName, int64_t* pValue) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devGetInt64Min(local, pName, pValue);
}

OXASTATUS OxaDevGetDouble(OXA_DEV_HANDLE hDev, const char* pName, double* pValue) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devGetDouble(local, pName, pValue);
}

OXASTATUS OxaDevSetDouble(OXA_DEV_HANDLE hDev, const char* pName, double value) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devSetDouble(local, pName, value);
}

OXASTATUS OxaDevGetBool(OXA_DEV_HANDLE hDev, const char* pName, bool* pValue) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devGetBool(local, pName, pValue);
}

OXASTATUS OxaDevSetBool(OXA_DEV_HANDLE hDev, const char* pName, bool value) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devSetBool(local, pName, value);
}

OXASTATUS OxaDevFromString(OXA_DEV_HANDLE hDev, const char* pName, const char* pValue) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devFromString(local, pName, pValue);
}

OXASTATUS OxaDevToString(OXA_DEV_HANDLE hDev, const char* pName, char* pValue, uint32_t* pSize) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devToString(local, pName, pValue, pSize);
}

OXASTATUS OxaDevExecuteCommand(OXA_DEV_HANDLE hDev, const char* pName) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    return backend->devExecuteCommand(local, pName);
}

// ---------------------------------------------------------------------------------------------
// Features
// ---------------------------------------------------------------------------------------------
#define OXA_FEATURE_CALL(handle, call, ...)                                                                  \
    OXA_ROUTE(handle, OXA_MODULE_FEATURE);                                                                   \
    return backend->call(local, ##__VA_ARGS__);

OXASTATUS OxaFeatureGetName(OXA_FEATURE_HANDLE h, char* pName, uint32_t* pSize) {
    OXA_FEATURE_CALL(h, featureGetName, pName, pSize);
}
OXASTATUS OxaFeatureGetDisplayName(OXA_FEATURE_HANDLE h, char* pName, uint32_t* pSize) {
    OXA_FEATURE_CALL(h, featureGetDisplayName, pName, pSize);
}
OXASTATUS OxaFeatureGetCategory(OXA_FEATURE_HANDLE h, char* pName, uint32_t* pSize) {
    OXA_FEATURE_CALL(h, featureGetCategory, pName, pSize);
}
OXASTATUS OxaFeatureGetDescription(OXA_FEATURE_HANDLE h, char* pText, uint32_t* pSize) {
    OXA_FEATURE_CALL(h, featureGetDescription, pText, pSize);
}
OXASTATUS OxaFeatureGetType(OXA_FEATURE_HANDLE h, uint32_t* pType) {
    OXA_FEATURE_CALL(h, featureGetType, pType);
}
OXASTATUS OxaFeatureGetRepresentation(OXA_FEATURE_HANDLE h, uint32_t* pRepresentation) {
    OXA_FEATURE_CALL(h, featureGetRepresentation, pRepresentation);
}
OXASTATUS OxaFeatureGetVisibility(OXA_FEATURE_HANDLE h, uint32_t* pVisibility) {
    OXA_FEATURE_CALL(h, featureGetVisibility, pVisibility);
}
OXASTATUS OxaFeatureGetPollingTime(OXA_FEATURE_HANDLE h, int32_t* pMs) {
    OXA_FEATURE_CALL(h, featureGetPollingTime, pMs);
}
OXASTATUS OxaFeatureGetAccessMode(OXA_FEATURE_HANDLE h, uint32_t* pAccess) {
    OXA_FEATURE_CALL(h, featureGetAccessMode, pAccess);
}
OXASTATUS OxaFeatureIsSelector(OXA_FEATURE_HANDLE h, bool* pIsSelector) {
    OXA_FEATURE_CALL(h, featureIsSelector, pIsSelector);
}
OXASTATUS OxaFeatureGetSelectedCount(OXA_FEATURE_HANDLE h, uint32_t* pCount) {
    OXA_FEATURE_CALL(h, featureGetSelectedCount, pCount);
}
OXASTATUS OxaFeatureGetSelectedName(OXA_FEATURE_HANDLE h, uint32_t index, char* pName, uint32_t* pSize) {
    OXA_FEATURE_CALL(h, featureGetSelectedName, index, pName, pSize);
}
OXASTATUS OxaFeatureGetInt64(OXA_FEATURE_HANDLE h, int64_t* pValue) {
    OXA_FEATURE_CALL(h, featureGetInt64, pValue);
}
OXASTATUS OxaFeatureSetInt64(OXA_FEATURE_HANDLE h, int64_t value) {
    OXA_FEATURE_CALL(h, featureSetInt64, value);
}
OXASTATUS OxaFeatureGetInt64Max(OXA_FEATURE_HANDLE h, int64_t* pValue) {
    OXA_FEATURE_CALL(h, featureGetInt64Max, pValue);
}
OXASTATUS OxaFeatureGetInt64Min(OXA_FEATURE_HANDLE h, int64_t* pValue) {
    OXA_FEATURE_CALL(h, featureGetInt64Min, pValue);
}
OXASTATUS OxaFeatureGetInt64Inc(OXA_FEATURE_HANDLE h, int64_t* pValue) {
    OXA_FEATURE_CALL(h, featureGetInt64Inc, pValue);
}
OXASTATUS OxaFeatureGetDouble(OXA_FEATURE_HANDLE h, double* pValue) {
    OXA_FEATURE_CALL(h, featureGetDouble, pValue);
}
OXASTATUS OxaFeatureSetDouble(OXA_FEATURE_HANDLE h, double value) {
    OXA_FEATURE_CALL(h, featureSetDouble, value);
}
OXASTATUS OxaFeatureGetDoubleMax(OXA_FEATURE_HANDLE h, double* pValue) {
    OXA_FEATURE_CALL(h, featureGetDoubleMax, pValue);
}
OXASTATUS OxaFeatureGetDoubleMin(OXA_FEATURE_HANDLE h, double* pValue) {
    OXA_FEATURE_CALL(h, featureGetDoubleMin, pValue);
}
OXASTATUS OxaFeatureGetDoubleInc(OXA_FEATURE_HANDLE h, double* pValue) {
    OXA_FEATURE_CALL(h, featureGetDoubleInc, pValue);
}
OXASTATUS OxaFeatureGetDoublePrecision(OXA_FEATURE_HANDLE h, int64_t* pDigits) {
    OXA_FEATURE_CALL(h, featureGetDoublePrecision, pDigits);
}
OXASTATUS OxaFeatureGetBool(OXA_FEATURE_HANDLE h, bool* pValue) {
    OXA_FEATURE_CALL(h, featureGetBool, pValue);
}
OXASTATUS OxaFeatureSetBool(OXA_FEATURE_HANDLE h, bool value) {
    OXA_FEATURE_CALL(h, featureSetBool, value);
}
OXASTATUS OxaFeatureGetEnumEntryCount(OXA_FEATURE_HANDLE h, uint32_t* pCount) {
    OXA_FEATURE_CALL(h, featureGetEnumEntryCount, pCount);
}
OXASTATUS OxaFeatureGetEnumEntryName(OXA_FEATURE_HANDLE h, uint32_t index, char* pName, uint32_t* pSize) {
    OXA_FEATURE_CALL(h, featureGetEnumEntryName, index, pName, pSize);
}
OXASTATUS OxaFeatureGetEnumEntryValue(OXA_FEATURE_HANDLE h, uint32_t index, int64_t* pValue) {
    OXA_FEATURE_CALL(h, featureGetEnumEntryValue, index, pValue);
}
OXASTATUS OxaFeatureToString(OXA_FEATURE_HANDLE h, char* pValue, uint32_t* pSize) {
    OXA_FEATURE_CALL(h, featureToString, pValue, pSize);
}
OXASTATUS OxaFeatureFromString(OXA_FEATURE_HANDLE h, const char* pValue) {
    OXA_FEATURE_CALL(h, featureFromString, pValue);
}
OXASTATUS OxaFeatureExecuteCommand(OXA_FEATURE_HANDLE h) {
    OXA_FEATURE_CALL(h, featureExecuteCommand);
}

// ---------------------------------------------------------------------------------------------
// Buffers: owned here, filled by the backend whose stream holds them
// ---------------------------------------------------------------------------------------------
OXASTATUS OxaBufferNew(uint32_t width, uint32_t height, uint32_t pixelFormat, OXA_BUFFER_HANDLE* phBuffer) {
    const uint32_t bits = pixelFormat == OXA_PIXEL_JPEG ? 24 : OXA_PIXEL_STREAM_BITS(pixelFormat);
    if (!phBuffer || width == 0 || height == 0 || bits == 0 || width > 65535 || height > 65535)
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
    const uint64_t bytes = (uint64_t(width) * height * bits + 7) / 8;
    if (bytes > (1ull << 31))
        return status(OXA_MODULE_BUFFER, OXA_ERR_NO_MEMORY);
    for (const auto& b : VQtBackendRegistry::enabledCameraBackends())
        if (const OXASTATUS st = b.backend->checkBufferNew(width, height, pixelFormat))
            return st;
    VQtStreamBuffer* buffer = VQtStreamBuffer::create(bytes);
    if (!buffer)
        return status(OXA_MODULE_BUFFER, OXA_ERR_NO_MEMORY);
    buffer->width = width, buffer->height = height, buffer->pixelFormat = pixelFormat;
    *phBuffer = buffer;
    return OXA_STATUS_SUCCESS;
}

// A buffer still in a stream leaves it first; a running stream keeps it and says so.
OXASTATUS OxaBufferFree(OXA_BUFFER_HANDLE hBuffer) {
    VQtStreamBuffer* buffer = VQtStreamBuffer::live(hBuffer);
    if (!buffer)
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_HANDLE);
    const VQtStreamBuffer::Binding bound = VQtStreamBuffer::binding(buffer);
    if (VQtCameraBackend* backend = VQtBackendRegistry::cameraBackend(bound.slot)) {
        // Freed only once no stream can write into it: removed, or its stream is gone.
        const OXASTATUS st = backend->streamRemoveBuffer(bound.stream, buffer);
        const bool streamGone = OXA_STATUS_ID(st) == OXA_ERR_INVALID_HANDLE;
        const bool notInStream = st == status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
        if (st != OXA_STATUS_SUCCESS && !streamGone && !notInStream)
            return st;
    }
    VQtStreamBuffer::destroy(buffer);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS OxaBufferGetPrm(OXA_BUFFER_HANDLE hBuffer, uint32_t prm, void* pValue, uint32_t* pSize) {
    const VQtStreamBuffer* b = VQtStreamBuffer::live(hBuffer);
    if (!b)
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_HANDLE);
    switch (prm) {
    case OXA_BUFFER_PRM_DATA: {
        const void* data = b->data.data();
        return putValue(data, pValue, pSize);
    }
    case OXA_BUFFER_PRM_STATE:
        return putValue(b->state, pValue, pSize);
    case OXA_BUFFER_PRM_SIZE:
        return putValue(uint64_t(b->data.size()), pValue, pSize);
    case OXA_BUFFER_PRM_BLOCK_ID:
        return putValue(b->blockId, pValue, pSize);
    case OXA_BUFFER_PRM_PAYLOAD:
        return putValue(b->payload, pValue, pSize);
    case OXA_BUFFER_PRM_TIMESTAMP:
        return putValue(b->timestampUs, pValue, pSize);
    case OXA_BUFFER_PRM_RESENT_PACKETS:
        return putValue(b->resentPackets, pValue, pSize);
    case OXA_BUFFER_PRM_LOST_PACKETS:
        return putValue(b->lostPackets, pValue, pSize);
    case OXA_BUFFER_PRM_WIDTH:
        return putValue(b->width, pValue, pSize);
    case OXA_BUFFER_PRM_HEIGHT:
        return putValue(b->height, pValue, pSize);
    case OXA_BUFFER_PRM_PIXEL_FORMAT:
        return putValue(b->pixelFormat, pValue, pSize);
    default:
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
    }
}

// ---------------------------------------------------------------------------------------------
// Streams
// ---------------------------------------------------------------------------------------------
OXASTATUS OxaDevAllocStream(OXA_DEV_HANDLE hDev, OXA_BUFFER_HANDLE hFirstBuffer,
                            OXA_STREAM_HANDLE* phStream) {
    OXA_ROUTE(hDev, OXA_MODULE_DEVICE);
    VQtStreamBuffer* first = VQtStreamBuffer::live(hFirstBuffer);
    if (!phStream || !first)
        return status(OXA_MODULE_STREAM, OXA_ERR_INVALID_PARAMETER);
    if (VQtStreamBuffer::binding(first).slot != 0)
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER); // already in a stream
    OXA_STREAM_HANDLE stream = nullptr;
    const OXASTATUS st = backend->allocStream(local, first, &stream);
    if (st != OXA_STATUS_SUCCESS)
        return st;
    if (!fits(stream)) {
        backend->streamFree(stream);
        return status(OXA_MODULE_STREAM, OXA_ERR_NO_RESOURCE);
    }
    VQtStreamBuffer::bind(first, {slot, stream});
    *phStream = VQtHandleTag::tag(slot, stream);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS OxaStreamFree(OXA_STREAM_HANDLE hStream) {
    OXA_ROUTE(hStream, OXA_MODULE_STREAM);
    const OXASTATUS st = backend->streamFree(local);
    if (st == OXA_STATUS_SUCCESS) {
        VQtStreamBuffer::unbindStream(slot, local);
        VQtCallbackRelay::releaseOwner(slot, ownerKey(local));
    }
    return st;
}

OXASTATUS OxaStreamAddBuffer(OXA_STREAM_HANDLE hStream, OXA_BUFFER_HANDLE hBuffer) {
    OXA_ROUTE(hStream, OXA_MODULE_STREAM);
    VQtStreamBuffer* buffer = VQtStreamBuffer::live(hBuffer);
    if (!buffer)
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_HANDLE);
    if (VQtStreamBuffer::binding(buffer).slot != 0)
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_PARAMETER);
    const OXASTATUS st = backend->streamAddBuffer(local, buffer);
    if (st == OXA_STATUS_SUCCESS)
        VQtStreamBuffer::bind(buffer, {slot, local});
    return st;
}

OXASTATUS OxaStreamRemoveBuffer(OXA_STREAM_HANDLE hStream, OXA_BUFFER_HANDLE hBuffer) {
    OXA_ROUTE(hStream, OXA_MODULE_STREAM);
    VQtStreamBuffer* buffer = VQtStreamBuffer::live(hBuffer);
    if (!buffer)
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_HANDLE);
    const OXASTATUS st = backend->streamRemoveBuffer(local, buffer);
    if (st == OXA_STATUS_SUCCESS)
        VQtStreamBuffer::bind(buffer, {});
    return st;
}

OXASTATUS OxaStreamClearBuffer(OXA_STREAM_HANDLE hStream, OXA_BUFFER_HANDLE hBuffer) {
    OXA_ROUTE(hStream, OXA_MODULE_STREAM);
    VQtStreamBuffer* buffer = VQtStreamBuffer::live(hBuffer);
    if (!buffer)
        return status(OXA_MODULE_BUFFER, OXA_ERR_INVALID_HANDLE);
    return backend->streamClearBuffer(local, buffer);
}

OXASTATUS OxaStreamSetPrm(OXA_STREAM_HANDLE hStream, uint32_t prm, const void* pValue, uint32_t size) {
    OXA_ROUTE(hStream, OXA_MODULE_STREAM);
    return backend->streamSetPrm(local, prm, pValue, size);
}

OXASTATUS OxaStreamGetPrm(OXA_STREAM_HANDLE hStream, uint32_t prm, void* pValue, uint32_t* pSize) {
    OXA_ROUTE(hStream, OXA_MODULE_STREAM);
    return backend->streamGetPrm(local, prm, pValue, pSize);
}

OXASTATUS OxaStreamRegisterCallback(OXA_STREAM_HANDLE hStream, uint32_t eventId, OXA_EVENT_CALLBACK pFunc,
                                    void* pContext) {
    OXA_ROUTE(hStream, OXA_MODULE_STREAM);
    if (!pFunc)
        return status(OXA_MODULE_STREAM, OXA_ERR_INVALID_PARAMETER);
    VQtCallbackRelay* relay = VQtCallbackRelay::add(slot, ownerKey(local), eventId);
    relay->cameraFunc = pFunc;
    relay->context = pContext;
    const OXASTATUS st =
        backend->streamRegisterCallback(local, eventId, &VQtCallbackRelay::onCameraEvent, relay);
    if (st != OXA_STATUS_SUCCESS)
        VQtCallbackRelay::discard(relay);
    return st;
}

OXASTATUS OxaStreamUnregisterCallback(OXA_STREAM_HANDLE hStream, uint32_t eventId) {
    OXA_ROUTE(hStream, OXA_MODULE_STREAM);
    const OXASTATUS st = backend->streamUnregisterCallback(local, eventId);
    if (st == OXA_STATUS_SUCCESS)
        VQtCallbackRelay::release(slot, ownerKey(local), eventId);
    return st;
}

OXASTATUS OxaStreamStart(OXA_STREAM_HANDLE hStream, int64_t count) {
    OXA_ROUTE(hStream, OXA_MODULE_STREAM);
    return backend->streamStart(local, count);
}

OXASTATUS OxaStreamStop(OXA_STREAM_HANDLE hStream) {
    OXA_ROUTE(hStream, OXA_MODULE_STREAM);
    return backend->streamStop(local);
}

OXASTATUS OxaStreamWait(OXA_STREAM_HANDLE hStream, uint32_t timeoutMs) {
    OXA_ROUTE(hStream, OXA_MODULE_STREAM);
    return backend->streamWait(local, timeoutMs);
}

} // extern "C"
