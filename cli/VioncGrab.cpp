// vionc grab DEVICE [-n N] [--out PATTERN] [--format FORMAT] [--backends LIST] [--devices FILE]
// [--timeout MS]: grabs N frames through the viewer's acquisition stream and save path, without
// a window. Frames are unpacked into an offscreen picture exactly as the viewer shows them;
// with --out they are saved ("dir/name.png": one frame as that file, several as name-0000.png,
// name-0001.png, ...). Prints the rates and the frame counts at the end; exits 1 when frames
// were lost, none came, or a file could not be saved.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <climits>
#include <functional>

#include "acquisition/VQtDeviceStream.h"
#include "acquisition/VQtImageTarget.h"
#include "acquisition/VQtImageThread.h"
#include "cli/VioncCommands.h"
#include "core/VQtSystemParam.h"
#include "device/VQtDevice.h"

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("vionc", text);
}

const char kUsage[] = "usage: vionc grab DEVICE [-n N] [--out PATTERN] [--format PIXELFORMAT] "
                      "[--backends sim,aravis] [--devices FILE] [--timeout MS]";

// Keeps the event loop turning (queued stops arrive) until the condition holds or the
// deadline passes.
bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

struct GrabOptions {
    long long frames = 10;
    QString out;
    QString format;
    long long timeoutMs = 10000; // without a frame for this long the grab gives up
};

int parse(QStringList& args, GrabOptions* o) {
    QString error, value;
    if (vioncTakeValue(args, QStringLiteral("--backends"), &value, &error))
        qputenv("VIONC_BACKENDS", value.toUtf8());
    if (!error.isEmpty() || !vioncUseDeviceOptions(args, &error))
        return vioncFail(error.isEmpty() ? tr(kUsage) : error, error.isEmpty() ? VIONC_USAGE : VIONC_FAILED);
    if (vioncTakeValue(args, QStringLiteral("-n"), &value, &error) &&
        !vioncParseInt(value, 1, 1000000000, &o->frames))
        return vioncFail(tr("-n wants a number of frames from 1, not \"%1\"").arg(value), VIONC_USAGE);
    if (vioncTakeValue(args, QStringLiteral("--timeout"), &value, &error) &&
        !vioncParseInt(value, 1, 86400000, &o->timeoutMs))
        return vioncFail(tr("--timeout wants milliseconds from 1, not \"%1\"").arg(value), VIONC_USAGE);
    vioncTakeValue(args, QStringLiteral("--out"), &o->out, &error);
    vioncTakeValue(args, QStringLiteral("--format"), &o->format, &error);
    if (!error.isEmpty())
        return vioncFail(error, VIONC_USAGE);
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-')))
        return vioncFail(tr(kUsage), VIONC_USAGE);
    return VIONC_OK;
}

// Save settings for PATTERN: its suffix picks the file type, its folder and base name the
// sequence's path.
bool setUpSaving(const QString& pattern, long long frames, QString* savePath, QString* error) {
    const QFileInfo info(pattern);
    const QString suffix = info.suffix().toLower();
    int type = -1;
    for (int i = 0; i < 6; ++i)
        if (VQtImageThread::sequenceExtension(i) == suffix)
            type = i;
    if (type < 0) {
        *error = tr("--out %1: the name must end in .bmp, .jpg, .png, .tif, .raw or .iim").arg(pattern);
        return false;
    }
    if (!info.absoluteDir().exists()) {
        *error = tr("--out %1: the folder %2 does not exist").arg(pattern, info.absolutePath());
        return false;
    }
    VQtImageSaveParam& save = g_sysPrm.save;
    save.ImageType = type;
    save.extension = QLatin1Char('.') + suffix;
    save.sequenceMode = frames > 1;
    save.BeginNumber = 0;
    save.ImageCount = int(frames);
    *savePath = frames > 1 ? info.absolutePath() + QLatin1Char('/') + info.completeBaseName()
                           : info.absoluteFilePath();
    return true;
}

