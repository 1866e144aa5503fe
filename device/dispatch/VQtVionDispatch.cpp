// The board library's C surface (device/VionBoardApi.h): every call is routed to the backend
// that gave out its handle; board indices run over the enabled backends' boards in registry
// order. The last-error record is kept here, so that it names the failure of whichever
// backend failed last.
#include <mutex>

#include "device/VionBoardApi.h"
#include "device/dispatch/VQtBackendRegistry.h"
#include "device/dispatch/VQtCallbackRelay.h"
#include "device/dispatch/VQtDiscoveryMap.h"
#include "device/dispatch/VQtHandleTag.h"

namespace {

const VION_ERROR_INFO kNoError = {-1, 0, 1, 0};

// Board relays are kept apart from the camera ones of the same backend, whose local handles
// may have the same numbers.
uint64_t ownerKey(VION_HANDLE local) {
    return uint64_t(local) | (uint64_t(1) << 63);
}

struct LastError {
    std::mutex mutex;
    VION_ERROR_INFO info = kNoError;
};

LastError& lastError() {
    static LastError e;
    return e;
}

void keep(const VION_ERROR_INFO& info) {
    LastError& e = lastError();
    std::lock_guard<std::mutex> lock(e.mutex);
    e.info = info;
}

// A failure found here, before any backend.
int fail(int code, int32_t boardIndex = -1) {
    keep(VION_ERROR_INFO{boardIndex, 0, code, 0});
    return code;
}

// A backend's result: a failure's record is fetched at once, its board index made merged.
int result(unsigned slot, VQtBoardBackend* backend, int code) {
    if (code == VION_OK)
        return code;
    VION_ERROR_INFO info = backend->lastError();
    if (info.code == VION_OK)
        info.code = code;
    if (info.boardIndex >= 0) {
        const int32_t offset = VQtDiscoveryMap::boardOffset(slot);
        if (offset > 0)
            info.boardIndex += offset;
    }
    keep(info);
    return code;
}

// The merged board list, taken once if nobody asked for the count yet.
VQtBoardBackend* listedBoard(uint32_t index, unsigned* slot, uint32_t* local) {
    if (!VQtDiscoveryMap::hasBoards()) {
        int32_t count = 0;
        VionGetBoardCount(&count);
    }
    if (!VQtDiscoveryMap::board(index, slot, local))
        return nullptr;
    return VQtBackendRegistry::boardBackend(*slot);
}

// The local board index of a camera record's merged one.
void toLocalBoard(unsigned slot, int32_t* boardIndex) {
    const int32_t offset = VQtDiscoveryMap::boardOffset(slot);
    if (offset > 0 && *boardIndex >= offset)
        *boardIndex -= offset;
}

VION_HANDLE handOut(unsigned slot, VQtBoardBackend* backend, VION_HANDLE local, uint32_t index) {
    if (local == VION_INVALID_HANDLE) {
        result(slot, backend, VION_ERR_OPEN_BOARD);
        return VION_INVALID_HANDLE;
    }
    if (!VQtHandleTag::fitsLocal(local)) {
        backend->close(local);
        fail(VION_ERR_INSUFFICIENT_RESOURCE, int32_t(index));
        return VION_INVALID_HANDLE;
    }
    return VQtHandleTag::tag(slot, local);
}

} // namespace

#define VION_ROUTE(handle)                                                                                   \
    const unsigned slot = VQtHandleTag::slotOf(handle);                                                      \
    VQtBoardBackend* const backend = VQtBackendRegistry::boardBackend(slot);                                 \
    if (!backend)                                                                                            \
        return fail(VION_ERR_INVALID_HANDLE);                                                                \
    const VION_HANDLE local = VQtHandleTag::localOf(handle);

#define VION_LISTED(index)                                                                                   \
    unsigned slot = 0;                                                                                       \
    uint32_t local = 0;                                                                                      \
    VQtBoardBackend* const backend = listedBoard(index, &slot, &local);

