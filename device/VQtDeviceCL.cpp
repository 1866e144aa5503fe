#include "device/VQtDeviceCL.h"

#include <algorithm>

#include "device/VQtAcqFeatureTable.h"
#include "device/VQtTapGeometry.h"

namespace {

// Tap geometries a Camera Link board can receive, with the code the board takes for each.
const struct {
    const char* name;
    int32_t code;
} kGeometries[] = {{"Geometry_1X_1Y", 1},   {"Geometry_1X_2YE", 2},  {"Geometry_1X_2Y", 3},
                   {"Geometry_1X2_1Y", 4},  {"Geometry_1X3_1Y", 5},  {"Geometry_1X4_1Y", 6},
                   {"Geometry_1X8_1Y", 7},  {"Geometry_1X10_1Y", 8}, {"Geometry_2X_1Y", 9},
                   {"Geometry_2XE_1Y", 10}, {"Geometry_2XM_1Y", 11}, {"Geometry_4X_1Y", 12},
                   {"Geometry_4XE_1Y", 13}, {"Geometry_8X_1Y", 14},  {"Geometry_1X2_2YE", 15}};

QString inputName(const char* prefix, int n) {
    return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(n);
}

} // namespace

VQtDeviceCL::VQtDeviceCL() : VQtDevice(VQT_DEVICE_CAMERALINK) {}

VQtDeviceCL::~VQtDeviceCL() {
    close();
}

bool VQtDeviceCL::extendedFirmware(uint32_t word) {
    const uint32_t model = (word >> 16) & 0xFF, major = (word >> 8) & 0xFF, minor = word & 0xFF;
    return model != 5 || major >= 19 || (major == 18 && minor == 255);
}

int VQtDeviceCL::tapCount(const QString& geometry) {
    VQtTapGeometry g;
    return VQtTapGeometry::parse(geometry, &g) ? g.taps() : 0;
}

bool VQtDeviceCL::open(int boardIndex, int cameraIndex, void* context) {
    close();
    m_context = context;
    openRemote(cameraIndex);
    m_acqIndex = boardIndex;
    m_acqStatus = VION_OK;
    const VION_HANDLE handle = VionOpen(VION_BOARD_TYPE, uint32_t(boardIndex));
    if (handle == VION_INVALID_HANDLE) {
        m_acqStatus = 0;
        return isOpen();
    }
    m_acqHandle = handle;
    int32_t word = 0;
    VionGetInfo(handle, VNP_FPGA_VERSION, &word);
    m_version = uint32_t(word);
    m_extended = extendedFirmware(m_version);
    if (m_displayName.isEmpty())
        m_displayName = readBoardName();
    loadAllFeature();
    return isOpen();
}

bool VQtDeviceCL::getLinkStatus(QString* text, bool* warning) {
    int speed = 0, lanes = 0;
    if (!readLink(&speed, &lanes))
        return false;
    *text = linkText(speed, lanes, 2);
    const uint32_t model = (m_version >> 16) & 0xFF;
    *warning = (model == 3 || model == 4) ? speed != 2 : (lanes < 4 || speed != 2);
    return true;
}

bool VQtDeviceCL::startAcq(int32_t frameCount) {
    m_acqStatus = VionStartGrab(m_acqHandle, frameCount);
    setGrabbing(m_acqStatus == VION_OK);
    return m_acqStatus == VION_OK;
}

void VQtDeviceCL::stop() {
    if (isOpenAcq())
        VionStopGrab(m_acqHandle);
    setGrabbing(false);
}

uint32_t VQtDeviceCL::getCapabilities() const {
    return m_extended ? VQT_ROW_CL_EXTENDED : VQT_ROW_CL_BASIC;
}

void VQtDeviceCL::loadAllFeature() {
    clearAcqFeatures();
    for (const VQtAcqFeatureRow& row :
         VQtAcqFeatureTable::select(VQtAcqFeatureTable::cameraLink(), getCapabilities()))
        addAcqFeature(VQtAcqFeatureTable::create(row, m_acqHandle));
    fillTapEntries();
    nameImageType();
    updateAdaptiveFeature();
}

