#pragma once

// Records acquired frames into H.264 elementary-stream files (".h264") on its own thread.
//
// The acquisition stream hands it every frame while recording (addBuffer, from the library's
// callback threads); it copies the frame into its queue at once, and its thread converts the
// queued frames oldest first, encodes them and appends them to the file. Unless `recordAll` is
// set, frames are paced to the recording's frame rate: a frame is taken only when no more frames
// were taken than the elapsed time holds at that rate.
//
// A recording ends by closeX264 (the stream stops: the user, a removed device, the program
// closing) or by an event with its status code: 2 memory above 90 percent, 3 the file reached
// the largest size its disk or the process allows, 4 a write failed. Every frame queued before
// the end is encoded and the file is closed whole: named only when complete, every frame that
// reached the disk kept even after a failed write. After 3 and 4 frames still queued stay for
// the next numbered file ("NAME_1.h264", "NAME_2.h264", ...), which the stream starts with
// addX264 when it keeps recording; closeX264 drops them.
//
// Signals come from the recorder's thread (and, for the pacing notice, from the caller of
// addBuffer): connect them queued to objects of other threads.

#include <QString>
#include <QThread>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

#include "acquisition/VQtFrameQueue.h"
#include "acquisition/VQtImageParam.h"
#include "acquisition/VQtVideoFrameConverter.h"
#include "acquisition/VQtVideoSink.h"
#include "acquisition/VQtX264Encoder.h"

class VQtSafeFile;

// Status codes of signalVideoErrorCode.
enum VQtVideoErrorType {
    VQT_VIDEO_STARTED = 0,
    VQT_VIDEO_SAVED = 1,
    VQT_VIDEO_OUT_OF_MEMORY = 2,
    VQT_VIDEO_FILE_TOO_LARGE = 3,
    VQT_VIDEO_WRITE_FAILED = 4
};

class VQtVideoX264 : public QThread, public VQtVideoSink {
    Q_OBJECT
public:
    // Memory use above which no frame is taken and the recording ends with code 2.
    static constexpr int kMemoryLimitPercent = 90;

    explicit VQtVideoX264(QObject* parent = nullptr);
    ~VQtVideoX264() override; // closes a running recording

    // Stream side. openX264 starts a recording into `path` (numbered files follow it);
    // addX264 continues in the next numbered file after status `code` (half the frame rate
    // after 2, never below 1). Both return false, with a logged reason, when no file could be
    // started. Never call them from the recorder's own thread.
    bool openX264(const QString& path, const VQtImageParam& param, double frameRate);
    bool addX264(int code);
    // Opens the encoder and the output file for frames of `param` and starts the thread.
    bool createX264(const QString& path, double frameRate, const VQtImageParam& param);
    // Queues a copy of a frame (bytes from `offset` form the picture). False when the frame was
    // not taken: not recording, paced away, or memory above the limit.
    bool addBuffer(const void* data, uint64_t length, uint64_t offset) override;
    // Ends the recording: every queued frame is encoded and the file closed; returns when done.
    void closeX264() override;
    bool isSavingX264() const override { return m_recording; }

    // The next numbered file: the user's path less ".h264", "_N.h264" with N one above the
    // last, raised while such a file exists.
    QString getCurrentFileName();

    // The frame rate a recording uses: in debug mode the stream's measured rate (at least 1),
    // otherwise the "VideoFrameRate" setting.
    static double recordingFrameRate(bool debugMode, double measuredRate, int settingRate);

    void setRecordAll(bool on) { m_recordAll = on; }
    // Frames a recording takes at most (0: no limit); later frames are refused, not counted
    // as paced away. For recordings of a set length.
    void setFrameLimit(uint32_t frames) { m_frameLimit = frames; }
    void setDebugMode(bool on) { m_debugMode = on; }
    // Lowest shown bit of deeper samples, as the picture's 8-bit window; -1 (the default) for
    // the top eight significant bits.
    void setSampleShift(int shift) { m_sampleShift = shift; }
    // Memory use in percent; the machine's figure when not set (tests fix it).
    void setMemoryProbe(std::function<int()> probe) { m_memoryProbe = std::move(probe); }

    int status() const { return m_status; }
    QString fileName() const { return m_fileName; }
    QString currentFile() const { return m_currentPath; }
    double frameRate() const { return m_frameRate; }
    uint32_t acceptedFrames() const { return m_accepted; }
    uint32_t writtenFrames() const { return m_written; }
    uint32_t skippedFrames() const { return m_skipped; }
    int queueLength() { return m_queue.size(); }

signals:
    void signalVideoErrorCode(int code);
    void signalOutputInfo(const QString& text, int level);

protected:
    void run() override;

private:
    bool offer(const void* data, uint64_t length);
    enum class Take { Taken, Paced, Full };
    Take takeFrame();
    bool encodeQueued();
    bool encodeFrame(VQtPsCricleBuffer* frame);
    bool writeBytes(const uint8_t* data, int bytes);
    bool roomForNextFrame() const;
    void finishFile();
    void clearX264();
    void failCreate(const QString& path, const QString& reason);
    void reportFallingBehind();
    void join(); // waits for the thread to end

    VQtFrameQueue m_queue;
    // Owned by the thread while it runs, set up by createX264 before it starts.
    VQtX264Encoder m_encoder;
    VQtVideoFrameConverter m_converter;
    std::unique_ptr<VQtSafeFile> m_file;

    QString m_fileName;    // the path the user chose
    QString m_currentPath; // the file being written
    VQtImageParam m_param;
    double m_frameRate = 1.0;
    uint32_t m_fileIndex = 0;
    std::atomic<bool> m_recordAll{false};
    std::atomic<uint32_t> m_frameLimit{0};
    std::atomic<bool> m_recording{false};
    std::atomic<int> m_status{VQT_VIDEO_SAVED};
    std::atomic<bool> m_debugMode{false};
    std::atomic<int> m_sampleShift{-1};
    std::atomic<uint64_t> m_dataOffset{0};
    std::chrono::steady_clock::time_point m_frameTimer;
    std::atomic<uint32_t> m_accepted{0};
    std::atomic<uint32_t> m_skipped{0};
    std::atomic<bool> m_pacingTold{false};
    std::atomic<int> m_adding{0}; // addBuffer calls between their checks and their queueing
    std::function<int()> m_memoryProbe;

    // Thread side.
    std::atomic<uint32_t> m_written{0}; // frames in the current file
    uint32_t m_unconverted = 0;         // frames that could not be converted
    uint64_t m_sizeLimit = UINT64_MAX;  // bytes the current file may hold
    uint64_t m_largestFrame = 0;        // bytes of the largest encoded frame so far
    bool m_behindTold = false;
};
