#include "device/VQtDeviceCXP.h"

#include <algorithm>

#include "device/VQtAcqFeatureTable.h"

namespace {

QString numbered(const char* prefix, int n) {
    return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(n);
}

} // namespace

VQtDeviceCXP::VQtDeviceCXP(VQT_DEVICE_VAR_TYPE type) : VQtDevice(type) {}

VQtDeviceCXP::~VQtDeviceCXP() {
    close();
}

int VQtDeviceCXP::generationOf(uint32_t word) {
    const uint32_t top = word >> 24;
    if (top >= 0x80 && top <= 0x8F)
        return 1;
    if (top >= 0xC0 && top <= 0xCF)
        return 2;
    return 0;
}

bool VQtDeviceCXP::nanosecondTiming(int generation, uint32_t version, int firmwareType) {
    switch (generation) {
    case 0:
        return (firmwareType == 7 && version >= 0x10005) || firmwareType == 2;
    case 1:
        return (version > 0x30205 && !(version >= 0x40000 && version <= 0x4FFFF)) || firmwareType == 3 ||
               firmwareType == 7;
    default:
        return true;
    }
}

bool VQtDeviceCXP::open(int boardIndex, int cameraIndex, void* context) {
    close();
    m_context = context;
    openRemote(cameraIndex);
    m_acqIndex = boardIndex;
    m_acqStatus = VION_OK;
    m_cxpLinkChannels = -1;
    OXA_CXP_DEVICE_INFO record = OXA_CXP_DEVICE_INFO();
    record.boardIndex = boardIndex;
    if (cameraIndex >= 0 && OxaManGetCXPDeviceInfo(uint32_t(cameraIndex), &record) == OXA_STATUS_SUCCESS)
        m_cxpLinkChannels = record.masterIndex + 1;
    const VION_HANDLE handle = VionOpenCXP(VION_BOARD_TYPE, uint32_t(boardIndex), record);
    if (handle == VION_INVALID_HANDLE) {
        m_acqStatus = 0;
        return isOpen();
    }
    m_acqHandle = handle;
    int32_t word = 0;
    VionGetInfo(handle, VNP_BOARD_GENERATION, &word);
    m_generation = generationOf(uint32_t(word));
    m_variant = int((uint32_t(word) >> 16) & 3);
    VionGetInfo(handle, VNP_FPGA_VERSION, &word);
    m_version = uint32_t(word);
    VionGetInfo(handle, VNP_CXP_FIRMWARE_TYPE, &word);
    m_firmwareType = word;
    m_channel8 = m_firmwareType == 7;
    m_channel4 = m_firmwareType == 2;
    m_nanoseconds = nanosecondTiming(m_generation, m_version, m_firmwareType);
    if (m_displayName.isEmpty())
        m_displayName = readBoardName();
    loadAllFeature();
    m_acqStatus = VION_OK;
    return isOpen();
}

// Which optional rows this board has: nanosecond or microsecond timing, quarter thumbnails
// from generation 2 on, differential general inputs except on SFP boards.
uint32_t VQtDeviceCXP::getCapabilities() const {
    uint32_t c = m_nanoseconds ? VQT_ROW_NS : VQT_ROW_US;
    c |= m_generation == 2 ? VQT_ROW_THUMB4 : VQT_ROW_THUMB8;
    c |= m_deviceType == VQT_DEVICE_SFP ? VQT_ROW_SINGLE_ENDED : VQT_ROW_DIFFERENTIAL;
    return c;
}

bool VQtDeviceCXP::getLinkStatus(QString* text, bool* warning) {
    int speed = 0, lanes = 0;
    if (!readLink(&speed, &lanes))
        return false;
    *text = linkText(speed, lanes, 4);
    const bool sfp = m_deviceType == VQT_DEVICE_SFP;
    if ((m_generation == 0 && m_firmwareType == 7) || (m_generation == 1 && m_firmwareType == 2) ||
        (sfp && m_firmwareType == 2))
        *warning = !(lanes == 8 && speed == 3);
    else if (m_generation == 1 && m_firmwareType == 7)
        *warning = !(lanes == 8 && speed == 4);
    else
        *warning = lanes < 4 || speed != 3;
    return true;
}

bool VQtDeviceCXP::startAcq(int32_t frameCount) {
    return startBoardWithCamera(frameCount);
}

void VQtDeviceCXP::stop() {
    stopBoardWithCamera();
}