// Tap number and tap arrangement offer what the camera can send: the geometries its
// "DeviceTapGeometry" lists, or every geometry the board knows when there is no camera.
void VQtDeviceCL::fillTapEntries() {
    VQtAcqFeature* number = acq(VNP_TAP_NUMBER);
    VQtAcqFeature* arrangement = acq(VNP_TAP_ARRANGEMENT);
    if (!number || !arrangement)
        return;
    const VQtRemoteFeaturePtr camera = getRemoteFeature(QStringLiteral("DeviceTapGeometry"));
    const QStringList offered = camera ? camera->getEnumList() : QStringList();
    QList<int> taps;
    for (const auto& g : kGeometries) {
        const QString name = QLatin1String(g.name);
        if (!offered.isEmpty() && !offered.contains(name))
            continue;
        arrangement->addText(name, g.code);
        taps << tapCount(name);
    }
    std::sort(taps.begin(), taps.end());
    taps.erase(std::unique(taps.begin(), taps.end()), taps.end());
    for (int n : taps)
        number->addText(QString::number(n), n);
}

bool VQtDeviceCL::adaptTapGeometry(const QString& geometry) {
    if (!VQtDevice::adaptTapGeometry(geometry))
        return false;
    VQtAcqFeature* number = acq(VNP_TAP_NUMBER);
    const int taps = tapCount(geometry);
    return !number || number->getValue() == taps || setAcqFeatureFromValue(number, taps);
}

void VQtDeviceCL::adaptiveFeature(uint32_t id) {
    switch (id) {
    case VNP_IMAGE_WIDTH:
        ruleImageWidth();
        break;
    case VNP_DATA_FORMAT:
    case VNP_JPEG_COMPRESS_ENABLE:
        ruleJpeg();
        break;
    case VNP_SCAN_TYPE:
        ruleScanType();
        ruleTrigger();
        break;
    case VNP_IMAGE_TYPE:
        ruleImageType();
        break;
    case VNP_TAP_NUMBER:
    case VNP_HARDWARE_TRIGGER_GENERAL_INPUT_DELAY_MODE:
        ruleTapNumber();
        ruleTrigger();
        break;
    case VNP_TAP_ARRANGEMENT:
        ruleTapArrangement();
        break;
    case VNP_CC1_SOURCE:
    case VNP_CC2_SOURCE:
    case VNP_CC3_SOURCE:
    case VNP_CC4_SOURCE:
        ruleBoardSync();
        ruleTriggerUsage();
        break;
    case VNP_BOARD_TRIGGER_MODE:
    case VNP_BOARD_TRIGGER_SOURCE:
    case VNP_TRIGGER_FRAME_ACTIVE_MODE:
        ruleTrigger();
        break;
    case VNP_GENERAL_INPUT1_TRIGGER_MODE:
        ruleGeneralInput(1);
        break;
    case VNP_GENERAL_INPUT2_TRIGGER_MODE:
        ruleGeneralInput(2);
        break;
    case VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR:
    case VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR_ANY:
    case VNP_SHAFT_ENCODER1_QUAD_FREQUENCY_SOURCE_TYPE:
        ruleShaftEncoderInput();
        break;
    case VNP_MULTIPLE_LIGHT_COUNT:
    case VNP_RGBD_EXTENDED_MODE:
        ruleLightCount();
        ruleJpeg();
        break;
    case VNP_INTEGRATION_TRIGGER_SOURCE:
    case VNP_STROBE_TRIGGER_SOURCE:
    case VNP_SOFTWARE_TRIGGER_SYNC_MODE:
        ruleBoardSync();
        ruleTriggerUsage();
        break;
    case VNP_INTEGRATION_METHOD:
        ruleIntegrationMethod();
        break;
    case VNP_SOFTWARE_TRIGGER_WIDTH:
        ruleSoftwareTiming(true);
        break;
    case VNP_SOFTWARE_TRIGGER_PERIOD:
        ruleSoftwareTiming(false);
        break;
    case VNP_SHAFT_ENCODER1_VALID_DIRECTION:
    case VNP_SHAFT_ENCODER1_REVERSE_COMPENSATION:
        ruleValidDirection();
        break;
    default:
        break;
    }
}

void VQtDeviceCL::updateAdaptiveFeature() {
    ruleImageWidth();
    ruleScanType();
    ruleImageType();
    ruleTapNumber();
    ruleTrigger();
    ruleGeneralInput(1);
    ruleGeneralInput(2);
    ruleShaftEncoderInput();
    ruleTriggerUsage();
    ruleIntegrationMethod();
    ruleSoftwareTiming(false);
    ruleValidDirection();
}

// The image offset keeps the image inside the board's 65535-pixel line; the tap offset stays
// inside the image.
void VQtDeviceCL::ruleImageWidth() {
    const int64_t width = acqValue(VNP_IMAGE_WIDTH, 1);
    limitAcq(VNP_IMAGE_ROI_X, 0, std::max<int64_t>(0, 65535 - width));
    limitAcq(VNP_IMAGE_OFFSET_X, 0, std::max<int64_t>(0, width - 1));
}

