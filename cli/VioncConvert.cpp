#include <QCoreApplication>

#include "acquisition/VQtImageFileIO.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "core/VQtSystemParam.h"
#include "imageproc/VQtColorCorrection.h"
#include "cli/VioncCommands.h"

namespace {
QString tr(const char* text) {
    return QCoreApplication::translate("vionc", text);
}

struct IntOption {
    const char* name;
    long long low, high;
    int* field;
};
} // namespace

// vionc convert IN OUT [options]: any readable frame through the save path of the viewer.
int cmdConvert(const QStringList& arguments) {
    QStringList args = arguments;
    VioncRawOptions raw;
    QString error, v;
    if (!vioncTakeRawOptions(args, raw, &error))
        return vioncFail(error, VIONC_USAGE);
    VQtImageSaveParam save;
    save.Shift = -1; // keep samples unless asked
    VQtPictureOptions options{0, 0, 0, false};
    const IntOption ints[] = {
        {"--shift", -1, 15, &save.Shift},         {"--switch", 0, 255, &save.SwitchType},
        {"--quality", 0, 100, &save.JpegQuality}, {"--bayer-method", 0, 3, &options.bayerMethod},
        {"--denoise", 0, 1000, &options.denoise}, {"--sharpen", 0, 100, &options.sharpen}};
    for (const IntOption& o : ints) {
        if (!vioncTakeValue(args, QLatin1String(o.name), &v, &error)) {
            if (!error.isEmpty())
                return vioncFail(error, VIONC_USAGE);
            continue;
        }
        long long n = 0;
        if (v == QLatin1String("linear"))
            v = "0";
        else if (v == QLatin1String("bicubic"))
            v = "1";
        if (!vioncParseInt(v, o.low, o.high, &n))
            return vioncFail(
                tr("Option %1: %2 is not a number from %3 to %4").arg(o.name, v).arg(o.low).arg(o.high),
                VIONC_USAGE);
        *o.field = int(n);
    }
    save.StretchImage = vioncTakeFlag(args, "--stretch");
    options.colourCorrection = vioncTakeFlag(args, "--colour-correction");
    if (save.StretchImage && save.Shift < 0)
        save.Shift = 0;
    if (args.size() != 2 || args.at(0).startsWith("--") || args.at(1).startsWith("--"))
        return vioncFail(
            tr("usage: vionc convert IN OUT [--shift N] [--stretch] [--switch N] [--bayer-method "
               "linear|bicubic] [--quality Q] [raw options]"),
            VIONC_USAGE);
    if (options.colourCorrection && !isRunColorAndGamma()) {
        const QString why = vqtColorCalibrationMessage();
        return vioncFail(tr("Colour correction is unavailable: %1")
                             .arg(why.isEmpty() ? tr("no color calibration file is installed") : why));
    }
    const QString in = args.at(0), out = args.at(1);
    const bool isRaw = in.right(4).toLower() == QLatin1String(".raw");
    if (isRaw && (raw.param.width == 0 || raw.param.height == 0))
        return vioncFail(tr("A raw file needs --width and --height"), VIONC_USAGE);
    VQtPsCricleBuffer buffer;
    if (!vqtOpenImage(in, &buffer, isRaw ? &raw.param : nullptr, raw.offset, &error))
        return vioncFail(error);
    if (isRaw && vqtPackedFrameSize(raw.param) > buffer.getBufferSize())
        return vioncFail(tr("The input value does not match the file size!"));
    if (!vqtSaveImage(out, &buffer, save, options, 0, &error))
        return vioncFail(error);
    return VIONC_OK;
}
