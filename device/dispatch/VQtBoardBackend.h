// A source of frame-grabber boards behind the board library surface (device/VionBoardApi.h).
// Every method answers like the library call of the same name, with these differences:
// - board indices are the backend's own, and a camera record passed to an open carries the
//   board index of this backend (the surface translates both);
// - board handles are local: 0 .. 2^56 - 1, or VION_INVALID_HANDLE; callbacks receive them;
// - a failing call returns its error code and keeps it for lastError, which the surface asks
//   right after the failure;
// - unregistering a callback and closing a board return only when no callback of theirs is
//   running any more (except the one calling, if any).
// A backend that also serves cameras registers under the same name as its camera backend.
#ifndef VQTBOARDBACKEND_H
#define VQTBOARDBACKEND_H

#include <QString>

#include "device/VionBoardApi.h"

class VQtBoardBackend {
public:
    virtual ~VQtBoardBackend() = default;
    virtual QString name() const = 0;

    virtual int getBoardCount(int32_t* count) = 0;
    virtual int getBoardName(uint32_t index, char* name, uint32_t size) = 0;
    virtual VION_HANDLE open(int32_t boardType, uint32_t index) = 0;
    virtual VION_HANDLE openCXP(int32_t boardType, uint32_t index, const OXA_CXP_DEVICE_INFO& info) = 0;
    virtual VION_HANDLE openGVB(int32_t boardType, uint32_t index, const OXA_GVB_DEVICE_INFO& info) = 0;
    virtual int close(VION_HANDLE board) = 0;
    // The last failure's record (board index local), reset afterwards.
    virtual VION_ERROR_INFO lastError() = 0;

    virtual int getInfo(VION_HANDLE board, uint32_t id, int32_t* value) = 0;
    virtual int setInfo(VION_HANDLE board, uint32_t id, int32_t value) = 0;
    virtual int getInfo64(VION_HANDLE board, uint32_t id, int64_t* value) = 0;
    virtual int setInfo64(VION_HANDLE board, uint32_t id, int64_t value) = 0;
    virtual int registerCallback(VION_HANDLE board, uint32_t event, VION_CALLBACK func, void* context) = 0;
    virtual int unregisterCallback(VION_HANDLE board, uint32_t event) = 0;
    virtual int loadConfiguration(VION_HANDLE board, const char* path) = 0;
    virtual int saveConfiguration(VION_HANDLE board, const char* path) = 0;

    virtual int startGrab(VION_HANDLE board, int32_t count) = 0;
    virtual int stopGrab(VION_HANDLE board) = 0;
    virtual int waitGrab(VION_HANDLE board, uint32_t timeoutMs) = 0;
    virtual int getBufferStatus(VION_HANDLE board, uint32_t index, VION_BUFFER_STATUS* status) = 0;
    virtual int getBufferAddress(VION_HANDLE board, uint32_t index, void** data) = 0;
    virtual int releaseBuffer(VION_HANDLE board, uint32_t index) = 0;
    virtual int getFrameRate(VION_HANDLE board, float* frameRate, float* lineRate) = 0;
    virtual int getCameraStatus(VION_HANDLE board, uint32_t* status) = 0;
    virtual int readRegister(VION_HANDLE board, uint32_t bar, uint32_t address, uint32_t* value) = 0;
    virtual int writeRegister(VION_HANDLE board, uint32_t bar, uint32_t address, uint32_t value) = 0;
};

#endif // VQTBOARDBACKEND_H