// Widths come in whole tap groups: the increment is the tap count, the least width the first
// group count reaching ten pixels (ten taps round up to the next ten).
void VQtDeviceCL::ruleWidthStep() {
    VQtAcqFeature* width = acq(VNP_IMAGE_WIDTH);
    const int64_t taps = std::max<int64_t>(1, acqValue(VNP_TAP_NUMBER, 1));
    if (!width)
        return;
    const int64_t least = (10 + taps - 1) / taps * taps;
    if (width->getStep() != taps || width->getMin() != least) {
        width->setStep(taps);
        width->setMin(least);
        reportAcq(width);
    }
}

// Line-scan parameters: the frame-active trigger window, the line time-out and multiple
// lighting mean nothing to an area camera.
void VQtDeviceCL::ruleScanType() {
    const bool linear = acqIs(VNP_SCAN_TYPE, QStringLiteral("Linear"));
    if (!linear)
        resetAcq(VNP_TRIGGER_FRAME_ACTIVE_MODE, 0);
    enableAcq(VNP_TRIGGER_FRAME_ACTIVE_MODE, linear);
    enableAcq(VNP_FPGA_EXTERNAL_TRIGGER_TIMEOUT, linear);
    enableAcq(VNP_RCV_MORE_DATA_IN_TRIGGER_MODE, linear);
    enableAcq(VNP_IMAGE_HEIGHT_2ND, linear);
    ruleLightCount();
}

// A Bayer pattern only for "Bayer" (Monochrome and colour frames carry none), the RGBD mode
// only for four-channel frames, one tap for YUV 4:2:2, and the JPEG rule.
void VQtDeviceCL::ruleImageType() {
    ruleBayerPattern();
    ruleRgbdMode();
    const bool yuv = acqIs(VNP_IMAGE_TYPE, QStringLiteral("YUV422"));
    if (yuv) {
        resetAcq(VNP_TAP_NUMBER, 1);
        ruleTapNumber();
    }
    enableAcq(VNP_TAP_NUMBER, !yuv);
    enableAcq(VNP_TAP_ARRANGEMENT, !yuv);
    ruleLightCount();
    ruleJpeg();
}

// JPEG compression takes 8-bit mono, Bayer, RGB or BGR frames, and not the RGBD mode; the
// quality matters only while compression is on.
void VQtDeviceCL::ruleJpeg() {
    const bool layout = acqIs(VNP_IMAGE_TYPE, QStringLiteral("Monochrome")) ||
                        acqIs(VNP_IMAGE_TYPE, QStringLiteral("Bayer")) ||
                        acqIs(VNP_IMAGE_TYPE, QStringLiteral("RGB")) ||
                        acqIs(VNP_IMAGE_TYPE, QStringLiteral("BGR"));
    const bool allowed = layout && acqValue(VNP_DATA_FORMAT, 8) == 8 && acqValue(VNP_RGBD_EXTENDED_MODE) == 0;
    if (!allowed)
        resetAcq(VNP_JPEG_COMPRESS_ENABLE, 0);
    enableAcq(VNP_JPEG_COMPRESS_ENABLE, allowed);
    enableAcq(VNP_JPEG_COMPRESS_QUALITY, allowed && acqValue(VNP_JPEG_COMPRESS_ENABLE) != 0);
}

// Multiple lighting interleaves line-scan lines: one light per line of a group, so the height
// comes in whole groups. The RGBD mode takes every line for itself.
void VQtDeviceCL::ruleLightCount() {
    const bool allowed =
        acqIs(VNP_SCAN_TYPE, QStringLiteral("Linear")) && acqValue(VNP_RGBD_EXTENDED_MODE) == 0;
    if (!allowed)
        resetAcq(VNP_MULTIPLE_LIGHT_COUNT, 1);
    enableAcq(VNP_MULTIPLE_LIGHT_COUNT, allowed);
    VQtAcqFeature* height = acq(VNP_IMAGE_HEIGHT);
    const int64_t lights = std::max<int64_t>(1, acqValue(VNP_MULTIPLE_LIGHT_COUNT, 1));
    if (!height || (height->getStep() == lights && height->getMin() == lights))
        return;
    height->setStep(lights);
    height->setMin(lights);
    const int64_t h = height->getValue();
    if (h % lights != 0 || h < lights)
        height->setValue(std::max(lights, h / lights * lights));
    reportAcq(height);
}

