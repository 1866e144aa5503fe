#include "device/VQtDevice.h"

#include <algorithm>

#include "device/VQtDeviceCL.h"
#include "device/VQtDeviceCXP.h"
#include "device/VQtDeviceGVB.h"
#include "device/VQtDeviceRemote.h"
#include "device/VQtStatusText.h"

VQtDevice* g_pDev = nullptr;

namespace {
constexpr uint32_t kTextBytes = 128;
} // namespace

VQtDevice* VQtDevice::createDevice(VQT_DEVICE_VAR_TYPE type) {
    switch (type) {
    case VQT_DEVICE_CAMERALINK:
        return new VQtDeviceCL();
    case VQT_DEVICE_COAXPRESS:
    case VQT_DEVICE_SFP:
        return new VQtDeviceCXP(type);
    case VQT_DEVICE_GIGEVISION_BOARD:
        return new VQtDeviceGVB();
    case VQT_DEVICE_GIGEVISION:
    case VQT_DEVICE_USB3VISION:
    case VQT_DEVICE_PCIEVISION:
    case VQT_DEVICE_IRRADIATION_GIGEVISION:
        return new VQtDeviceRemote(type);
    default:
        return nullptr;
    }
}

VQtDevice::VQtDevice(VQT_DEVICE_VAR_TYPE type) : m_deviceType(type) {}

VQtDevice::~VQtDevice() {
    close();
    if (g_pDev == this)
        g_pDev = nullptr;
}

const QList<uint32_t>& VQtDevice::lockedWhileGrabbing() {
    static const QList<uint32_t> ids = {VNP_SCAN_TYPE,
                                        VNP_IMAGE_TYPE,
                                        VNP_DATA_FORMAT,
                                        VNP_CXP_DATA_PACKED_TRANSFER,
                                        VNP_JPEG_COMPRESS_ENABLE,
                                        VNP_THUMBNAIL_SIZE_FACTOR,
                                        VNP_BOARD_TRIGGER_MODE,
                                        VNP_IMAGE_HEIGHT_2ND,
                                        VNP_RGBD_EXTENDED_MODE,
                                        VNP_GVB_ENABLE_PACKET_RESEND,
                                        VNP_MULTIPLE_LIGHT_COUNT,
                                        VNP_ROI_ENABLE,
                                        VNP_IMAGE_ROI_X,
                                        VNP_ORIGIN_IMAGE_WIDTH};
    return ids;
}

bool VQtDevice::openFromXml(int boardIndex, int cameraIndex, void* context, bool useFile,
                            const QString& path) {
    m_useDescriptionFile = useFile;
    m_descriptionPath = path;
    return open(boardIndex, cameraIndex, context);
}

QString VQtDevice::getDescriptionUrl() const {
    return m_useDescriptionFile && !m_descriptionPath.isEmpty()
               ? QStringLiteral("file:///") + m_descriptionPath
               : QString();
}

bool VQtDevice::open(int boardIndex, int cameraIndex, void* context) {
    Q_UNUSED(boardIndex)
    close();
    m_context = context;
    openRemote(cameraIndex);
    return isOpen();
}

bool VQtDevice::openRemote(int cameraIndex) {
    m_remoteStatus = OXA_STATUS_SUCCESS;
    if (cameraIndex == -1)
        return true; // a board without its camera
    OXA_DEV_HANDLE handle = nullptr;
    m_remoteStatus = OxaDevOpen(uint32_t(cameraIndex), OXA_DEV_ACCESS_EXCLUSIVE, &handle);
    if (m_remoteStatus != OXA_STATUS_SUCCESS)
        return false;
    m_remoteHandle = handle;
    m_remoteIndex = cameraIndex;
    uint32_t count = 0;
    OxaDevGetFeatureCount(handle, &count);
    QList<VQtRemoteFeaturePtr> features;
    for (uint32_t i = 0; i < count; ++i) {
        char name[kTextBytes] = {0};
        uint32_t size = kTextBytes;
        if (OxaDevGetFeatureName(handle, i, name, &size) != OXA_STATUS_SUCCESS)
            continue;
        features << std::make_shared<VQtRemoteFeature>(QString::fromUtf8(name), handle);
    }
    {
        std::lock_guard<std::recursive_mutex> lock(m_featureLock);
        m_remoteFeatures = features;
    }
    OXA_DEVICE_INFO info;
    if (OxaManGetDeviceInfo(uint32_t(cameraIndex), &info) == OXA_STATUS_SUCCESS) {
        info.deviceName[sizeof(info.deviceName) - 1] = 0;
        m_displayName = QString::fromUtf8(info.deviceName);
    }
    OxaDevRegisterCallback(handle, OXA_EVENT_FEATURE_VALUE_CHANGED, &VQtDevice::onFeatureValueChanged, this);
    return true;
}

