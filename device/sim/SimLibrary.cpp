#include "device/sim/SimLibrary.h"

#include "device/sim/SimBoard.h"
#include "device/sim/SimBuffer.h"
#include "device/sim/SimCamera.h"
#include "device/sim/SimStream.h"

SimLibrary& SimLibrary::instance() {
    static SimLibrary library;
    return library;
}

SimLibrary::SimLibrary() {
    QString error;
    setDeviceSet(SimDeviceSet::fromEnvironment(&error));
    if (!error.isEmpty())
        qWarning("%s; using the default device set", qPrintable(error));
}

SimLibrary::~SimLibrary() {
    closeAll();
}

// Stops every stream and board and drops every handle; threads are joined here.
void SimLibrary::closeAll() {
    QHash<void*, SimStream*> streams;
    QHash<void*, SimBuffer*> buffers;
    QVector<std::shared_ptr<SimBoard>> boards;
    QHash<void*, std::shared_ptr<SimCamera>> devices;
    {
        QMutexLocker lock(&m_mutex);
        streams.swap(m_streams);
        buffers.swap(m_buffers);
        boards = m_boards;
        devices.swap(m_devices);
        m_features.clear();
        m_boardHandles.clear();
    }
    for (SimStream* s : streams)
        delete s;
    for (SimBuffer* b : buffers)
        delete b;
    for (const auto& b : boards)
        b->close();
    for (const auto& c : devices)
        c->close();
}

void SimLibrary::setDeviceSet(const SimDeviceSet& set) {
    closeAll();
    QVector<std::shared_ptr<SimCamera>> cameras;
    QVector<std::shared_ptr<SimBoard>> boards;
    for (const SimCameraDesc& d : set.cameras)
        cameras << std::make_shared<SimCamera>(d);
    for (int i = 0; i < set.boards.size(); ++i)
        boards << std::make_shared<SimBoard>(set.boards[i], i);
    QMutexLocker lock(&m_mutex);
    m_set = set;
    m_cameras = cameras;
    m_boards = boards;
    m_listed.clear();
}

bool SimLibrary::loadDescription(const QString& path, QString* error) {
    SimDeviceSet set;
    if (!SimDeviceSet::fromFile(path, &set, error))
        return false;
    setDeviceSet(set);
    return true;
}

SimDeviceSet SimLibrary::deviceSet() const {
    QMutexLocker lock(&m_mutex);
    return m_set;
}

uint32_t SimLibrary::fault(const char* call) const {
    QMutexLocker lock(&m_mutex);
    return m_set.faults.value(QString::fromLatin1(call), 0);
}