// The arrangement follows the tap number (first geometry with that many taps) and the width
// comes in whole tap groups.
void VQtDeviceCL::ruleTapNumber() {
    VQtAcqFeature* arrangement = acq(VNP_TAP_ARRANGEMENT);
    const int taps = int(acqValue(VNP_TAP_NUMBER, 1));
    if (arrangement && tapCount(arrangement->getText()) != taps)
        for (const QString& geometry : arrangement->getEnumList())
            if (tapCount(geometry) == taps) {
                resetAcqText(VNP_TAP_ARRANGEMENT, geometry);
                break;
            }
    ruleWidthStep();
}

void VQtDeviceCL::ruleTapArrangement() {
    VQtAcqFeature* number = acq(VNP_TAP_NUMBER);
    const int taps = tapCount(acq(VNP_TAP_ARRANGEMENT) ? acq(VNP_TAP_ARRANGEMENT)->getText() : QString());
    if (number && taps > 0 && !number->getTextFromValue(taps).isEmpty())
        resetAcq(VNP_TAP_NUMBER, taps);
    ruleWidthStep();
}

// Free run: no trigger source (reset to its first entry), delays or frame count. With a
// hardware trigger, the delay of the input in use, in lines or in microseconds as the delay
// mode says; the frame count unless the frame-active window frames the image.
void VQtDeviceCL::ruleTrigger() {
    const bool hardware = !acqIs(VNP_BOARD_TRIGGER_MODE, QStringLiteral("Free Run"));
    if (!hardware)
        resetAcq(VNP_BOARD_TRIGGER_SOURCE, 0);
    enableAcq(VNP_BOARD_TRIGGER_SOURCE, hardware);
    enableAcq(VNP_HARDWARE_TRIGGER_GENERAL_INPUT_DELAY_MODE, hardware);
    enableAcq(VNP_BOARD_TRIGGER_OUTTER_MODE_FRAME_COUNT,
              hardware && acqValue(VNP_TRIGGER_FRAME_ACTIVE_MODE) == 0);
    const bool lines = acqIs(VNP_HARDWARE_TRIGGER_GENERAL_INPUT_DELAY_MODE, QStringLiteral("In Lines"));
    const uint32_t us[2] = {VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY,
                            VNP_HARDWARE_TRIGGER_GENERAL_INPUT2_DELAY};
    const uint32_t inLines[2] = {VNP_HARDWARE_TRIGGER_GENERAL_INPUT1_DELAY_IN_LINES,
                                 VNP_HARDWARE_TRIGGER_GENERAL_INPUT2_DELAY_IN_LINES};
    for (int i = 0; i < 2; ++i) {
        const bool used = hardware && acqIs(VNP_BOARD_TRIGGER_SOURCE, inputName("General Input", i + 1));
        enableAcq(us[i], used && !lines);
        enableAcq(inLines[i], used && lines);
    }
    ruleBoardSync();
}

// A board-sync line that triggers something on this board is an input: its output source is
// "Not Use" and greyed, and its edge/level mode applies; otherwise it is an output.
void VQtDeviceCL::ruleBoardSync() {
    const uint32_t outputs[2] = {VNP_BOARD_SYNC_OUTPUT1_SOURCE, VNP_BOARD_SYNC_OUTPUT2_SOURCE};
    const uint32_t modes[2] = {VNP_BOARD_SYNC1_TRIGGER_MODE, VNP_BOARD_SYNC2_TRIGGER_MODE};
    const uint32_t users[] = {VNP_BOARD_TRIGGER_SOURCE,
                              VNP_INTEGRATION_TRIGGER_SOURCE,
                              VNP_STROBE_TRIGGER_SOURCE,
                              VNP_CC1_SOURCE,
                              VNP_CC2_SOURCE,
                              VNP_CC3_SOURCE,
                              VNP_CC4_SOURCE};
    for (int i = 0; i < 2; ++i) {
        const QString line = inputName("Board Sync", i + 1);
        bool input = false;
        for (uint32_t user : users) {
            const VQtAcqFeature* f = acq(user);
            input = input || (f && f->isEnable() && f->getText() == line);
        }
        if (input)
            resetAcq(outputs[i], 0);
        enableAcq(outputs[i], !input);
        enableAcq(modes[i], input);
    }
}

// An edge-sensitive input filters pulses shorter than its minimum width; a level-sensitive
// one follows the level.
void VQtDeviceCL::ruleGeneralInput(int input) {
    const uint32_t mode = input == 1 ? VNP_GENERAL_INPUT1_TRIGGER_MODE : VNP_GENERAL_INPUT2_TRIGGER_MODE;
    const uint32_t width = input == 1 ? VNP_GENERAL_INPUT1_MIN_WIDTH : VNP_GENERAL_INPUT2_MIN_WIDTH;
    enableAcq(width, acqIs(mode, QStringLiteral("Edge Sensitive")));
}

