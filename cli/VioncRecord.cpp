// vionc record DEVICE (-n N | --seconds S) --out FILE.h264 [--rate FPS] [--all]
// [--format FORMAT] [--backends LIST] [--devices FILE] [--timeout MS]: records a device's
// frames into an H.264 file through the viewer's acquisition stream and video recorder, without
// a window. Frames come at the device's pace and are taken at --rate frames per second (the
// "VideoFrameRate" setting when not given), or every one with --all. Prints the log of the
// recording, then the device's and the recording's rates and what was dropped; exits 1 when no
// file was made, the recording ended on an error, or the device lost frames.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <climits>
#include <cmath>
#include <functional>

#include "acquisition/VQtDeviceStream.h"
#include "acquisition/VQtVideoX264.h"
#include "cli/VioncCommands.h"
#include "core/VQtSystemParam.h"
#include "device/VQtDevice.h"

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("vionc", text);
}

const char kUsage[] = "usage: vionc record DEVICE (-n N | --seconds S) --out FILE.h264 [--rate FPS] [--all] "
                      "[--format PIXELFORMAT] [--backends sim,aravis] [--devices FILE] [--timeout MS]";

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

struct RecordOptions {
    long long frames = 0;
    double seconds = 0;
    long long rate = 0; // 0: the setting
    bool all = false;
    QString out;
    QString format;
    long long timeoutMs = 10000;
};

int parse(QStringList& args, RecordOptions* o) {
    QString error, value;
    if (vioncTakeValue(args, QStringLiteral("--backends"), &value, &error))
        qputenv("VIONC_BACKENDS", value.toUtf8());
    if (!error.isEmpty() || !vioncUseDeviceOptions(args, &error))
        return vioncFail(error.isEmpty() ? tr(kUsage) : error, error.isEmpty() ? VIONC_USAGE : VIONC_FAILED);
    if (vioncTakeValue(args, QStringLiteral("-n"), &value, &error) &&
        !vioncParseInt(value, 1, 1000000000, &o->frames))
        return vioncFail(tr("-n wants a number of frames from 1, not \"%1\"").arg(value), VIONC_USAGE);
    if (vioncTakeValue(args, QStringLiteral("--seconds"), &value, &error)) {
        bool ok = false;
        o->seconds = value.toDouble(&ok);
        if (!ok || !std::isfinite(o->seconds) || o->seconds <= 0 || o->seconds > 86400 * 7)
            return vioncFail(tr("--seconds wants a duration above 0, not \"%1\"").arg(value), VIONC_USAGE);
    }
    if (vioncTakeValue(args, QStringLiteral("--rate"), &value, &error) &&
        !vioncParseInt(value, 1, 65535, &o->rate))
        return vioncFail(tr("--rate wants frames per second from 1 to 65535, not \"%1\"").arg(value),
                         VIONC_USAGE);
    if (vioncTakeValue(args, QStringLiteral("--timeout"), &value, &error) &&
        !vioncParseInt(value, 1, 86400000, &o->timeoutMs))
        return vioncFail(tr("--timeout wants milliseconds from 1, not \"%1\"").arg(value), VIONC_USAGE);
    o->all = vioncTakeFlag(args, QStringLiteral("--all"));
    vioncTakeValue(args, QStringLiteral("--out"), &o->out, &error);
    vioncTakeValue(args, QStringLiteral("--format"), &o->format, &error);
    if (!error.isEmpty())
        return vioncFail(error, VIONC_USAGE);
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-')) || o->out.isEmpty() ||
        (o->frames > 0) == (o->seconds > 0))
        return vioncFail(tr(kUsage), VIONC_USAGE);
    // As the viewer's "Save Video File" does.
    if (!o->out.endsWith(QLatin1String(".h264"), Qt::CaseInsensitive))
        o->out += QLatin1String(".h264");
    return VIONC_OK;
}

// What the recorder did, as its signals tell it; main thread only.
struct RecordState {
    int files = 0;     // files started
    int lastCode = -1; // the last code that ended a file
    bool ended = false;
    uint64_t written = 0; // frames in the finished files
};

} // namespace

