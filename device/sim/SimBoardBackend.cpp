// The board library's calls (device/VionBoardApi.h) served by the simulated boards. Every
// failure records the board error for VionGetLastError; every call first meets the faults
// injected into it, library-wide and then the board's own.
#include "device/sim/SimBoardBackend.h"

#include <QString>
#include <cstring>

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
    return fail(b.index(), call, code, detail);
}

// The open board behind a handle; on failure records the error and gives null.
std::shared_ptr<SimBoard> boardOf(VION_HANDLE h, Call call, const char* name, int* code,
                                  SimBoardRef* refOut = nullptr) {
    *code = 1;
    if (const int injected = int(lib().faults().enter(name))) {
        *code = fail(-1, call, injected);
        return nullptr;
    }
    SimBoardRef ref;
    if (!lib().boardByHandle(h, &ref)) {
        *code = fail(-1, call, VION_ERR_INVALID_HANDLE);
        return nullptr;
    }
    if (!ref.board->isCurrent(*ref.session)) {
        *code = fail(ref.board->index(), call,
                     ref.board->isPresent() ? VION_ERR_BOARD_NOT_OPEN : VION_ERR_BOARD_NOT_FOUND);
        return nullptr;
    }
    if (const int injected = int(ref.board->faults().enter(name))) {
        *code = fail(ref.board->index(), call, injected);
        return nullptr;
    }
    if (refOut)
        *refOut = ref;
    return ref.board;
}

#define SIM_BOARD(handle, call, name)                                                                        \
    int boardCode;                                                                                           \
    const std::shared_ptr<SimBoard> b = boardOf(handle, call, name, &boardCode);                             \
    if (!b)                                                                                                  \
        return boardCode;

bool differs(SimBoard& board, const char* call) {
    const bool a = lib().faults().differ(call);
    const bool c = board.faults().differ(call);
    return a || c;
}

VION_HANDLE openBoard(uint32_t index, int kindA, int kindB, Call call, const char* name,
                      std::shared_ptr<SimCamera> camera) {
    if (const int injected = int(lib().faults().enter(name))) {
        fail(int(index), call, injected);
        return VION_INVALID_HANDLE;
    }
    const std::shared_ptr<SimBoard> b = lib().board(int(index));
    if (!b || !b->isPresent()) {
        fail(int(index), call, VION_ERR_BOARD_NOT_FOUND);
        return VION_INVALID_HANDLE;
    }
    if (b->desc().kind != kindA && b->desc().kind != kindB) {
        fail(int(index), call, VION_ERR_OPEN_BOARD);
        return VION_INVALID_HANDLE;
    }
    if (const int injected = int(b->faults().enter(name))) {
        fail(int(index), call, injected);
        return VION_INVALID_HANDLE;
    }
    const VION_HANDLE h = lib().reserveBoardHandle();
    std::shared_ptr<SimBoardSession> session;
    if (const int code = b->open(std::move(camera), h, &session)) {
        fail(int(index), call, code);
        return VION_INVALID_HANDLE;
    }
    lib().addBoardHandle(h, SimBoardRef{b, session});
    return h;
}

} // namespace

int SimBoardBackend::getBoardCount(int32_t* pCount) {
    if (!pCount)
        return fail(-1, kGetBoardCount, VION_ERR_INVALID_PARAMETER);
    if (const uint32_t injected = lib().faults().enter("VionGetBoardCount"))
        return fail(-1, kGetBoardCount, int(injected));
    *pCount = lib().boardCount();
    return 1;
}