void VQtDeviceCXP::loadAllFeature() {
    clearAcqFeatures();
    const bool wideWidth = (m_variant & 1) != 0;
    for (const VQtAcqFeatureRow& row :
         VQtAcqFeatureTable::select(VQtAcqFeatureTable::coaXPress(), getCapabilities())) {
        VQtAcqFeature* f = VQtAcqFeatureTable::create(row, m_acqHandle);
        // Variants with the faster clock take integration pulses down to 1440 ns.
        if (m_nanoseconds && wideWidth &&
            (row.id == VNP_INTEGRATION_PARAM2 || row.id == VNP_INTEGRATION_PARAM4))
            f->setMin(1440);
        addAcqFeature(f);
    }
    nameFirmwareType();
    nameImageType();
    updateAdaptiveFeature();
}

// The same firmware layouts exist for each board family; the family names the entry.
void VQtDeviceCXP::nameFirmwareType() {
    VQtAcqFeature* f = acq(VNP_CXP_FIRMWARE_TYPE);
    if (!f)
        return;
    const QString family = m_deviceType == VQT_DEVICE_SFP ? QStringLiteral("(Zentor-SFP)")
                           : m_generation == 2            ? QStringLiteral("(CXP12)")
                                                          : QStringLiteral("(CXP6)");
    for (const VQtEnumToValue& e : f->getEnumEntries())
        if (e.value == f->getValue() && e.text.endsWith(family)) {
            f->setText(e.text);
            return;
        }
}

void VQtDeviceCXP::adaptiveFeature(uint32_t id) {
    switch (id) {
    case VNP_INTEGRATION_PARAM1:
    case VNP_INTEGRATION_PARAM3:
    case VNP_INTEGRATION_TRIGGER_FREQUENCY:
        ruleIntegrationTiming();
        break;
    case VNP_BOARD_TRIGGER_MODE:
    case VNP_BOARD_TRIGGER_SOURCE:
        ruleTrigger();
        break;
    case VNP_INTEGRATION_TRIGGER_SOURCE:
    case VNP_STROBE_TRIGGER_SOURCE:
        ruleTriggerUsage();
        ruleIntegrationTiming();
        break;
    case VNP_INTEGRATION_METHOD:
    case VNP_CXP_FRAME_BURST_PERIOD:
        ruleIntegrationMethod();
        break;
    case VNP_DATA_FORMAT:
        ruleJpeg();
        rulePacked();
        break;
    case VNP_SCAN_TYPE:
        ruleScanType();
        break;
    case VNP_IMAGE_TYPE:
        ruleBayerPattern();
        ruleJpeg();
        break;
    case VNP_GENERAL_INPUT1_TRIGGER_MODE:
        ruleGeneralInput(1);
        break;
    case VNP_GENERAL_INPUT2_TRIGGER_MODE:
        ruleGeneralInput(2);
        break;
    case VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR:
        ruleMultiplyFactor();
        break;
    case VNP_CXP_TRIG_EDGE_MODE:
    case VNP_CXP_TRIGGER_OUTPUT_SELECTOR:
        ruleCxpTrigger();
        break;
    case VNP_CXP_DATA_PACKED_TRANSFER:
        rulePacked();
        break;
    case VNP_CXP_PoCXP_CHANNEL:
        rulePowerChannel();
        break;
    case VNP_IMAGE_HEIGHT:
        ruleHeight();
        break;
    case VNP_MULTIPLE_LIGHT_COUNT:
        rulePacked();
        ruleHeight();
        break;
    case VNP_JPEG_COMPRESS_ENABLE:
        ruleJpeg();
        break;
    default:
        break;
    }
}

void VQtDeviceCXP::updateAdaptiveFeature() {
    ruleScanType();
    ruleBayerPattern();
    ruleJpeg();
    rulePacked();
    ruleHeight();
    ruleTrigger();
    ruleTriggerUsage();
    ruleIntegrationTiming();
    ruleIntegrationMethod();
    ruleGeneralInput(1);
    ruleGeneralInput(2);
    ruleMultiplyFactor();
    ruleCxpTrigger();
}

