#include "acquisition/VQtVideoX264.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <sys/resource.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>

#include "acquisition/VQtMemoryInfo.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "core/VQtSafeFile.h"
#include "core/VQtSystemParam.h"
#include "core/VQtThreadMark.h"

namespace {
constexpr unsigned long kWakeMs = 20;
// Frame buffers kept from one recording to the next: what an encoder that keeps up needs.
constexpr int kWarmBuffers = 4;
constexpr long kFatMagic = 0x4d44; // FAT file systems keep files below 4 GiB

QByteArray folderOf(const QString& path) {
    return QFile::encodeName(QFileInfo(path).absolutePath());
}

// Free bytes for an unprivileged writer in the folder of `path`; UINT64_MAX when unknown.
uint64_t freeBytes(const QString& path) {
    struct statvfs fs;
    if (::statvfs(folderOf(path).constData(), &fs) != 0)
        return UINT64_MAX;
    return uint64_t(fs.f_bavail) * uint64_t(fs.f_frsize);
}

// The largest file the folder's file system and the process's file size limit allow.
uint64_t fileSizeLimit(const QString& path) {
    uint64_t limit = UINT64_MAX;
    struct statfs fs;
    if (::statfs(folderOf(path).constData(), &fs) == 0 && long(fs.f_type) == kFatMagic)
        limit = (uint64_t(1) << 32) - 1;
    struct rlimit rl;
    if (::getrlimit(RLIMIT_FSIZE, &rl) == 0 && rl.rlim_cur != RLIM_INFINITY)
        limit = std::min<uint64_t>(limit, uint64_t(rl.rlim_cur));
    return limit;
}
} // namespace

VQtVideoX264::VQtVideoX264(QObject* parent) : QThread(parent) {}

VQtVideoX264::~VQtVideoX264() {
    closeX264();
}

double VQtVideoX264::recordingFrameRate(bool debugMode, double measuredRate, int settingRate) {
    if (debugMode)
        return std::isfinite(measuredRate) ? std::max(1.0, measuredRate) : 1.0;
    return double(std::max(1, settingRate));
}

QString VQtVideoX264::getCurrentFileName() {
    QString base = m_fileName;
    if (base.endsWith(QLatin1String(".h264"), Qt::CaseInsensitive))
        base.chop(5);
    QString name;
    do {
        ++m_fileIndex;
        name = base + QStringLiteral("_%1.h264").arg(m_fileIndex);
    } while (QFileInfo::exists(name));
    return name;
}

bool VQtVideoX264::openX264(const QString& path, const VQtImageParam& param, double frameRate) {
    if (isRunning() && m_recording) {
        emit signalOutputInfo(tr("Failed to create video file %1: a recording is running").arg(path), 2);
        return false;
    }
    m_fileName = path;
    m_fileIndex = 0;
    return createX264(path, frameRate, param);
}

bool VQtVideoX264::addX264(int code) {
    if (QThread::currentThread() == this)
        return false;
    join();
    // A file that took no frame at all would be followed by another one just like it.
    if ((code == VQT_VIDEO_FILE_TOO_LARGE || code == VQT_VIDEO_WRITE_FAILED) && m_written == 0) {
        emit signalOutputInfo(tr("No frame could be written to %1; the recording stops").arg(m_currentPath),
                              2);
        return false;
    }
    double rate = m_frameRate;
    if (code == VQT_VIDEO_OUT_OF_MEMORY)
        rate = std::max(1.0, rate / 2.0);
    return createX264(getCurrentFileName(), rate, m_param);
}

void VQtVideoX264::failCreate(const QString& path, const QString& reason) {
    emit signalOutputInfo(tr("Failed to create video file %1: %2").arg(path, reason), 2);
}

