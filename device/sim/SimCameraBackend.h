// The simulated cameras as a camera backend ("sim") of the library surface.
#ifndef SIMCAMERABACKEND_H
#define SIMCAMERABACKEND_H

#include "device/dispatch/VQtCameraBackend.h"

class SimCameraBackend : public VQtCameraBackend {
public:
    QString name() const override { return QStringLiteral("sim"); }

    OXASTATUS initialize() override;
    OXASTATUS terminate() override;
    OXASTATUS setManagerPrm(uint32_t prm, const void* value, uint32_t size) override;
    OXASTATUS getManagerPrm(uint32_t prm, void* value, uint32_t* size) override;
    OXASTATUS getDeviceCount(uint32_t* count) override;
    OXASTATUS getDeviceInfo(uint32_t index, OXA_DEVICE_INFO* info) override;
    OXASTATUS getCLDeviceInfo(uint32_t index, OXA_CL_DEVICE_INFO* info) override;
    OXASTATUS getCXPDeviceInfo(uint32_t index, OXA_CXP_DEVICE_INFO* info) override;
    OXASTATUS getGVBDeviceInfo(uint32_t index, OXA_GVB_DEVICE_INFO* info) override;
    OXASTATUS getGigEDeviceInfo(uint32_t index, OXA_GIGE_DEVICE_INFO* info) override;
    OXASTATUS forceIp(const char* mac, const char* ip, const char* mask, const char* gateway) override;

    OXASTATUS devOpen(uint32_t index, uint32_t access, OXA_DEV_HANDLE* dev) override;
    OXASTATUS devClose(OXA_DEV_HANDLE dev) override;
    OXASTATUS devGetFeatureCount(OXA_DEV_HANDLE dev, uint32_t* count) override;
    OXASTATUS devGetFeatureName(OXA_DEV_HANDLE dev, uint32_t index, char* name, uint32_t* size) override;
    OXASTATUS devAllocFeature(OXA_DEV_HANDLE dev, const char* name, OXA_FEATURE_HANDLE* feature) override;
    OXASTATUS devFreeFeature(OXA_FEATURE_HANDLE feature) override;
    OXASTATUS devGetAccessMode(OXA_DEV_HANDLE dev, const char* name, uint32_t* access) override;
    OXASTATUS devRegisterCallback(OXA_DEV_HANDLE dev, const char* event, OXA_EVENT_CALLBACK func,
                                  void* context) override;
    OXASTATUS devUnregisterCallback(OXA_DEV_HANDLE dev, const char* event) override;
    OXASTATUS eventInfoGetPrm(OXA_EVENT_INFO_HANDLE info, uint32_t prm, void* value, uint32_t* size) override;
    OXASTATUS devLoadConfiguration(OXA_DEV_HANDLE dev, const char* path) override;
    OXASTATUS devSaveConfiguration(OXA_DEV_HANDLE dev, const char* path) override;
    OXASTATUS devPortRead(OXA_DEV_HANDLE dev, void* buffer, uint64_t address, uint32_t size) override;
    OXASTATUS devPortWrite(OXA_DEV_HANDLE dev, const void* buffer, uint64_t address, uint32_t size) override;
    OXASTATUS devSerialPortRead(OXA_DEV_HANDLE dev, void* buffer, uint32_t* size,
                                uint32_t timeoutMs) override;
    OXASTATUS devSerialPortWrite(OXA_DEV_HANDLE dev, const void* buffer, uint32_t* size,
                                 uint32_t timeoutMs) override;
    OXASTATUS devGetInt64(OXA_DEV_HANDLE dev, const char* name, int64_t* value) override;
    OXASTATUS devSetInt64(OXA_DEV_HANDLE dev, const char* name, int64_t value) override;
    OXASTATUS devGetInt64Max(OXA_DEV_HANDLE dev, const char* name, int64_t* value) override;
    OXASTATUS devGetInt64Min(OXA_DEV_HANDLE dev, const char* name, int64_t* value) override;
    OXASTATUS devGetDouble(OXA_DEV_HANDLE dev, const char* name, double* value) override;
    OXASTATUS devSetDouble(OXA_DEV_HANDLE dev, const char* name, double value) override;
    OXASTATUS devGetBool(OXA_DEV_HANDLE dev, const char* name, bool* value) override;
    OXASTATUS devSetBool(OXA_DEV_HANDLE dev, const char* name, bool value) override;
    OXASTATUS devFromString(OXA_DEV_HANDLE dev, const char* name, const char* value) override;
    OXASTATUS devToString(OXA_DEV_HANDLE dev, const char* name, char* value, uint32_t* size) override;
    OXASTATUS devExecuteCommand(OXA_DEV_HANDLE dev, const char* name) override;

