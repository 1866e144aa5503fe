// Recording 8-bit grey frames to H.264 at 1920 x 1080 and 4096 x 3000:
// - BM_VideoEncode: x264 with the recorder's settings, against BM_VideoEncode_Ref, x264's
//   fastest preset ("ultrafast", no tune) with the same threads;
// - BM_VideoRecord: the whole recorder (copy into its queue, thread, conversion, encoder,
//   file), against BM_VideoRecord_Ref, the bare encoder with the recorder's settings writing the
//   same stream with fwrite.
// Items are frames, so items per second is the frame rate. Real time gives the rate; the
// process's CPU time (all threads) is the steadier figure for the ratios on a shared machine.
// Streams are opened before the timing and closed after it: the figures are those of a
// recording under way.
// Files go to /dev/shm when it exists, so the disk is not measured.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <thread>
#include <vector>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "acquisition/VQtVideoX264.h"
#include "acquisition/VQtX264Encoder.h"

namespace {
constexpr int kDistinct = 8;

int framesPerRun(int width) {
    return width > 2000 ? 16 : 48;
}

// A camera-like scene (gradient, discs, bars, text) panning right, with sensor noise (sigma 2).
const std::vector<cv::Mat>& frames(int width, int height) {
    static std::map<std::pair<int, int>, std::vector<cv::Mat>> cache;
    std::vector<cv::Mat>& list = cache[{width, height}];
    if (!list.empty())
        return list;
    cv::Mat scene(height, width + 8 * kDistinct, CV_8UC1);
    for (int r = 0; r < scene.rows; ++r)
        for (int c = 0; c < scene.cols; ++c)
            scene.at<uint8_t>(r, c) = uint8_t(c * 200 / scene.cols + r * 50 / scene.rows);
    cv::RNG rng(1);
    for (int i = 0; i < 60; ++i)
        cv::circle(scene, cv::Point(rng.uniform(0, scene.cols), rng.uniform(0, height)),
                   rng.uniform(10, height / 6), cv::Scalar(rng.uniform(0, 255)), rng.uniform(-1, 6));
    for (int i = 0; i < 20; ++i)
        cv::putText(scene, "VQT 0123", cv::Point(rng.uniform(0, scene.cols), rng.uniform(0, height)),
                    cv::FONT_HERSHEY_SIMPLEX, 2.0, cv::Scalar(rng.uniform(0, 255)), 3);
    for (int i = 0; i < kDistinct; ++i) {
        cv::Mat noise(height, width, CV_16SC1), frame;
        rng.fill(noise, cv::RNG::NORMAL, 0, 2.0);
        scene(cv::Rect(i * 8, 0, width, height)).convertTo(frame, CV_16S);
        frame += noise;
        frame.convertTo(frame, CV_8U);
        list.push_back(frame);
    }
    return list;
}

double processSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Frames per second of the process's processor time (all threads): the rate one fully used
// processor would reach, steadier than the wall-clock rate on a shared machine.
void countFrames(benchmark::State& state, int width, double cpuSeconds) {
    const double frames = double(state.iterations()) * framesPerRun(width);
    state.SetItemsProcessed(int64_t(frames));
    state.counters["frames_per_cpu_s"] = frames / std::max(1e-9, cpuSeconds);
}

QString benchFolder() {
    return QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
}

// The bare encoder writing with fwrite. Each iteration encodes framesPerRun frames into one
// open stream, so that, as in a recording of some length, opening and closing do not count.
void runEncoder(benchmark::State& state, const VQtX264Encoder::Options& options) {
    const int width = int(state.range(0)), height = int(state.range(1));
    const std::vector<cv::Mat>& list = frames(width, height);
    QTemporaryDir dir(benchFolder() + QStringLiteral("/vqt-video-bench-XXXXXX"));
    VQtX264Encoder encoder;
    FILE* out = std::fopen(dir.filePath(QStringLiteral("bare.h264")).toLocal8Bit().constData(), "wb");
    if (!out || !encoder.open(width, height, 30.0, true, options)) {
        state.SkipWithError("the encoder did not start");
        if (out)
            std::fclose(out);
        return;
    }
    std::vector<uint8_t> chroma(size_t(width / 2) * size_t(height / 2), 128);
    VQtX264Encoder::Picture picture;
    picture.plane[1] = picture.plane[2] = chroma.data();
    picture.stride[0] = width;
    picture.stride[1] = picture.stride[2] = width / 2;
    const uint8_t* data = nullptr;
    int index = 0;
    bool ok = true;
    const double cpuStart = processSeconds();
    for (auto _ : state) {
        for (int i = 0; i < framesPerRun(width) && ok; ++i) {
            picture.plane[0] = list[size_t(index++ % kDistinct)].data;
            const int bytes = encoder.encode(picture, &data);
            ok = bytes >= 0 && std::fwrite(data, 1, size_t(bytes), out) == size_t(bytes);
        }
    }
    const double cpuEnd = processSeconds();
    // An encoder with frame threads holds a few frames back all along (as many in every
    // iteration); they come out at the end.
    while (ok && encoder.delayedFrames() > 0) {
        const int bytes = encoder.flush(&data);
        ok = bytes >= 0 && std::fwrite(data, 1, size_t(bytes), out) == size_t(bytes);
    }
    if (std::fclose(out) != 0 || !ok)
        state.SkipWithError("the encoder failed");
    countFrames(state, width, cpuEnd - cpuStart);
}

VQtX264Encoder::Options fastestPreset() {
    VQtX264Encoder::Options o;
    o.preset = "ultrafast";
    o.tune = nullptr;
    return o;
}

void BM_VideoEncode(benchmark::State& state) {
    runEncoder(state, VQtX264Encoder::Options());
}

void BM_VideoEncode_Ref(benchmark::State& state) {
    runEncoder(state, fastestPreset());
}

// The recorder taking every frame of a camera that delivers as fast as the recording goes:
// a few frames queued, the waiting callback costing no processor time. Each iteration ends
// when its frames are in the file.
void BM_VideoRecord(benchmark::State& state) {
    const int width = int(state.range(0)), height = int(state.range(1));
    const std::vector<cv::Mat>& list = frames(width, height);
    QTemporaryDir dir(benchFolder() + QStringLiteral("/vqt-video-bench-XXXXXX"));
    VQtImageParam param;
    param.width = uint32_t(width);
    param.height = uint32_t(height);
    VQtVideoX264 recorder;
    recorder.setRecordAll(true);
    if (!recorder.openX264(dir.filePath(QStringLiteral("recorded.h264")), param, 30.0)) {
        state.SkipWithError("the recording did not start");
        return;
    }
    const size_t bytes = size_t(width) * size_t(height);
    uint32_t offered = 0;
    const double cpuStart = processSeconds();
    for (auto _ : state) {
        for (int i = 0; i < framesPerRun(width); ++i) {
            while (recorder.queueLength() >= 3)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            offered += recorder.addBuffer(list[offered % kDistinct].data, bytes, 0) ? 1 : 0;
        }
        while (recorder.writtenFrames() < offered && recorder.status() == VQT_VIDEO_SAVED)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const double cpuEnd = processSeconds();
    recorder.closeX264();
    if (recorder.status() != VQT_VIDEO_SAVED || offered != uint32_t(state.iterations() * framesPerRun(width)))
        state.SkipWithError("the recording lost frames");
    countFrames(state, width, cpuEnd - cpuStart);
}

void BM_VideoRecord_Ref(benchmark::State& state) {
    runEncoder(state, VQtX264Encoder::Options());
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Args({1920, 1080})->Args({4096, 3000});
    b->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->MinTime(6.0);
}

BENCHMARK(BM_VideoEncode)->Apply(sizes);
BENCHMARK(BM_VideoEncode_Ref)->Apply(sizes);
BENCHMARK(BM_VideoRecord)->Apply(sizes);
BENCHMARK(BM_VideoRecord_Ref)->Apply(sizes);
} // namespace

BENCHMARK_MAIN();