void VQtDevice::close() {
    if (m_grabbing)
        stop();
    m_acqStatus = VION_OK;
    m_remoteStatus = OXA_STATUS_SUCCESS;
    m_acqIndex = m_remoteIndex = -1;
    if (isOpenAcq()) {
        VionClose(m_acqHandle);
        m_acqHandle = VION_INVALID_HANDLE;
        clearAcqFeatures();
    }
    if (isOpenRemote()) {
        // After unregistering no event callback runs or will run, so the features can go.
        OxaDevUnregisterCallback(m_remoteHandle, OXA_EVENT_FEATURE_VALUE_CHANGED);
        OxaDevClose(m_remoteHandle);
        m_remoteHandle = nullptr;
        {
            std::lock_guard<std::recursive_mutex> lock(m_featureLock);
            m_remoteFeatures.clear();
        }
        std::unique_lock<std::mutex> pending(m_pendingLock);
        m_pendingNames.clear();
    }
    m_stream = nullptr;
    m_grabbing = false;
    m_lockedEnable.clear();
    {
        std::unique_lock<std::mutex> lock(m_pendingLock);
        m_acqChanged = nullptr, m_acqChangedContext = nullptr;
        m_remoteChanged = nullptr, m_remoteChangedContext = nullptr;
    }
    m_displayName.clear();
}

void VQtDevice::addAcqFeature(VQtAcqFeature* feature) {
    std::lock_guard<std::recursive_mutex> lock(m_featureLock);
    m_acqFeatures << VQtAcqFeaturePtr(feature);
}

void VQtDevice::clearAcqFeatures() {
    std::lock_guard<std::recursive_mutex> lock(m_featureLock);
    m_acqFeatures.clear();
}

bool VQtDevice::getLinkStatus(QString* text, bool* warning) {
    Q_UNUSED(text)
    Q_UNUSED(warning)
    return false;
}

bool VQtDevice::readLink(int* speed, int* lanes) const {
    int32_t word = 0;
    if (!isOpenAcq() || VionGetInfo(m_acqHandle, VNP_PCIE_LINK_STATUS, &word) != VION_OK)
        return false;
    *speed = word & 0xF;
    *lanes = (word >> 4) & 0xF;
    return true;
}

QString VQtDevice::linkText(int speed, int lanes, int highest) {
    const char* rate = "2.5";
    if (speed == 2 && highest >= 2)
        rate = "5.0";
    else if (speed == 3 && highest >= 3)
        rate = "8.0";
    else if (speed == 4 && highest >= 4)
        rate = "16.0";
    return QStringLiteral("%1GT/s x%2").arg(QLatin1String(rate)).arg(lanes);
}

bool VQtDevice::startAcq(int32_t frameCount) {
    Q_UNUSED(frameCount)
    return true;
}

bool VQtDevice::startRemote(int64_t frameCount, OXA_STREAM_HANDLE stream) {
    Q_UNUSED(frameCount)
    Q_UNUSED(stream)
    return true;
}

