// A source of cameras behind the camera library surface (device/OxaApi.h): the simulator, a
// real transport. The surface calls one backend per handle with the backend's own handles
// (local handles, never seen by the application) and merges the backends' device lists.
//
// Every method answers exactly like the library call of the same name (see device/OxaApi.h);
// a method a backend does not override answers "not implemented". The differences:
// - device indices are the backend's own, 0 .. its last OxaManGetDeviceCount - 1;
// - handles are local: values below 2^56, which the surface tags for the application;
// - buffers are VQtStreamBuffer records the surface owns; a stream keeps pointers to the ones
//   added to it until they are removed or the stream is freed, and puts the same pointer into
//   the OXA_EVENT_PRM_BUFFER of its events;
// - callbacks receive local event-info handles;
// - unregistering a callback, closing a device and freeing a stream return only when no
//   callback of theirs is running any more (except the one calling, if any), and no callback
//   of theirs starts afterwards.
// Status texts (OxaManGetStatusText) and buffer parameters are answered by the surface itself.
#ifndef VQTCAMERABACKEND_H
#define VQTCAMERABACKEND_H

#include <QString>

#include "device/OxaApi.h"

struct VQtStreamBuffer;

class VQtCameraBackend {
public:
    virtual ~VQtCameraBackend() = default;
    // Short lower-case name used to enable and disable the backend ("sim", "aravis").
    virtual QString name() const = 0;

    // A call the backend does not serve answers "not implemented" in the call's module.
    static constexpr OXASTATUS notImplemented(uint32_t module) {
        return OXA_MAKE_STATUS(module, OXA_ERR_NOT_IMPLEMENTED);
    }

    // Manager
    virtual OXASTATUS initialize() { return OXA_STATUS_SUCCESS; }
    virtual OXASTATUS terminate() { return OXA_STATUS_SUCCESS; }
    virtual OXASTATUS setManagerPrm(uint32_t /*prm*/, const void* /*value*/, uint32_t /*size*/) {
        return notImplemented(OXA_MODULE_MANAGER);
    }
    virtual OXASTATUS getManagerPrm(uint32_t /*prm*/, void* /*value*/, uint32_t* /*size*/) {
        return notImplemented(OXA_MODULE_MANAGER);
    }
    virtual OXASTATUS getDeviceCount(uint32_t* /*count*/) { return notImplemented(OXA_MODULE_MANAGER); }
    virtual OXASTATUS getDeviceInfo(uint32_t /*index*/, OXA_DEVICE_INFO* /*info*/) {
        return notImplemented(OXA_MODULE_MANAGER);
    }
    virtual OXASTATUS getCLDeviceInfo(uint32_t /*index*/, OXA_CL_DEVICE_INFO* /*info*/) {
        return notImplemented(OXA_MODULE_MANAGER);
    }
    virtual OXASTATUS getCXPDeviceInfo(uint32_t /*index*/, OXA_CXP_DEVICE_INFO* /*info*/) {
        return notImplemented(OXA_MODULE_MANAGER);
    }
    virtual OXASTATUS getGVBDeviceInfo(uint32_t /*index*/, OXA_GVB_DEVICE_INFO* /*info*/) {
        return notImplemented(OXA_MODULE_MANAGER);
    }
    virtual OXASTATUS getGigEDeviceInfo(uint32_t /*index*/, OXA_GIGE_DEVICE_INFO* /*info*/) {
        return notImplemented(OXA_MODULE_MANAGER);
    }
    // Fails with the manager's "device not found" status when no camera of this backend has
    // that MAC, so that the surface can ask the next backend.
    virtual OXASTATUS forceIp(const char* /*mac*/, const char* /*ip*/, const char* /*mask*/,
                              const char* /*gateway*/) {
        return notImplemented(OXA_MODULE_MANAGER);
    }

