#include "acquisition/VQtDeviceStream.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <exception>
#include <pthread.h>
#include <sched.h>

#include "acquisition/VQtFrameLayout.h"
#include "acquisition/VQtImageThread.h"
#include "acquisition/VQtPictureTarget.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "acquisition/VQtRateCounter.h"
#include "acquisition/VQtVideoSink.h"
#include "acquisition/VQtVideoX264.h"
#include "core/VQtImageLock.h"
#include "core/VQtSystemParam.h"
#include "core/VQtThreadMark.h"
#include "device/VQtDevice.h"
#include "imageproc/VQtIplImage.h"
#include "imageproc/VQtPixelCapture.h"
#include "imageproc/VQtPixelShift.h"

namespace {
constexpr int kIdleMs = 10;             // display loop sleep while no frame waits
constexpr int kIdlePassesForRates = 11; // idle passes between rate refreshes without frames
constexpr int kRatePeriodMs = 200;
constexpr int kStopDeadlineMs = 30000;

int64_t nowNs() {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

VQtDeviceStream::VQtDeviceStream(QObject* parent)
    : QThread(parent), m_frame(std::make_unique<VQtPsCricleBuffer>()),
      m_burstImage(std::make_unique<VQtIplImage>()) {
    m_imageThread = new VQtImageThread(this);
    connect(m_imageThread, &VQtImageThread::signalOutputInfo, this, &VQtDeviceStream::signalOutputInfo);
    connect(m_imageThread, &VQtImageThread::signalSaveImageStatus, this,
            &VQtDeviceStream::signalSaveImageStatus);
    m_videoThread = new VQtVideoX264(this);
    m_video = m_videoThread;
    connect(m_videoThread, &VQtVideoX264::signalOutputInfo, this, &VQtDeviceStream::signalOutputInfo);
    connect(m_videoThread, &VQtVideoX264::signalVideoErrorCode, this, &VQtDeviceStream::signalVideoErrorCode);
    // A stop reported on a library thread is carried out on the owner's thread.
    connect(this, &VQtDeviceStream::signalGrabStop, this, &VQtDeviceStream::slotGrabStop,
            Qt::QueuedConnection);
}

VQtDeviceStream::~VQtDeviceStream() {
    // Whoever listens may be half destroyed already (the window owning the stream).
    blockSignals(true);
    slotGrabStop();
    m_imageThread->stop();
    m_videoThread->closeX264();
    wait();
    VQtThreadMark::seen(this);
}

void VQtDeviceStream::setWidget(VQtPictureTarget* main, VQtPictureTarget* second) {
    m_main = main;
    m_second = second;
}

VQtImageParam VQtDeviceStream::getImageParam() const {
    return m_param;
}

bool VQtDeviceStream::hasFrame() const {
    return m_frame && m_frame->getBufferSize() > 0;
}

void VQtDeviceStream::initPrm(bool full) {
    if (full) {
        m_param = VQtImageParam();
        m_extendDataCount = -1;
    }
    m_frameCounter = 0;
    m_lastIndex = -1;
    m_lastBlockId = 0;
    m_resendPackets = 0;
    m_lostPackets = 0;
    m_resendTimeouts = 0;
    m_cc1Count = 0;
    m_lostEvents = 0;
    m_lostGaps = 0;
    m_libraryDone = false;
    m_incompleteFrames = 0;
    m_timeouts = 0;
    m_ignored = 0;
    m_displayed = 0;
    m_thinned = 0;
    m_saved = 0;
    m_burstFrames = 0;
    m_lastLatencyNs = 0;
    {
        std::lock_guard<std::mutex> l(m_wakeMutex);
        m_newFrame = false;
    }
    m_frame->lock();
    m_writtenNumber = 0;
    m_shownNumber = 0;
    m_frame->unlock();
    m_callbackMode = NormalMode;
    m_displacementAlt = 0;
    m_displacementFactor = 4;
    m_extract.restart();
    emit signalUpdateGrabPrm();
}

VQtStreamFigures VQtDeviceStream::getFigures() const {
    VQtStreamFigures f;
    f.frameRate = m_frameRate.load();
    f.lineRate = m_lineRate.load();
    f.refreshRate = m_refreshRate.load();
    f.frames = m_frameCounter.load();
    f.displayed = m_displayed.load();
    f.thinned = m_thinned.load();
    f.saved = m_saved.load();
    f.lostFrames = std::max(m_lostEvents.load(), m_lostGaps.load());
    f.incompleteFrames = m_incompleteFrames.load();
    f.timeouts = m_timeouts.load();
    f.ignoredFrames = m_ignored.load();
    f.cc1Count = m_cc1Count.load();
    f.resendPackets = m_resendPackets.load();
    f.lostPackets = m_lostPackets.load();
    f.resendTimeouts = m_resendTimeouts.load();
    f.lastLatencyNs = m_lastLatencyNs.load();
    return f;
}

void VQtDeviceStream::setPacketCounters(uint64_t resend, uint64_t lost, uint64_t timeouts) {
    m_resendPackets = resend;
    m_lostPackets = lost;
    m_resendTimeouts = timeouts;
}

bool VQtDeviceStream::isCopyBuffer() {
    return m_extract.pass(VQtFrameThinning::nowMs());
}

// ---------------------------------------------------------------------------------------------
// Start and stop (owner thread)
// ---------------------------------------------------------------------------------------------

void VQtDeviceStream::slotGrabOnce() {
    startGrab(false);
}

void VQtDeviceStream::slotGrabContinuous() {
    startGrab(true);
}

void VQtDeviceStream::reStartGrab() {
    const bool continuous = m_continuous.load();
    slotGrabStop();
    startGrab(continuous);
}

bool VQtDeviceStream::startGrab(bool continuous) {
    if (m_grabbing.load())
        return true;
    VQtDevice* dev = g_pDev;
    if (!dev || !dev->isOpen()) {
        emit signalOutputInfo(tr("Please open the device!"), 1);
        return false;
    }
    m_continuous = continuous;
    initPrm(true);
    m_dev = dev;
    m_deviceType = int(dev->getType());
    m_board = dev->isOpenAcq();
    m_acqHandle = dev->getAcqHandle();
    m_remoteHandle = dev->getRemoteHandle();
    m_callbackMode = m_requestedMode;
    // Settings the callbacks use, taken once: the user may change them while frames arrive.
    const VQtGeneralParam general = g_sysPrm.general;
    m_extract.configure(general.ExtractFrame, general.ExtractFrameTime);
    m_extract.restart();
    m_showIncomplete = general.ShowUncompleteFrame;
    m_rgbConversion = general.RGBConversion;

    bool started = false;
    try {
        started = m_board ? startAcqGrab(continuous ? 0 : 1) : startRemoteGrab(continuous ? -1 : 1);
    } catch (const std::exception& e) {
        emit signalOutputInfo(tr("Starting the grab failed: %1").arg(QString::fromLocal8Bit(e.what())), 2);
    } catch (...) {
        emit signalOutputInfo(tr("Starting the grab failed: %1").arg(tr("unknown error")), 2);
    }
    if (!started) {
        releaseBuffer();
        m_dev = nullptr;
        emit signalUpdateDevGrabStatus();
        return false;
    }
    m_grabbing = true;
    m_running = true;
    {
        std::lock_guard<std::mutex> l(m_wakeMutex);
        m_loopDone = false;
    }
    emit signalUpdateDevGrabStatus();
    start();
    return true;
}

void VQtDeviceStream::slotGrabStop() {
    if (!m_grabbing.exchange(false)) {
        emit signalUpdateDevGrabStatus();
        return;
    }
    // The device first: no new frame starts. Only the adapter that started the grab is told,
    // and only while it is still the current device.
    if (m_dev && m_dev == g_pDev)
        m_dev->stop();
    else if (m_board && m_acqHandle != VION_INVALID_HANDLE)
        VionStopGrab(m_acqHandle);
    else if (m_stream)
        OxaStreamStop(m_stream);
    m_running = false;
    wake();
    m_imageThread->stop();
    if (m_video && m_video->isSavingX264())
        m_video->closeX264();
    {
        // The loop ends within one idle step; the deadline only guards against a hung library.
        std::unique_lock<std::mutex> l(m_wakeMutex);
        if (!m_doneCondition.wait_for(l, std::chrono::milliseconds(kStopDeadlineMs),
                                      [this] { return m_loopDone; }))
            emit signalOutputInfo(tr("The display loop did not end in time"), 2);
    }
    wait();
    VQtThreadMark::seen(this);
    releaseBuffer();
    m_dev = nullptr;
    m_frameRate = 0.0f;
    m_lineRate = 0.0f;
    m_refreshRate = 0.0f;
    emit signalUpdateDevGrabStatus();
    emit signalUpdateGrabPrm();
}

bool VQtDeviceStream::flushFrameBuffer(uint64_t bytes, bool share) {
    if (m_frame->flush(bytes, share))
        return true;
    //: 申请内存失败
    emit signalOutputInfo(tr("Apply memory failure"), 2);
    return false;
}

// Shapes the main picture (and the thumbnail picture) for the frames to come.
bool VQtDeviceStream::createImage() {
    const int depth = m_param.storageBits > 8 ? 16 : 8;
    int width = int(m_param.width), height = int(m_param.height), channels = int(m_param.channels);
    if (m_callbackMode == PixelDisplacementMode) {
        const bool colour = m_param.imageType == VQT_FRAME_BAYER;
        if (m_displacementFactor == 16 || !colour) {
            width *= 2;
            height *= 2;
        }
        channels = colour || m_displacementFactor == 16 ? 3 : 1;
    }
    if (m_main) {
        VQtImageWriteLocker l(&m_main->getImageLock());
        if (!m_main->createImage(width, height, depth, channels)) {
            emit signalOutputInfo(tr("Failed to allocate memory for a %1 x %2 frame").arg(width).arg(height),
                                  2);
            return false;
        }
    }
    if (m_main) {
        const bool mosaic = m_param.imageType == VQT_FRAME_BAYER && m_callbackMode != PixelDisplacementMode;
        m_main->setFrameFormat(mosaic ? int(m_param.bayerPattern) : 0, int(m_param.bitDepth));
        // Here, on the owner's thread, the picture fits itself to a new frame size; the display
        // loop only asks for redraws.
        m_main->updateEntireImage();
    }
    if (m_second && m_thumbnailFactor > 1) {
        const int f = int(m_thumbnailFactor);
        VQtImageWriteLocker l(&m_second->getImageLock());
        if (!m_second->createImage(qMax(1, width / f), qMax(1, height / f), depth, channels))
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Callback helpers (library threads)
// ---------------------------------------------------------------------------------------------

void VQtDeviceStream::wake() {
    m_wakeCondition.notify_one();
}

// Called on the library's thread when the grab ended by itself, before the library lets its
// buffers go: the frame at hand moves into our own memory, and nothing is given back any more.
void VQtDeviceStream::grabEnded() {
    m_libraryDone = true;
    m_frame->switchBuffer();
    //: 采集停止
    logEvent(tr("Grab stop"), 0);
    emit signalGrabStop();
}

void VQtDeviceStream::countTimeout() {
    ++m_timeouts;
    ++m_resendTimeouts;
    //: 采集超时
    logEvent(tr("Grab timeout"), 1);
}

void VQtDeviceStream::logEvent(const QString& text, int level) {
    emit signalOutputInfo(text, level);
}

void VQtDeviceStream::callbackFailed(const char* where, const char* what) {
    try {
        emit signalOutputInfo(tr("%1 failed: %2").arg(QLatin1String(where), QString::fromLocal8Bit(what)), 2);
    } catch (...) {
        // Out of memory even for the line: nothing more can be done on this thread.
    }
}

void VQtDeviceStream::takeFrame(const uint8_t* data, uint64_t length, bool copy, bool incomplete) {
    const uint64_t number = m_frameCounter.load(std::memory_order_relaxed) + 1;
    if (copy) {
        const int64_t arrived = nowNs();
        m_frame->lock();
        m_frame->write(data, length, incomplete);
        const bool superseded = m_writtenNumber != m_shownNumber;
        m_writtenNumber = number;
        m_writtenAtNs = arrived;
        m_frame->unlock();
        if (superseded)
            ++m_thinned; // a newer frame came before the display took the last one
        {
            std::lock_guard<std::mutex> l(m_wakeMutex);
            m_newFrame = true;
        }
        wake();
    } else {
        m_frame->switchBuffer();
        ++m_thinned;
    }
    releasePreBuffer();
    handOff(data, length);
}

void VQtDeviceStream::handOff(const uint8_t* data, uint64_t length) {
    if (m_imageThread->isAddSaving()) {
        m_imageThread->addBuffer(data, length, m_dataOffset);
        ++m_saved;
    }
    if (m_video && m_video->isSavingX264())
        m_video->addBuffer(data, m_frameBytes, m_dataOffset);
}

// ---------------------------------------------------------------------------------------------
// Display loop (stream thread)
// ---------------------------------------------------------------------------------------------

void VQtDeviceStream::run() {
    const VQtThreadMark::EndMark endMark(this);
    try {
        displayLoop();
    } catch (const std::exception& e) {
        callbackFailed("Display loop", e.what());
    } catch (...) {
        callbackFailed("Display loop", "unknown error");
    }
    // Told under the lock: the stopping owner may destroy the stream as soon as it sees this.
    std::lock_guard<std::mutex> l(m_wakeMutex);
    m_loopDone = true;
    m_doneCondition.notify_all();
}

void VQtDeviceStream::displayLoop() {
    if (m_affinity) {
        cpu_set_t set;
        CPU_ZERO(&set);
        for (unsigned cpu = 0; cpu < 32; ++cpu)
            if (m_affinity & (1u << cpu))
                CPU_SET(cpu, &set);
        pthread_setaffinity_np(pthread_self(), sizeof(set), &set);
    }
    // A single grab's frame is awaited like any other, asleep until a frame or the stop wakes
    // the loop: the device's own wait would write the adapter's status from this thread.
    VQtRateCounter refresh(kRatePeriodMs);
    refresh.restart(VQtFrameThinning::nowMs());
    int idle = 0;
    while (m_running.load()) {
        bool frame;
        {
            std::unique_lock<std::mutex> l(m_wakeMutex);
            if (!m_newFrame)
                m_wakeCondition.wait_for(l, std::chrono::milliseconds(kIdleMs),
                                         [this] { return m_newFrame || !m_running.load(); });
            frame = m_newFrame;
            m_newFrame = false;
        }
        if (frame && m_main) {
            idle = 0;
            udpateImage();
            if (refresh.add(VQtFrameThinning::nowMs())) {
                m_refreshRate = refresh.rate();
                updateFrameRate();
                emit signalUpdateCameraStatus();
                emit signalUpdateGrabPrm();
            }
        } else if (++idle >= kIdlePassesForRates) {
            idle = 0;
            refresh.add(VQtFrameThinning::nowMs(), 0);
            m_refreshRate = refresh.rate();
            updateFrameRate();
            emit signalUpdateGrabPrm();
        }
    }
    m_frame->switchBuffer();
    if (m_callbackMode != PixelDisplacementMode && m_main)
        udpateImage();
}

void VQtDeviceStream::udpateImage() {
    if (m_callbackMode == PixelDisplacementMode) {
        // The burst in the frame buffer becomes one picture of the finer scene.
        bool done = false;
        {
            VQtImageWriteLocker l(&m_main->getImageLock());
            m_frame->lock();
            if (m_writtenNumber != m_shownNumber) {
                done = synthesizeBurst(m_main->getEntireImage());
                m_shownNumber = m_writtenNumber;
            }
            m_frame->unlock();
        }
        if (done) {
            m_displayed += m_displacementFactor;
            m_main->updateEntireImage();
        }
        return;
    }
    if (m_second && m_thumbnailFactor > 1) {
        {
            VQtImageWriteLocker l(&m_second->getImageLock());
            VQtIplImage* thumb = m_second->getEntireImage();
            if (thumb && thumb->getAddress())
                m_frame->readThumbnail(thumb->getAddress(), thumb->size, m_thumbnailOffset);
        }
        m_second->updateEntireImage();
    }
    bool fresh = false;
    bool capture = false;
    {
        VQtImageWriteLocker l(&m_main->getImageLock());
        VQtIplImage* image = m_main->getEntireImage();
        m_frame->lock();
        if (image && image->getAddress() && m_frame->read(image->getAddress(), image->size, m_dataOffset)) {
            fresh = m_writtenNumber != m_shownNumber;
            if (fresh) {
                m_lastLatencyNs = nowNs() - m_writtenAtNs;
                m_shownNumber = m_writtenNumber;
            }
        }
        m_frame->unlock();
        capture = fresh && VQtPsCricleBuffer::isRecording() && pixelCapture(image, nullptr);
    }
    if (fresh)
        ++m_displayed;
    m_main->updateEntireImage();
    if (capture) {
        // The pixel-capture tool found its frame: keep it and stop the device.
        m_running = false;
        m_frame->recordBufferToBuffer();
        emit signalCaptureSuccess();
        emit signalGrabStop();
    }
}

void VQtDeviceStream::updateFrameRate() {
    if (m_board) {
        float frame = 0.0f, line = 0.0f;
        if (VionGetFrameRate(m_acqHandle, &frame, &line) == VION_OK)
            m_lineRate = line;
        return;
    }
    float frame = 0.0f, line = 0.0f;
    uint32_t size = sizeof(frame);
    if (!m_stream ||
        OxaStreamGetPrm(m_stream, OXA_STREAM_PRM_FRAME_RATE, &frame, &size) != OXA_STATUS_SUCCESS)
        frame = 0.0f;
    size = sizeof(line);
    if (!m_stream || OxaStreamGetPrm(m_stream, OXA_STREAM_PRM_LINE_RATE, &line, &size) != OXA_STATUS_SUCCESS)
        line = 0.0f;
    m_frameRate = frame;
    m_lineRate = line;
}

// ---------------------------------------------------------------------------------------------
// Image files (owner thread)
// ---------------------------------------------------------------------------------------------

bool VQtDeviceStream::openImage(const QString& path) {
    if (m_grabbing.load()) {
        emit signalOutputInfo(tr("Stop the grab before opening an image"), 1);
        return false;
    }
    // Read into a fresh buffer so that a bad file leaves the shown frame alone.
    auto incoming = std::make_unique<VQtPsCricleBuffer>();
    if (!m_imageThread->openImage(path, incoming.get()))
        return false;
    const VQtImageParam p = incoming->getImageParam();
    if (p.width == 0 || p.height == 0) {
        emit signalOutputInfo(
            QCoreApplication::translate("VQtDeviceStream",
                                        "%1 holds an empty frame (%2 x %3 pixels): nothing to show")
                .arg(path)
                .arg(p.width)
                .arg(p.height),
            1);
        return false;
    }
    m_frame.swap(incoming);
    m_param = m_frame->getImageParam();
    m_dataOffset = 0;
    if (m_main && !showFrame(m_main))
        return false;
    return true;
}

bool VQtDeviceStream::showFrame(VQtPictureTarget* target) {
    const VQtImageParam p = m_frame->getImageParam();
    const int depth = p.storageBits > 8 ? 16 : 8;
    // The rule the file readers apply, asked again for frames from anywhere else.
    const QString problem = VQtFrameLayout::problem(p);
    if (!problem.isEmpty()) {
        emit signalOutputInfo(
            QCoreApplication::translate("VQtDeviceStream", "Cannot show the frame: %1").arg(problem), 2);
        return false;
    }
    {
        VQtImageWriteLocker l(&target->getImageLock());
        if (!target->createImage(int(p.width), int(p.height), depth, int(p.channels))) {
            emit signalOutputInfo(
                tr("Failed to allocate memory for a %1 x %2 frame").arg(p.width).arg(p.height), 2);
            return false;
        }
        VQtIplImage* image = target->getEntireImage();
        m_frame->read(image->getAddress(), image->size, m_dataOffset);
    }
    target->setFrameFormat(p.imageType == VQT_FRAME_BAYER ? int(p.bayerPattern) : 0, int(p.bitDepth));
    target->updateEntireImage();
    return true;
}

bool VQtDeviceStream::saveImage(const QString& path) {
    const VQtImageSaveParam save = g_sysPrm.save;
    // A sequence during a grab takes the frames to come, so it needs none at hand.
    if (!(m_grabbing.load() && save.sequenceMode) && !hasFrame()) {
        emit signalOutputInfo(tr("No image to save"), 1);
        return false;
    }
    if (m_callbackMode == PixelDisplacementMode && m_main) {
        // The synthesised picture is what the user sees and wants.
        VQtImageReadLocker l(&m_main->getImageLock());
        VQtIplImage* image = m_main->getEntireImage();
        if (!image || !image->getAddress())
            return false;
        VQtImageParam shown = m_param;
        shown.width = uint32_t(image->width);
        shown.height = uint32_t(image->height);
        shown.imageType = image->channels == 3 ? VQT_FRAME_BGR : VQT_FRAME_MONO;
        shown.packedType = VQT_PACKED_NONE;
        shown.sourceSwapped = shown.rgbConversion = false;
        shown.deriveLayout();
        m_imageThread->setImageParam(shown, save);
        m_imageThread->saveImage(path);
        // During a grab the bursts to come make the sequence; otherwise the picture at hand.
        if (m_grabbing.load() && save.sequenceMode)
            return true;
        const int frames = save.sequenceMode ? qMax(1, save.ImageCount) : 1;
        for (int i = 0; i < frames && m_imageThread->isAddSaving(); ++i)
            m_imageThread->addBuffer(image->getAddress(), image->size, 0);
        return true;
    }
    m_imageThread->setImageParam(m_param, save);
    m_imageThread->saveImage(path);
    if (m_grabbing.load() && save.sequenceMode)
        return true; // the frame callbacks queue the frames that follow
    // Without a running grab there are no further frames: a sequence repeats the frame at hand.
    const int frames = save.sequenceMode ? qMax(1, save.ImageCount) : 1;
    m_frame->lock();
    for (int i = 0; i < frames && m_imageThread->isAddSaving(); ++i)
        m_imageThread->addBuffer(m_frame->getBuffer(), m_frame->getBufferSize(), m_dataOffset);
    m_frame->unlock();
    return true;
}
