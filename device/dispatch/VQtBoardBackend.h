// A source of frame-grabber boards behind the board library surface (device/VionBoardApi.h).
// Every method answers like the library call of the same name; a method a backend does not
// override answers "not implemented". The differences:
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

    virtual int getBoardCount(int32_t* /*count*/) { return VION_ERR_NOT_IMPLEMENT; }
    virtual int getBoardName(uint32_t /*index*/, char* /*name*/, uint32_t /*size*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }
    virtual VION_HANDLE open(int32_t /*boardType*/, uint32_t /*index*/) { return VION_INVALID_HANDLE; }
    virtual VION_HANDLE openCXP(int32_t /*boardType*/, uint32_t /*index*/,
                                const OXA_CXP_DEVICE_INFO& /*info*/) {
        return VION_INVALID_HANDLE;
    }
    virtual VION_HANDLE openGVB(int32_t /*boardType*/, uint32_t /*index*/,
                                const OXA_GVB_DEVICE_INFO& /*info*/) {
        return VION_INVALID_HANDLE;
    }
    virtual int close(VION_HANDLE /*board*/) { return VION_ERR_NOT_IMPLEMENT; }
    // The last failure's record (board index local), reset afterwards.
    virtual VION_ERROR_INFO lastError() { return VION_ERROR_INFO{-1, 0, VION_ERR_NOT_IMPLEMENT, 0}; }

    virtual int getInfo(VION_HANDLE /*board*/, uint32_t /*id*/, int32_t* /*value*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }
    virtual int setInfo(VION_HANDLE /*board*/, uint32_t /*id*/, int32_t /*value*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }
    virtual int getInfo64(VION_HANDLE /*board*/, uint32_t /*id*/, int64_t* /*value*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }
    virtual int setInfo64(VION_HANDLE /*board*/, uint32_t /*id*/, int64_t /*value*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }
    virtual int registerCallback(VION_HANDLE /*board*/, uint32_t /*event*/, VION_CALLBACK /*func*/,
                                 void* /*context*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }
    virtual int unregisterCallback(VION_HANDLE /*board*/, uint32_t /*event*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }
    virtual int loadConfiguration(VION_HANDLE /*board*/, const char* /*path*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }
    virtual int saveConfiguration(VION_HANDLE /*board*/, const char* /*path*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }

    virtual int startGrab(VION_HANDLE /*board*/, int32_t /*count*/) { return VION_ERR_NOT_IMPLEMENT; }
    virtual int stopGrab(VION_HANDLE /*board*/) { return VION_ERR_NOT_IMPLEMENT; }
    virtual int waitGrab(VION_HANDLE /*board*/, uint32_t /*timeoutMs*/) { return VION_ERR_NOT_IMPLEMENT; }
    virtual int getBufferStatus(VION_HANDLE /*board*/, uint32_t /*index*/, VION_BUFFER_STATUS* /*status*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }
    virtual int getBufferAddress(VION_HANDLE /*board*/, uint32_t /*index*/, void** /*data*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }
    virtual int releaseBuffer(VION_HANDLE /*board*/, uint32_t /*index*/) { return VION_ERR_NOT_IMPLEMENT; }
    virtual int getFrameRate(VION_HANDLE /*board*/, float* /*frameRate*/, float* /*lineRate*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }
    virtual int getCameraStatus(VION_HANDLE /*board*/, uint32_t* /*status*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }
    virtual int readRegister(VION_HANDLE /*board*/, uint32_t /*bar*/, uint32_t /*address*/,
                             uint32_t* /*value*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }
    virtual int writeRegister(VION_HANDLE /*board*/, uint32_t /*bar*/, uint32_t /*address*/,
                              uint32_t /*value*/) {
        return VION_ERR_NOT_IMPLEMENT;
    }
};

#endif // VQTBOARDBACKEND_H
