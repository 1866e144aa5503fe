#pragma once

#include <QString>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

#include "acquisition/VQtFrameThinning.h"
#include "acquisition/VQtImageParam.h"
#include "acquisition/VQtStreamFigures.h"
#include "device/OxaApi.h"
#include "device/VionBoardApi.h"

class VQtDevice;
class VQtImageThread;
class VQtIplImage;
class VQtPictureTarget;
class VQtPsCricleBuffer;
class VQtVideoSink;
class VQtVideoX264;

// The acquisition stream: runs one grab of the open device (g_pDev) at a time. Starting works
// out the frame format from the board's parameters or the camera's features, allocates the
// library's buffers and registers the frame and event callbacks. Each finished frame goes from
// the library's buffer into the frame buffer (in share mode by reference only), is counted, and
// is handed to the image thread while saving and to the video recorder while recording. The
// stream is itself a thread: its display loop unpacks the newest frame into the main picture's
// image and works out the frame, line and refresh rates every 200 ms.
//
// Threads: start and stop run on the owner's thread (the user interface, or vionc's main
// thread); frame and event callbacks on the library's threads; the display loop on the
// stream's own thread. A stop raised on a library thread (grab stopped, end of stream) reaches
// slotGrabStop through a queued signal. Locks, always in this order: the picture's image lock
// (for writing), then the frame buffer's lock. No exception leaves a callback or the display
// loop: each is caught there and logged at level 2.
//
// The device must stay open, and its adapter alive, until slotGrabStop has returned: whoever
// closes the device (the control worker, also when the device was unplugged) stops the stream
// first.
class VQtDeviceStream : public QThread {
    Q_OBJECT
public:
    enum CallbackMode : uint32_t { NormalMode = 0, PixelDisplacementMode = 1, CentralLineMode = 2 };

    explicit VQtDeviceStream(QObject* parent = nullptr);
    ~VQtDeviceStream() override;

    // The main picture and the second (thumbnail) picture; either may be null.
    void setWidget(VQtPictureTarget* main, VQtPictureTarget* second);
    VQtImageThread* getImageThread() const { return m_imageThread; }
    // The video recorder that gets every frame while it records (none: nothing is recorded).
    // The stream's own recorder is the sink unless another one is set.
    void setVideoSink(VQtVideoSink* sink) { m_video = sink; }
    VQtVideoX264* getVideoThread() const { return m_videoThread; }
    VQtImageParam getImageParam() const;
    VQtPsCricleBuffer* getFrameBuffer() const { return m_frame.get(); }
    uint64_t getDataOffset() const { return m_dataOffset; }
    // Bytes of one library buffer of the last grab (the frame as the device sends it).
    uint64_t getFrameBytes() const { return m_frameBytes; }
    bool hasFrame() const;
    // The user's red/blue exchange, applied to colour frames from a device; image files carry
    // their own channel order.
    void setRGBConversion(bool on) { m_rgbConversion = on; }
    bool getRGBConversion() const { return m_rgbConversion; }

    // Resets the frame format (full) and the counters of the next grab.
    void initPrm(bool full = true);
    bool isGrabbing() const { return m_grabbing.load(); }
    bool isContinuous() const { return m_continuous.load(); }
    VQtStreamFigures getFigures() const;
    // Packet counters a GigE Vision board keeps itself (read by the main window's status poll);
    // they replace what the stream counted of them.
    void setPacketCounters(uint64_t resend, uint64_t lost, uint64_t timeouts);
    // Reduction of the board's thumbnail shown in the second picture (0: none).
    uint32_t getThumbnailFactor() const { return m_thumbnailFactor; }
    // Normal, pixel displacement (sensor-shift bursts) or central line; taken by the next start.
    void setCallbackMode(uint32_t mode) { m_requestedMode = mode; }
    uint32_t getCallbackMode() const { return m_callbackMode; }
    // CPU set of the display loop (bit per core; 0 leaves it to the system).
    void setAffinity(unsigned mask) { m_affinity = mask; }
    // Frame thinning: whether a frame arriving now goes to the display.
    bool isCopyBuffer();