OXASTATUS SimLibrary::initialize() {
    if (const uint32_t st = fault("OxaManInitialize"))
        return st;
    QMutexLocker lock(&m_mutex);
    m_initialized = true;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimLibrary::terminate() {
    closeAll();
    QMutexLocker lock(&m_mutex);
    m_initialized = false;
    m_listed.clear();
    return OXA_STATUS_SUCCESS;
}

bool SimLibrary::isInitialized() const {
    QMutexLocker lock(&m_mutex);
    return m_initialized;
}

void SimLibrary::setManagerPrm(uint32_t prm, uint32_t value) {
    QMutexLocker lock(&m_mutex);
    m_managerPrms.insert(prm, value);
}

bool SimLibrary::managerPrm(uint32_t prm, uint32_t* value) const {
    QMutexLocker lock(&m_mutex);
    if (!m_managerPrms.contains(prm))
        return false;
    *value = m_managerPrms.value(prm);
    return true;
}

uint32_t SimLibrary::refreshDeviceList() {
    QMutexLocker lock(&m_mutex);
    m_listed.clear();
    for (const auto& c : m_cameras) {
        if (!c->isPresent())
            continue;
        // Cameras behind a board are only found when that board exists.
        const SimCameraDesc d = c->desc();
        const bool behindBoard = d.interfaceType == QLatin1String(OXA_INTERFACE_CL) ||
                                 d.interfaceType == QLatin1String(OXA_INTERFACE_CXP) ||
                                 d.interfaceType == QLatin1String(OXA_INTERFACE_GVB);
        if (behindBoard && (d.board < 0 || d.board >= m_boards.size()))
            continue;
        m_listed << c;
    }
    return uint32_t(m_listed.size());
}

std::shared_ptr<SimCamera> SimLibrary::listedCamera(uint32_t index) const {
    QMutexLocker lock(&m_mutex);
    return index < uint32_t(m_listed.size()) ? m_listed[int(index)] : nullptr;
}

std::shared_ptr<SimCamera> SimLibrary::cameraByMac(const QString& mac) const {
    QMutexLocker lock(&m_mutex);
    for (const auto& c : m_cameras) {
        const SimCameraDesc d = c->desc();
        if (d.interfaceType == QLatin1String(OXA_INTERFACE_GIGE) &&
            d.mac.compare(mac, Qt::CaseInsensitive) == 0)
            return c;
    }
    return nullptr;
}

OXA_DEV_HANDLE SimLibrary::addDevice(std::shared_ptr<SimCamera> camera) {
    QMutexLocker lock(&m_mutex);
    void* h = reinterpret_cast<void*>(m_nextHandle++);
    m_devices.insert(h, std::move(camera));
    return h;
}

std::shared_ptr<SimCamera> SimLibrary::device(OXA_DEV_HANDLE handle) const {
    QMutexLocker lock(&m_mutex);
    return m_devices.value(handle);
}

bool SimLibrary::removeDevice(OXA_DEV_HANDLE handle) {
    QMutexLocker lock(&m_mutex);
    const std::shared_ptr<SimCamera> camera = m_devices.take(handle);
    if (!camera)
        return false;
    for (auto it = m_features.begin(); it != m_features.end();) {
        if (it.value().camera == camera)
            it = m_features.erase(it);
        else
            ++it;
    }
    return true;
}

OXA_FEATURE_HANDLE SimLibrary::addFeature(const SimFeatureRef& ref) {
    QMutexLocker lock(&m_mutex);
    void* h = reinterpret_cast<void*>(m_nextHandle++);
    m_features.insert(h, ref);
    return h;
}

bool SimLibrary::feature(OXA_FEATURE_HANDLE handle, SimFeatureRef* ref) const {
    QMutexLocker lock(&m_mutex);
    if (!m_features.contains(handle))
        return false;
    *ref = m_features.value(handle);
    return true;
}

bool SimLibrary::removeFeature(OXA_FEATURE_HANDLE handle) {
    QMutexLocker lock(&m_mutex);
    return m_features.remove(handle) > 0;
}

SimBuffer* SimLibrary::newBuffer(uint64_t bytes) {
    auto* b = new (std::nothrow) SimBuffer;
    if (!b)
        return nullptr;
    try {
        b->data.assign(size_t(bytes), 0);
    } catch (const std::bad_alloc&) {
        delete b;
        return nullptr;
    }
    QMutexLocker lock(&m_mutex);
    m_buffers.insert(b, b);
    return b;
}

bool SimLibrary::isBuffer(void* handle) const {
    QMutexLocker lock(&m_mutex);
    return m_buffers.contains(handle);
}

bool SimLibrary::freeBuffer(void* handle) {
    SimBuffer* b;
    {
        QMutexLocker lock(&m_mutex);
        b = m_buffers.take(handle);
    }
    if (!b)
        return false;
    if (b->stream)
        b->stream->removeBuffer(b);
    delete b;
    return true;
}

SimStream* SimLibrary::newStream(std::shared_ptr<SimCamera> camera) {
    auto* s = new SimStream(std::move(camera));
    QMutexLocker lock(&m_mutex);
    m_streams.insert(s, s);
    return s;
}

bool SimLibrary::isStream(void* handle) const {
    QMutexLocker lock(&m_mutex);
    return m_streams.contains(handle);
}

bool SimLibrary::freeStream(void* handle) {
    SimStream* s;
    {
        QMutexLocker lock(&m_mutex);
        s = m_streams.take(handle);
    }
    delete s;
    return s != nullptr;
}

int SimLibrary::boardCount() const {
    QMutexLocker lock(&m_mutex);
    return m_boards.size();
}

std::shared_ptr<SimBoard> SimLibrary::board(int index) const {
    QMutexLocker lock(&m_mutex);
    return index >= 0 && index < m_boards.size() ? m_boards[index] : nullptr;
}

std::shared_ptr<SimCamera> SimLibrary::boardCamera(int boardIndex, const QString& interfaceType,
                                                   int master) const {
    QMutexLocker lock(&m_mutex);
    std::shared_ptr<SimCamera> first;
    for (const auto& c : m_cameras) {
        const SimCameraDesc d = c->desc();
        if (d.board != boardIndex || d.interfaceType != interfaceType || !c->isPresent())
            continue;
        if (master < 0 || d.master == master)
            return c;
        if (!first)
            first = c;
    }
    return first;
}

VION_HANDLE SimLibrary::addBoardHandle(int boardIndex) {
    QMutexLocker lock(&m_mutex);
    const VION_HANDLE h = m_nextBoardHandle++;
    m_boardHandles.insert(h, boardIndex);
    return h;
}

std::shared_ptr<SimBoard> SimLibrary::boardByHandle(VION_HANDLE handle) const {
    QMutexLocker lock(&m_mutex);
    if (!m_boardHandles.contains(handle))
        return nullptr;
    const int index = m_boardHandles.value(handle);
    return index < m_boards.size() ? m_boards[index] : nullptr;
}

bool SimLibrary::removeBoardHandle(VION_HANDLE handle) {
    QMutexLocker lock(&m_mutex);
    return m_boardHandles.remove(handle) > 0;
}

void SimLibrary::setLastError(int boardIndex, uint32_t function, int code, uint32_t detail) {
    QMutexLocker lock(&m_mutex);
    m_lastError = VION_ERROR_INFO{boardIndex, function, code, detail};
}

VION_ERROR_INFO SimLibrary::lastError(bool reset) {
    QMutexLocker lock(&m_mutex);
    const VION_ERROR_INFO e = m_lastError;
    if (reset)
        m_lastError = VION_ERROR_INFO{-1, 0, 1, 0};
    return e;
}
