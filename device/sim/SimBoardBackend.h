// The simulated frame-grabber boards as a board backend ("sim") of the library surface.
#ifndef SIMBOARDBACKEND_H
#define SIMBOARDBACKEND_H

#include "device/dispatch/VQtBoardBackend.h"

class SimBoardBackend : public VQtBoardBackend {
public:
    QString name() const override { return QStringLiteral("sim"); }

    int getBoardCount(int32_t* count) override;
    int getBoardName(uint32_t index, char* name, uint32_t size) override;
    VION_HANDLE open(int32_t boardType, uint32_t index) override;
    VION_HANDLE openCXP(int32_t boardType, uint32_t index, const OXA_CXP_DEVICE_INFO& info) override;
    VION_HANDLE openGVB(int32_t boardType, uint32_t index, const OXA_GVB_DEVICE_INFO& info) override;
    int close(VION_HANDLE board) override;
    VION_ERROR_INFO lastError() override;

    int getInfo(VION_HANDLE board, uint32_t id, int32_t* value) override;
    int setInfo(VION_HANDLE board, uint32_t id, int32_t value) override;
    int getInfo64(VION_HANDLE board, uint32_t id, int64_t* value) override;
    int setInfo64(VION_HANDLE board, uint32_t id, int64_t value) override;
    int registerCallback(VION_HANDLE board, uint32_t event, VION_CALLBACK func, void* context) override;
    int unregisterCallback(VION_HANDLE board, uint32_t event) override;
    int loadConfiguration(VION_HANDLE board, const char* path) override;
    int saveConfiguration(VION_HANDLE board, const char* path) override;

    int startGrab(VION_HANDLE board, int32_t count) override;
    int stopGrab(VION_HANDLE board) override;
    int waitGrab(VION_HANDLE board, uint32_t timeoutMs) override;
    int getBufferStatus(VION_HANDLE board, uint32_t index, VION_BUFFER_STATUS* status) override;
    int getBufferAddress(VION_HANDLE board, uint32_t index, void** data) override;
    int releaseBuffer(VION_HANDLE board, uint32_t index) override;
    int getFrameRate(VION_HANDLE board, float* frameRate, float* lineRate) override;
    int getCameraStatus(VION_HANDLE board, uint32_t* status) override;
    int readRegister(VION_HANDLE board, uint32_t bar, uint32_t address, uint32_t* value) override;
    int writeRegister(VION_HANDLE board, uint32_t bar, uint32_t address, uint32_t value) override;
};

#endif // SIMBOARDBACKEND_H
