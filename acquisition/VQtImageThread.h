#pragma once

#include <QString>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "acquisition/VQtImageParam.h"
#include "acquisition/VQtImageSaver.h"
#include "core/VQtSystemParam.h"

class VQtPsCricleBuffer;

// Writes frames to disk without holding up acquisition: producers queue copies of their
// frames with addBuffer, the thread writes them one by one as a single image or a numbered
// sequence. Also opens image files into a frame buffer and serves queued frames to the
// bad-pixel statistics.
class VQtImageThread : public QThread {
    Q_OBJECT
public:
    explicit VQtImageThread(QObject* parent = nullptr);
    ~VQtImageThread() override;

    void setImageParam(const VQtImageParam& param, const VQtImageSaveParam& saveParam);
    VQtImageParam getImageParam() const { return m_param; }
    bool saveImage(const QString& path);
    void addBuffer(const void* data, uint64_t length, uint64_t offset);
    bool isSaving() const { return m_saving; }
    bool isAddSaving() const { return m_saving && int(m_added) < wantedCount(); }
    void stop();
    // Waits at most `ms` for a run to end; false when it still runs.
    bool join(unsigned long ms);

    void startStatistics(int count);
    VQtPsCricleBuffer* getFrontPsBuffer();
    int getRemainImageCount() const { return wantedCount() - int(m_processed); }

    // Reads an image file into `buffer` (".iim", ".raw" through the raw-parameter provider,
    // or a picture format); false with a logged message on failure.
    bool openImage(const QString& path, VQtPsCricleBuffer* buffer);
    // Asked for the layout of a headerless ".raw" file: fills the parameters and the number
    // of bytes to skip; false cancels the open.
    using RawParamProvider = std::function<bool(const QString& path, VQtImageParam& param, uint64_t& start)>;
    void setRawParamProvider(RawParamProvider provider) { m_rawProvider = std::move(provider); }

    // File name of frame `index` of the current run.
    QString frameFileName(uint32_t index) const;
    static QString sequenceExtension(int imageType);

    // Memory use in percent of physical memory; the queue stops growing above 89.
    static int memoryUsePercent();
    void setMemoryProbe(std::function<int()> probe) { m_memoryProbe = std::move(probe); }
    int queueLength();
    uint32_t addedCount() const { return m_added; }
    uint32_t processedCount() const { return m_processed; }
    int pooledBuffers();

signals:
    // 1 when every wanted frame was written, -1 when the run ended early or a file could not be
    // written (each failure is logged with its path and reason). `files` names what was
    // written: the file, or the first and last of a sequence.
    void signalSaveImageStatus(int status, const QString& files);
    void signalOutputInfo(const QString& text, int level);

protected:
    void run() override;

private:
    int wantedCount() const { return m_saveParam.ImageCount; }
    VQtPsCricleBuffer* takeBuffer(uint64_t length);
    void recycle(VQtPsCricleBuffer* buffer);
    void clearImageBuffer();
    bool writeFrame(const QString& fileName, VQtPsCricleBuffer* buffer);
    void drainQueue(int wanted, bool* done);
    QString savedFiles() const;

    // Standard locks: they are shared with the library's callback threads, and the thread
    // checker sees them.
    std::deque<VQtPsCricleBuffer*> m_queue;
    std::mutex m_queueLock;
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    QString m_savePath;
    std::atomic<bool> m_saving{false};
    VQtImageParam m_param;
    VQtImageSaveParam m_saveParam;
    std::atomic<uint64_t> m_dataOffset{0};
    std::atomic<uint32_t> m_added{0};
    std::atomic<uint32_t> m_processed{0};
    uint32_t m_failed = 0; // files of this run that could not be written (thread only)
    // Keeps its intermediate pictures from frame to frame and run to run.
    VQtImageSaver m_saver;

    // Recycled frame buffers: a fresh large buffer costs tens of milliseconds on first touch.
    std::vector<VQtPsCricleBuffer*> m_pool;
    std::mutex m_poolMutex;
    RawParamProvider m_rawProvider;
    std::function<int()> m_memoryProbe;
};
