#include "device/aravis/VQtArvDevice.h"

#include <QFile>

#include "core/VQtSafeFile.h"
#include "device/aravis/VQtArvConfigFile.h"
#include "device/aravis/VQtArvEventInfo.h"
#include "device/aravis/VQtArvEventQueue.h"
#include "device/aravis/VQtArvFeatureValues.h"
#include "device/aravis/VQtArvLog.h"
#include "device/aravis/VQtArvPixelFormats.h"
#include "device/aravis/VQtArvStatus.h"
#include "device/aravis/VQtArvStream.h"

namespace {

constexpr uint32_t kFeatureChanged = 1;
constexpr uint32_t kDeviceRemove = 2;
constexpr uint32_t kFrameTriggerIgnored = 3;
// GigE Vision control channel privilege register: 1 exclusive, 2 control.
constexpr guint64 kPrivilegeRegister = 0x0A00;

uint32_t eventKey(const char* name) {
    const QByteArray n(name ? name : "");
    if (n == OXA_EVENT_FEATURE_VALUE_CHANGED)
        return kFeatureChanged;
    if (n == OXA_EVENT_DEVICE_REMOVE)
        return kDeviceRemove;
    if (n == OXA_EVENT_FRAME_TRIGGER_IGNORED)
        return kFrameTriggerIgnored;
    return 0;
}

constexpr OXASTATUS deviceStatus(uint32_t id) {
    return OXA_MAKE_STATUS(OXA_MODULE_DEVICE, id);
}
constexpr OXASTATUS fileStatus(uint32_t id) {
    return OXA_MAKE_STATUS(OXA_MODULE_FILE, id);
}

// The signal handler's tie to the device: freed with the signal connection, so an emission
// still running on Aravis's heartbeat thread never sees a freed device.
struct LostLink {
    std::weak_ptr<VQtArvDevice> device;
};

void freeLink(gpointer data, GClosure*) {
    delete static_cast<LostLink*>(data);
}

} // namespace

VQtArvDevice::VQtArvDevice(const VQtArvCamera& camera, ArvDevice* device, bool readOnly)
    : m_camera(camera), m_device(device), m_readOnly(readOnly), m_events(new VQtArvEventQueue) {
    m_clock.start();
}

std::shared_ptr<VQtArvDevice> VQtArvDevice::open(const VQtArvCamera& camera, uint32_t access, OXASTATUS* st) {
    if (access != OXA_DEV_ACCESS_READONLY && access != OXA_DEV_ACCESS_CONTROL &&
        access != OXA_DEV_ACCESS_EXCLUSIVE) {
        *st = deviceStatus(OXA_ERR_INVALID_PARAMETER);
        return nullptr;
    }
    GError* error = nullptr;
    ArvDevice* device = arv_open_device(camera.id.constData(), &error);
    if (!device) {
        *st = error ? VQtArvStatus::take(&error, OXA_MODULE_DEVICE) : deviceStatus(OXA_ERR_DEVICE_NOT_FOUND);
        return nullptr;
    }
    if (ARV_IS_GV_DEVICE(device)) {
        ArvGvDevice* gv = ARV_GV_DEVICE(device);
        // Aravis takes control access on opening; exclusive access keeps other hosts from even
        // reading, watching gives control back so that another host may drive the camera.
        if (access == OXA_DEV_ACCESS_EXCLUSIVE)
            arv_device_write_register(device, kPrivilegeRegister, 1, nullptr);
        else if (access == OXA_DEV_ACCESS_READONLY && arv_gv_device_is_controller(gv))
            arv_gv_device_leave_control(gv, nullptr);
        if (access != OXA_DEV_ACCESS_READONLY && !arv_gv_device_is_controller(gv)) {
            g_object_unref(device);
            *st = deviceStatus(OXA_ERR_ACCESS_DENIED);
            return nullptr;
        }
    }
    std::shared_ptr<VQtArvDevice> d(new VQtArvDevice(camera, device, access == OXA_DEV_ACCESS_READONLY));
    {
        auto lock = d->lock();
        d->m_tree.build(arv_device_get_genicam(device));
        const int pf = d->m_tree.indexOf("PixelFormat");
        if (pf >= 0)
            for (const QByteArray& name :
                 VQtArvFeatureValues::unsupportedPixelFormats(d->m_tree.at(pf), d->isUsb3()))
                qCWarning(vqtArvLog,
                          "%s %s: pixel format %s is not supported by the display and is not offered",
                          camera.vendor.constData(), camera.model.constData(), name.constData());
    }
    g_signal_connect_data(device, "control-lost", G_CALLBACK(&VQtArvDevice::onControlLost), new LostLink{d},
                          &freeLink, GConnectFlags(0));
    *st = OXA_STATUS_SUCCESS;
    return d;
}

VQtArvDevice::~VQtArvDevice() {
    close();
}