int SimBoardBackend::getBoardName(uint32_t index, char* pName, uint32_t size) {
    if (const uint32_t injected = lib().faults().enter("VionGetBoardName"))
        return fail(int(index), kGetBoardName, int(injected));
    const std::shared_ptr<SimBoard> b = lib().board(int(index));
    if (!b || !b->isPresent())
        return fail(int(index), kGetBoardName, VION_ERR_BOARD_NOT_FOUND);
    if (const uint32_t injected = b->faults().enter("VionGetBoardName"))
        return fail(int(index), kGetBoardName, int(injected));
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

VION_HANDLE SimBoardBackend::open(int32_t, uint32_t index) {
    return openBoard(index, 1, 1, kOpen, "VionOpen",
                     lib().boardCamera(int(index), QStringLiteral(OXA_INTERFACE_CL), -1));
}

VION_HANDLE SimBoardBackend::openCXP(int32_t, uint32_t index, const OXA_CXP_DEVICE_INFO& info) {
    return openBoard(index, 2, 4, kOpenCXP, "VionOpenCXP",
                     lib().boardCamera(int(index), QStringLiteral(OXA_INTERFACE_CXP), info.masterIndex));
}

VION_HANDLE SimBoardBackend::openGVB(int32_t, uint32_t index, const OXA_GVB_DEVICE_INFO& info) {
    return openBoard(index, 3, 3, kOpenGVB, "VionOpenGVB",
                     lib().boardCamera(int(index), QStringLiteral(OXA_INTERFACE_GVB), info.masterIndex));
}

// Works on the handle of an unplugged board too: its callbacks must be undone all the same.
int SimBoardBackend::close(VION_HANDLE hBoard) {
    SimBoardRef ref;
    if (!lib().removeBoardHandle(hBoard, &ref))
        return fail(-1, kClose, VION_ERR_INVALID_HANDLE);
    ref.board->close(ref.session);
    return 1;
}

VION_ERROR_INFO SimBoardBackend::lastError() {
    return lib().lastError(true);
}

int SimBoardBackend::getInfo(VION_HANDLE hBoard, uint32_t id, int32_t* pValue) {
    SIM_BOARD(hBoard, kGetInfo, "VionGetInfo");
    if (!pValue)
        return fail(b->index(), kGetInfo, VION_ERR_INVALID_PARAMETER, id);
    int64_t v = 0;
    const int r = result(*b, kGetInfo, b->getInfo(id, &v), id);
    if (r == 1)
        *pValue = int32_t(uint32_t(uint64_t(v)) ^ (differs(*b, "VionGetInfo") ? 1u : 0u));
    return r;
}

int SimBoardBackend::setInfo(VION_HANDLE hBoard, uint32_t id, int32_t value) {
    SIM_BOARD(hBoard, kSetInfo, "VionSetInfo");
    return result(*b, kSetInfo, b->setInfo(id, value), id);
}

int SimBoardBackend::getInfo64(VION_HANDLE hBoard, uint32_t id, int64_t* pValue) {
    SIM_BOARD(hBoard, kGetInfo, "VionGetInfo64");
    if (!pValue)
        return fail(b->index(), kGetInfo, VION_ERR_INVALID_PARAMETER, id);
    const int r = result(*b, kGetInfo, b->getInfo(id, pValue), id);
    if (r == 1 && differs(*b, "VionGetInfo64"))
        *pValue ^= 1;
    return r;
}

int SimBoardBackend::setInfo64(VION_HANDLE hBoard, uint32_t id, int64_t value) {
    SIM_BOARD(hBoard, kSetInfo, "VionSetInfo64");
    return result(*b, kSetInfo, b->setInfo(id, value), id);
}

int SimBoardBackend::registerCallback(VION_HANDLE hBoard, uint32_t event, VION_CALLBACK pFunc,
                                      void* pContext) {
    int code;
    SimBoardRef ref;
    if (!boardOf(hBoard, kRegister, "VionRegisterCallback", &code, &ref))
        return code;
    return result(*ref.board, kRegister, ref.board->registerCallback(*ref.session, event, pFunc, pContext),
                  event);
}

int SimBoardBackend::unregisterCallback(VION_HANDLE hBoard, uint32_t event) {
    SimBoardRef ref;
    if (!lib().boardByHandle(hBoard, &ref))
        return fail(-1, kUnregister, VION_ERR_INVALID_HANDLE);
    return result(*ref.board, kUnregister, ref.board->unregisterCallback(*ref.session, event), event);
}

int SimBoardBackend::loadConfiguration(VION_HANDLE hBoard, const char* pPath) {
    SIM_BOARD(hBoard, kLoadConfig, "VionLoadConfigurationFromFile");
    if (!pPath)
        return fail(b->index(), kLoadConfig, VION_ERR_CONFIG_PATH);
    return result(*b, kLoadConfig, b->loadConfiguration(QString::fromUtf8(pPath)));
}

int SimBoardBackend::saveConfiguration(VION_HANDLE hBoard, const char* pPath) {
    SIM_BOARD(hBoard, kSaveConfig, "VionSaveConfigurationToFile");
    if (!pPath)
        return fail(b->index(), kSaveConfig, VION_ERR_CONFIG_PATH);
    return result(*b, kSaveConfig, b->saveConfiguration(QString::fromUtf8(pPath)));
}

int SimBoardBackend::startGrab(VION_HANDLE hBoard, int32_t count) {
    SIM_BOARD(hBoard, kStartGrab, "VionStartGrab");
    return result(*b, kStartGrab, b->startGrab(count));
}

int SimBoardBackend::stopGrab(VION_HANDLE hBoard) {
    SIM_BOARD(hBoard, kStopGrab, "VionStopGrab");
    return result(*b, kStopGrab, b->stopGrab());
}

int SimBoardBackend::waitGrab(VION_HANDLE hBoard, uint32_t timeoutMs) {
    SIM_BOARD(hBoard, kWaitGrab, "VionWaitGrab");
    return result(*b, kWaitGrab, b->waitGrab(timeoutMs));
}

int SimBoardBackend::getBufferStatus(VION_HANDLE hBoard, uint32_t index, VION_BUFFER_STATUS* pStatus) {
    SIM_BOARD(hBoard, kBufferStatus, "VionGetBufferStatus");
    if (!pStatus)
        return fail(b->index(), kBufferStatus, VION_ERR_INVALID_PARAMETER);
    return result(*b, kBufferStatus, b->bufferStatus(index, pStatus), index);
}

int SimBoardBackend::getBufferAddress(VION_HANDLE hBoard, uint32_t index, void** ppData) {
    SIM_BOARD(hBoard, kBufferAddress, "VionGetBufferAddress");
    if (!ppData)
        return fail(b->index(), kBufferAddress, VION_ERR_INVALID_PARAMETER);
    return result(*b, kBufferAddress, b->bufferAddress(index, ppData), index);
}

int SimBoardBackend::releaseBuffer(VION_HANDLE hBoard, uint32_t index) {
    SIM_BOARD(hBoard, kReleaseBuffer, "VionReleaseBuffer");
    return result(*b, kReleaseBuffer, b->releaseBuffer(index), index);
}

int SimBoardBackend::getFrameRate(VION_HANDLE hBoard, float* pFrameRate, float* pLineRate) {
    SIM_BOARD(hBoard, kFrameRate, "VionGetFrameRate");
    return result(*b, kFrameRate, b->frameRate(pFrameRate, pLineRate));
}

int SimBoardBackend::getCameraStatus(VION_HANDLE hBoard, uint32_t* pStatus) {
    SIM_BOARD(hBoard, kCameraStatus, "VionGetCameraStatus");
    if (!pStatus)
        return fail(b->index(), kCameraStatus, VION_ERR_INVALID_PARAMETER);
    return result(*b, kCameraStatus, b->cameraStatus(pStatus));
}

int SimBoardBackend::readRegister(VION_HANDLE hBoard, uint32_t bar, uint32_t address, uint32_t* pValue) {
    SIM_BOARD(hBoard, kReadRegister, "VionReadRegister");
    if (!pValue)
        return fail(b->index(), kReadRegister, VION_ERR_INVALID_PARAMETER, address);
    const int r = result(*b, kReadRegister, b->readRegister(bar, address, pValue), address);
    if (r == 1 && differs(*b, "VionReadRegister"))
        *pValue ^= 1u;
    return r;
}

int SimBoardBackend::writeRegister(VION_HANDLE hBoard, uint32_t bar, uint32_t address, uint32_t value) {
    SIM_BOARD(hBoard, kWriteRegister, "VionWriteRegister");
    return result(*b, kWriteRegister, b->writeRegister(bar, address, value), address);
}