// Free run: trigger source reset to its first entry and greyed with the delays and the
// frame count. "Trigger Pulse" counts frames per pulse, "Trigger Level" uses the level mode,
// "Frame Active" may blank automatically; the delay of the general input in use applies.
void VQtDeviceCXP::ruleTrigger() {
    const bool freeRun = acqIs(VNP_BOARD_TRIGGER_MODE, QStringLiteral("Free Run"));
    if (freeRun)
        resetAcq(VNP_BOARD_TRIGGER_SOURCE, 0);
    enableAcq(VNP_BOARD_TRIGGER_SOURCE, !freeRun);
    enableAcq(VNP_BOARD_TRIGGER_OUTTER_MODE_FRAME_COUNT,
              acqIs(VNP_BOARD_TRIGGER_MODE, QStringLiteral("Trigger Pulse")));
    enableAcq(VNP_CXP_TRIG_LEVEL, acqIs(VNP_BOARD_TRIGGER_MODE, QStringLiteral("Trigger Level")));
    enableAcq(VNP_FRAME_ACTIVE_AUTO_BLANK, acqIs(VNP_BOARD_TRIGGER_MODE, QStringLiteral("Frame Active")));
    const uint32_t delays[2] = {VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY,
                                VNP_HARDWARE_TRIGGER_GENERAL_INPUT2_DELAY};
    for (int i = 0; i < 2; ++i)
        enableAcq(delays[i], !freeRun && acqIs(VNP_BOARD_TRIGGER_SOURCE, numbered("General Input", i + 1)));
    ruleTriggerUsage();
}

// The internal trigger frequency, the software trigger and the camera sync trigger matter
// only while something on the board is triggered by them.
void VQtDeviceCXP::ruleTriggerUsage() {
    const auto usedBy = [this](const QString& source) {
        const bool triggered = !acqIs(VNP_BOARD_TRIGGER_MODE, QStringLiteral("Free Run"));
        return acqIs(VNP_INTEGRATION_TRIGGER_SOURCE, source) || acqIs(VNP_STROBE_TRIGGER_SOURCE, source) ||
               (triggered && acqIs(VNP_BOARD_TRIGGER_SOURCE, source)) ||
               acqIs(VNP_GENERAL_OUTPUT1_SOURCE, source) || acqIs(VNP_GENERAL_OUTPUT2_SOURCE, source);
    };
    enableAcq(VNP_INTEGRATION_TRIGGER_FREQUENCY, usedBy(QStringLiteral("Internal Trigger")));
    const bool software = usedBy(QStringLiteral("Software Trigger"));
    for (uint32_t id :
         {VNP_SFOTWARE_TRIGGER_POLARITY, VNP_SOFTWARE_TRIGGER_DELAY, VNP_SOFTWARE_TRIGGER_WIDTH})
        enableAcq(id, software);
    const bool cameraSync = acqIs(VNP_INTEGRATION_TRIGGER_SOURCE, QStringLiteral("Camera Sync Trigger"));
    enableAcq(VNP_CXP_CAMERA_SYNC_TRIGGER_SOURCE, cameraSync);
    enableAcq(VNP_CXP_CAMERA_SYNC_TRIGGER_SOURCE_CHANNEL, cameraSync);
}

// Triggered internally, each integration pulse (delay + width) fits in one trigger period.
void VQtDeviceCXP::ruleIntegrationTiming() {
    const bool internal = acqIs(VNP_INTEGRATION_TRIGGER_SOURCE, QStringLiteral("Internal Trigger"));
    const int64_t frequency = std::max<int64_t>(1, acqValue(VNP_INTEGRATION_TRIGGER_FREQUENCY, 1));
    const int64_t period = (m_nanoseconds ? 1000000000ll : 1000000ll) / frequency;
    const uint32_t pairs[2][2] = {{VNP_INTEGRATION_PARAM1, VNP_INTEGRATION_PARAM2},
                                  {VNP_INTEGRATION_PARAM3, VNP_INTEGRATION_PARAM4}};
    for (const auto& pair : pairs) {
        VQtAcqFeature* width = acq(pair[1]);
        if (!width)
            continue;
        const int64_t max = internal ? period - acqValue(pair[0]) : 0x7FFFFFFF;
        limitAcq(pair[1], width->getMin(), std::max(width->getMin(), max));
    }
}

// Method 1 drives integration signal 1 only; method 5 sends bursts of frames, counted while
// the burst period is set.
void VQtDeviceCXP::ruleIntegrationMethod() {
    const bool both = !acqIs(VNP_INTEGRATION_METHOD, QStringLiteral("Method1"));
    for (uint32_t id : {VNP_INTEGRATION_PARAM3, VNP_INTEGRATION_PARAM4, VNP_INTEGRATION_POLARITY2})
        enableAcq(id, both);
    const bool burst = acqIs(VNP_INTEGRATION_METHOD, QStringLiteral("Method5"));
    enableAcq(VNP_CXP_FRAME_BURST_PERIOD, burst);
    enableAcq(VNP_CXP_FRAME_BURST_COUNT, burst && acqValue(VNP_CXP_FRAME_BURST_PERIOD) > 0);
}