extern "C" {

// Every enabled backend's boards, one after the other. Succeeds when at least one backend
// answers.
int VionGetBoardCount(int32_t* pCount) {
    if (!pCount)
        return fail(VION_ERR_INVALID_PARAMETER);
    QVector<VQtDiscoveryMap::Range> ranges;
    int first = VION_OK;
    bool any = false;
    int32_t total = 0;
    const auto backends = VQtBackendRegistry::enabledBoardBackends();
    for (const auto& b : backends) {
        int32_t n = 0;
        const int r = b.backend->getBoardCount(&n);
        if (r != VION_OK || n < 0) {
            if (first == VION_OK)
                first = result(b.slot, b.backend, r == VION_OK ? VION_ERR_SYSTEM : r);
            continue;
        }
        any = true;
        ranges.push_back({b.slot, uint32_t(n)});
        total += n;
    }
    VQtDiscoveryMap::setBoards(ranges);
    *pCount = total;
    return any || backends.isEmpty() ? VION_OK : first;
}

int VionGetBoardName(uint32_t index, char* pName, uint32_t size) {
    VION_LISTED(index);
    if (!backend)
        return fail(VION_ERR_BOARD_NOT_FOUND, int32_t(index));
    return result(slot, backend, backend->getBoardName(local, pName, size));
}

VION_HANDLE VionOpen(int32_t boardType, uint32_t index) {
    VION_LISTED(index);
    if (!backend) {
        fail(VION_ERR_BOARD_NOT_FOUND, int32_t(index));
        return VION_INVALID_HANDLE;
    }
    return handOut(slot, backend, backend->open(boardType, local), index);
}

VION_HANDLE VionOpenCXP(int32_t boardType, uint32_t index, OXA_CXP_DEVICE_INFO info) {
    VION_LISTED(index);
    if (!backend) {
        fail(VION_ERR_BOARD_NOT_FOUND, int32_t(index));
        return VION_INVALID_HANDLE;
    }
    toLocalBoard(slot, &info.boardIndex);
    return handOut(slot, backend, backend->openCXP(boardType, local, info), index);
}

VION_HANDLE VionOpenGVB(int32_t boardType, uint32_t index, OXA_GVB_DEVICE_INFO info) {
    VION_LISTED(index);
    if (!backend) {
        fail(VION_ERR_BOARD_NOT_FOUND, int32_t(index));
        return VION_INVALID_HANDLE;
    }
    toLocalBoard(slot, &info.boardIndex);
    return handOut(slot, backend, backend->openGVB(boardType, local, info), index);
}

int VionClose(VION_HANDLE hBoard) {
    VION_ROUTE(hBoard);
    const int r = backend->close(local);
    if (r == VION_OK)
        VQtCallbackRelay::releaseOwner(slot, ownerKey(local));
    return result(slot, backend, r);
}

int VionGetLastError(VION_ERROR_INFO* pInfo, int32_t reset) {
    if (!pInfo)
        return VION_ERR_INVALID_PARAMETER;
    LastError& e = lastError();
    std::lock_guard<std::mutex> lock(e.mutex);
    *pInfo = e.info;
    if (reset == 1)
        e.info = kNoError;
    return VION_OK;
}

int VionGetInfo(VION_HANDLE hBoard, uint32_t id, int32_t* pValue) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->getInfo(local, id, pValue));
}

int VionSetInfo(VION_HANDLE hBoard, uint32_t id, int32_t value) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->setInfo(local, id, value));
}

int VionGetInfo64(VION_HANDLE hBoard, uint32_t id, int64_t* pValue) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->getInfo64(local, id, pValue));
}

int VionSetInfo64(VION_HANDLE hBoard, uint32_t id, int64_t value) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->setInfo64(local, id, value));
}

int VionRegisterCallback(VION_HANDLE hBoard, uint32_t event, VION_CALLBACK pFunc, void* pContext) {
    VION_ROUTE(hBoard);
    if (!pFunc)
        return result(slot, backend, backend->registerCallback(local, event, nullptr, pContext));
    VQtCallbackRelay* relay = VQtCallbackRelay::add(slot, ownerKey(local), event);
    relay->boardFunc = pFunc;
    relay->context = pContext;
    const int r = backend->registerCallback(local, event, &VQtCallbackRelay::onBoardEvent, relay);
    if (r != VION_OK)
        VQtCallbackRelay::discard(relay);
    return result(slot, backend, r);
}

int VionUnRegisterCallback(VION_HANDLE hBoard, uint32_t event) {
    VION_ROUTE(hBoard);
    const int r = backend->unregisterCallback(local, event);
    if (r == VION_OK)
        VQtCallbackRelay::release(slot, ownerKey(local), event);
    return result(slot, backend, r);
}

int VionLoadConfigurationFromFile(VION_HANDLE hBoard, const char* pPath) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->loadConfiguration(local, pPath));
}

int VionSaveConfigurationToFile(VION_HANDLE hBoard, const char* pPath) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->saveConfiguration(local, pPath));
}

int VionStartGrab(VION_HANDLE hBoard, int32_t count) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->startGrab(local, count));
}

int VionStopGrab(VION_HANDLE hBoard) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->stopGrab(local));
}

int VionWaitGrab(VION_HANDLE hBoard, uint32_t timeoutMs) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->waitGrab(local, timeoutMs));
}

int VionGetBufferStatus(VION_HANDLE hBoard, uint32_t index, VION_BUFFER_STATUS* pStatus) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->getBufferStatus(local, index, pStatus));
}

int VionGetBufferAddress(VION_HANDLE hBoard, uint32_t index, void** ppData) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->getBufferAddress(local, index, ppData));
}

int VionReleaseBuffer(VION_HANDLE hBoard, uint32_t index) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->releaseBuffer(local, index));
}

int VionGetFrameRate(VION_HANDLE hBoard, float* pFrameRate, float* pLineRate) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->getFrameRate(local, pFrameRate, pLineRate));
}

int VionGetCameraStatus(VION_HANDLE hBoard, uint32_t* pStatus) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->getCameraStatus(local, pStatus));
}

int VionReadRegister(VION_HANDLE hBoard, uint32_t bar, uint32_t address, uint32_t* pValue) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->readRegister(local, bar, address, pValue));
}

int VionWriteRegister(VION_HANDLE hBoard, uint32_t bar, uint32_t address, uint32_t value) {
    VION_ROUTE(hBoard);
    return result(slot, backend, backend->writeRegister(local, bar, address, value));
}

} // extern "C"