    // Opens an image file and shows it; a file that cannot be read or shown leaves the current
    // picture and frame untouched.
    bool openImage(const QString& path);
    // Saves the frame at hand with the current save settings (one image, or a sequence: during
    // a grab the following frames, otherwise the frame at hand repeated).
    bool saveImage(const QString& path);
    // Converts the frame buffer into a picture and asks for a redraw.
    bool showFrame(VQtPictureTarget* target);

    // Stops and starts again in the same mode.
    void reStartGrab();

    // Recording of the running grab into H.264 files (VQtDeviceStreamVideo.cpp). openX264
    // starts one into `path` at the "VideoFrameRate" setting (in debug mode at the measured
    // frame rate); addX264 continues in the next numbered file after the recorder ended with
    // `code`; both return false, with the reason logged, when no file was started.
    bool openX264(const QString& path);
    bool addX264(int code);
    void closeX264();
    bool isSavingX264() const;

public slots:
    void slotGrabOnce();
    void slotGrabContinuous();
    void slotGrabStop();

signals:
    void signalOutputInfo(const QString& text, int level);
    void signalUpdateDevGrabStatus();
    void signalUpdateGrabPrm();
    void signalUpdateCameraStatus();
    void signalSaveImageStatus(int status, const QString& files);
    void signalVideoErrorCode(int code);
    void signalCaptureSuccess();
    void signalThumbnailFactor(int factor);
    void signalGVBCompressionConflict();
    void signalGrabStop();

protected:
    void run() override;

private:
    // Starting (VQtDeviceStream.cpp, ...Board.cpp, ...Camera.cpp).
    bool startGrab(bool continuous);
    bool startAcqGrab(int32_t count);
    bool acqImageFormat();
    bool applyAcqBuffer();
    bool registerAcqEvents();
    bool startRemoteGrab(int64_t count);
    bool remoteImageFormat();
    bool takePixelShift(const VQtImageParam& p);
    bool applyRemoteBuffer();
    bool setStreamPrm();
    void registerRemoteEvents();
    bool flushFrameBuffer(uint64_t bytes, bool share);
    bool createImage();
    void releaseBuffer();
    void releasePreBuffer();

    // Library callbacks. The static functions are what the libraries call; each catches
    // everything at the boundary.
    static void onBoardEvent(VION_HANDLE board, uint32_t event, void* context);
    static void cbOnEndOfFrame(OXA_EVENT_INFO_HANDLE info, void* context);
    static void cbOnTimeOut(OXA_EVENT_INFO_HANDLE info, void* context);
    static void cbOnEndOfStream(OXA_EVENT_INFO_HANDLE info, void* context);
    static void cbOnFrameLost(OXA_EVENT_INFO_HANDLE info, void* context);
    static void cbOnImageDataError(OXA_EVENT_INFO_HANDLE info, void* context);
    void boardEvent(uint32_t event);
    void onFrameReady();
    void onFrameReadyPixleDis(const uint8_t* data, uint64_t length);
    void onFrameReadyCentralLine();
    bool synthesizeBurst(VQtIplImage* out) const;
    void onEndOfFrame(OXA_EVENT_INFO_HANDLE info);
    void checkBlockId(uint64_t blockId);
    // The frame at `data` goes to the frame buffer (copy, or only counted as thinned), then the
    // previous library buffer goes back, then the frame goes to the image thread and recorder.
    void takeFrame(const uint8_t* data, uint64_t length, bool copy, bool incomplete);
    void handOff(const uint8_t* data, uint64_t length);
    void grabEnded();
    void callbackFailed(const char* where, const char* what);
    template <typename F> void guarded(const char* where, F&& body) noexcept {
        try {
            body();
        } catch (const std::exception& e) {
            callbackFailed(where, e.what());
        } catch (...) {
            callbackFailed(where, "unknown error");
        }
    }
    void logEvent(const QString& text, int level);
    // A time-out event of the board or the camera stream: counted, shown and logged.
    void countTimeout();

    // Display loop (stream thread).
    void displayLoop();
    void udpateImage();
    void updateFrameRate();
    void wake();