// While the board grabs, the frame-layout parameters are read-only; afterwards each gets the
// enable state it had before.
void VQtDevice::setGrabbing(bool on) {
    const bool was = m_grabbing.exchange(on);
    if (on == was)
        return;
    const QList<uint32_t>& ids = lockedWhileGrabbing();
    if (on)
        m_lockedEnable.clear();
    for (int i = 0; i < ids.size(); ++i) {
        VQtAcqFeature* f = acq(ids.at(i));
        if (on)
            m_lockedEnable << (f && f->isEnable());
        if (!f)
            continue;
        const bool enable = on ? false : m_lockedEnable.value(i, f->isEnable());
        if (f->isEnable() != enable) {
            f->setEnable(enable);
            reportAcq(f);
        }
    }
}

int64_t VQtDevice::getAcqImageHeight() const {
    return acqValue(VNP_IMAGE_HEIGHT);
}

bool VQtDevice::wait(uint32_t timeoutMs) {
    if (isOpenAcq()) {
        m_acqStatus = VionWaitGrab(m_acqHandle, timeoutMs);
        return m_acqStatus == VION_OK;
    }
    if (!m_stream)
        return false;
    m_remoteStatus = OxaStreamWait(m_stream, timeoutMs);
    return m_remoteStatus == OXA_STATUS_SUCCESS;
}

QString VQtDevice::getAcqErrorInfo() const {
    if (m_acqStatus == VION_OK)
        return QString();
    VION_ERROR_INFO info = {-1, 0, VION_OK, 0};
    VionGetLastError(&info, 1);
    // A failure found here rather than by the board keeps its own code.
    return getAcqErrorCode(info.code != VION_OK ? info.code : m_acqStatus);
}

QString VQtDevice::getRemoteErrorInfo() const {
    return getRemoteErrorCode(m_remoteStatus);
}

QString VQtDevice::readBoardName() const {
    char name[kTextBytes] = {0};
    if (m_acqIndex < 0 || VionGetBoardName(uint32_t(m_acqIndex), name, kTextBytes) != VION_OK)
        return QString();
    name[kTextBytes - 1] = 0;
    return QString::fromUtf8(name);
}

QList<VQtAcqFeaturePtr> VQtDevice::getAcqFeatureList() const {
    std::lock_guard<std::recursive_mutex> lock(m_featureLock);
    return m_acqFeatures;
}

QList<VQtRemoteFeaturePtr> VQtDevice::getRemoteFeatureList() const {
    std::lock_guard<std::recursive_mutex> lock(m_featureLock);
    return m_remoteFeatures;
}

VQtAcqFeaturePtr VQtDevice::getAcqFeature(int index) const {
    std::lock_guard<std::recursive_mutex> lock(m_featureLock);
    return m_acqFeatures.value(index);
}

VQtAcqFeaturePtr VQtDevice::getAcqFeature(const QString& name) const {
    std::lock_guard<std::recursive_mutex> lock(m_featureLock);
    for (const VQtAcqFeaturePtr& f : m_acqFeatures)
        if (f->getFeature() == name)
            return f;
    return nullptr;
}

VQtAcqFeaturePtr VQtDevice::getAcqFeatureByType(uint32_t id) const {
    std::lock_guard<std::recursive_mutex> lock(m_featureLock);
    for (const VQtAcqFeaturePtr& f : m_acqFeatures)
        if (f->getIdType() == id)
            return f;
    return nullptr;
}

VQtAcqFeaturePtr VQtDevice::findAcqFeature(const QString& nameOrDisplay) const {
    if (VQtAcqFeaturePtr f = getAcqFeature(nameOrDisplay))
        return f;
    std::lock_guard<std::recursive_mutex> lock(m_featureLock);
    for (const VQtAcqFeaturePtr& f : m_acqFeatures)
        if (f->getDisplay().compare(nameOrDisplay, Qt::CaseInsensitive) == 0 ||
            f->getFeature().compare(nameOrDisplay, Qt::CaseInsensitive) == 0)
            return f;
    return nullptr;
}

VQtRemoteFeaturePtr VQtDevice::getRemoteFeature(int index) const {
    std::lock_guard<std::recursive_mutex> lock(m_featureLock);
    return m_remoteFeatures.value(index);
}

