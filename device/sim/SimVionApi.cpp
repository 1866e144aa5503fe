// The board library's C surface (device/VionBoardApi.h), served by the simulated boards.
// Every failure records the board error for VionGetLastError.
#include <QString>
#include <cstring>

#include "device/VionBoardApi.h"
#include "device/sim/SimBoard.h"
#include "device/sim/SimCamera.h"
#include "device/sim/SimLibrary.h"

namespace {

SimLibrary& lib() {
    return SimLibrary::instance();
}

// Call ordinals kept in the error record.
enum Call : uint32_t {
    kGetBoardCount = 1,
    kGetBoardName,
    kOpen,
    kOpenCXP,
    kOpenGVB,
    kClose,
    kGetInfo,
    kSetInfo,
    kRegister,
    kUnregister,
    kLoadConfig,
    kSaveConfig,
    kStartGrab,
    kStopGrab,
    kWaitGrab,
    kBufferStatus,
    kBufferAddress,
    kReleaseBuffer,
    kFrameRate,
    kCameraStatus,
    kReadRegister,
    kWriteRegister
};

int fail(int board, Call call, int code, uint32_t detail = 0) {
    lib().setLastError(board, call, code, detail);
    return code;
}

// Result of a board operation: 1, or the failure recorded.
int result(const SimBoard& b, Call call, int code, uint32_t detail = 0) {
    if (code == 1 || code == 0)
        return 1;
    fail(b.index(), call, code, detail);
    return code;
}

// The open board behind a handle; on failure records the error and gives null.
std::shared_ptr<SimBoard> board(VION_HANDLE h, Call call, const char* name, int* code) {
    std::shared_ptr<SimBoard> b = lib().boardByHandle(h);
    *code = 1;
    if (!b) {
        *code = fail(-1, call, VION_ERR_INVALID_HANDLE);
        return nullptr;
    }
    if (const int injected = b->failCode(name)) {
        *code = fail(b->index(), call, injected);
        return nullptr;
    }
    return b;
}

#define VION_BOARD(handle, call)                                                                             \
    int boardCode;                                                                                           \
    const std::shared_ptr<SimBoard> b = board(handle, call, __func__, &boardCode);                           \
    if (!b)                                                                                                  \
        return boardCode;

VION_HANDLE openBoard(uint32_t index, int kindA, int kindB, Call call, const char* name,
                      std::shared_ptr<SimCamera> camera) {
    const std::shared_ptr<SimBoard> b = lib().board(int(index));
    if (!b) {
        fail(int(index), call, VION_ERR_BOARD_NOT_FOUND);
        return VION_INVALID_HANDLE;
    }
    if (b->desc().kind != kindA && b->desc().kind != kindB) {
        fail(int(index), call, VION_ERR_OPEN_BOARD);
        return VION_INVALID_HANDLE;
    }
    if (const int injected = b->failCode(name)) {
        fail(int(index), call, injected);
        return VION_INVALID_HANDLE;
    }
    const VION_HANDLE h = lib().addBoardHandle(int(index));
    if (const int code = b->open(std::move(camera), h)) {
        lib().removeBoardHandle(h);
        fail(int(index), call, code);
        return VION_INVALID_HANDLE;
    }
    return h;
}

} // namespace

