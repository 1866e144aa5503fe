#include "device/VQtDeviceControl.h"

#include <QCoreApplication>
#include <QThreadPool>

#include "acquisition/VQtDeviceStream.h"
#include "core/VQtSystemParam.h"
#include "device/VQtDevice.h"
#include "device/VQtRemoteDeviceInfo.h"
#include "device/VQtTreeWidgetItem.h"

namespace {
// The polling clocks wrap after an hour so that 32-bit millisecond stamps never overflow.
constexpr qint64 kPollingClockWrapMs = 3600000;
constexpr int kPollingSleepMs = 10;
} // namespace

VQtDeviceControl::VQtDeviceControl(QObject* parent)
    : QThread(parent), m_manager(std::make_unique<VQtManagerDeviceInfo>()) {
    qRegisterMetaType<VQtAcqFeature*>();
    qRegisterMetaType<VQtRemoteFeature*>();
    connect(this, &VQtDeviceControl::signalAdaptWhileGrabbing, this,
            &VQtDeviceControl::slotAdaptWhileGrabbing, Qt::QueuedConnection);
}

VQtDeviceControl::~VQtDeviceControl() {
    waitIdle();
    stopGrab();
    runClose();
    delete g_pDev;
    g_pDev = nullptr;
    m_manager.reset();
}

bool VQtDeviceControl::waitIdle(int timeoutMs) {
    // Commands never overlap: a new one waits for the one before.
    const bool idle = timeoutMs < 0 ? wait() : wait(unsigned(timeoutMs));
    if (idle) {
        std::lock_guard<std::mutex> ended(m_runMutex);
    }
    return idle;
}

bool VQtDeviceControl::isChangingDevice() const {
    if (isRunning())
        return m_command <= CloseCmd;
    // A command holds this lock for its whole run: taking it orders the last run's writes
    // (the adapter above all) before the caller's reads.
    std::lock_guard<std::mutex> ended(m_runMutex);
    return false;
}

VQtDevice* VQtDeviceControl::settledDevice() const {
    return isChangingDevice() ? nullptr : g_pDev;
}

void VQtDeviceControl::startProbe(VQT_DEVICE_VAR_TYPE type) {
    waitIdle();
    stopGrab();
    runClose();
    m_type = type;
    m_command = ProbeCmd;
    start(QThread::InheritPriority);
}

void VQtDeviceControl::startOpen(VQT_DEVICE_VAR_TYPE type, int acqIndex, int cameraIndex) {
    waitIdle();
    stopGrab();
    m_type = type;
    m_acqIndex = acqIndex;
    m_cameraIndex = cameraIndex;
    m_command = OpenCmd;
    start(QThread::InheritPriority);
}

void VQtDeviceControl::startClose() {
    waitIdle();
    stopGrab();
    m_command = CloseCmd;
    start(QThread::InheritPriority);
}

void VQtDeviceControl::startSetAcqParam(VQtTreeWidgetItem* item) {
    waitIdle();
    item->autoAdjustValue();
    m_itemFeature = item->getFeatureName();
    m_itemValue = item->getValue();
    const VQtAcqFeaturePtr f = g_pDev ? g_pDev->getAcqFeature(m_itemFeature) : nullptr;
    stopForEdit(f && needReGrabAcq(f.get(), m_itemValue));
    m_command = SetAcqCmd;
    start(QThread::InheritPriority);
}

void VQtDeviceControl::startSetRemoteParam(VQtTreeWidgetItem* item) {
    waitIdle();
    item->autoAdjustValue();
    m_itemFeature = item->getFeatureName();
    m_itemValue = item->getValue();
    const VQtRemoteFeaturePtr f = g_pDev ? g_pDev->getRemoteFeature(m_itemFeature) : nullptr;
    stopForEdit(f && needReGrabRemote(f.get(), m_itemValue));
    m_command = SetRemoteCmd;
    start(QThread::InheritPriority);
}

void VQtDeviceControl::closeDev() {
    waitIdle();
    stopGrab();
    runClose();
    emit signalThreadExit(CloseCmd);
}

void VQtDeviceControl::stopGrab() {
    if (m_stream && m_stream->isGrabbing())
        m_stream->slotGrabStop();
}