void VQtArvDevice::close() {
    if (m_closed.exchange(true))
        return;
    std::vector<std::weak_ptr<VQtArvStream>> streams;
    {
        std::lock_guard<std::mutex> guard(m_streamsMutex);
        streams.swap(m_streams);
    }
    for (const auto& w : streams)
        if (const std::shared_ptr<VQtArvStream> s = w.lock())
            s->stop();
    m_callbacks.clear();
    std::unique_ptr<VQtArvEventQueue> events;
    {
        std::lock_guard<std::mutex> guard(m_eventsMutex);
        events.swap(m_events);
    }
    events.reset(); // what is queued finds no callback any more
    auto guard = lock();
    m_tree.clear();
    if (m_device) {
        if (ARV_IS_GV_DEVICE(m_device) && !m_removed && arv_gv_device_is_controller(ARV_GV_DEVICE(m_device)))
            arv_gv_device_leave_control(ARV_GV_DEVICE(m_device), nullptr);
        g_signal_handlers_disconnect_matched(m_device, G_SIGNAL_MATCH_FUNC, 0, 0, nullptr,
                                             reinterpret_cast<gpointer>(&VQtArvDevice::onControlLost),
                                             nullptr);
        g_object_unref(m_device);
        m_device = nullptr;
    }
}

OXASTATUS VQtArvDevice::state() const {
    if (m_closed)
        return deviceStatus(OXA_ERR_DEVICE_NOT_OPEN);
    if (m_removed)
        return deviceStatus(OXA_ERR_DEVICE_REMOVED);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvDevice::find(const char* name, int* index) {
    if (!name)
        return OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_INVALID_PARAMETER);
    *index = m_tree.addUnlisted(m_device ? arv_device_get_genicam(m_device) : nullptr, QByteArray(name));
    return *index < 0 ? OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_INVALID_FEATURE_NAME)
                      : OXA_STATUS_SUCCESS;
}

void VQtArvDevice::post(uint32_t key, const QByteArray& event, const QByteArray& feature) {
    if (!m_callbacks.contains(key))
        return;
    const uint64_t stamp = elapsedUs();
    const std::weak_ptr<VQtArvDevice> self = shared_from_this();
    std::lock_guard<std::mutex> guard(m_eventsMutex);
    if (!m_events)
        return;
    m_events->post([self, key, event, feature, stamp] {
        const std::shared_ptr<VQtArvDevice> d = self.lock();
        if (!d)
            return;
        VQtArvEventInfo info;
        info.eventName = event;
        info.featureName = feature;
        info.timestampUs = stamp;
        d->m_callbacks.invoke(key, &info);
    });
}

void VQtArvDevice::afterWrite(int index) {
    if (!m_callbacks.contains(kFeatureChanged))
        return;
    for (const int i : m_tree.changedBy(index))
        post(kFeatureChanged, OXA_EVENT_FEATURE_VALUE_CHANGED, m_tree.at(i).name);
}

