#include <QCoreApplication>

#include "acquisition/VQtImageFileIO.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "cli/VioncCommands.h"

namespace {
QString tr(const char* text) {
    return QCoreApplication::translate("vionc", text);
}

const char* typeName(uint32_t t) {
    static const char* names[] = {"mono", "bayer", "rgb",       "rgba",       "bgr",      "bgra",
                                  "yuyv", "uyvy",  "coord3d-a", "coord3d-ab", "coord3d-c"};
    return t < 11 ? names[t] : "unknown";
}

const char* packedName(uint32_t t) {
    static const char* names[] = {"none", "pairs", "msb", "lsb", "jpeg", "central-line"};
    return t < 6 ? names[t] : "unknown";
}
} // namespace

// vionc info FILE [raw options]: the frame layout of an image file.
int cmdInfo(const QStringList& arguments) {
    QStringList args = arguments;
    VioncRawOptions raw;
    QString error;
    if (!vioncTakeRawOptions(args, raw, &error))
        return vioncFail(error, VIONC_USAGE);
    if (args.size() != 1 || args.first().startsWith("--"))
        return vioncFail(tr("usage: vionc info FILE [--width W --height H --type T --depth D --packed P "
                            "--offset N]"),
                         VIONC_USAGE);
    const QString path = args.first();
    const bool isRaw = path.right(4).toLower() == QLatin1String(".raw");
    if (isRaw && (raw.param.width == 0 || raw.param.height == 0))
        return vioncFail(tr("A raw file needs --width and --height"), VIONC_USAGE);
    VQtPsCricleBuffer buffer;
    if (!vqtOpenImage(path, &buffer, isRaw ? &raw.param : nullptr, raw.offset, &error))
        return vioncFail(error);
    const VQtImageParam p = buffer.getImageParam();
    const uint64_t bytes = buffer.getBufferSize();
    const uint64_t expected = vqtPackedFrameSize(p);
    if (isRaw && expected > bytes)
        return vioncFail(tr("The input value does not match the file size!") +
                         QStringLiteral(" (%1 bytes needed, %2 in the file)").arg(expected).arg(bytes));
    vioncPrint(QStringLiteral("file: %1").arg(path));
    vioncPrint(QStringLiteral("width: %1").arg(p.width));
    vioncPrint(QStringLiteral("height: %1").arg(p.height));
    vioncPrint(QStringLiteral("imageType: %1 (%2)").arg(p.imageType).arg(typeName(p.imageType)));
    vioncPrint(QStringLiteral("packedType: %1 (%2)").arg(p.packedType).arg(packedName(p.packedType)));
    vioncPrint(QStringLiteral("bayerPattern: %1").arg(p.bayerPattern));
    vioncPrint(QStringLiteral("bitDepth: %1").arg(p.bitDepth));
    vioncPrint(QStringLiteral("storageBits: %1").arg(p.storageBits));
    vioncPrint(QStringLiteral("channels: %1").arg(p.channels));
    vioncPrint(QStringLiteral("dataBytes: %1").arg(bytes));
    // A short ".iim" opens with its missing tail black; say how much is missing.
    if (!isRaw && path.right(4).toLower() == QLatin1String(".iim"))
        vioncPrint(QStringLiteral("missingBytes: %1").arg(vqtMissingBytes(p, bytes)));
    if (p.packedType == VQT_PACKED_JPEG) {
        int w = 0, h = 0, c = 0;
        if (buffer.jpegGeometry(&w, &h, &c))
            vioncPrint(QStringLiteral("jpeg: %1 x %2, %3 components").arg(w).arg(h).arg(c));
        else
            vioncPrint(QStringLiteral("jpeg: unreadable"));
    }
    return VIONC_OK;
}