int cmdRecord(const QStringList& arguments) {
    QStringList args = arguments;
    RecordOptions o;
    if (const int code = parse(args, &o))
        return code;
    if (!QFileInfo(o.out).absoluteDir().exists())
        return vioncFail(
            tr("--out %1: the folder %2 does not exist").arg(o.out, QFileInfo(o.out).absolutePath()),
            VIONC_USAGE);
    g_sysPrm.debugMode = false;
    if (o.rate > 0)
        g_sysPrm.save.VideoFrameRate = int(o.rate);
    VioncDevice device;
    QString error;
    if (!device.open(args.first(), &error))
        return vioncFail(error);
    if (!o.format.isEmpty() && !device.device()->setRemoteFeature(QStringLiteral("PixelFormat"), o.format))
        return vioncFail(
            tr("Cannot set PixelFormat to %1: %2").arg(o.format, device.device()->getRemoteErrorInfo()));

    // No picture: the frames go to the recorder only.
    VQtDeviceStream stream;
    VQtVideoX264* recorder = stream.getVideoThread();
    recorder->setRecordAll(o.all);
    recorder->setFrameLimit(uint32_t(o.frames));
    QStringList lines;
    QObject::connect(&stream, &VQtDeviceStream::signalOutputInfo, &stream,
                     [&](const QString& text, int) { lines << text; });
    RecordState state;
    // Queued to this thread: the recorder's thread has ended when a code other than 0 arrives.
    QObject::connect(&stream, &VQtDeviceStream::signalVideoErrorCode, &stream, [&](int code) {
        if (code == VQT_VIDEO_STARTED) {
            ++state.files;
            return;
        }
        state.written += recorder->writtenFrames();
        state.lastCode = code;
        // As the viewer does: a file that filled up or failed is followed by the next one.
        const bool more = o.frames == 0 || state.written < uint64_t(o.frames);
        if (code != VQT_VIDEO_SAVED && more && stream.isGrabbing()) {
            if (o.frames > 0)
                recorder->setFrameLimit(uint32_t(uint64_t(o.frames) - state.written));
            if (stream.addX264(code))
                return;
        }
        state.ended = true;
    });

    QElapsedTimer clock;
    clock.start();
    stream.slotGrabContinuous();
    if (!stream.isGrabbing()) {
        for (const QString& line : lines + device.takeLines())
            vioncPrint(line);
        return vioncFail(tr("The grab did not start"));
    }
    if (!stream.openX264(o.out)) {
        stream.slotGrabStop();
        for (const QString& line : lines + device.takeLines())
            vioncPrint(line);
        return vioncFail(tr("Failed to create video file %1").arg(o.out));
    }

    // A pause of the device longer than the time-out ends the wait.
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
            const bool enough = o.frames > 0
                                    ? state.written + recorder->acceptedFrames() >= uint64_t(o.frames)
                                    : clock.elapsed() >= qint64(o.seconds * 1000.0);
            return enough || state.ended || !stream.isGrabbing() || sinceFrame.elapsed() > o.timeoutMs;
        },
        INT_MAX);
    const double seconds = clock.elapsed() / 1000.0;
    const VQtStreamFigures running = stream.getFigures();
    // Everything taken so far is encoded before the file closes; then the device stops.
    stream.closeX264();
    stream.slotGrabStop();
    // A started recording always ends with a code; it may still be on its way.
    waitFor([&] { return state.ended; }, 60000);
    const VQtStreamFigures f = stream.getFigures();

    for (const QString& line : lines + device.takeLines())
        vioncPrint(line);
    const uint64_t paced = recorder->skippedFrames();
    vioncPrint(tr("frames: %1  recorded: %2  left out by the frame rate: %3  outside the recording: %4")
                   .arg(f.frames)
                   .arg(state.written)
                   .arg(paced)
                   .arg(f.frames >= state.written + paced ? f.frames - state.written - paced : 0));
    vioncPrint(tr("lost: %1  incomplete: %2  time-outs: %3")
                   .arg(f.lostFrames)
                   .arg(f.incompleteFrames)
                   .arg(f.timeouts));
    vioncPrint(tr("device: %1 fps (measured %2 fps)  recording: %3 fps into %4 file(s) over %5 s")
                   .arg(seconds > 0 ? double(f.frames) / seconds : 0.0, 0, 'f', 2)
                   .arg(double(running.frameRate), 0, 'f', 2)
                   .arg(recorder->frameRate(), 0, 'f', 2)
                   .arg(state.files)
                   .arg(seconds, 0, 'f', 2));
    if (state.written == 0)
        return vioncFail(tr("No frame was recorded"));
    if (state.lastCode != VQT_VIDEO_SAVED)
        return vioncFail(tr("The recording ended with status %1").arg(state.lastCode));
    if (f.lostFrames > 0)
        return vioncFail(tr("%1 frames were lost").arg(f.lostFrames));
    return VIONC_OK;
}
