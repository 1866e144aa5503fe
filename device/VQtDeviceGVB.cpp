#include "device/VQtDeviceGVB.h"

#include <algorithm>

#include "device/VQtAcqFeatureTable.h"

VQtDeviceGVB::VQtDeviceGVB() : VQtDevice(VQT_DEVICE_GIGEVISION_BOARD) {}

VQtDeviceGVB::~VQtDeviceGVB() {
    close();
}

bool VQtDeviceGVB::open(int boardIndex, int cameraIndex, void* context) {
    close();
    m_context = context;
    openRemote(cameraIndex);
    m_acqIndex = boardIndex;
    m_acqStatus = VION_OK;
    OXA_GVB_DEVICE_INFO record;
    if (cameraIndex < 0 || OxaManGetGVBDeviceInfo(uint32_t(cameraIndex), &record) != OXA_STATUS_SUCCESS) {
        record = OXA_GVB_DEVICE_INFO();
        record.boardIndex = boardIndex;
    }
    const VION_HANDLE handle = VionOpenGVB(VION_BOARD_TYPE, uint32_t(boardIndex), record);
    if (handle == VION_INVALID_HANDLE) {
        m_acqStatus = 0;
        return isOpen();
    }
    m_acqHandle = handle;
    int32_t generation = 0;
    VionGetInfo(handle, VNP_BOARD_GENERATION, &generation);
    const uint32_t top = uint32_t(generation) >> 24;
    m_au = top >= 0xD0 && top <= 0xDF;
    if (m_displayName.isEmpty())
        m_displayName = readBoardName();
    loadAllFeature();
    return isOpen();
}

bool VQtDeviceGVB::getLinkStatus(QString* text, bool* warning) {
    int speed = 0, lanes = 0;
    if (!readLink(&speed, &lanes))
        return false;
    *text = linkText(speed, lanes, 3);
    *warning = lanes < 4 || speed != 3;
    return true;
}

bool VQtDeviceGVB::isGigEVisionPacked() {
    if (!m_au || !acq(VNP_DATA_FORMAT))
        return false;
    bool packed = false;
    if (acqValue(VNP_DATA_FORMAT, 8) != 8)
        if (const VQtRemoteFeaturePtr format = getRemoteFeature(QStringLiteral("PixelFormat")))
            packed = format->getValue().toString().contains(QLatin1String("Packed"));
    resetAcq(VNP_CXP_DATA_PACKED_TRANSFER, packed ? 1 : 0);
    return packed;
}

bool VQtDeviceGVB::startAcq(int32_t frameCount) {
    return startBoardWithCamera(frameCount);
}

void VQtDeviceGVB::stop() {
    stopBoardWithCamera();
}

void VQtDeviceGVB::loadAllFeature() {
    clearAcqFeatures();
    for (const VQtAcqFeatureRow& row : VQtAcqFeatureTable::gigEVisionBoard())
        addAcqFeature(VQtAcqFeatureTable::create(row, m_acqHandle));
    nameImageType();
    updateAdaptiveFeature();
}

void VQtDeviceGVB::adaptiveFeature(uint32_t id) {
    switch (id) {
    case VNP_MULTIPLE_LIGHT_COUNT:
        ruleLightCount();
        break;
    case VNP_IMAGE_TYPE:
        ruleImageType();
        ruleLightCount();
        break;
    case VNP_IMAGE_ROI_X:
    case VNP_IMAGE_WIDTH:
    case VNP_ORIGIN_IMAGE_WIDTH:
    case VNP_ROI_ENABLE:
        ruleRoi();
        break;
    case VNP_DATA_FORMAT:
    case VNP_CXP_DATA_PACKED_TRANSFER:
        rulePacked();
        break;
    default:
        break;
    }
}

void VQtDeviceGVB::updateAdaptiveFeature() {
    ruleImageType();
    ruleLightCount();
    ruleRoi();
    rulePacked();
}

bool VQtDeviceGVB::adaptAcqWidth(int64_t width) {
    // The camera's line arrives whole: it is the origin width the region is cut from.
    VQtAcqFeature* origin = acq(VNP_ORIGIN_IMAGE_WIDTH);
    if (!origin)
        return VQtDevice::adaptAcqWidth(width);
    return origin->getValue() == width || setAcqFeature(origin, qlonglong(width));
}

// Multiple lighting splits mono and Bayer lines between lights, so the height comes in whole
// light groups; colour frames take one light.
void VQtDeviceGVB::ruleLightCount() {
    const bool colour = !acqIs(VNP_IMAGE_TYPE, QStringLiteral("Monochrome")) &&
                        !acqIs(VNP_IMAGE_TYPE, QStringLiteral("Bayer"));
    if (colour)
        resetAcq(VNP_MULTIPLE_LIGHT_COUNT, 1);
    enableAcq(VNP_MULTIPLE_LIGHT_COUNT, !colour);
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

void VQtDeviceGVB::ruleImageType() {
    ruleBayerPattern();
    ruleRgbdMode();
}

// Without a region the image is the camera's whole line. With one, offset + width stay
// within the origin width.
void VQtDeviceGVB::ruleRoi() {
    const bool roi = acqValue(VNP_ROI_ENABLE) != 0;
    const int64_t origin = acqValue(VNP_ORIGIN_IMAGE_WIDTH, 65535);
    if (!roi) {
        resetAcq(VNP_IMAGE_ROI_X, 0);
        limitAcq(VNP_IMAGE_WIDTH, 1, origin);
        resetAcq(VNP_IMAGE_WIDTH, origin);
    } else {
        limitAcq(VNP_IMAGE_ROI_X, 0, std::max<int64_t>(0, origin - acqValue(VNP_IMAGE_WIDTH, 1)));
        limitAcq(VNP_IMAGE_WIDTH, 1, std::max<int64_t>(1, origin - acqValue(VNP_IMAGE_ROI_X)));
    }
    enableAcq(VNP_IMAGE_ROI_X, roi);
    enableAcq(VNP_IMAGE_WIDTH, roi);
}

// Packed transfer exists on Au boards for 10- to 14-bit pixels.
void VQtDeviceGVB::rulePacked() {
    const int64_t bits = acqValue(VNP_DATA_FORMAT, 8);
    const bool allowed = m_au && bits > 8 && bits < 16;
    if (!allowed)
        resetAcq(VNP_CXP_DATA_PACKED_TRANSFER, 0);
    enableAcq(VNP_CXP_DATA_PACKED_TRANSFER, allowed);
}