    // Devices
    virtual OXASTATUS devOpen(uint32_t /*index*/, uint32_t /*access*/, OXA_DEV_HANDLE* /*dev*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devClose(OXA_DEV_HANDLE /*dev*/) { return notImplemented(OXA_MODULE_DEVICE); }
    virtual OXASTATUS devGetFeatureCount(OXA_DEV_HANDLE /*dev*/, uint32_t* /*count*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devGetFeatureName(OXA_DEV_HANDLE /*dev*/, uint32_t /*index*/, char* /*name*/,
                                        uint32_t* /*size*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devAllocFeature(OXA_DEV_HANDLE /*dev*/, const char* /*name*/,
                                      OXA_FEATURE_HANDLE* /*feature*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devFreeFeature(OXA_FEATURE_HANDLE /*feature*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devGetAccessMode(OXA_DEV_HANDLE /*dev*/, const char* /*name*/, uint32_t* /*access*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devRegisterCallback(OXA_DEV_HANDLE /*dev*/, const char* /*event*/,
                                          OXA_EVENT_CALLBACK /*func*/, void* /*context*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devUnregisterCallback(OXA_DEV_HANDLE /*dev*/, const char* /*event*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS eventInfoGetPrm(OXA_EVENT_INFO_HANDLE /*info*/, uint32_t /*prm*/, void* /*value*/,
                                      uint32_t* /*size*/) {
        return notImplemented(OXA_MODULE_EVENT_INFO);
    }
    virtual OXASTATUS devLoadConfiguration(OXA_DEV_HANDLE /*dev*/, const char* /*path*/) {
        return notImplemented(OXA_MODULE_FILE);
    }
    virtual OXASTATUS devSaveConfiguration(OXA_DEV_HANDLE /*dev*/, const char* /*path*/) {
        return notImplemented(OXA_MODULE_FILE);
    }
    virtual OXASTATUS devPortRead(OXA_DEV_HANDLE /*dev*/, void* /*buffer*/, uint64_t /*address*/,
                                  uint32_t /*size*/) {
        return notImplemented(OXA_MODULE_PORT);
    }
    virtual OXASTATUS devPortWrite(OXA_DEV_HANDLE /*dev*/, const void* /*buffer*/, uint64_t /*address*/,
                                   uint32_t /*size*/) {
        return notImplemented(OXA_MODULE_PORT);
    }
    virtual OXASTATUS devSerialPortRead(OXA_DEV_HANDLE /*dev*/, void* /*buffer*/, uint32_t* /*size*/,
                                        uint32_t /*timeoutMs*/) {
        return notImplemented(OXA_MODULE_PORT);
    }
    virtual OXASTATUS devSerialPortWrite(OXA_DEV_HANDLE /*dev*/, const void* /*buffer*/, uint32_t* /*size*/,
                                         uint32_t /*timeoutMs*/) {
        return notImplemented(OXA_MODULE_PORT);
    }
    virtual OXASTATUS devGetInt64(OXA_DEV_HANDLE /*dev*/, const char* /*name*/, int64_t* /*value*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devSetInt64(OXA_DEV_HANDLE /*dev*/, const char* /*name*/, int64_t /*value*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devGetInt64Max(OXA_DEV_HANDLE /*dev*/, const char* /*name*/, int64_t* /*value*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devGetInt64Min(OXA_DEV_HANDLE /*dev*/, const char* /*name*/, int64_t* /*value*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devGetDouble(OXA_DEV_HANDLE /*dev*/, const char* /*name*/, double* /*value*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devSetDouble(OXA_DEV_HANDLE /*dev*/, const char* /*name*/, double /*value*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devGetBool(OXA_DEV_HANDLE /*dev*/, const char* /*name*/, bool* /*value*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devSetBool(OXA_DEV_HANDLE /*dev*/, const char* /*name*/, bool /*value*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devFromString(OXA_DEV_HANDLE /*dev*/, const char* /*name*/, const char* /*value*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devToString(OXA_DEV_HANDLE /*dev*/, const char* /*name*/, char* /*value*/,
                                  uint32_t* /*size*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }
    virtual OXASTATUS devExecuteCommand(OXA_DEV_HANDLE /*dev*/, const char* /*name*/) {
        return notImplemented(OXA_MODULE_DEVICE);
    }

