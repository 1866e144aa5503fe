#include "device/aravis/VQtArvBackend.h"

#include <QByteArray>
#include <cstring>
#include <map>
#include <mutex>

#include "device/aravis/VQtArvDevice.h"
#include "device/aravis/VQtArvDiscovery.h"
#include "device/aravis/VQtArvEventInfo.h"
#include "device/aravis/VQtArvFeatureValues.h"
#include "device/aravis/VQtArvStream.h"
#include "device/dispatch/VQtStreamBuffer.h"

namespace {

constexpr OXASTATUS status(uint32_t module, uint32_t id) {
    return OXA_MAKE_STATUS(module, id);
}

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

void copyText(char* dst, size_t capacity, const QByteArray& text) {
    std::memset(dst, 0, capacity);
    std::memcpy(dst, text.constData(), std::min(capacity - 1, size_t(text.size())));
}

struct FakeSetting {
    std::mutex mutex;
    bool enabled = false;
    QByteArray genicam;
};

FakeSetting& fakeSetting() {
    static FakeSetting s;
    return s;
}

} // namespace

struct VQtArvBackend::State {
    // Aravis's device list and opening are process-wide: one caller at a time.
    std::mutex aravis;
    bool initialized = false;
    QVector<VQtArvCamera> cameras;

    std::mutex handles;
    std::map<void*, std::shared_ptr<VQtArvDevice>> devices;
    struct FeatureRef {
        std::shared_ptr<VQtArvDevice> device;
        int index;
    };
    std::map<void*, std::unique_ptr<FeatureRef>> features;
    std::map<void*, std::shared_ptr<VQtArvStream>> streams;

    std::shared_ptr<VQtArvDevice> device(void* h) {
        std::lock_guard<std::mutex> lock(handles);
        const auto it = devices.find(h);
        return it == devices.end() ? nullptr : it->second;
    }
    bool feature(void* h, FeatureRef* out) {
        std::lock_guard<std::mutex> lock(handles);
        const auto it = features.find(h);
        if (it == features.end())
            return false;
        *out = *it->second;
        return true;
    }
    std::shared_ptr<VQtArvStream> stream(void* h) {
        std::lock_guard<std::mutex> lock(handles);
        const auto it = streams.find(h);
        return it == streams.end() ? nullptr : it->second;
    }
    bool camera(uint32_t index, VQtArvCamera* out) {
        std::lock_guard<std::mutex> lock(aravis);
        if (!initialized)
            return false;
        if (index >= uint32_t(cameras.size()))
            return false;
        *out = cameras.at(int(index));
        return true;
    }
};

VQtArvBackend::VQtArvBackend() : d(new State) {}

VQtArvBackend::~VQtArvBackend() {
    terminate();
}

void VQtArvBackend::setFakeCamera(bool enabled, const QString& genicamFile) {
    FakeSetting& s = fakeSetting();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.enabled = enabled;
    s.genicam = genicamFile.toLocal8Bit();
}

