#include "device/sim/SimLibrary.h"

#include "device/dispatch/VQtHandleTag.h"
#include "device/sim/SimBoard.h"
#include "device/sim/SimCamera.h"
#include "device/sim/SimStream.h"

SimLibrary& SimLibrary::instance() {
    static SimLibrary library;
    return library;
}

SimLibrary::SimLibrary() : m_faults(OXA_MAKE_STATUS(OXA_MODULE_MANAGER, OXA_ERR_TIMEOUT)) {
    QString error;
    setDeviceSet(SimDeviceSet::fromEnvironment(&error));
    if (!error.isEmpty())
        qWarning("%s; using the default device set", qPrintable(error));
}

SimLibrary::~SimLibrary() {
    m_timer.cancel();
    closeAll();
}

// Stops every stream and board and drops every handle; threads are joined here.
void SimLibrary::closeAll() {
    QHash<void*, std::shared_ptr<SimStream>> streams;
    QVector<std::shared_ptr<SimBoard>> boards;
    QVector<std::shared_ptr<SimCamera>> cameras;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        streams.swap(m_streams);
        boards = m_boards;
        cameras = m_cameras;
        m_devices.clear();
        m_features.clear();
        m_boardHandles.clear();
    }
    for (const auto& s : streams)
        s->release();
    for (const auto& b : boards)
        b->closeAll();
    for (const auto& c : cameras)
        c->closeAll();
}

void SimLibrary::setDeviceSet(const SimDeviceSet& set) {
    m_timer.cancel();
    closeAll();
    QVector<std::shared_ptr<SimCamera>> cameras;
    QVector<std::shared_ptr<SimBoard>> boards;
    for (const SimCameraDesc& d : set.cameras) {
        auto camera = std::make_shared<SimCamera>(d);
        const std::weak_ptr<SimCamera> weak = camera;
        camera->onUnplugged = [this, weak](int delayMs) {
            m_timer.schedule(delayMs, [weak] {
                if (const auto c = weak.lock())
                    c->replug();
            });
        };
        cameras << camera;
    }
    for (int i = 0; i < set.boards.size(); ++i)
        boards << std::make_shared<SimBoard>(set.boards[i], i);
    m_faults.clear();
    m_faults.apply(set.faults);
    std::unique_lock<std::mutex> lock(m_mutex);
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
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_set;
}

OXASTATUS SimLibrary::initialize() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_initialized = true;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimLibrary::terminate() {
    closeAll();
    std::unique_lock<std::mutex> lock(m_mutex);
    m_initialized = false;
    m_listed.clear();
    return OXA_STATUS_SUCCESS;
}

bool SimLibrary::isInitialized() const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_initialized;
}

void SimLibrary::setManagerPrm(uint32_t prm, uint32_t value) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_managerPrms.insert(prm, value);
}

bool SimLibrary::managerPrm(uint32_t prm, uint32_t* value) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_managerPrms.contains(prm))
        return false;
    *value = m_managerPrms.value(prm);
    return true;
}

uint32_t SimLibrary::refreshDeviceList() {
    std::unique_lock<std::mutex> lock(m_mutex);
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
    std::unique_lock<std::mutex> lock(m_mutex);
    return index < uint32_t(m_listed.size()) ? m_listed[int(index)] : nullptr;
}

std::shared_ptr<SimCamera> SimLibrary::cameraByMac(const QString& mac) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (const auto& c : m_cameras) {
        const SimCameraDesc d = c->desc();
        if (d.interfaceType == QLatin1String(OXA_INTERFACE_GIGE) &&
            d.mac.compare(mac, Qt::CaseInsensitive) == 0)
            return c;
    }
    return nullptr;
}

OXA_DEV_HANDLE SimLibrary::addDevice(const SimDeviceRef& ref) {
    std::unique_lock<std::mutex> lock(m_mutex);
    void* h = reinterpret_cast<void*>(m_nextHandle++);
    m_devices.insert(h, ref);
    return h;
}

bool SimLibrary::device(OXA_DEV_HANDLE handle, SimDeviceRef* ref) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto it = m_devices.constFind(handle);
    if (it == m_devices.cend())
        return false;
    *ref = it.value();
    return true;
}

std::shared_ptr<SimCamera> SimLibrary::device(OXA_DEV_HANDLE handle) const {
    SimDeviceRef ref;
    if (device(handle, &ref) || device(VQtHandleTag::localOf(handle), &ref))
        return ref.camera;
    return nullptr;
}