void VQtDeviceControl::stopForEdit(bool needed) {
    m_restartAfterEdit = needed && m_stream && m_stream->isGrabbing();
    if (!m_restartAfterEdit)
        return;
    m_restartContinuous = m_stream->isContinuous();
    m_stream->slotGrabStop();
}

void VQtDeviceControl::slotRestartGrab() {
    if (!m_stream || m_stream->isGrabbing() || !g_pDev || !g_pDev->isOpen())
        return;
    if (m_restartContinuous)
        m_stream->slotGrabContinuous();
    else
        m_stream->slotGrabOnce();
}

void VQtDeviceControl::run() {
    std::lock_guard<std::mutex> running(m_runMutex);
    const uint32_t command = m_command;
    try {
        switch (command) {
        case ProbeCmd:
            runProbe();
            break;
        case OpenCmd:
            runOpen();
            break;
        case CloseCmd:
            runClose();
            break;
        case SetAcqCmd:
            runSetAcqParam();
            break;
        case SetRemoteCmd:
            runSetRemoteParam();
            break;
        default:
            break;
        }
    } catch (const std::exception& e) {
        emit signalOutputInfo(
            tr("Device command %1 failed: %2").arg(command).arg(QString::fromUtf8(e.what())), 2);
    } catch (...) {
        emit signalOutputInfo(tr("Device command %1 failed: %2").arg(command).arg(tr("unknown error")), 2);
    }
    emit signalThreadExit(int(command));
}

void VQtDeviceControl::runProbe() {
    runClose();
    if (m_manager->probeDevice(m_type) == 0)
        //: 获取设备个数为%1
        emit signalOutputInfo(tr("Get device count is %1").arg(m_manager->getDeviceCount()), 0);
    for (const QString& error : m_manager->getProbeErrorList())
        emit signalOutputInfo(error, 0);
}

void VQtDeviceControl::runOpen() {
    runClose();
    delete g_pDev;
    g_pDev = nullptr;
    VQtDevice* dev = VQtDevice::createDevice(m_type);
    if (!dev) {
        emit signalOutputInfo(tr("Unknown device type %1").arg(int(m_type)), 1);
        return;
    }
    connect(dev, &VQtDevice::signalOutputInfo, this, &VQtDeviceControl::signalOutputInfo);
    const bool opened = dev->openFromXml(m_acqIndex, m_cameraIndex, this, g_sysPrm.debug.OpenFromXml,
                                         g_sysPrm.debug.DevXmlFile);
    if (!dev->isOpenAcq() && !dev->getAcqErrorInfo().isEmpty())
        emit signalOutputInfo(dev->getAcqErrorInfo(), 1);
    if (!dev->isOpenRemote() && !dev->getRemoteErrorInfo().isEmpty())
        emit signalOutputInfo(dev->getRemoteErrorInfo(), 1);
    g_pDev = dev;
    if (!opened)
        return;
    if (dev->isOpenRemote()) {
        OxaDevRegisterCallback(dev->getRemoteHandle(), OXA_EVENT_DEVICE_REMOVE,
                               &VQtDeviceControl::onDeviceRemove, this);
        OxaDevRegisterCallback(dev->getRemoteHandle(), OXA_EVENT_FRAME_TRIGGER_IGNORED,
                               &VQtDeviceControl::onFrameTriggerIgnored, this);
        dev->registerRemoteValueChanged(&VQtDeviceControl::onRemoteValueChanged, this);
        if (VQtRemoteDeviceInfo* info = m_manager->getRemoteDeviceInfo(m_type, m_acqIndex, m_cameraIndex))
            g_sysPrm.deviceName = info->getDeviceName();
    } else {
        g_sysPrm.deviceName.clear();
    }
    if (dev->isOpenAcq()) {
        dev->registerAcqValueChanged(&VQtDeviceControl::onAcqValueChanged, this);
        if (dev->isOpenRemote())
            dev->adaptiveAcqFeature();
        m_linkEvents.reset(dev->isChannel8() ? 8 : 4);
        if (m_type == VQT_DEVICE_COAXPRESS) {
            for (uint32_t event :
                 {VION_EVENT_CXP_OVER_CURRENT, VION_EVENT_CXP_CRC_ERROR, VION_EVENT_CXP_TRANSFER_ERROR})
                VionRegisterCallback(dev->getAcqHandle(), event, &VQtDeviceControl::onBoardEvent, this);
        } else if (m_type == VQT_DEVICE_GIGEVISION_BOARD) {
            VionRegisterCallback(dev->getAcqHandle(), VION_EVENT_GVB_CRC_ERROR,
                                 &VQtDeviceControl::onBoardEvent, this);
        }
    }
    addPollings();
    m_pollingRun = true;
    m_pollingActive = true;
    QThreadPool::globalInstance()->start([this] { pollingTask(); });
}