// ---------------------------------------------------------------------------------------------
// Manager
// ---------------------------------------------------------------------------------------------
OXASTATUS VQtArvBackend::initialize() {
    std::lock_guard<std::mutex> lock(d->aravis);
    if (d->initialized)
        return OXA_STATUS_SUCCESS;
    bool fake = false;
    QByteArray genicam;
    {
        FakeSetting& s = fakeSetting();
        std::lock_guard<std::mutex> guard(s.mutex);
        fake = s.enabled;
        genicam = s.genicam;
    }
    const QByteArray env = qgetenv("VIONC_ARAVIS_FAKE");
    if (!env.isEmpty() && env != "0") {
        fake = true;
        if (env != "1")
            genicam = env;
    }
    if (fake) {
        // The description must be known before the fake camera is first created.
        arv_set_fake_camera_genicam_filename(genicam.isEmpty() ? nullptr : genicam.constData());
        arv_enable_interface("Fake");
    } else {
        arv_disable_interface("Fake");
    }
    d->initialized = true;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvBackend::terminate() {
    std::map<void*, std::shared_ptr<VQtArvDevice>> devices;
    std::map<void*, std::shared_ptr<VQtArvStream>> streams;
    {
        std::lock_guard<std::mutex> lock(d->handles);
        devices.swap(d->devices);
        streams.swap(d->streams);
        d->features.clear();
    }
    for (auto& s : streams)
        s.second->release();
    for (auto& dev : devices)
        dev.second->close();
    streams.clear();
    devices.clear();
    std::lock_guard<std::mutex> lock(d->aravis);
    if (d->initialized)
        arv_shutdown();
    d->initialized = false;
    d->cameras.clear();
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvBackend::getDeviceCount(uint32_t* count) {
    if (!count)
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    std::lock_guard<std::mutex> lock(d->aravis);
    if (!d->initialized)
        return status(OXA_MODULE_MANAGER, OXA_ERR_NOT_INITIALIZED);
    d->cameras = VQtArvDiscovery::scan();
    *count = uint32_t(d->cameras.size());
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvBackend::getDeviceInfo(uint32_t index, OXA_DEVICE_INFO* info) {
    VQtArvCamera c;
    if (!d->camera(index, &c))
        return status(OXA_MODULE_MANAGER, OXA_ERR_INDEX_OUT_OF_RANGE);
    if (!info)
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    copyText(info->deviceName, sizeof(info->deviceName), c.model);
    copyText(info->vendorName, sizeof(info->vendorName), c.vendor);
    copyText(info->serialNumber, sizeof(info->serialNumber), c.serial);
    copyText(info->deviceVersion, sizeof(info->deviceVersion), c.version);
    copyText(info->interfaceType, sizeof(info->interfaceType),
             c.isUsb3() ? OXA_INTERFACE_USB3 : OXA_INTERFACE_GIGE);
    copyText(info->userDefinedName, sizeof(info->userDefinedName), c.userName);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvBackend::getGigEDeviceInfo(uint32_t index, OXA_GIGE_DEVICE_INFO* info) {
    VQtArvCamera c;
    if (!d->camera(index, &c))
        return status(OXA_MODULE_MANAGER, OXA_ERR_INDEX_OUT_OF_RANGE);
    if (c.isUsb3())
        return status(OXA_MODULE_MANAGER, OXA_ERR_PARAMETER_MISMATCH);
    if (!info)
        return status(OXA_MODULE_MANAGER, OXA_ERR_INVALID_PARAMETER);
    std::memset(info, 0, sizeof(*info));
    using H = VQtArvHostInterfaces;
    copyText(info->mac, sizeof(info->mac), c.mac);
    copyText(info->ip, sizeof(info->ip), H::text(c.ip));
    copyText(info->subnetMask, sizeof(info->subnetMask), H::text(c.mask));
    copyText(info->defaultGateway, sizeof(info->defaultGateway), H::text(c.gateway));
    copyText(info->nicMac, sizeof(info->nicMac), c.nic.mac);
    copyText(info->nicIp, sizeof(info->nicIp), H::text(c.nic.ip));
    copyText(info->nicSubnetMask, sizeof(info->nicSubnetMask), H::text(c.nic.mask));
    copyText(info->nicDefaultGateway, sizeof(info->nicDefaultGateway), H::text(c.nic.gateway));
    copyText(info->nicName, sizeof(info->nicName), c.nic.name);
    copyText(info->manufacturer, sizeof(info->manufacturer), c.vendor);
    copyText(info->model, sizeof(info->model), c.model);
    copyText(info->serialNumber, sizeof(info->serialNumber), c.serial);
    copyText(info->version, sizeof(info->version), c.version);
    copyText(info->userDefinedName, sizeof(info->userDefinedName), c.userName);
    info->ipConfigOptions = c.ipConfigOptions & 0x7;
    info->ipConfigCurrent = c.ipConfigCurrent & 0x7;
    return OXA_STATUS_SUCCESS;
}

// Aravis cannot force an address: a camera of this backend says so; others are not ours.
OXASTATUS VQtArvBackend::forceIp(const char* mac, const char*, const char*, const char*) {
    std::lock_guard<std::mutex> lock(d->aravis);
    const QByteArray wanted = QByteArray(mac ? mac : "").toUpper().replace('-', ':');
    for (const VQtArvCamera& c : d->cameras)
        if (!c.isUsb3() && c.mac == wanted)
            return notImplemented(OXA_MODULE_MANAGER);
    return status(OXA_MODULE_MANAGER, OXA_ERR_DEVICE_NOT_FOUND);
}

// ---------------------------------------------------------------------------------------------
// Devices
// ---------------------------------------------------------------------------------------------
OXASTATUS VQtArvBackend::devOpen(uint32_t index, uint32_t access, OXA_DEV_HANDLE* dev) {
    if (!dev)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    VQtArvCamera c;
    if (!d->camera(index, &c))
        return status(OXA_MODULE_DEVICE, OXA_ERR_INDEX_OUT_OF_RANGE);
    OXASTATUS st = OXA_STATUS_SUCCESS;
    std::shared_ptr<VQtArvDevice> device;
    {
        std::lock_guard<std::mutex> lock(d->aravis);
        device = VQtArvDevice::open(c, access, &st);
    }
    if (!device)
        return st;
    std::lock_guard<std::mutex> lock(d->handles);
    *dev = device.get();
    d->devices.emplace(device.get(), device);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvBackend::devClose(OXA_DEV_HANDLE dev) {
    std::shared_ptr<VQtArvDevice> device;
    {
        std::lock_guard<std::mutex> lock(d->handles);
        const auto it = d->devices.find(dev);
        if (it == d->devices.end())
            return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE);
        device = it->second;
        d->devices.erase(it);
        for (auto f = d->features.begin(); f != d->features.end();)
            f = f->second->device == device ? d->features.erase(f) : std::next(f);
    }
    device->close();
    return OXA_STATUS_SUCCESS;
}

// A device handle's camera, locked, open and present.
#define ARV_DEVICE(handle)                                                                                   \
    const std::shared_ptr<VQtArvDevice> device = d->device(handle);                                          \
    if (!device)                                                                                             \
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE);                                            \
    auto guard = device->lock();                                                                             \
    if (const OXASTATUS st = device->state())                                                                \
        return st;

// The same, with the named feature's values as v (and its index).
#define ARV_BY_NAME(handle, name)                                                                            \
    ARV_DEVICE(handle);                                                                                      \
    int index = -1;                                                                                          \
    if (const OXASTATUS fs = device->find(name, &index))                                                     \
        return fs;                                                                                           \
    const VQtArvFeatureValues v(device->features().at(index), device->isUsb3(), device->isReadOnly());

// Runs a write and, when it succeeds, tells about the features it changed.
#define ARV_WRITE(expression)                                                                                \
    const OXASTATUS written = (expression);                                                                  \
    if (written == OXA_STATUS_SUCCESS)                                                                       \
        device->afterWrite(index);                                                                           \
    return written;

OXASTATUS VQtArvBackend::devGetFeatureCount(OXA_DEV_HANDLE dev, uint32_t* count) {
    ARV_DEVICE(dev);
    if (!count)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_PARAMETER);
    *count = uint32_t(device->features().size());
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvBackend::devGetFeatureName(OXA_DEV_HANDLE dev, uint32_t index, char* name, uint32_t* size) {
    ARV_DEVICE(dev);
    if (index >= uint32_t(device->features().size()))
        return status(OXA_MODULE_DEVICE, OXA_ERR_INDEX_OUT_OF_RANGE);
    return putText(device->features().at(int(index)).name, name, size, OXA_MODULE_DEVICE);
}

OXASTATUS VQtArvBackend::devAllocFeature(OXA_DEV_HANDLE dev, const char* name, OXA_FEATURE_HANDLE* feature) {
    ARV_DEVICE(dev);
    if (!feature)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    int index = -1;
    if (const OXASTATUS st = device->find(name, &index))
        return st;
    auto ref = std::make_unique<State::FeatureRef>(State::FeatureRef{device, index});
    std::lock_guard<std::mutex> lock(d->handles);
    *feature = ref.get();
    d->features.emplace(ref.get(), std::move(ref));
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvBackend::devFreeFeature(OXA_FEATURE_HANDLE feature) {
    std::lock_guard<std::mutex> lock(d->handles);
    return d->features.erase(feature) ? OXA_STATUS_SUCCESS
                                      : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_HANDLE);
}

OXASTATUS VQtArvBackend::devGetAccessMode(OXA_DEV_HANDLE dev, const char* name, uint32_t* access) {
    ARV_BY_NAME(dev, name);
    if (!access)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    *access = v.accessMode();
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvBackend::devRegisterCallback(OXA_DEV_HANDLE dev, const char* event, OXA_EVENT_CALLBACK func,
                                             void* context) {
    ARV_DEVICE(dev);
    return device->registerCallback(event, func, context);
}

// Works on a removed camera too: its callbacks must be undone all the same.
OXASTATUS VQtArvBackend::devUnregisterCallback(OXA_DEV_HANDLE dev, const char* event) {
    const std::shared_ptr<VQtArvDevice> device = d->device(dev);
    if (!device)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE);
    return device->unregisterCallback(event);
}

OXASTATUS VQtArvBackend::eventInfoGetPrm(OXA_EVENT_INFO_HANDLE handle, uint32_t prm, void* value,
                                         uint32_t* size) {
    const auto* info = static_cast<const VQtArvEventInfo*>(handle);
    if (!info)
        return status(OXA_MODULE_EVENT_INFO, OXA_ERR_INVALID_HANDLE);
    switch (prm) {
    case OXA_EVENT_PRM_FEATURE_NAME:
        return putText(info->featureName, static_cast<char*>(value), size, OXA_MODULE_EVENT_INFO);
    case OXA_EVENT_PRM_EVENT_NAME:
        return putText(info->eventName, static_cast<char*>(value), size, OXA_MODULE_EVENT_INFO);
    case OXA_EVENT_PRM_BUFFER:
        return putValue(info->buffer, value, size, OXA_MODULE_EVENT_INFO);
    case OXA_EVENT_PRM_TIMESTAMP:
        return putValue(info->timestampUs, value, size, OXA_MODULE_EVENT_INFO);
    case OXA_EVENT_PRM_STREAM_EVENT:
        return putValue(info->streamEvent, value, size, OXA_MODULE_EVENT_INFO);
    default:
        return status(OXA_MODULE_EVENT_INFO, OXA_ERR_INVALID_PARAMETER);
    }
}

OXASTATUS VQtArvBackend::devLoadConfiguration(OXA_DEV_HANDLE dev, const char* path) {
    const std::shared_ptr<VQtArvDevice> device = d->device(dev);
    if (!device)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE);
    return device->loadConfiguration(path);
}

OXASTATUS VQtArvBackend::devSaveConfiguration(OXA_DEV_HANDLE dev, const char* path) {
    const std::shared_ptr<VQtArvDevice> device = d->device(dev);
    if (!device)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE);
    return device->saveConfiguration(path);
}

OXASTATUS VQtArvBackend::devPortRead(OXA_DEV_HANDLE dev, void* buffer, uint64_t address, uint32_t size) {
    const std::shared_ptr<VQtArvDevice> device = d->device(dev);
    if (!device)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE);
    return device->readMemory(address, buffer, size);
}

