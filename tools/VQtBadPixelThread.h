#pragma once

#include <QThread>
#include <QVector>
#include <atomic>
#include <mutex>

#include "tools/VQtBadPixelInfor.h"
#include "tools/VQtBadPixelSearch.h"
#include "tools/VQtBadPixelSettings.h"

class VQtFrameSource;

// Worker of the bad-pixel window: evaluates the frame on show, or the next N frames of the
// frame source, and keeps the union of what it found.
class VQtBadPixelThread : public QThread {
    Q_OBJECT
public:
    enum List { Single = 0, Horizontal = 1, Vertical = 2 };

    explicit VQtBadPixelThread(QObject* parent = nullptr);
    ~VQtBadPixelThread() override;

    void setFrameSource(VQtFrameSource* source) { m_source = source; }
    // Taken when a pass starts.
    void setSettings(const VQtBadPixelSettings& settings);
    // Stops a running pass, then starts one: the frame on show only, or settings.frames
    // frames from the source.
    void startStatistical(bool currentOnly);
    // Clears the running flag and waits for the end.
    void stopThread();
    bool isWorking() const { return m_running; }

    // The lists of the last finished pass in insertion order, and the channel count of the
    // frames they came from.
    QVector<VQtBadPixelInfor> results(List list) const;
    int resultChannels() const;

signals:
    // Frames still to evaluate; `full`: a list reached 100000 entries.
    void signalRemainingFrame(int remaining, bool full);
    void signalThreadExit();

protected:
    void run() override;

private:
    bool evaluate(VQtIplImage* frame, VQtBadPixelSearch::Results& results, int* channels);
    void publish(const VQtBadPixelSearch::Results& results, int channels);

    VQtFrameSource* m_source = nullptr;
    std::atomic<bool> m_running{false};
    bool m_currentOnly = true;
    VQtBadPixelSettings m_settings; // written only while no pass runs
    VQtBadPixelSearch m_search;
    mutable std::mutex m_resultMutex;
    QVector<VQtBadPixelInfor> m_results[3];
    int m_channels = 1;
};