OXASTATUS VQtArvDevice::registerCallback(const char* event, OXA_EVENT_CALLBACK func, void* context) {
    const uint32_t key = eventKey(event);
    if (!func || key == 0)
        return deviceStatus(OXA_ERR_INVALID_PARAMETER);
    m_callbacks.set(key, func, context);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS VQtArvDevice::unregisterCallback(const char* event) {
    return m_callbacks.remove(eventKey(event)) ? OXA_STATUS_SUCCESS : deviceStatus(OXA_ERR_INVALID_PARAMETER);
}

void VQtArvDevice::onControlLost(ArvDevice*, gpointer data) {
    if (const std::shared_ptr<VQtArvDevice> d = static_cast<LostLink*>(data)->device.lock())
        d->controlLost();
}

void VQtArvDevice::controlLost() {
    if (m_removed.exchange(true) || m_closed)
        return;
    qCWarning(vqtArvLog, "%s %s (%s) stopped answering: removed", m_camera.vendor.constData(),
              m_camera.model.constData(), m_camera.id.constData());
    std::vector<std::weak_ptr<VQtArvStream>> streams;
    {
        std::lock_guard<std::mutex> guard(m_streamsMutex);
        streams = m_streams;
    }
    for (const auto& w : streams)
        if (const std::shared_ptr<VQtArvStream> s = w.lock())
            s->deviceRemoved();
    post(kDeviceRemove, OXA_EVENT_DEVICE_REMOVE, QByteArray());
}

void VQtArvDevice::addStream(const std::shared_ptr<VQtArvStream>& stream) {
    std::lock_guard<std::mutex> guard(m_streamsMutex);
    m_streams.erase(std::remove_if(m_streams.begin(), m_streams.end(),
                                   [](const std::weak_ptr<VQtArvStream>& w) { return w.expired(); }),
                    m_streams.end());
    m_streams.push_back(stream);
}

OXASTATUS VQtArvDevice::readMemory(uint64_t address, void* buffer, uint32_t size) {
    if (!buffer || size == 0)
        return OXA_MAKE_STATUS(OXA_MODULE_PORT, OXA_ERR_INVALID_PARAMETER);
    auto guard = lock();
    if (const OXASTATUS st = state())
        return st;
    GError* error = nullptr;
    arv_device_read_memory(m_device, address, size, buffer, &error);
    return VQtArvStatus::take(&error, OXA_MODULE_PORT);
}

OXASTATUS VQtArvDevice::writeMemory(uint64_t address, const void* buffer, uint32_t size) {
    if (!buffer || size == 0)
        return OXA_MAKE_STATUS(OXA_MODULE_PORT, OXA_ERR_INVALID_PARAMETER);
    if (m_readOnly)
        return OXA_MAKE_STATUS(OXA_MODULE_PORT, OXA_ERR_ACCESS_DENIED);
    auto guard = lock();
    if (const OXASTATUS st = state())
        return st;
    GError* error = nullptr;
    arv_device_write_memory(m_device, address, size, const_cast<void*>(buffer), &error);
    return VQtArvStatus::take(&error, OXA_MODULE_PORT);
}

// The features a camera's state is made of: those its description marks for saving, or, when
// it marks none, every readable and writable value.
OXASTATUS VQtArvDevice::saveConfiguration(const char* path) {
    if (!path)
        return fileStatus(OXA_ERR_INVALID_PARAMETER);
    VQtArvConfig config;
    config.vendor = m_camera.vendor;
    config.model = m_camera.model;
    {
        auto guard = lock();
        if (const OXASTATUS st = state())
            return st;
        const bool marked = m_tree.hasStreamable();
        for (int i = 0; i < m_tree.size(); ++i) {
            const VQtArvFeature& f = m_tree.at(i);
            if (f.type == OXAFEATURE_VAL_TYPE_COMMAND || (marked && !f.streamable))
                continue;
            const VQtArvFeatureValues v(f, isUsb3(), false);
            if (v.accessMode() != OXA_ACCESS_RW)
                continue;
            QByteArray text;
            if (v.toString(&text) == OXA_STATUS_SUCCESS)
                config.values << qMakePair(f.name, text);
        }
    }
    // Through the one safe writer: a failed save leaves the old file as it was.
    if (!VQtSafeFile::writeFile(QString::fromLocal8Bit(path), VQtArvConfigFile::format(config)))
        return fileStatus(OXA_ERR_IO);
    return OXA_STATUS_SUCCESS;
}

// Written in the file's order; a value refused at first (its range depends on a later one) is
// tried once more at the end. The first refusal that remains is the answer.
OXASTATUS VQtArvDevice::loadConfiguration(const char* path) {
    if (!path)
        return fileStatus(OXA_ERR_INVALID_PARAMETER);
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        return fileStatus(OXA_ERR_RESOURCE_MISSING);
    VQtArvConfig config;
    QString why;
    const VQtArvConfigFile::Result result =
        VQtArvConfigFile::parse(file.read(VQtArvConfigFile::kMaxBytes + 1), &config, &why);
    if (result != VQtArvConfigFile::Ok) {
        qCWarning(vqtArvLog, "Camera settings file %s refused: %s", path, qPrintable(why));
        return fileStatus(result == VQtArvConfigFile::Truncated ? OXA_ERR_DATA_INCOMPLETE
                                                                : OXA_ERR_XML_PARSE);
    }
    if (config.model != m_camera.model || config.vendor != m_camera.vendor) {
        qCWarning(vqtArvLog, "Camera settings file %s refused: saved from %s %s, this camera is %s %s", path,
                  config.vendor.constData(), config.model.constData(), m_camera.vendor.constData(),
                  m_camera.model.constData());
        return fileStatus(OXA_ERR_PARAMETER_MISMATCH);
    }
    if (m_readOnly)
        return fileStatus(OXA_ERR_ACCESS_DENIED);
    auto guard = lock();
    if (const OXASTATUS st = state())
        return st;
    QVector<QPair<int, QByteArray>> retry;
    OXASTATUS first = OXA_STATUS_SUCCESS;
    for (int pass = 0; pass < 2; ++pass) {
        QVector<QPair<int, QByteArray>> todo;
        if (pass == 0) {
            for (const auto& v : config.values) {
                const int i = m_tree.indexOf(v.first);
                if (i < 0) {
                    qCWarning(vqtArvLog, "Camera settings file %s: this camera has no feature %s", path,
                              v.first.constData());
                    continue;
                }
                todo << qMakePair(i, v.second);
            }
        } else {
            todo.swap(retry);
        }
        for (const auto& t : todo) {
            const OXASTATUS st =
                VQtArvFeatureValues(m_tree.at(t.first), isUsb3(), false).fromString(t.second);
            if (st == OXA_STATUS_SUCCESS)
                afterWrite(t.first);
            else if (pass == 0)
                retry << t;
            else if (first == OXA_STATUS_SUCCESS)
                first = st;
        }
    }
    return first;
}