// Overlapping frames exist only for line-scan cameras.
void VQtDeviceCXP::ruleScanType() {
    const bool linear = acqIs(VNP_SCAN_TYPE, QStringLiteral("Linear"));
    if (!linear)
        resetAcq(VNP_OVERLAPPED_HEIGHT, 0);
    enableAcq(VNP_OVERLAPPED_HEIGHT, linear);
}

// JPEG compression takes 8-bit mono, Bayer, RGB or BGR frames; the quality matters only
// while it is on.
void VQtDeviceCXP::ruleJpeg() {
    const bool layout = acqIs(VNP_IMAGE_TYPE, QStringLiteral("Monochrome")) ||
                        acqIs(VNP_IMAGE_TYPE, QStringLiteral("Bayer")) ||
                        acqIs(VNP_IMAGE_TYPE, QStringLiteral("RGB")) ||
                        acqIs(VNP_IMAGE_TYPE, QStringLiteral("BGR"));
    const bool allowed = layout && acqValue(VNP_DATA_FORMAT, 8) == 8;
    if (!allowed)
        resetAcq(VNP_JPEG_COMPRESS_ENABLE, 0);
    enableAcq(VNP_JPEG_COMPRESS_ENABLE, allowed);
    enableAcq(VNP_JPEG_COMPRESS_QUALITY, allowed && acqValue(VNP_JPEG_COMPRESS_ENABLE) != 0);
}

// Packed transfer carries 10- to 14-bit pixels of one light.
void VQtDeviceCXP::rulePacked() {
    const int64_t bits = acqValue(VNP_DATA_FORMAT, 8);
    const bool allowed = bits > 8 && bits < 16 && acqValue(VNP_MULTIPLE_LIGHT_COUNT, 1) == 1;
    if (!allowed)
        resetAcq(VNP_CXP_DATA_PACKED_TRANSFER, 0);
    enableAcq(VNP_CXP_DATA_PACKED_TRANSFER, allowed);
}

void VQtDeviceCXP::ruleGeneralInput(int input) {
    const uint32_t mode = input == 1 ? VNP_GENERAL_INPUT1_TRIGGER_MODE : VNP_GENERAL_INPUT2_TRIGGER_MODE;
    const uint32_t width = input == 1 ? VNP_GENERAL_INPUT1_MIN_WIDTH : VNP_GENERAL_INPUT2_MIN_WIDTH;
    enableAcq(width, acqIs(mode, QStringLiteral("Edge Sensitive")));
}

// Multiplying the encoder rate needs both channels in quadrature: no channel to choose.
void VQtDeviceCXP::ruleMultiplyFactor() {
    enableAcq(VNP_SHAFT_ENCODER1_CHANNEL, acqValue(VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR) == 0);
}

// The trigger sent to the camera over the link: its edge mode applies only while one is sent.
void VQtDeviceCXP::ruleCxpTrigger() {
    enableAcq(VNP_CXP_TRIG_EDGE_MODE, !acqIs(VNP_CXP_TRIGGER_OUTPUT_SELECTOR, QStringLiteral("Not Use")));
}

// Heights come in whole groups of lights; the overlap stays below the height.
void VQtDeviceCXP::ruleHeight() {
    VQtAcqFeature* height = acq(VNP_IMAGE_HEIGHT);
    const int64_t lights = std::max<int64_t>(1, acqValue(VNP_MULTIPLE_LIGHT_COUNT, 1));
    if (height && (height->getStep() != lights || height->getMin() != lights)) {
        height->setStep(lights);
        height->setMin(lights);
        const int64_t h = height->getValue();
        if (h % lights != 0 || h < lights)
            height->setValue(std::max(lights, h / lights * lights));
        reportAcq(height);
    }
    limitAcq(VNP_OVERLAPPED_HEIGHT, 0, std::max<int64_t>(0, acqValue(VNP_IMAGE_HEIGHT, 1) - 1));
}

// The power readings belong to the selected channel: read them again.
void VQtDeviceCXP::rulePowerChannel() {
    for (uint32_t id : {VNP_CXP_POWER_STATUS, VNP_CXP_VOLTAGE_SUPPLY_STATUS, VNP_CXP_SENSE_CURRENT,
                        VNP_CXP_BUS_VOLTAGE, VNP_CXP_PoCXP_LOCKED_VOLTAGE, VNP_CXP_POWER_SWITCH})
        if (VQtAcqFeature* f = acq(id)) {
            f->update();
            reportAcq(f);
        }
}