VQtRemoteFeaturePtr VQtDevice::getRemoteFeature(const QString& name) const {
    std::lock_guard<std::recursive_mutex> lock(m_featureLock);
    for (const VQtRemoteFeaturePtr& f : m_remoteFeatures)
        if (f->getFeature() == name)
            return f;
    return nullptr;
}

QList<VQtRemoteFeaturePtr> VQtDevice::getRemoteFeatureListByCategory(const QString& category) const {
    std::lock_guard<std::recursive_mutex> lock(m_featureLock);
    QList<VQtRemoteFeaturePtr> list;
    for (const VQtRemoteFeaturePtr& f : m_remoteFeatures)
        if (f->getCategory() == category)
            list << f;
    return list;
}

bool VQtDevice::setAcqFeature(VQtAcqFeature* feature, const QVariant& value) {
    m_acqStatus = VION_OK;
    if (!feature)
        return false;
    int result = VION_OK;
    switch (feature->getType()) {
    case VQT_FEATURE_INT:
    case VQT_FEATURE_INT64: {
        bool ok = false;
        const int64_t v = value.type() == QVariant::String ? value.toString().trimmed().toLongLong(&ok, 0)
                                                           : value.toLongLong(&ok);
        result = ok ? feature->setValue(v) : int(VION_ERR_INVALID_PARAMETER);
        break;
    }
    case VQT_FEATURE_BOOL: {
        const QString t = value.toString().trimmed().toLower();
        const bool on =
            value.type() == QVariant::String
                ? (t == QLatin1String("true") || t == QLatin1String("1") || t == QLatin1String("on"))
                : value.toBool();
        result = feature->setValue(on ? 1 : 0);
        break;
    }
    case VQT_FEATURE_ENUM:
    case VQT_FEATURE_DIALOG:
        result = feature->setText(value.toString());
        break;
    default:
        result = feature->setValue(1);
        break;
    }
    if (result != VION_OK) {
        m_acqStatus = result;
        return false;
    }
    adaptiveFeature(feature->getIdType());
    return true;
}

bool VQtDevice::setAcqFeature(const QString& name, const QVariant& value) {
    const VQtAcqFeaturePtr f = findAcqFeature(name);
    if (!f) {
        m_acqStatus = VION_ERR_PRM_NOT_AVAILABLE;
        return false;
    }
    return setAcqFeature(f.get(), value);
}

bool VQtDevice::setAcqFeatureFromIndex(VQtAcqFeature* feature, int index) {
    const QString text = feature ? feature->getTextFromIndex(index) : QString();
    if (text.isEmpty()) {
        m_acqStatus = VION_ERR_INVALID_PARAMETER;
        return false;
    }
    return setAcqFeature(feature, text);
}

bool VQtDevice::setAcqFeatureFromValue(VQtAcqFeature* feature, int64_t value) {
    const QString text = feature ? feature->getTextFromValue(value) : QString();
    if (text.isEmpty()) {
        m_acqStatus = VION_ERR_INVALID_PARAMETER;
        return false;
    }
    return setAcqFeature(feature, text);
}

bool VQtDevice::setRemoteFeature(VQtRemoteFeature* feature, const QVariant& value) {
    m_remoteStatus = OXA_STATUS_SUCCESS;
    if (!feature)
        return false;
    {
        std::lock_guard<std::recursive_mutex> lock(m_featureLock);
        m_remoteStatus = feature->setValue(value);
    }
    if (m_remoteStatus != OXA_STATUS_SUCCESS)
        return false;
    for (const QString& name : feature->getSelectorList())
        if (const VQtRemoteFeaturePtr selected = getRemoteFeature(name))
            refreshRemoteFeature(selected.get());
    adaptiveAcqFeature(feature);
    refreshRemoteFeature(feature);
    return true;
}

bool VQtDevice::setRemoteFeature(const QString& name, const QVariant& value) {
    const VQtRemoteFeaturePtr f = getRemoteFeature(name);
    if (!f) {
        m_remoteStatus = OXA_MAKE_STATUS(OXA_MODULE_FEATURE, OXA_ERR_INVALID_FEATURE_NAME);
        return false;
    }
    return setRemoteFeature(f.get(), value);
}