bool VQtVideoX264::createX264(const QString& path, double frameRate, const VQtImageParam& param) {
    if (QThread::currentThread() == this)
        return false;
    if (isRunning() && m_recording) {
        failCreate(path, tr("a recording is running"));
        return false;
    }
    join();
    const double rate = std::isfinite(frameRate) && frameRate > 0.0 ? frameRate : 1.0;
    QString reason;
    if (!m_converter.setup(param, g_sysPrm.general.BayerInterMethod, m_sampleShift, &reason)) {
        failCreate(path, reason);
        return false;
    }
    // Room for a few frames at least; a full disk would only give a string of empty files.
    const uint64_t picture = uint64_t(m_converter.width()) * uint64_t(m_converter.height()) * 3 / 2;
    const uint64_t room = freeBytes(path);
    if (room < 2 * picture + (1u << 20)) {
        failCreate(path, tr("the disk holding it has only %1 KiB free").arg(room / 1024));
        return false;
    }
    if (!m_encoder.open(m_converter.width(), m_converter.height(), rate, m_converter.isGrey())) {
        failCreate(path, m_encoder.errorString());
        return false;
    }
    // Synced at the end: a recording is worth the wait for the disk.
    auto file = std::make_unique<VQtSafeFile>(path, VQtSafeFile::Durable);
    if (!file->open()) {
        m_encoder.close();
        emit signalOutputInfo(tr("Failed to create video file: %1").arg(file->errorString()), 2);
        return false;
    }
    m_file = std::move(file);
    m_sizeLimit = fileSizeLimit(path);
    m_currentPath = path;
    m_frameRate = rate;
    m_param = param;
    m_status = VQT_VIDEO_SAVED;
    m_accepted = 0;
    m_skipped = 0;
    m_pacingTold = false;
    m_written = 0;
    m_frameTimer = std::chrono::steady_clock::now();
    m_recording = true;
    emit signalOutputInfo(tr("Recording %1 at %2 frames per second").arg(path).arg(rate), 0);
    start();
    return true;
}

VQtVideoX264::Take VQtVideoX264::takeFrame() {
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_frameTimer).count();
    const double allowed = m_recordAll ? HUGE_VAL : elapsed * m_frameRate;
    const uint32_t limit = m_frameLimit ? m_frameLimit.load() : UINT32_MAX;
    // Several callback threads may offer at once: the count decides, not the order of arrival.
    uint32_t taken = m_accepted;
    do {
        if (taken >= limit)
            return Take::Full;
        if (double(taken) > allowed)
            return Take::Paced;
    } while (!m_accepted.compare_exchange_weak(taken, taken + 1));
    return Take::Taken;
}

bool VQtVideoX264::addBuffer(const void* data, uint64_t length, uint64_t offset) {
    m_dataOffset = offset;
    // Counted from before the checks until the frame is queued, so that the thread's last
    // pass (see run) waits for a frame that got past the checks before the stop.
    ++m_adding;
    const bool taken = offer(data, length);
    --m_adding;
    return taken;
}

bool VQtVideoX264::offer(const void* data, uint64_t length) {
    if (!m_recording || m_status != VQT_VIDEO_SAVED)
        return false;
    const int memory = m_memoryProbe ? m_memoryProbe() : VQtMemoryInfo::usePercent();
    int expected = VQT_VIDEO_SAVED;
    if (memory > kMemoryLimitPercent) {
        m_status.compare_exchange_strong(expected, VQT_VIDEO_OUT_OF_MEMORY);
        m_queue.wake();
        return false;
    }
    const Take take = takeFrame();
    if (take == Take::Full)
        return false;
    if (take == Take::Paced) {
        ++m_skipped;
        if (!m_pacingTold.exchange(true))
            emit signalOutputInfo(tr("Frames arrive faster than %1 per second: the frames in between are "
                                     "left out of %2")
                                      .arg(m_frameRate)
                                      .arg(m_currentPath),
                                  0);
        return false;
    }
    if (!m_queue.push(data, length, m_param)) {
        m_status.compare_exchange_strong(expected, VQT_VIDEO_OUT_OF_MEMORY);
        m_queue.wake();
        return false;
    }
    return true;
}

void VQtVideoX264::reportFallingBehind() {
    if (m_behindTold)
        return;
    const int waiting = m_queue.size();
    if (waiting < std::max(8, int(2.0 * m_frameRate)))
        return;
    m_behindTold = true;
    emit signalOutputInfo(tr("The encoder is falling behind: %1 frames wait to be recorded into %2")
                              .arg(waiting)
                              .arg(m_currentPath),
                          1);
}

bool VQtVideoX264::roomForNextFrame() const {
    if (m_sizeLimit == UINT64_MAX || m_written == 0)
        return true;
    const uint64_t picture = uint64_t(m_encoder.codedWidth()) * uint64_t(m_encoder.codedHeight()) * 3 / 2;
    const uint64_t margin = std::max(picture, 2 * m_largestFrame) + 4096;
    return m_file->size() + margin <= m_sizeLimit;
}

bool VQtVideoX264::writeBytes(const uint8_t* data, int bytes) {
    // Each frame reaches the file whole before it counts.
    if (!m_file->write(data, uint64_t(bytes)) || !m_file->flush()) {
        m_status = VQT_VIDEO_WRITE_FAILED;
        emit signalOutputInfo(m_file->errorString(), 2);
        return false;
    }
    m_largestFrame = std::max<uint64_t>(m_largestFrame, uint64_t(bytes));
    ++m_written;
    return true;
}

