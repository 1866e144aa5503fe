// The analysis windows against a 10 frames/s stream of 12-MP 16-bit frames: every 100 ms a new
// frame becomes the shown image and the visible windows are told, as the main window does.
// A 5 ms timer measures how late the user-interface thread runs it. The figure is the worst
// delay; its reference is one frame period, so the ratio is the share of a frame period the
// user interface was late at worst. On a busy machine that delay includes waiting for a
// processor; "longest_event_ms" is the processor time of the longest event the thread
// handled, the work the windows themselves do there.
#include "core/VQtImageLock.h"
#include "imageproc/VQtIplImage.h"
#include "tools/CPicImageInfo.h"
#include "tools/VQtAdvancedHistogram.h"
#include "tools/VQtComputingImage.h"
#include "tools/VQtHistogramWidget.h"
#include "tools/VQtPixelViewWidget.h"
#include "tools/VQtRoiHistogramWidget.h"
#include "tools/VQtStatWorker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstring>
#include <opencv2/core.hpp>
#include <thread>
#include <time.h>
#include <vector>

namespace {
// Times every event the user-interface thread handles: the longest one shows whether a delay
// was work done on that thread or the thread waiting for a processor.
class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;
    double longestMs = 0.0; // processor time of the thread: a busy machine does not count
    QString longestWhat;
    static double threadMs() {
        timespec ts;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
    }
    bool notify(QObject* receiver, QEvent* event) override {
        const double start = threadMs();
        const bool done = QApplication::notify(receiver, event);
        const double ms = threadMs() - start;
        if (ms > longestMs) {
            longestMs = ms;
            longestWhat = QString::fromLatin1(receiver->metaObject()->className()) + QLatin1Char('/') +
                          QString::number(int(event->type()));
        }
        return done;
    }
};

constexpr int kWidth = 4000, kHeight = 3000, kFramePeriodMs = 100, kFrames = 30, kProbeMs = 5;

struct Stream {
    std::vector<VQtIplImage*> frames;
    VQtImageLock lock;
    int shown = 0;
    std::atomic<bool> changed{false};

    Stream() {
        for (int i = 0; i < 3; ++i) {
            VQtIplImage* f = nullptr;
            cvVQtCreateImage(&f, cvSize(kWidth, kHeight), 16, 1);
            cv::Mat m = f->mat();
            cv::randn(m, 1000 + 500 * i, 80);
            frames.push_back(f);
        }
    }
    ~Stream() {
        for (VQtIplImage*& f : frames)
            cvVQtReleaseImage(&f);
    }
    // What the main window's refresh does: computing lock first, picture lock second.
    void refresh() {
        if (!changed.exchange(false))
            return;
        std::unique_lock<std::shared_mutex> computing(m_imgComputingLock);
        VQtImageReadLocker picture(&lock);
        const VQtIplImage* src = frames[size_t(shown)];
        cvVQtCreateImage(&m_imgComputing, cvSize(src->width, src->height), src->depth, src->channels);
        std::memcpy(m_imgComputing->getAddress(), src->getAddress(), size_t(src->size));
    }
};

void BM_ToolsAt10fps(benchmark::State& state) {
    Stream stream;
    VQtComputingImage::setRefresh([&stream] { stream.refresh(); });
    VQtHistogramWidget analytics;
    VQtRoiHistogramWidget roi;
    VQtAdvancedHistogram advanced;
    VQtPixelViewWidget pixels;
    for (QWidget* w : std::initializer_list<QWidget*>{&analytics, &roi, &advanced, &pixels})
        w->show();
    int histograms = 0;
    QObject::connect(analytics.worker(), &VQtStatWorker::signalUpdateHistogram, &analytics,
                     [&histograms] { ++histograms; });
    const CPicImageInfo info{kWidth, kHeight, 1, 12};
    const QRect area(QPoint(500, 500), QPoint(3499, 2499));

    for (auto _ : state) {
        double worst = 0.0;
        int frame = 0;
        histograms = 0;
        QElapsedTimer probeClock;
        QTimer probe, frames;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            const double late = double(probeClock.nsecsElapsed()) / 1e6 - kProbeMs;
            worst = std::max(worst, late);
            probeClock.restart();
        });
        QObject::connect(&frames, &QTimer::timeout, [&] {
            {
                VQtImageWriteLocker l(&stream.lock);
                stream.shown = frame % 3;
            }
            stream.changed = true;
            analytics.updateImage(info);
            roi.updateImage(area, info, true);
            advanced.updateImage(info);
            pixels.updateImage();
            if (++frame == kFrames)
                QCoreApplication::quit();
        });
        probe.setTimerType(Qt::PreciseTimer);
        frames.setTimerType(Qt::PreciseTimer);
        probeClock.start();
        probe.start(kProbeMs);
        frames.start(kFramePeriodMs);
        QCoreApplication::exec();
        state.SetIterationTime(worst / 1e3);
        state.counters["worst_ms"] = worst;
        state.counters["histograms_per_frame"] = double(histograms) / kFrames;
        auto* app = static_cast<TimedApplication*>(QCoreApplication::instance());
        state.counters["longest_event_ms"] = app->longestMs;
        state.SetLabel(app->longestWhat.toStdString());
        app->longestMs = 0.0;
    }
    for (QWidget* w : std::initializer_list<QWidget*>{&analytics, &roi, &advanced, &pixels})
        w->hide();
    VQtComputingImage::setRefresh(nullptr);
    VQtComputingImage::clear();
}

void BM_ToolsAt10fps_Ref(benchmark::State& state) {
    for (auto _ : state)
        state.SetIterationTime(kFramePeriodMs / 1e3);
}

BENCHMARK(BM_ToolsAt10fps)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToolsAt10fps_Ref)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication app(argc, argv);
    cv::setNumThreads(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