    VQtImageThread* m_imageThread = nullptr;
    VQtVideoSink* m_video = nullptr;
    VQtVideoX264* m_videoThread = nullptr;
    std::unique_ptr<VQtPsCricleBuffer> m_frame;
    // A complete sensor-shift burst as one picture, for saving (callback thread only).
    std::unique_ptr<VQtIplImage> m_burstImage;

    // The grab's device and its library objects, fixed between start and stop.
    VQtDevice* m_dev = nullptr;
    bool m_board = false; // the board path (else the camera path)
    int m_deviceType = 0;
    VION_HANDLE m_acqHandle = VION_INVALID_HANDLE;
    OXA_DEV_HANDLE m_remoteHandle = nullptr;
    OXA_STREAM_HANDLE m_stream = nullptr;
    std::vector<OXA_BUFFER_HANDLE> m_buffers;
    uint32_t m_incompleteEvent = VION_EVENT_INCOMPLETE;
    uint32_t m_frameEvent = VION_EVENT_FRAME_READY;

    VQtImageParam m_param;
    uint32_t m_pixelFormat = OXA_PIXEL_MONO8;
    bool m_rgbConversion = false;
    uint64_t m_dataOffset = 0;
    uint32_t m_thumbnailFactor = 0;
    uint64_t m_thumbnailOffset = 0; // where the board's thumbnail starts in a frame
    int64_t m_extendDataCount = -1; // line-detection data of the camera, -1 when it has none

    std::atomic<uint64_t> m_frameCounter{0};
    uint64_t m_lastBlockId = 0; // callback thread only
    uint64_t m_frameBytes = 0;
    uint32_t m_bufferCount = 0;
    bool m_share = false;
    int64_t m_lastIndex = -1; // callback thread, then the owner after the callbacks are gone
    std::atomic<uint64_t> m_resendPackets{0}, m_lostPackets{0}, m_resendTimeouts{0};
    std::atomic<uint64_t> m_cc1Count{0};
    // Lost frames as the library announces them and as gaps in GigE Vision block ids show them;
    // a library may do either or both, so the larger count stands.
    std::atomic<uint64_t> m_lostEvents{0}, m_lostGaps{0}, m_incompleteFrames{0}, m_timeouts{0}, m_ignored{0};
    // The grab ended by itself (count reached, device gone): the library may free its buffers.
    std::atomic<bool> m_libraryDone{false};
    std::atomic<uint64_t> m_displayed{0}, m_thinned{0}, m_saved{0};
    std::atomic<float> m_frameRate{0.0f}, m_lineRate{0.0f}, m_refreshRate{0.0f};
    std::atomic<int64_t> m_lastLatencyNs{0};

    // Frame numbers (1-based) written to the frame buffer and last shown, with the time the
    // written one reached its callback; guarded by the frame buffer's lock.
    uint64_t m_writtenNumber = 0;
    uint64_t m_shownNumber = 0;
    int64_t m_writtenAtNs = 0;

    std::atomic<bool> m_continuous{false};
    std::atomic<bool> m_grabbing{false}; // between a successful start and the stop
    std::atomic<bool> m_running{false};  // the display loop goes on
    VQtFrameThinning m_extract;
    bool m_showIncomplete = false;

    uint32_t m_requestedMode = NormalMode;
    uint32_t m_callbackMode = NormalMode;
    uint32_t m_displacementAlt = 0;
    uint32_t m_displacementFactor = 4;
    std::atomic<uint64_t> m_burstFrames{0};

    unsigned m_affinity = 0;
    VQtPictureTarget* m_main = nullptr;
    VQtPictureTarget* m_second = nullptr;

    // Wakes the display loop at once when a frame waits (it otherwise sleeps 10 ms at a time);
    // m_loopDone tells the stopping owner that the loop has finished with every buffer.
    std::mutex m_wakeMutex;
    std::condition_variable m_wakeCondition;
    bool m_newFrame = false;
    bool m_loopDone = true;
    std::condition_variable m_doneCondition;
};