    // Features
    virtual OXASTATUS featureGetName(OXA_FEATURE_HANDLE /*f*/, char* /*name*/, uint32_t* /*size*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetDisplayName(OXA_FEATURE_HANDLE /*f*/, char* /*name*/, uint32_t* /*size*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetCategory(OXA_FEATURE_HANDLE /*f*/, char* /*name*/, uint32_t* /*size*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetDescription(OXA_FEATURE_HANDLE /*f*/, char* /*text*/, uint32_t* /*size*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetType(OXA_FEATURE_HANDLE /*f*/, uint32_t* /*type*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetRepresentation(OXA_FEATURE_HANDLE /*f*/, uint32_t* /*representation*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetVisibility(OXA_FEATURE_HANDLE /*f*/, uint32_t* /*visibility*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetPollingTime(OXA_FEATURE_HANDLE /*f*/, int32_t* /*ms*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetAccessMode(OXA_FEATURE_HANDLE /*f*/, uint32_t* /*access*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureIsSelector(OXA_FEATURE_HANDLE /*f*/, bool* /*isSelector*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetSelectedCount(OXA_FEATURE_HANDLE /*f*/, uint32_t* /*count*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetSelectedName(OXA_FEATURE_HANDLE /*f*/, uint32_t /*index*/, char* /*name*/,
                                             uint32_t* /*size*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetInt64(OXA_FEATURE_HANDLE /*f*/, int64_t* /*value*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureSetInt64(OXA_FEATURE_HANDLE /*f*/, int64_t /*value*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetInt64Max(OXA_FEATURE_HANDLE /*f*/, int64_t* /*value*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetInt64Min(OXA_FEATURE_HANDLE /*f*/, int64_t* /*value*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetInt64Inc(OXA_FEATURE_HANDLE /*f*/, int64_t* /*value*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetDouble(OXA_FEATURE_HANDLE /*f*/, double* /*value*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureSetDouble(OXA_FEATURE_HANDLE /*f*/, double /*value*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetDoubleMax(OXA_FEATURE_HANDLE /*f*/, double* /*value*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetDoubleMin(OXA_FEATURE_HANDLE /*f*/, double* /*value*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetDoubleInc(OXA_FEATURE_HANDLE /*f*/, double* /*value*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetDoublePrecision(OXA_FEATURE_HANDLE /*f*/, int64_t* /*digits*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetBool(OXA_FEATURE_HANDLE /*f*/, bool* /*value*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureSetBool(OXA_FEATURE_HANDLE /*f*/, bool /*value*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetEnumEntryCount(OXA_FEATURE_HANDLE /*f*/, uint32_t* /*count*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetEnumEntryName(OXA_FEATURE_HANDLE /*f*/, uint32_t /*index*/, char* /*name*/,
                                              uint32_t* /*size*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureGetEnumEntryValue(OXA_FEATURE_HANDLE /*f*/, uint32_t /*index*/,
                                               int64_t* /*value*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureToString(OXA_FEATURE_HANDLE /*f*/, char* /*value*/, uint32_t* /*size*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureFromString(OXA_FEATURE_HANDLE /*f*/, const char* /*value*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }
    virtual OXASTATUS featureExecuteCommand(OXA_FEATURE_HANDLE /*f*/) {
        return notImplemented(OXA_MODULE_FEATURE);
    }

    // Asked before the surface creates a buffer (OxaBufferNew has no device): a backend may
    // refuse it, e.g. to inject a failure.
    virtual OXASTATUS checkBufferNew(uint32_t /*width*/, uint32_t /*height*/, uint32_t /*pixelFormat*/) {
        return OXA_STATUS_SUCCESS;
    }

    // Streams. A buffer joins a stream with allocStream or streamAddBuffer and leaves it with
    // streamRemoveBuffer (refused while the stream runs) or streamFree.
    virtual OXASTATUS allocStream(OXA_DEV_HANDLE /*dev*/, VQtStreamBuffer* /*first*/,
                                  OXA_STREAM_HANDLE* /*stream*/) {
        return notImplemented(OXA_MODULE_STREAM);
    }
    virtual OXASTATUS streamFree(OXA_STREAM_HANDLE /*stream*/) { return notImplemented(OXA_MODULE_STREAM); }
    virtual OXASTATUS streamAddBuffer(OXA_STREAM_HANDLE /*stream*/, VQtStreamBuffer* /*buffer*/) {
        return notImplemented(OXA_MODULE_STREAM);
    }
    virtual OXASTATUS streamRemoveBuffer(OXA_STREAM_HANDLE /*stream*/, VQtStreamBuffer* /*buffer*/) {
        return notImplemented(OXA_MODULE_STREAM);
    }
    virtual OXASTATUS streamClearBuffer(OXA_STREAM_HANDLE /*stream*/, VQtStreamBuffer* /*buffer*/) {
        return notImplemented(OXA_MODULE_STREAM);
    }
    virtual OXASTATUS streamSetPrm(OXA_STREAM_HANDLE /*stream*/, uint32_t /*prm*/, const void* /*value*/,
                                   uint32_t /*size*/) {
        return notImplemented(OXA_MODULE_STREAM);
    }
    virtual OXASTATUS streamGetPrm(OXA_STREAM_HANDLE /*stream*/, uint32_t /*prm*/, void* /*value*/,
                                   uint32_t* /*size*/) {
        return notImplemented(OXA_MODULE_STREAM);
    }
    virtual OXASTATUS streamRegisterCallback(OXA_STREAM_HANDLE /*stream*/, uint32_t /*event*/,
                                             OXA_EVENT_CALLBACK /*func*/, void* /*context*/) {
        return notImplemented(OXA_MODULE_STREAM);
    }
    virtual OXASTATUS streamUnregisterCallback(OXA_STREAM_HANDLE /*stream*/, uint32_t /*event*/) {
        return notImplemented(OXA_MODULE_STREAM);
    }
    virtual OXASTATUS streamStart(OXA_STREAM_HANDLE /*stream*/, int64_t /*count*/) {
        return notImplemented(OXA_MODULE_STREAM);
    }
    virtual OXASTATUS streamStop(OXA_STREAM_HANDLE /*stream*/) { return notImplemented(OXA_MODULE_STREAM); }
    virtual OXASTATUS streamWait(OXA_STREAM_HANDLE /*stream*/, uint32_t /*timeoutMs*/) {
        return notImplemented(OXA_MODULE_STREAM);
    }
};

#endif // VQTCAMERABACKEND_H