    OXASTATUS featureGetName(OXA_FEATURE_HANDLE f, char* name, uint32_t* size) override;
    OXASTATUS featureGetDisplayName(OXA_FEATURE_HANDLE f, char* name, uint32_t* size) override;
    OXASTATUS featureGetCategory(OXA_FEATURE_HANDLE f, char* name, uint32_t* size) override;
    OXASTATUS featureGetDescription(OXA_FEATURE_HANDLE f, char* text, uint32_t* size) override;
    OXASTATUS featureGetType(OXA_FEATURE_HANDLE f, uint32_t* type) override;
    OXASTATUS featureGetRepresentation(OXA_FEATURE_HANDLE f, uint32_t* representation) override;
    OXASTATUS featureGetVisibility(OXA_FEATURE_HANDLE f, uint32_t* visibility) override;
    OXASTATUS featureGetPollingTime(OXA_FEATURE_HANDLE f, int32_t* ms) override;
    OXASTATUS featureGetAccessMode(OXA_FEATURE_HANDLE f, uint32_t* access) override;
    OXASTATUS featureIsSelector(OXA_FEATURE_HANDLE f, bool* isSelector) override;
    OXASTATUS featureGetSelectedCount(OXA_FEATURE_HANDLE f, uint32_t* count) override;
    OXASTATUS featureGetSelectedName(OXA_FEATURE_HANDLE f, uint32_t index, char* name,
                                     uint32_t* size) override;
    OXASTATUS featureGetInt64(OXA_FEATURE_HANDLE f, int64_t* value) override;
    OXASTATUS featureSetInt64(OXA_FEATURE_HANDLE f, int64_t value) override;
    OXASTATUS featureGetInt64Max(OXA_FEATURE_HANDLE f, int64_t* value) override;
    OXASTATUS featureGetInt64Min(OXA_FEATURE_HANDLE f, int64_t* value) override;
    OXASTATUS featureGetInt64Inc(OXA_FEATURE_HANDLE f, int64_t* value) override;
    OXASTATUS featureGetDouble(OXA_FEATURE_HANDLE f, double* value) override;
    OXASTATUS featureSetDouble(OXA_FEATURE_HANDLE f, double value) override;
    OXASTATUS featureGetDoubleMax(OXA_FEATURE_HANDLE f, double* value) override;
    OXASTATUS featureGetDoubleMin(OXA_FEATURE_HANDLE f, double* value) override;
    OXASTATUS featureGetDoubleInc(OXA_FEATURE_HANDLE f, double* value) override;
    OXASTATUS featureGetDoublePrecision(OXA_FEATURE_HANDLE f, int64_t* digits) override;
    OXASTATUS featureGetBool(OXA_FEATURE_HANDLE f, bool* value) override;
    OXASTATUS featureSetBool(OXA_FEATURE_HANDLE f, bool value) override;
    OXASTATUS featureGetEnumEntryCount(OXA_FEATURE_HANDLE f, uint32_t* count) override;
    OXASTATUS featureGetEnumEntryName(OXA_FEATURE_HANDLE f, uint32_t index, char* name,
                                      uint32_t* size) override;
    OXASTATUS featureGetEnumEntryValue(OXA_FEATURE_HANDLE f, uint32_t index, int64_t* value) override;
    OXASTATUS featureToString(OXA_FEATURE_HANDLE f, char* value, uint32_t* size) override;
    OXASTATUS featureFromString(OXA_FEATURE_HANDLE f, const char* value) override;
    OXASTATUS featureExecuteCommand(OXA_FEATURE_HANDLE f) override;

    OXASTATUS checkBufferNew(uint32_t width, uint32_t height, uint32_t pixelFormat) override;
    OXASTATUS allocStream(OXA_DEV_HANDLE dev, VQtStreamBuffer* first, OXA_STREAM_HANDLE* stream) override;
    OXASTATUS streamFree(OXA_STREAM_HANDLE stream) override;
    OXASTATUS streamAddBuffer(OXA_STREAM_HANDLE stream, VQtStreamBuffer* buffer) override;
    OXASTATUS streamRemoveBuffer(OXA_STREAM_HANDLE stream, VQtStreamBuffer* buffer) override;
    OXASTATUS streamClearBuffer(OXA_STREAM_HANDLE stream, VQtStreamBuffer* buffer) override;
    OXASTATUS streamSetPrm(OXA_STREAM_HANDLE stream, uint32_t prm, const void* value, uint32_t size) override;
    OXASTATUS streamGetPrm(OXA_STREAM_HANDLE stream, uint32_t prm, void* value, uint32_t* size) override;
    OXASTATUS streamRegisterCallback(OXA_STREAM_HANDLE stream, uint32_t event, OXA_EVENT_CALLBACK func,
                                     void* context) override;
    OXASTATUS streamUnregisterCallback(OXA_STREAM_HANDLE stream, uint32_t event) override;
    OXASTATUS streamStart(OXA_STREAM_HANDLE stream, int64_t count) override;
    OXASTATUS streamStop(OXA_STREAM_HANDLE stream) override;
    OXASTATUS streamWait(OXA_STREAM_HANDLE stream, uint32_t timeoutMs) override;
};

#endif // SIMCAMERABACKEND_H