extern "C" {

int VionGetBoardCount(int32_t* pCount) {
    if (!pCount)
        return fail(-1, kGetBoardCount, VION_ERR_INVALID_PARAMETER);
    if (const uint32_t injected = lib().fault(__func__))
        return fail(-1, kGetBoardCount, int(injected));
    *pCount = lib().boardCount();
    return 1;
}

int VionGetBoardName(uint32_t index, char* pName, uint32_t size) {
    const std::shared_ptr<SimBoard> b = lib().board(int(index));
    if (!b)
        return fail(int(index), kGetBoardName, VION_ERR_BOARD_NOT_FOUND);
    if (!pName || size == 0)
        return fail(int(index), kGetBoardName, VION_ERR_INVALID_PARAMETER);
    if (b->desc().nameFails)
        return fail(int(index), kGetBoardName, VION_ERR_READ_REG);
    const QByteArray name = b->desc().name.toUtf8();
    if (uint32_t(name.size()) + 1 > size)
        return fail(int(index), kGetBoardName, VION_ERR_BUFFER_TOO_SMALL);
    std::memcpy(pName, name.constData(), size_t(name.size()) + 1);
    return 1;
}

VION_HANDLE VionOpen(int32_t, uint32_t index) {
    return openBoard(index, 1, 1, kOpen, __func__,
                     lib().boardCamera(int(index), QStringLiteral(OXA_INTERFACE_CL), -1));
}

VION_HANDLE VionOpenCXP(int32_t, uint32_t index, OXA_CXP_DEVICE_INFO info) {
    return openBoard(index, 2, 4, kOpenCXP, __func__,
                     lib().boardCamera(int(index), QStringLiteral(OXA_INTERFACE_CXP), info.masterIndex));
}

VION_HANDLE VionOpenGVB(int32_t, uint32_t index, OXA_GVB_DEVICE_INFO info) {
    return openBoard(index, 3, 3, kOpenGVB, __func__,
                     lib().boardCamera(int(index), QStringLiteral(OXA_INTERFACE_GVB), info.masterIndex));
}

int VionClose(VION_HANDLE hBoard) {
    const std::shared_ptr<SimBoard> b = lib().boardByHandle(hBoard);
    if (!b || !lib().removeBoardHandle(hBoard))
        return fail(-1, kClose, VION_ERR_INVALID_HANDLE);
    b->close();
    return 1;
}

int VionGetLastError(VION_ERROR_INFO* pInfo, int32_t reset) {
    if (!pInfo)
        return VION_ERR_INVALID_PARAMETER;
    *pInfo = lib().lastError(reset == 1);
    return 1;
}

int VionGetInfo(VION_HANDLE hBoard, uint32_t id, int32_t* pValue) {
    VION_BOARD(hBoard, kGetInfo);
    if (!pValue)
        return fail(b->index(), kGetInfo, VION_ERR_INVALID_PARAMETER, id);
    int64_t v = 0;
    const int r = result(*b, kGetInfo, b->getInfo(id, &v), id);
    if (r == 1)
        *pValue = int32_t(uint32_t(uint64_t(v)));
    return r;
}

int VionSetInfo(VION_HANDLE hBoard, uint32_t id, int32_t value) {
    VION_BOARD(hBoard, kSetInfo);
    return result(*b, kSetInfo, b->setInfo(id, value), id);
}

int VionGetInfo64(VION_HANDLE hBoard, uint32_t id, int64_t* pValue) {
    VION_BOARD(hBoard, kGetInfo);
    if (!pValue)
        return fail(b->index(), kGetInfo, VION_ERR_INVALID_PARAMETER, id);
    return result(*b, kGetInfo, b->getInfo(id, pValue), id);
}

int VionSetInfo64(VION_HANDLE hBoard, uint32_t id, int64_t value) {
    VION_BOARD(hBoard, kSetInfo);
    return result(*b, kSetInfo, b->setInfo(id, value), id);
}

int VionRegisterCallback(VION_HANDLE hBoard, uint32_t event, VION_CALLBACK pFunc, void* pContext) {
    VION_BOARD(hBoard, kRegister);
    return result(*b, kRegister, b->registerCallback(event, pFunc, pContext), event);
}

int VionUnRegisterCallback(VION_HANDLE hBoard, uint32_t event) {
    VION_BOARD(hBoard, kUnregister);
    return result(*b, kUnregister, b->unregisterCallback(event), event);
}

int VionLoadConfigurationFromFile(VION_HANDLE hBoard, const char* pPath) {
    VION_BOARD(hBoard, kLoadConfig);
    if (!pPath)
        return fail(b->index(), kLoadConfig, VION_ERR_CONFIG_PATH);
    return result(*b, kLoadConfig, b->loadConfiguration(QString::fromUtf8(pPath)));
}

int VionSaveConfigurationToFile(VION_HANDLE hBoard, const char* pPath) {
    VION_BOARD(hBoard, kSaveConfig);
    if (!pPath)
        return fail(b->index(), kSaveConfig, VION_ERR_CONFIG_PATH);
    return result(*b, kSaveConfig, b->saveConfiguration(QString::fromUtf8(pPath)));
}

int VionStartGrab(VION_HANDLE hBoard, int32_t count) {
    VION_BOARD(hBoard, kStartGrab);
    return result(*b, kStartGrab, b->startGrab(count));
}

int VionStopGrab(VION_HANDLE hBoard) {
    VION_BOARD(hBoard, kStopGrab);
    return result(*b, kStopGrab, b->stopGrab());
}

int VionWaitGrab(VION_HANDLE hBoard, uint32_t timeoutMs) {
    VION_BOARD(hBoard, kWaitGrab);
    return result(*b, kWaitGrab, b->waitGrab(timeoutMs));
}

int VionGetBufferStatus(VION_HANDLE hBoard, uint32_t index, VION_BUFFER_STATUS* pStatus) {
    VION_BOARD(hBoard, kBufferStatus);
    if (!pStatus)
        return fail(b->index(), kBufferStatus, VION_ERR_INVALID_PARAMETER);
    return result(*b, kBufferStatus, b->bufferStatus(index, pStatus), index);
}

int VionGetBufferAddress(VION_HANDLE hBoard, uint32_t index, void** ppData) {
    VION_BOARD(hBoard, kBufferAddress);
    if (!ppData)
        return fail(b->index(), kBufferAddress, VION_ERR_INVALID_PARAMETER);
    return result(*b, kBufferAddress, b->bufferAddress(index, ppData), index);
}

int VionReleaseBuffer(VION_HANDLE hBoard, uint32_t index) {
    VION_BOARD(hBoard, kReleaseBuffer);
    return result(*b, kReleaseBuffer, b->releaseBuffer(index), index);
}

int VionGetFrameRate(VION_HANDLE hBoard, float* pFrameRate, float* pLineRate) {
    VION_BOARD(hBoard, kFrameRate);
    return result(*b, kFrameRate, b->frameRate(pFrameRate, pLineRate));
}

int VionGetCameraStatus(VION_HANDLE hBoard, uint32_t* pStatus) {
    VION_BOARD(hBoard, kCameraStatus);
    if (!pStatus)
        return fail(b->index(), kCameraStatus, VION_ERR_INVALID_PARAMETER);
    return result(*b, kCameraStatus, b->cameraStatus(pStatus));
}

int VionReadRegister(VION_HANDLE hBoard, uint32_t bar, uint32_t address, uint32_t* pValue) {
    VION_BOARD(hBoard, kReadRegister);
    if (!pValue)
        return fail(b->index(), kReadRegister, VION_ERR_INVALID_PARAMETER, address);
    return result(*b, kReadRegister, b->readRegister(bar, address, pValue), address);
}

int VionWriteRegister(VION_HANDLE hBoard, uint32_t bar, uint32_t address, uint32_t value) {
    VION_BOARD(hBoard, kWriteRegister);
    return result(*b, kWriteRegister, b->writeRegister(bar, address, value), address);
}

} // extern "C"