bool VQtDevice::registerAcqValueChanged(VQtAcqValueChanged function, void* context) {
    if (!isOpenAcq())
        return false;
    std::unique_lock<std::mutex> lock(m_pendingLock);
    m_acqChanged = function, m_acqChangedContext = context;
    return true;
}

bool VQtDevice::registerRemoteValueChanged(VQtRemoteValueChanged function, void* context) {
    if (!isOpenRemote())
        return false;
    std::unique_lock<std::mutex> lock(m_pendingLock);
    m_remoteChanged = function, m_remoteChangedContext = context;
    return true;
}

void VQtDevice::refreshRemoteFeature(VQtRemoteFeature* feature) {
    {
        std::lock_guard<std::recursive_mutex> lock(m_refreshLock);
        feature->update();
    }
    reportRemote(feature);
}

void VQtDevice::reportRemote(VQtRemoteFeature* feature) {
    VQtRemoteValueChanged function;
    void* context;
    {
        std::unique_lock<std::mutex> lock(m_pendingLock);
        function = m_remoteChanged, context = m_remoteChangedContext;
    }
    if (function)
        function(feature, context);
}

void VQtDevice::onFeatureValueChanged(OXA_EVENT_INFO_HANDLE info, void* context) {
    char name[kTextBytes] = {0};
    uint32_t size = kTextBytes;
    if (OxaEventInfoGetPrm(info, OXA_EVENT_PRM_FEATURE_NAME, name, &size) != OXA_STATUS_SUCCESS)
        return;
    name[kTextBytes - 1] = 0;
    static_cast<VQtDevice*>(context)->featureValueChanged(QString::fromUtf8(name));
}

void VQtDevice::featureValueChanged(const QString& name) {
    if (!m_notify)
        return;
    if (!m_refreshEnabled) {
        std::unique_lock<std::mutex> lock(m_pendingLock);
        if (!m_pendingNames.contains(name))
            m_pendingNames << name;
        return;
    }
    {
        std::unique_lock<std::mutex> lock(m_pendingLock);
        if (!m_remoteChanged)
            return;
    }
    if (const VQtRemoteFeaturePtr f = getRemoteFeature(name))
        refreshRemoteFeature(f.get());
}

QStringList VQtDevice::getPendingNames() const {
    std::unique_lock<std::mutex> lock(m_pendingLock);
    return m_pendingNames;
}

void VQtDevice::clearPendingNames() {
    std::unique_lock<std::mutex> lock(m_pendingLock);
    m_pendingNames.clear();
}

// Names that arrived while refreshing was suspended (a stream starting or stopping): the
// features are read again, their access first of all, and reported.
void VQtDevice::processPendingNames() {
    QStringList names;
    {
        std::unique_lock<std::mutex> lock(m_pendingLock);
        names.swap(m_pendingNames);
    }
    for (const QString& name : names)
        if (const VQtRemoteFeaturePtr f = getRemoteFeature(name)) {
            {
                std::lock_guard<std::recursive_mutex> lock(m_refreshLock);
                f->update();
            }
            reportRemote(f.get());
        }
}

VQtAcqFeature* VQtDevice::acq(uint32_t id) const {
    std::lock_guard<std::recursive_mutex> lock(m_featureLock);
    for (const VQtAcqFeaturePtr& f : m_acqFeatures)
        if (f->getIdType() == id)
            return f.get();
    return nullptr;
}

void VQtDevice::reportAcq(VQtAcqFeature* feature) {
    VQtAcqValueChanged function;
    void* context;
    {
        std::unique_lock<std::mutex> lock(m_pendingLock);
        function = m_acqChanged, context = m_acqChangedContext;
    }
    if (feature && function && !m_loadingConfig)
        function(feature, context);
}