void printFigures(const VQtStreamFigures& f, double seconds, uint64_t frameBytes) {
    vioncPrint(tr("frames: %1  displayed: %2  thinned: %3  saved: %4")
                   .arg(f.frames)
                   .arg(f.displayed)
                   .arg(f.thinned)
                   .arg(f.saved));
    vioncPrint(
        tr("lost: %1  incomplete: %2  time-outs: %3  ignored: %4  resent packets: %5  lost packets: %6")
            .arg(f.lostFrames)
            .arg(f.incompleteFrames)
            .arg(f.timeouts)
            .arg(f.ignoredFrames)
            .arg(f.resendPackets)
            .arg(f.lostPackets));
    const double fps = seconds > 0 ? double(f.frames) / seconds : 0.0;
    vioncPrint(tr("frame rate: %1 fps (device %2 fps)  refresh rate: %3 fps  %4 MB/s over %5 s")
                   .arg(fps, 0, 'f', 2)
                   .arg(double(f.frameRate), 0, 'f', 2)
                   .arg(double(f.refreshRate), 0, 'f', 2)
                   .arg(fps * double(frameBytes) / 1e6, 0, 'f', 1)
                   .arg(seconds, 0, 'f', 2));
}

} // namespace

int cmdGrab(const QStringList& arguments) {
    QStringList args = arguments;
    GrabOptions o;
    if (const int code = parse(args, &o))
        return code;
    g_sysPrm.general.ExtractFrame = false; // every frame through the unpacker, as fast as it comes
    VioncDevice device;
    QString error;
    if (!device.open(args.first(), &error))
        return vioncFail(error);
    if (!o.format.isEmpty() && !device.device()->setRemoteFeature(QStringLiteral("PixelFormat"), o.format))
        return vioncFail(
            tr("Cannot set PixelFormat to %1: %2").arg(o.format, device.device()->getRemoteErrorInfo()));
    QString savePath;
    if (!o.out.isEmpty() && !setUpSaving(o.out, o.frames, &savePath, &error))
        return vioncFail(error, VIONC_USAGE);

    VQtImageTarget picture;
    VQtDeviceStream stream;
    stream.setWidget(&picture, nullptr);
    QStringList problems;
    QObject::connect(&stream, &VQtDeviceStream::signalOutputInfo, [&](const QString& text, int level) {
        if (level >= 1)
            problems << text; // printed at the end, from the main thread
    });
    int saveStatus = 0;
    QObject::connect(&stream, &VQtDeviceStream::signalSaveImageStatus, [&](int s, const QString&) { saveStatus = s; });

    QElapsedTimer clock;
    clock.start();
    const bool single = o.frames == 1;
    if (single)
        stream.slotGrabOnce();
    else
        stream.slotGrabContinuous();
    if (!stream.isGrabbing()) {
        for (const QString& line : problems + device.takeLines())
            vioncPrint(line);
        return vioncFail(tr("The grab did not start"));
    }
    if (!savePath.isEmpty() && !single)
        stream.saveImage(savePath); // the frames to come are queued as they arrive

    // Frames keep coming while the last ones are written; a pause longer than the time-out
    // ends the wait.
    uint64_t seen = 0;
    QElapsedTimer sinceFrame;
    sinceFrame.start();
    waitFor(
        [&] {
            const uint64_t n = stream.getFigures().frames;
            if (n != seen) {
                seen = n;
                sinceFrame.restart();
            }
            const bool enough = n >= uint64_t(o.frames) && (savePath.isEmpty() || single || saveStatus != 0);
            return enough || !stream.isGrabbing() || sinceFrame.elapsed() > o.timeoutMs;
        },
        INT_MAX);
    const double seconds = clock.elapsed() / 1000.0;
    const VQtStreamFigures running = stream.getFigures(); // the rates, before the stop clears them
    stream.slotGrabStop();
    if (!savePath.isEmpty() && single && stream.hasFrame()) {
        stream.saveImage(savePath);
        waitFor([&] { return saveStatus != 0; }, 60000);
    }
    VQtStreamFigures f = stream.getFigures();
    f.frameRate = running.frameRate;
    f.refreshRate = running.refreshRate;
    for (const QString& line : problems + device.takeLines())
        vioncPrint(line);
    printFigures(f, seconds, stream.getFrameBytes());
    if (f.frames == 0)
        return vioncFail(tr("No frame came within %1 ms").arg(o.timeoutMs));
    if (f.lostFrames > 0)
        return vioncFail(tr("%1 frames were lost").arg(f.lostFrames));
    if (!savePath.isEmpty() && saveStatus != 1)
        return vioncFail(tr("Not every frame could be saved"));
    return VIONC_OK;
}