// A single-channel encoder counts one channel (chosen here) and multiplies by at most 2;
// quadrature (double channel) uses both and multiplies freely.
void VQtDeviceCL::ruleShaftEncoderInput() {
    const bool single =
        acqIs(VNP_SHAFT_ENCODER1_QUAD_FREQUENCY_SOURCE_TYPE, QStringLiteral("Single Channel"));
    enableAcq(VNP_SHAFT_ENCODER1_CHANNEL, single);
    limitAcq(VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR_ANY, 1, single ? 2 : 63);
    if (single && acqValue(VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR) > 1)
        resetAcq(VNP_SHAFT_ENCODER1_MULTIPlY_FACTOR, 1);
}

// The internal trigger frequency and the software trigger matter only while something on the
// board is triggered by them.
void VQtDeviceCL::ruleTriggerUsage() {
    const auto usedBy = [this](const QString& source) {
        for (uint32_t id : {VNP_INTEGRATION_TRIGGER_SOURCE, VNP_STROBE_TRIGGER_SOURCE, VNP_CC1_SOURCE,
                            VNP_CC2_SOURCE, VNP_CC3_SOURCE, VNP_CC4_SOURCE, VNP_GENERAL_OUTPUT1_SOURCE})
            if (acqIs(id, source))
                return true;
        return false;
    };
    enableAcq(VNP_INTEGRATION_TRIGGER_FREQUENCY, usedBy(QStringLiteral("Internal Trigger")));
    const bool software = usedBy(QStringLiteral("Software Trigger"));
    const bool free = software && acqValue(VNP_SOFTWARE_TRIGGER_SYNC_MODE) == 0;
    for (uint32_t id : {VNP_SFOTWARE_TRIGGER_POLARITY, VNP_SOFTWARE_TRIGGER_SYNC_MODE,
                        VNP_SOFTWARE_TRIGGER_DELAY, VNP_SOFTWARE_TRIGGER_WIDTH})
        enableAcq(id, software);
    // In sync mode the pulses follow the integration signal: no own period or count.
    enableAcq(VNP_SOFTWARE_TRIGGER_PERIOD, free);
    enableAcq(VNP_SOFTWARE_TRIGGER_COUNT, free);
}

// Method 1 drives integration signal 1 only; the others use both signals.
void VQtDeviceCL::ruleIntegrationMethod() {
    const bool both = !acqIs(VNP_INTEGRATION_METHOD, QStringLiteral("Method1"));
    for (uint32_t id : {VNP_INTEGRATION_PARAM3, VNP_INTEGRATION_PARAM4, VNP_INTEGRATION_POLARITY2})
        enableAcq(id, both);
}

// A software trigger pulse ends before the next one starts: width < period.
void VQtDeviceCL::ruleSoftwareTiming(bool widthChanged) {
    const int64_t width = acqValue(VNP_SOFTWARE_TRIGGER_WIDTH);
    const int64_t period = acqValue(VNP_SOFTWARE_TRIGGER_PERIOD, 2);
    if (widthChanged) {
        limitAcq(VNP_SOFTWARE_TRIGGER_PERIOD, std::max<int64_t>(2, width + 1), 0x7FFFFFFF);
        limitAcq(VNP_SOFTWARE_TRIGGER_WIDTH, 0,
                 std::max<int64_t>(0, acqValue(VNP_SOFTWARE_TRIGGER_PERIOD, 2) - 1));
    } else {
        limitAcq(VNP_SOFTWARE_TRIGGER_WIDTH, 0, std::max<int64_t>(0, period - 1));
        limitAcq(VNP_SOFTWARE_TRIGGER_PERIOD, std::max<int64_t>(2, acqValue(VNP_SOFTWARE_TRIGGER_WIDTH) + 1),
                 0x7FFFFFFF);
    }
}

// Reverse compensation needs one valid direction to compensate against; its limit applies
// only while it is on.
void VQtDeviceCL::ruleValidDirection() {
    const bool directed = !acqIs(VNP_SHAFT_ENCODER1_VALID_DIRECTION, QStringLiteral("Both"));
    if (!directed)
        resetAcq(VNP_SHAFT_ENCODER1_REVERSE_COMPENSATION, 0);
    enableAcq(VNP_SHAFT_ENCODER1_REVERSE_COMPENSATION, directed);
    enableAcq(VNP_SHAFT_ENCODER1_REVERSE_COMPENSATION_LIMIT,
              directed && acqValue(VNP_SHAFT_ENCODER1_REVERSE_COMPENSATION) != 0);
}