void VQtDevice::enableAcq(uint32_t id, bool on) {
    VQtAcqFeature* f = acq(id);
    if (!f)
        return;
    const int locked = lockedWhileGrabbing().indexOf(id);
    if (m_grabbing && locked >= 0 && locked < m_lockedEnable.size()) {
        m_lockedEnable[locked] = on; // takes effect when grabbing ends
        return;
    }
    if (f->isEnable() != on) {
        f->setEnable(on);
        reportAcq(f);
    }
}

bool VQtDevice::resetAcq(uint32_t id, int64_t value) {
    VQtAcqFeature* f = acq(id);
    if (!f)
        return false;
    if (f->getValue() == value && !(f->isEnumeration() && f->getText() != f->getTextFromValue(value)))
        return true;
    const bool ok = f->setValue(value) == VION_OK;
    reportAcq(f);
    return ok;
}

bool VQtDevice::resetAcqText(uint32_t id, const QString& text) {
    VQtAcqFeature* f = acq(id);
    if (!f)
        return false;
    if (f->getText() == text)
        return true;
    const bool ok = f->setText(text) == VION_OK;
    reportAcq(f);
    return ok;
}

void VQtDevice::limitAcq(uint32_t id, int64_t min, int64_t max) {
    VQtAcqFeature* f = acq(id);
    if (!f)
        return;
    max = std::max(min, max);
    bool changed = f->getMin() != min || f->getMax() != max;
    f->setRange(min, max);
    const int64_t v = f->getValue();
    if (v < min || v > max) {
        f->setValue(v < min ? min : max);
        changed = true;
    }
    if (changed)
        reportAcq(f);
}

bool VQtDevice::acqIs(uint32_t id, const QString& text) const {
    const VQtAcqFeature* f = acq(id);
    return f && f->getText() == text;
}

int64_t VQtDevice::acqValue(uint32_t id, int64_t fallback) const {
    const VQtAcqFeature* f = acq(id);
    return f ? f->getValue() : fallback;
}

void VQtDevice::nameImageType() {
    VQtAcqFeature* type = acq(VNP_IMAGE_TYPE);
    if (!type || type->getValue() != 0)
        return;
    type->setText(acqValue(VNP_BAYER_PATTERN) != 0 ? QStringLiteral("Bayer") : QStringLiteral("Monochrome"));
}

void VQtDevice::reportLine(const QString& text, int level) {
    emit signalOutputInfo(text, level);
}

void VQtDevice::ruleBayerPattern() {
    const bool bayer = acqIs(VNP_IMAGE_TYPE, QStringLiteral("Bayer"));
    if (bayer && acqValue(VNP_BAYER_PATTERN) == 0)
        resetAcq(VNP_BAYER_PATTERN, 1);
    else if (!bayer)
        resetAcq(VNP_BAYER_PATTERN, 0);
    enableAcq(VNP_BAYER_PATTERN, bayer);
}

void VQtDevice::ruleRgbdMode() {
    const bool fourChannels =
        acqIs(VNP_IMAGE_TYPE, QStringLiteral("RGBC")) || acqIs(VNP_IMAGE_TYPE, QStringLiteral("BGRC"));
    if (!fourChannels)
        resetAcq(VNP_RGBD_EXTENDED_MODE, 0);
    enableAcq(VNP_RGBD_EXTENDED_MODE, fourChannels);
}

bool VQtDevice::startBoardWithCamera(int32_t frameCount) {
    if (isOpenRemote())
        OxaDevExecuteCommand(m_remoteHandle, "AcquisitionStop");
    m_acqStatus = VionStartGrab(m_acqHandle, frameCount);
    if (m_acqStatus == VION_OK && isOpenRemote())
        OxaDevExecuteCommand(m_remoteHandle, "AcquisitionStart");
    setGrabbing(m_acqStatus == VION_OK);
    return m_acqStatus == VION_OK;
}

void VQtDevice::stopBoardWithCamera() {
    if (isOpenAcq())
        VionStopGrab(m_acqHandle);
    if (isOpenRemote())
        OxaDevExecuteCommand(m_remoteHandle, "AcquisitionStop");
    setGrabbing(false);
}