void VQtDeviceControl::runClose() {
    // The grab was stopped on the user-interface thread before this command started.
    VQtDevice* dev = g_pDev;
    if (dev && dev->isOpenAcq()) {
        const VQT_DEVICE_VAR_TYPE type = dev->getDeviceType();
        if (type == VQT_DEVICE_COAXPRESS)
            for (uint32_t event :
                 {VION_EVENT_CXP_OVER_CURRENT, VION_EVENT_CXP_CRC_ERROR, VION_EVENT_CXP_TRANSFER_ERROR})
                VionRegisterCallback(dev->getAcqHandle(), event, nullptr, nullptr);
        else if (type == VQT_DEVICE_GIGEVISION_BOARD)
            VionRegisterCallback(dev->getAcqHandle(), VION_EVENT_GVB_CRC_ERROR, nullptr, nullptr);
    }
    stopPolling();
    if (dev && dev->isOpenRemote()) {
        OxaDevUnregisterCallback(dev->getRemoteHandle(), OXA_EVENT_DEVICE_REMOVE);
        OxaDevUnregisterCallback(dev->getRemoteHandle(), OXA_EVENT_FRAME_TRIGGER_IGNORED);
    }
    if (dev)
        dev->close();
    m_acqPollings.clear();
    m_remotePollings.clear();
}

void VQtDeviceControl::runSetAcqParam() {
    VQtDevice* dev = g_pDev;
    const VQtAcqFeaturePtr f = dev ? dev->getAcqFeature(m_itemFeature) : nullptr;
    if (f) {
        if (!dev->setAcqFeature(f.get(), m_itemValue))
            emit signalOutputInfo(dev->getAcqErrorInfo(), 1);
        emit signalUpdateAcqFeature(f.get());
    }
    if (m_restartAfterEdit)
        emit signalRestartGrab();
    m_restartAfterEdit = false;
}

void VQtDeviceControl::runSetRemoteParam() {
    VQtDevice* dev = g_pDev;
    const VQtRemoteFeaturePtr f = dev ? dev->getRemoteFeature(m_itemFeature) : nullptr;
    if (f) {
        if (!dev->setRemoteFeature(f.get(), m_itemValue))
            emit signalOutputInfo(dev->getRemoteErrorInfo(), 1);
        emit signalUpdateRemoteFeature(f.get());
    }
    if (m_restartAfterEdit)
        emit signalRestartGrab();
    m_restartAfterEdit = false;
}

bool VQtDeviceControl::needReGrabAcq(const VQtAcqFeature* feature, const QVariant& newValue) {
    switch (feature->getIdType()) {
    case VNP_DATA_FORMAT:
    case VNP_IMAGE_TYPE:
    case VNP_BAYER_PATTERN:
        return newValue.toString() != feature->getText();
    case VNP_IMAGE_WIDTH:
    case VNP_IMAGE_HEIGHT:
        return newValue.toLongLong() != feature->getValue();
    default:
        return false;
    }
}

bool VQtDeviceControl::needReGrabRemote(const VQtRemoteFeature* feature, const QVariant& newValue) {
    const QString name = feature->getFeature();
    if (name != QLatin1String("Width") && name != QLatin1String("Height") &&
        name != QLatin1String("PixelFormat"))
        return false;
    const QVariant current = feature->getValue();
    if (name == QLatin1String("PixelFormat"))
        return newValue.toString() != current.toString();
    return newValue.toLongLong() != current.toLongLong();
}