bool SimLibrary::removeDevice(OXA_DEV_HANDLE handle, SimDeviceRef* ref) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto it = m_devices.find(handle);
    if (it == m_devices.end())
        return false;
    *ref = it.value();
    m_devices.erase(it);
    for (auto f = m_features.begin(); f != m_features.end();) {
        if (f.value().session == ref->session)
            f = m_features.erase(f);
        else
            ++f;
    }
    return true;
}

OXA_FEATURE_HANDLE SimLibrary::addFeature(const SimFeatureRef& ref) {
    std::unique_lock<std::mutex> lock(m_mutex);
    void* h = reinterpret_cast<void*>(m_nextHandle++);
    m_features.insert(h, ref);
    return h;
}

bool SimLibrary::feature(OXA_FEATURE_HANDLE handle, SimFeatureRef* ref) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto it = m_features.constFind(handle);
    if (it == m_features.cend())
        return false;
    *ref = it.value();
    return true;
}

bool SimLibrary::removeFeature(OXA_FEATURE_HANDLE handle) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_features.remove(handle) > 0;
}

OXA_STREAM_HANDLE SimLibrary::addStream(std::shared_ptr<SimStream> stream) {
    std::unique_lock<std::mutex> lock(m_mutex);
    void* h = reinterpret_cast<void*>(m_nextHandle++);
    m_streams.insert(h, std::move(stream));
    return h;
}

std::shared_ptr<SimStream> SimLibrary::stream(OXA_STREAM_HANDLE handle) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_streams.value(handle);
}

std::shared_ptr<SimStream> SimLibrary::takeStream(OXA_STREAM_HANDLE handle) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_streams.take(handle);
}

QVector<std::shared_ptr<SimStream>> SimLibrary::streamsOf(const SimCameraSession* session) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    QVector<std::shared_ptr<SimStream>> out;
    for (const auto& s : m_streams)
        if (s->session().get() == session)
            out << s;
    return out;
}

int SimLibrary::boardCount() const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_boards.size();
}

std::shared_ptr<SimBoard> SimLibrary::board(int index) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return index >= 0 && index < m_boards.size() ? m_boards[index] : nullptr;
}

std::shared_ptr<SimCamera> SimLibrary::boardCamera(int boardIndex, const QString& interfaceType,
                                                   int master) const {
    std::unique_lock<std::mutex> lock(m_mutex);
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

VION_HANDLE SimLibrary::reserveBoardHandle() {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_nextBoardHandle++;
}

void SimLibrary::addBoardHandle(VION_HANDLE handle, const SimBoardRef& ref) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_boardHandles.insert(handle, ref);
}

bool SimLibrary::boardByHandle(VION_HANDLE handle, SimBoardRef* ref) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto it = m_boardHandles.constFind(handle);
    if (it == m_boardHandles.cend())
        return false;
    *ref = it.value();
    return true;
}

bool SimLibrary::removeBoardHandle(VION_HANDLE handle, SimBoardRef* ref) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto it = m_boardHandles.find(handle);
    if (it == m_boardHandles.end())
        return false;
    *ref = it.value();
    m_boardHandles.erase(it);
    return true;
}

void SimLibrary::setLastError(int boardIndex, uint32_t function, int code, uint32_t detail) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_lastError = VION_ERROR_INFO{boardIndex, function, code, detail};
}

VION_ERROR_INFO SimLibrary::lastError(bool reset) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const VION_ERROR_INFO e = m_lastError;
    if (reset)
        m_lastError = VION_ERROR_INFO{-1, 0, 1, 0};
    return e;
}

QVector<std::shared_ptr<SimCamera>> SimLibrary::cameras() const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_cameras;
}

QVector<std::shared_ptr<SimBoard>> SimLibrary::boards() const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_boards;
}

std::shared_ptr<SimCamera> SimLibrary::findCamera(const QString& key) const {
    if (key.isEmpty())
        return nullptr;
    std::unique_lock<std::mutex> lock(m_mutex);
    // Exact identities first, so that a serial number is never shadowed by a model name.
    for (const auto& c : m_cameras) {
        const SimCameraDesc d = c->desc();
        if (key == d.serial || key.compare(d.mac, Qt::CaseInsensitive) == 0 || key == d.ip)
            return c;
    }
    for (const auto& c : m_cameras) {
        const SimCameraDesc d = c->desc();
        if (key == d.model || key == d.userName)
            return c;
    }
    return nullptr;
}

std::shared_ptr<SimBoard> SimLibrary::findBoard(const QString& key) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (key.startsWith(QLatin1String("board"))) {
        bool ok = false;
        const int index = key.mid(5).toInt(&ok);
        if (ok && index >= 0 && index < m_boards.size())
            return m_boards[index];
    }
    for (const auto& b : m_boards)
        if (key == b->desc().name)
            return b;
    return nullptr;
}