OXASTATUS VQtArvBackend::devPortWrite(OXA_DEV_HANDLE dev, const void* buffer, uint64_t address,
                                      uint32_t size) {
    const std::shared_ptr<VQtArvDevice> device = d->device(dev);
    if (!device)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE);
    return device->writeMemory(address, buffer, size);
}

OXASTATUS VQtArvBackend::devGetInt64(OXA_DEV_HANDLE dev, const char* name, int64_t* value) {
    ARV_BY_NAME(dev, name);
    return value ? v.getInt(value) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::devSetInt64(OXA_DEV_HANDLE dev, const char* name, int64_t value) {
    ARV_BY_NAME(dev, name);
    ARV_WRITE(v.setInt(value));
}

OXASTATUS VQtArvBackend::devGetInt64Max(OXA_DEV_HANDLE dev, const char* name, int64_t* value) {
    ARV_BY_NAME(dev, name);
    return value ? v.getIntMax(value) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::devGetInt64Min(OXA_DEV_HANDLE dev, const char* name, int64_t* value) {
    ARV_BY_NAME(dev, name);
    return value ? v.getIntMin(value) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::devGetDouble(OXA_DEV_HANDLE dev, const char* name, double* value) {
    ARV_BY_NAME(dev, name);
    return value ? v.getDouble(value) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::devSetDouble(OXA_DEV_HANDLE dev, const char* name, double value) {
    ARV_BY_NAME(dev, name);
    ARV_WRITE(v.setDouble(value));
}

OXASTATUS VQtArvBackend::devGetBool(OXA_DEV_HANDLE dev, const char* name, bool* value) {
    ARV_BY_NAME(dev, name);
    return value ? v.getBool(value) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::devSetBool(OXA_DEV_HANDLE dev, const char* name, bool value) {
    ARV_BY_NAME(dev, name);
    ARV_WRITE(v.setBool(value));
}

OXASTATUS VQtArvBackend::devFromString(OXA_DEV_HANDLE dev, const char* name, const char* value) {
    ARV_BY_NAME(dev, name);
    if (!value)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    ARV_WRITE(v.fromString(QByteArray(value)));
}

OXASTATUS VQtArvBackend::devToString(OXA_DEV_HANDLE dev, const char* name, char* value, uint32_t* size) {
    ARV_BY_NAME(dev, name);
    QByteArray text;
    if (const OXASTATUS st = v.toString(&text))
        return st;
    return putText(text, value, size, OXA_MODULE_FEATURE);
}

OXASTATUS VQtArvBackend::devExecuteCommand(OXA_DEV_HANDLE dev, const char* name) {
    ARV_BY_NAME(dev, name);
    ARV_WRITE(v.execute());
}

// ---------------------------------------------------------------------------------------------
// Features
// ---------------------------------------------------------------------------------------------
// A feature handle's record, with its camera locked, open and present.
#define ARV_FEATURE(handle)                                                                                  \
    State::FeatureRef ref;                                                                                   \
    if (!d->feature(handle, &ref))                                                                           \
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_HANDLE);                                           \
    const std::shared_ptr<VQtArvDevice>& device = ref.device;                                                \
    const int index = ref.index;                                                                             \
    auto guard = device->lock();                                                                             \
    if (const OXASTATUS st = device->state())                                                                \
        return st;                                                                                           \
    const VQtArvFeature& f = device->features().at(index);                                                   \
    const VQtArvFeatureValues v(f, device->isUsb3(), device->isReadOnly());                                  \
    (void)v;

#define ARV_FIELD(out, expression)                                                                           \
    if (!(out))                                                                                              \
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);                                        \
    *(out) = (expression);                                                                                   \
    return OXA_STATUS_SUCCESS;

OXASTATUS VQtArvBackend::featureGetName(OXA_FEATURE_HANDLE h, char* name, uint32_t* size) {
    ARV_FEATURE(h);
    return putText(f.name, name, size, OXA_MODULE_FEATURE);
}

OXASTATUS VQtArvBackend::featureGetDisplayName(OXA_FEATURE_HANDLE h, char* name, uint32_t* size) {
    ARV_FEATURE(h);
    const char* display = arv_gc_feature_node_get_display_name(f.node);
    return putText(QByteArray(display ? display : ""), name, size, OXA_MODULE_FEATURE);
}

OXASTATUS VQtArvBackend::featureGetCategory(OXA_FEATURE_HANDLE h, char* name, uint32_t* size) {
    ARV_FEATURE(h);
    return putText(f.category, name, size, OXA_MODULE_FEATURE);
}

OXASTATUS VQtArvBackend::featureGetDescription(OXA_FEATURE_HANDLE h, char* text, uint32_t* size) {
    ARV_FEATURE(h);
    const char* description = arv_gc_feature_node_get_description(f.node);
    if (!description)
        description = arv_gc_feature_node_get_tooltip(f.node);
    return putText(QByteArray(description ? description : ""), text, size, OXA_MODULE_FEATURE);
}

OXASTATUS VQtArvBackend::featureGetType(OXA_FEATURE_HANDLE h, uint32_t* type) {
    ARV_FEATURE(h);
    ARV_FIELD(type, f.type);
}

OXASTATUS VQtArvBackend::featureGetRepresentation(OXA_FEATURE_HANDLE h, uint32_t* representation) {
    ARV_FEATURE(h);
    if (f.type != OXAFEATURE_VAL_TYPE_INT64 && f.type != OXAFEATURE_VAL_TYPE_INT64_RO)
        return status(OXA_MODULE_FEATURE, OXA_ERR_FEATURE_TYPE_MISMATCH);
    ARV_FIELD(representation, f.representation);
}

OXASTATUS VQtArvBackend::featureGetVisibility(OXA_FEATURE_HANDLE h, uint32_t* visibility) {
    ARV_FEATURE(h);
    ARV_FIELD(visibility, f.visibility);
}

OXASTATUS VQtArvBackend::featureGetPollingTime(OXA_FEATURE_HANDLE h, int32_t* ms) {
    ARV_FEATURE(h);
    if (f.pollingMs < 0)
        return status(OXA_MODULE_FEATURE, OXA_ERR_NOT_IMPLEMENTED);
    ARV_FIELD(ms, f.pollingMs);
}

OXASTATUS VQtArvBackend::featureGetAccessMode(OXA_FEATURE_HANDLE h, uint32_t* access) {
    ARV_FEATURE(h);
    ARV_FIELD(access, v.accessMode());
}

OXASTATUS VQtArvBackend::featureIsSelector(OXA_FEATURE_HANDLE h, bool* isSelector) {
    ARV_FEATURE(h);
    if (f.selected.isEmpty())
        return status(OXA_MODULE_FEATURE, OXA_ERR_NOT_IMPLEMENTED);
    ARV_FIELD(isSelector, true);
}

OXASTATUS VQtArvBackend::featureGetSelectedCount(OXA_FEATURE_HANDLE h, uint32_t* count) {
    ARV_FEATURE(h);
    ARV_FIELD(count, uint32_t(f.selected.size()));
}

OXASTATUS VQtArvBackend::featureGetSelectedName(OXA_FEATURE_HANDLE h, uint32_t i, char* name,
                                                uint32_t* size) {
    ARV_FEATURE(h);
    if (i >= uint32_t(f.selected.size()))
        return status(OXA_MODULE_FEATURE, OXA_ERR_INDEX_OUT_OF_RANGE);
    return putText(device->features().at(f.selected.at(int(i))).name, name, size, OXA_MODULE_FEATURE);
}

OXASTATUS VQtArvBackend::featureGetInt64(OXA_FEATURE_HANDLE h, int64_t* value) {
    ARV_FEATURE(h);
    return value ? v.getInt(value) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::featureSetInt64(OXA_FEATURE_HANDLE h, int64_t value) {
    ARV_FEATURE(h);
    ARV_WRITE(v.setInt(value));
}

OXASTATUS VQtArvBackend::featureGetInt64Max(OXA_FEATURE_HANDLE h, int64_t* value) {
    ARV_FEATURE(h);
    return value ? v.getIntMax(value) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::featureGetInt64Min(OXA_FEATURE_HANDLE h, int64_t* value) {
    ARV_FEATURE(h);
    return value ? v.getIntMin(value) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::featureGetInt64Inc(OXA_FEATURE_HANDLE h, int64_t* value) {
    ARV_FEATURE(h);
    return value ? v.getIntInc(value) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::featureGetDouble(OXA_FEATURE_HANDLE h, double* value) {
    ARV_FEATURE(h);
    return value ? v.getDouble(value) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::featureSetDouble(OXA_FEATURE_HANDLE h, double value) {
    ARV_FEATURE(h);
    ARV_WRITE(v.setDouble(value));
}

OXASTATUS VQtArvBackend::featureGetDoubleMax(OXA_FEATURE_HANDLE h, double* value) {
    ARV_FEATURE(h);
    return value ? v.getDoubleMax(value) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::featureGetDoubleMin(OXA_FEATURE_HANDLE h, double* value) {
    ARV_FEATURE(h);
    return value ? v.getDoubleMin(value) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::featureGetDoubleInc(OXA_FEATURE_HANDLE h, double* value) {
    ARV_FEATURE(h);
    return value ? v.getDoubleInc(value) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::featureGetDoublePrecision(OXA_FEATURE_HANDLE h, int64_t* digits) {
    ARV_FEATURE(h);
    return digits ? v.getPrecision(digits) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::featureGetBool(OXA_FEATURE_HANDLE h, bool* value) {
    ARV_FEATURE(h);
    return value ? v.getBool(value) : status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
}

OXASTATUS VQtArvBackend::featureSetBool(OXA_FEATURE_HANDLE h, bool value) {
    ARV_FEATURE(h);
    ARV_WRITE(v.setBool(value));
}

OXASTATUS VQtArvBackend::featureGetEnumEntryCount(OXA_FEATURE_HANDLE h, uint32_t* count) {
    ARV_FEATURE(h);
    QVector<VQtArvFeatureValues::Entry> entries;
    if (const OXASTATUS st = v.entries(&entries))
        return st;
    ARV_FIELD(count, uint32_t(entries.size()));
}

OXASTATUS VQtArvBackend::featureGetEnumEntryName(OXA_FEATURE_HANDLE h, uint32_t i, char* name,
                                                 uint32_t* size) {
    ARV_FEATURE(h);
    QVector<VQtArvFeatureValues::Entry> entries;
    if (const OXASTATUS st = v.entries(&entries))
        return st;
    if (i >= uint32_t(entries.size()))
        return status(OXA_MODULE_FEATURE, OXA_ERR_INDEX_OUT_OF_RANGE);
    return putText(entries.at(int(i)).name, name, size, OXA_MODULE_FEATURE);
}

OXASTATUS VQtArvBackend::featureGetEnumEntryValue(OXA_FEATURE_HANDLE h, uint32_t i, int64_t* value) {
    ARV_FEATURE(h);
    QVector<VQtArvFeatureValues::Entry> entries;
    if (const OXASTATUS st = v.entries(&entries))
        return st;
    if (i >= uint32_t(entries.size()))
        return status(OXA_MODULE_FEATURE, OXA_ERR_INDEX_OUT_OF_RANGE);
    ARV_FIELD(value, entries.at(int(i)).value);
}

OXASTATUS VQtArvBackend::featureToString(OXA_FEATURE_HANDLE h, char* value, uint32_t* size) {
    ARV_FEATURE(h);
    QByteArray text;
    if (const OXASTATUS st = v.toString(&text))
        return st;
    return putText(text, value, size, OXA_MODULE_FEATURE);
}

OXASTATUS VQtArvBackend::featureFromString(OXA_FEATURE_HANDLE h, const char* value) {
    ARV_FEATURE(h);
    if (!value)
        return status(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    ARV_WRITE(v.fromString(QByteArray(value)));
}

OXASTATUS VQtArvBackend::featureExecuteCommand(OXA_FEATURE_HANDLE h) {
    ARV_FEATURE(h);
    ARV_WRITE(v.execute());
}

// ---------------------------------------------------------------------------------------------
// Streams
// ---------------------------------------------------------------------------------------------
OXASTATUS VQtArvBackend::allocStream(OXA_DEV_HANDLE dev, VQtStreamBuffer* first, OXA_STREAM_HANDLE* stream) {
    const std::shared_ptr<VQtArvDevice> device = d->device(dev);
    if (!device)
        return status(OXA_MODULE_DEVICE, OXA_ERR_INVALID_HANDLE);
    if (const OXASTATUS st = device->state())
        return st;
    if (!first || !stream)
        return status(OXA_MODULE_STREAM, OXA_ERR_INVALID_PARAMETER);
    auto s = std::make_shared<VQtArvStream>(device);
    if (const OXASTATUS st = s->addBuffer(first))
        return st;
    device->addStream(s);
    std::lock_guard<std::mutex> lock(d->handles);
    *stream = s.get();
    d->streams.emplace(s.get(), std::move(s));
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvBackend::streamFree(OXA_STREAM_HANDLE stream) {
    std::shared_ptr<VQtArvStream> s;
    {
        std::lock_guard<std::mutex> lock(d->handles);
        const auto it = d->streams.find(stream);
        if (it == d->streams.end())
            return status(OXA_MODULE_STREAM, OXA_ERR_INVALID_HANDLE);
        s = it->second;
        d->streams.erase(it);
    }
    s->release();
    return OXA_STATUS_SUCCESS;
}

#define ARV_STREAM(handle)                                                                                   \
    const std::shared_ptr<VQtArvStream> s = d->stream(handle);                                               \
    if (!s)                                                                                                  \
        return status(OXA_MODULE_STREAM, OXA_ERR_INVALID_HANDLE);

OXASTATUS VQtArvBackend::streamAddBuffer(OXA_STREAM_HANDLE stream, VQtStreamBuffer* buffer) {
    ARV_STREAM(stream);
    return s->addBuffer(buffer);
}

OXASTATUS VQtArvBackend::streamRemoveBuffer(OXA_STREAM_HANDLE stream, VQtStreamBuffer* buffer) {
    ARV_STREAM(stream);
    return s->removeBuffer(buffer);
}

OXASTATUS VQtArvBackend::streamClearBuffer(OXA_STREAM_HANDLE stream, VQtStreamBuffer* buffer) {
    ARV_STREAM(stream);
    return s->clearBuffer(buffer);
}

OXASTATUS VQtArvBackend::streamSetPrm(OXA_STREAM_HANDLE stream, uint32_t prm, const void* value,
                                      uint32_t size) {
    ARV_STREAM(stream);
    return s->setPrm(prm, value, size);
}

OXASTATUS VQtArvBackend::streamGetPrm(OXA_STREAM_HANDLE stream, uint32_t prm, void* value, uint32_t* size) {
    ARV_STREAM(stream);
    return s->getPrm(prm, value, size);
}

OXASTATUS VQtArvBackend::streamRegisterCallback(OXA_STREAM_HANDLE stream, uint32_t event,
                                                OXA_EVENT_CALLBACK func, void* context) {
    ARV_STREAM(stream);
    return s->registerCallback(event, func, context);
}

OXASTATUS VQtArvBackend::streamUnregisterCallback(OXA_STREAM_HANDLE stream, uint32_t event) {
    ARV_STREAM(stream);
    return s->unregisterCallback(event);
}

OXASTATUS VQtArvBackend::streamStart(OXA_STREAM_HANDLE stream, int64_t count) {
    ARV_STREAM(stream);
    return s->start(count);
}

OXASTATUS VQtArvBackend::streamStop(OXA_STREAM_HANDLE stream) {
    ARV_STREAM(stream);
    return s->stop();
}

OXASTATUS VQtArvBackend::streamWait(OXA_STREAM_HANDLE stream, uint32_t timeoutMs) {
    ARV_STREAM(stream);
    return s->wait(timeoutMs);
}