bool VQtDeviceControl::boardAgrees(const QString& feature) {
    // Whether the board already frames what the camera now sends.
    VQtDevice* dev = g_pDev;
    const VQtRemoteFeaturePtr f = dev ? dev->getRemoteFeature(feature) : nullptr;
    if (!f)
        return true;
    if (feature == QLatin1String("Width") || feature == QLatin1String("Height")) {
        const VQtAcqFeaturePtr b =
            dev->getAcqFeatureByType(feature == QLatin1String("Width") ? VNP_IMAGE_WIDTH : VNP_IMAGE_HEIGHT);
        return !b || b->getValue() == f->getValue().toLongLong();
    }
    if (feature == QLatin1String("PixelFormat")) {
        // The board's format parameters follow the camera's; asking the adapter to adapt again
        // is the only reliable comparison, so a format change always counts as a difference.
        return false;
    }
    return true;
}

void VQtDeviceControl::onAcqValueChanged(VQtAcqFeature* feature, void* context) {
    emit static_cast<VQtDeviceControl*>(context)->signalUpdateAcqFeature(feature);
}

void VQtDeviceControl::onRemoteValueChanged(VQtRemoteFeature* feature, void* context) {
    static_cast<VQtDeviceControl*>(context)->remoteFeatureValueChanged(feature);
}

void VQtDeviceControl::remoteFeatureValueChanged(VQtRemoteFeature* feature) {
    VQtDevice* dev = g_pDev;
    if (dev && dev->isOpenAcq() && feature->isUpdateValue()) {
        const QString name = feature->getFeature();
        const bool format = name == QLatin1String("Width") || name == QLatin1String("Height") ||
                            name == QLatin1String("PixelFormat");
        if (format && m_stream && m_stream->isGrabbing() && !boardAgrees(name))
            emit signalAdaptWhileGrabbing(name);
        else
            adaptBoard(feature);
    }
    emit signalUpdateRemoteFeature(feature);
}

bool VQtDeviceControl::adaptBoard(VQtRemoteFeature* feature) {
    if (!g_pDev || g_pDev->adaptiveAcqFeature(feature))
        return true;
    static const char* const kFailures[][2] = {
        {"DeviceScanType", QT_TRANSLATE_NOOP("VQtDeviceControl", "Adaptive device scan type failure")},
        {"Width", QT_TRANSLATE_NOOP("VQtDeviceControl", "Adaptive image width failure")},
        {"Height", QT_TRANSLATE_NOOP("VQtDeviceControl", "Adaptive image height failure")},
        {"PixelFormat", QT_TRANSLATE_NOOP("VQtDeviceControl", "Adaptive image pixel format failure")},
        {"DeviceTapGeometry", QT_TRANSLATE_NOOP("VQtDeviceControl", "Adaptive device tap geometry failure")}};
    for (const auto& row : kFailures)
        if (feature->getFeature() == QLatin1String(row[0]))
            emit signalOutputInfo(tr(row[1]), 1);
    return false;
}

void VQtDeviceControl::slotAdaptWhileGrabbing(const QString& name) {
    VQtDevice* dev = g_pDev;
    const VQtRemoteFeaturePtr f = dev ? dev->getRemoteFeature(name) : nullptr;
    if (!f)
        return;
    const bool grabbing = m_stream && m_stream->isGrabbing();
    if (grabbing) {
        m_restartContinuous = m_stream->isContinuous();
        m_stream->slotGrabStop();
    }
    adaptBoard(f.get());
    if (grabbing)
        slotRestartGrab();
}

void VQtDeviceControl::onDeviceRemove(OXA_EVENT_INFO_HANDLE, void* context) {
    emit static_cast<VQtDeviceControl*>(context)->signalDeviceRemote();
}

void VQtDeviceControl::onFrameTriggerIgnored(OXA_EVENT_INFO_HANDLE, void* context) {
    //: 帧触发忽略
    emit static_cast<VQtDeviceControl*>(context)->signalOutputInfo(tr("Frame trigger ignored"), 1);
}

void VQtDeviceControl::onBoardEvent(VION_HANDLE board, uint32_t event, void* context) {
    auto* self = static_cast<VQtDeviceControl*>(context);
    try {
        const auto say = [self](const QString& text, int level) { emit self->signalOutputInfo(text, level); };
        if (self->m_linkEvents.handle(board, event, say) == VQtBoardLinkEvents::CrcError)
            emit self->signalCrcCheckHappen();
    } catch (...) {
        // The board's event thread is not ours to unwind; the event is lost, nothing else.
    }
}

