#pragma once

#include <QThread>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "tools/VQtImageStatistics.h"
#include "tools/VQtStatisticalInfo.h"

// Worker of the "Analytics" window: histograms of every channel and the frame, line and
// column statistics of the selected channel, computed from the computing image. Requests
// from the window are flags that coalesce: however many images arrive during a pass, the
// next pass reads the latest one.
class VQtStatWorker : public QThread {
    Q_OBJECT
public:
    explicit VQtStatWorker(QObject* parent = nullptr);
    ~VQtStatWorker() override;

    // Requests, set on the user-interface thread.
    void requestHistogram() { m_histogramFlag = true; }
    void requestFrame() { m_frameFlag = true; }
    void requestLine() { m_lineFlag = true; }
    void requestColumn() { m_columnFlag = true; }
    void setChannelCount(int channels) { m_channelCount = channels; }
    void setChannel(int position) { m_channel = position; }
    void setLine(int line) { m_line = line; }
    void setColumn(int column) { m_column = column; }
    int channel() const { return m_channel; }

    // Clears the stop flag and starts the thread (inherited priority).
    void startThread();
    // Sets the stop flag and waits for the thread to end.
    void stopThread();
    bool isStopRequested() const { return m_stop; }

    // The counter block (5 x 65536 histograms in the order red, green, blue, luminance,
    // clear; more for derived workers), read and cleared under mutex(). A pass counts into a
    // second block of its own and exchanges the two under the mutex when it is done, so the
    // window never waits for a pass.
    std::mutex& mutex() { return m_mutex; }
    uint64_t* counts() { return m_counts.data(); }
    size_t countBlocks() const { return m_counts.size() / VQtImageStatistics::kBins; }

    // Results of the last pass of each kind, read after its signal.
    VQtStatisticalInfo frameInfo() const;
    VQtStatisticalInfo lineInfo() const;
    VQtStatisticalInfo columnInfo() const;
    // Red (or Gray), Green, Blue, Clear.
    void averages(int out[4]) const;

signals:
    void signalUpdateLineInfo();
    void signalUpdateColumnInfo();
    void signalUpdateFrameInfo();
    void signalUpdateHistogram();

protected:
    VQtStatWorker(int blocks, QObject* parent);
    void run() override;
    // Before a full pass (the computing image is refreshed right after).
    virtual void beforeFullPass() {}
    // Each runs under the computing image's read lock with a non-empty image.
    virtual void computeHistogram(const VQtImageView& img);
    virtual void computeFrame(const VQtImageView& img);
    virtual void computeLine(const VQtImageView& img);
    virtual void computeColumn(const VQtImageView& img);
    // The block a pass counts into (worker thread only), and its exchange with counts().
    uint64_t* backCounts() { return m_back.data(); }
    void publishCounts();

    std::atomic<bool> m_stop{false};
    std::atomic<int> m_channelCount{0};
    std::atomic<int> m_channel{0};
    std::atomic<int> m_line{0};
    std::atomic<int> m_column{0};
    mutable std::mutex m_resultMutex; // the result records below
    VQtStatisticalInfo m_frame, m_lineInfo, m_columnInfo;
    int m_averages[4] = {0, 0, 0, 0};

private:
    enum Kind { Histogram, Frame, Line, Column };
    void compute(Kind kind);

    std::atomic<bool> m_histogramFlag{false};
    std::atomic<bool> m_frameFlag{false};
    std::atomic<bool> m_lineFlag{false};
    std::atomic<bool> m_columnFlag{false};
    std::mutex m_mutex;
    std::vector<uint64_t> m_counts;
    std::vector<uint64_t> m_back;
};
