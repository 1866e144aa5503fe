// Board parameters that follow the camera behind the board: scan type, width, height, pixel
// layout, tap geometry and compressed transfer.
#include <QRegularExpression>

#include "device/VQtDevice.h"

namespace {

const char* const kFollowed[] = {"DeviceScanType",     "Width", "Height", "PixelFormat", "DeviceTapGeometry",
                                 "CompressionTransfer"};

struct PixelLayout {
    int dataFormat = -1; // entry positions of the board enumerations
    int imageType = -1;
    int bayerPattern = -1;
};

// "Mono12", "BayerRG10Packed", "RGB8", "BGRA8", "YUV422_8" -> positions; false when unknown.
bool pixelLayout(const QString& format, PixelLayout* layout) {
    static const QRegularExpression pattern(
        QStringLiteral("^(Mono|BayerBG|BayerRG|BayerGB|BayerGR|RGBA|RGB|BGRA|BGR)(8|10|12|14|16)(Packed)?$"));
    if (format.startsWith(QLatin1String("YUV422"))) {
        layout->dataFormat = 0, layout->imageType = 6;
        return true;
    }
    const QRegularExpressionMatch m = pattern.match(format);
    if (!m.hasMatch())
        return false;
    static const QStringList depths = {"8", "10", "12", "14", "16"};
    layout->dataFormat = depths.indexOf(m.captured(2));
    const QString kind = m.captured(1);
    static const QStringList bayer = {"BayerBG", "BayerRG", "BayerGB", "BayerGR"};
    if (bayer.contains(kind)) {
        layout->imageType = 1;
        layout->bayerPattern = bayer.indexOf(kind);
    } else {
        static const QStringList types = {"Mono", "", "RGB", "RGBA", "BGR", "BGRA"};
        layout->imageType = types.indexOf(kind);
    }
    return true;
}

} // namespace

bool VQtDevice::adaptiveAcqFeature() {
    if (!isOpenAcq() || !isOpenRemote())
        return true;
    bool ok = true;
    for (const char* name : kFollowed)
        if (const VQtRemoteFeaturePtr f = getRemoteFeature(QLatin1String(name)))
            ok = adaptiveAcqFeature(f.get()) && ok;
    return ok;
}

bool VQtDevice::adaptiveAcqFeature(const VQtRemoteFeature* feature) {
    if (!isOpenAcq() || !feature)
        return true;
    const QString name = feature->getFeature();
    const QVariant value = feature->getValue();
    if (value.toString() == VQtRemoteFeature::unreadableText())
        return true; // nothing the board could follow
    if (name == QLatin1String("DeviceScanType")) {
        VQtAcqFeature* scan = acq(VNP_SCAN_TYPE);
        const QString text =
            value.toString() == QLatin1String("Linescan") ? QStringLiteral("Linear") : QStringLiteral("Area");
        return !scan || scan->getText() == text || setAcqFeature(scan, text);
    }
    if (name == QLatin1String("Width"))
        return adaptAcqWidth(value.toLongLong());
    if (name == QLatin1String("Height")) {
        VQtAcqFeature* height = acq(VNP_IMAGE_HEIGHT);
        return !height || height->getValue() == value.toLongLong() || setAcqFeature(height, value);
    }
    if (name == QLatin1String("PixelFormat"))
        return adaptPixelFormat(value.toString());
    if (name == QLatin1String("DeviceTapGeometry"))
        return adaptTapGeometry(value.toString());
    if (name == QLatin1String("CompressionTransfer")) {
        VQtAcqFeature* compression = acq(VNP_GVB_ENABLE_COMPRESSION_TRANSFER);
        return !compression || compression->getValue() == int64_t(value.toBool()) ||
               setAcqFeature(compression, value.toBool());
    }
    return true;
}

bool VQtDevice::adaptAcqWidth(int64_t width) {
    VQtAcqFeature* f = acq(VNP_IMAGE_WIDTH);
    return !f || f->getValue() == width || setAcqFeature(f, qlonglong(width));
}

bool VQtDevice::adaptPixelFormat(const QString& format) {
    PixelLayout layout;
    if (!pixelLayout(format, &layout))
        return false;
    bool ok = true;
    const auto follow = [&](uint32_t id, int position) {
        VQtAcqFeature* f = acq(id);
        if (!f || position < 0)
            return;
        if (f->getText() != f->getTextFromIndex(position) || f->getCurrentIndex() != position)
            ok = setAcqFeatureFromIndex(f, position) && ok;
    };
    follow(VNP_DATA_FORMAT, layout.dataFormat);
    follow(VNP_IMAGE_TYPE, layout.imageType);
    follow(VNP_BAYER_PATTERN, layout.bayerPattern);
    return ok;
}

bool VQtDevice::adaptTapGeometry(const QString& geometry) {
    VQtAcqFeature* f = acq(VNP_TAP_ARRANGEMENT);
    if (!f)
        return true;
    if (f->getText() == geometry)
        return true;
    if (!f->getEnumList().contains(geometry)) {
        m_acqStatus = VION_ERR_INVALID_PARAMETER;
        return false;
    }
    return setAcqFeature(f, geometry);
}