void VQtDeviceControl::addPollings() {
    VQtDevice* dev = g_pDev;
    if (!dev)
        return;
    for (const VQtAcqFeaturePtr& f : dev->getAcqFeatureList())
        if (f->getPollingTime() >= 1)
            m_acqPollings.append({0, f->getPollingTime(), f->getFeature()});
    for (const VQtRemoteFeaturePtr& f : dev->getRemoteFeatureList())
        if (f->getPollingTime() >= 1)
            m_remotePollings.append({0, f->getPollingTime(), f->getFeature()});
}

uint32_t VQtDeviceControl::cxpEventCount(int kind) const {
    return kind >= 0 && kind < 3 ? m_linkEvents.count(VQtBoardLinkEvents::Kind(kind)) : 0;
}

int VQtDeviceControl::pollingCount() const {
    return m_acqPollings.size() + m_remotePollings.size();
}

void VQtDeviceControl::pollingTask() {
    try {
        QElapsedTimer acqClock, remoteClock;
        acqClock.start();
        remoteClock.start();
        auto due = [](QList<Polling>& list, QElapsedTimer& clock, auto&& refresh) {
            qint64 elapsed = clock.elapsed();
            if (elapsed > kPollingClockWrapMs) {
                for (Polling& p : list)
                    p.lastMs = 0;
                clock.restart();
                elapsed = 0;
            }
            for (Polling& p : list)
                if (elapsed - qint64(p.lastMs) > p.periodMs) {
                    refresh(p.name);
                    p.lastMs = uint32_t(elapsed);
                }
        };
        while (m_pollingRun) {
            QThread::msleep(kPollingSleepMs);
            VQtDevice* dev = g_pDev;
            if (!dev || !m_pollingRun)
                break;
            if (dev->isOpenAcq())
                due(m_acqPollings, acqClock, [&](const QString& name) {
                    if (const VQtAcqFeaturePtr f = dev->getAcqFeature(name)) {
                        f->update();
                        emit signalUpdateAcqFeature(f.get());
                    }
                });
            if (dev->isOpenRemote() && g_sysPrm.general.PollingTime && dev->isRefreshEnabled())
                due(m_remotePollings, remoteClock, [&](const QString& name) {
                    if (const VQtRemoteFeaturePtr f = dev->getRemoteFeature(name))
                        dev->refreshRemoteFeature(f.get());
                });
        }
    } catch (...) {
        emit signalOutputInfo(tr("Feature polling stopped: %1").arg(tr("unknown error")), 2);
    }
    m_pollingActive = false;
}

void VQtDeviceControl::stopPolling() {
    m_pollingRun = false;
    while (m_pollingActive)
        QThread::usleep(100);
}

VQtRemoteDeviceInfo* VQtDeviceControl::getRemoteDeviceInfo(VQT_DEVICE_VAR_TYPE type, int acqIndex,
                                                           int cameraIndex) const {
    return m_manager->getRemoteDeviceInfo(type, acqIndex, cameraIndex);
}

bool VQtDeviceControl::startForceIp(int cameraIndex, const QString& nicAddress, const QString& newIp) {
    waitIdle();
    VQtAcqDeviceInfo* entry = m_manager->getAcqDevInfoFromNICIp(nicAddress);
    VQtRemoteDeviceInfo* camera = entry ? entry->getRemoteDeviceInfo(cameraIndex) : nullptr;
    QString mac;
    if (camera) {
        mac = camera->getMac();
        const OXA_GIGE_DEVICE_INFO& g = camera->gigeRecord();
        const QByteArray ip = newIp.toLatin1();
        const QByteArray mask(g.nicSubnetMask, int(qstrnlen(g.nicSubnetMask, sizeof(g.nicSubnetMask))));
        const QByteArray gateway(g.defaultGateway, int(qstrnlen(g.defaultGateway, sizeof(g.defaultGateway))));
        if (OxaGigEDevForceIp(mac.toLatin1().constData(), ip.constData(), mask.constData(),
                              gateway.constData()) == OXA_STATUS_SUCCESS)
            return true;
    }
    emit signalOutputInfo(tr("MAC : ") + mac + tr(",Force to Ip : ") + newIp + tr(" Failure"), 1);
    return false;
}