bool VQtVideoX264::encodeFrame(VQtPsCricleBuffer* frame) {
    VQtX264Encoder::Picture picture;
    QString reason;
    if (!m_converter.convert(frame, m_dataOffset, &picture, &reason)) {
        // One bad frame (a damaged JPEG, say) leaves a gap, not the end of the recording.
        if (m_unconverted++ == 0)
            emit signalOutputInfo(tr("A frame could not be recorded into %1: %2").arg(m_currentPath, reason),
                                  1);
        return true;
    }
    const uint8_t* data = nullptr;
    const int bytes = m_encoder.encode(picture, &data);
    if (bytes < 0) {
        m_status = VQT_VIDEO_WRITE_FAILED;
        emit signalOutputInfo(
            tr("Failed to encode a frame of %1: %2").arg(m_currentPath, m_encoder.errorString()), 2);
        return false;
    }
    return bytes == 0 || writeBytes(data, bytes);
}

bool VQtVideoX264::encodeQueued() {
    reportFallingBehind();
    while (VQtPsCricleBuffer* frame = m_queue.pop()) {
        if (!roomForNextFrame()) {
            // This frame and the ones behind it wait for the next file.
            m_queue.putBack(frame);
            m_status = VQT_VIDEO_FILE_TOO_LARGE;
            emit signalOutputInfo(
                tr("%1 holds %2 MiB, close to the largest file this disk or this program may "
                   "write")
                    .arg(m_currentPath)
                    .arg(m_file->size() >> 20),
                1);
            return false;
        }
        const bool ok = encodeFrame(frame);
        m_queue.recycle(frame);
        if (!ok)
            return false;
    }
    return true;
}

void VQtVideoX264::finishFile() {
    if (!m_file)
        return;
    // Frames the encoder still holds belong to this file.
    while (!m_file->hasFailed() && m_encoder.delayedFrames() > 0) {
        const uint8_t* data = nullptr;
        const int bytes = m_encoder.flush(&data);
        if (bytes < 0) {
            m_status = VQT_VIDEO_WRITE_FAILED;
            emit signalOutputInfo(
                tr("Failed to encode a frame of %1: %2").arg(m_currentPath, m_encoder.errorString()), 2);
            break;
        }
        if (bytes > 0 && !writeBytes(data, bytes))
            break;
    }
    m_encoder.close();
    if (m_written == 0) {
        m_file->abort();
        emit signalOutputInfo(
            tr("No frame was recorded into %1, so the file was not made").arg(m_currentPath), 1);
    } else if (!m_file->commitWritten()) {
        if (m_status == VQT_VIDEO_SAVED || m_status == VQT_VIDEO_OUT_OF_MEMORY) {
            m_status = VQT_VIDEO_WRITE_FAILED;
            emit signalOutputInfo(m_file->errorString(), 2);
        }
    } else {
        emit signalOutputInfo(tr("%1 holds %2 frames").arg(m_currentPath).arg(m_written), 0);
    }
    m_file.reset();
}

void VQtVideoX264::run() {
    const VQtThreadMark::EndMark endMark(this);
    m_unconverted = 0;
    m_largestFrame = 0;
    m_behindTold = false;
    emit signalVideoErrorCode(VQT_VIDEO_STARTED);
    bool fileOk = true;
    while (fileOk && m_recording && m_status == VQT_VIDEO_SAVED) {
        m_queue.waitForFrame(kWakeMs);
        fileOk = encodeQueued();
    }
    // A stop or a memory event: what was queued before it still goes into this file.
    while (m_adding > 0)
        QThread::yieldCurrentThread();
    if (fileOk)
        encodeQueued();
    finishFile();
    m_recording = false;
    const int code = m_status;
    if (code == VQT_VIDEO_SAVED || code == VQT_VIDEO_OUT_OF_MEMORY)
        m_queue.clear();
    if (m_skipped > 0)
        emit signalOutputInfo(
            tr("%1 frames were left out to keep %2 frames per second").arg(m_skipped).arg(m_frameRate), 0);
    if (m_unconverted > 0)
        emit signalOutputInfo(tr("%1 frames could not be converted and are missing from %2")
                                  .arg(m_unconverted)
                                  .arg(m_currentPath),
                              1);
    emit signalVideoErrorCode(code);
}

void VQtVideoX264::join() {
    wait();
    VQtThreadMark::seen(this);
}

void VQtVideoX264::closeX264() {
    m_recording = false;
    if (QThread::currentThread() == this)
        return;
    m_queue.wake();
    join();
    clearX264();
}

void VQtVideoX264::clearX264() {
    if (m_file) {
        m_file->abort();
        m_file.reset();
    }
    m_encoder.close();
    m_queue.clear();
    m_queue.releaseKept(kWarmBuffers);
}
