// Analysis tools on a 12-MP 16-bit frame: the full pass of the analytics window (65536-bin
// histogram and frame statistics) against one cv::calcHist + cv::meanStdDev, and the bad-pixel
// search with a few thousand defects against one cv::inRange + cv::findNonZero.
#include "tools/VQtBadPixelSearch.h"
#include "tools/VQtImageStatistics.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <random>
#include <vector>

namespace {
constexpr int kWidth = 4000, kHeight = 3000, kDefects = 3000;
constexpr int kLow = 1000, kHigh = 3000; // a sane pixel lies inside

// Noise around 2000 with a column pattern, plus hot and dead pixels (some in runs).
const cv::Mat& frame() {
    static const cv::Mat m = [] {
        cv::Mat f(kHeight, kWidth, CV_16UC1);
        cv::randn(f, 2000, 60);
        std::mt19937 rng(5);
        for (int i = 0; i < kDefects; ++i) {
            const int x = int(rng() % (kWidth - 4)), y = int(rng() % kHeight);
            const int run = i % 10 == 0 ? 3 : 1;
            for (int k = 0; k < run; ++k)
                f.at<uint16_t>(y, x + k) = i % 2 ? 4095 : 10;
        }
        return f;
    }();
    return m;
}

VQtImageView view(const cv::Mat& m) {
    VQtImageView v;
    v.data = m.data;
    v.width = m.cols;
    v.height = m.rows;
    v.depth = 16;
    v.step = 1;
    v.stride = m.step[0];
    return v;
}

void BM_FullStatistics(benchmark::State& state) {
    const VQtImageView img = view(frame());
    std::vector<uint64_t> counts(size_t(VQtImageStatistics::BlockCount) * VQtImageStatistics::kBins);
    int averages[4];
    VQtStatisticalInfo info;
    for (auto _ : state) {
        VQtImageStatistics::histogram(img, 1, counts.data(), averages, nullptr);
        VQtImageStatistics::frameStatistics(img, 0, info, nullptr);
        benchmark::DoNotOptimize(counts.data());
        benchmark::DoNotOptimize(info);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kWidth * kHeight);
}

void BM_FullStatistics_Ref(benchmark::State& state) {
    const cv::Mat& f = frame();
    const int channels[] = {0};
    const int bins[] = {65536};
    const float range[] = {0.f, 65536.f};
    const float* ranges[] = {range};
    cv::Mat hist;
    cv::Scalar mean, sd;
    for (auto _ : state) {
        cv::calcHist(&f, 1, channels, cv::Mat(), hist, 1, bins, ranges);
        cv::meanStdDev(f, mean, sd);
        benchmark::DoNotOptimize(hist.data);
        benchmark::DoNotOptimize(sd);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kWidth * kHeight);
}

void BM_BadPixelSearch(benchmark::State& state) {
    const VQtImageView img = view(frame());
    VQtBadPixelSettings s;
    s.rangeMode = VQtBadPixelSettings::OutOfRange;
    s.minimum[0] = kLow;
    s.maximum[0] = kHigh;
    VQtBadPixelSearch search;
    VQtBadPixelSearch::Results r;
    r.init(int64_t(kWidth) * kHeight);
    int64_t found = 0;
    for (auto _ : state) {
        r.single.clear();
        r.horizontal.clear();
        r.vertical.clear();
        search.evaluate(img, s, r);
        found = r.single.getCurrentCount();
    }
    state.counters["found"] = double(found);
    state.SetItemsProcessed(int64_t(state.iterations()) * kWidth * kHeight);
}

void BM_BadPixelSearch_Ref(benchmark::State& state) {
    const cv::Mat& f = frame();
    cv::Mat inside, outside;
    std::vector<cv::Point> points;
    for (auto _ : state) {
        // One pass finding the pixels outside [low, high]: the in-range mask, inverted.
        cv::inRange(f, kLow, kHigh, inside);
        cv::bitwise_not(inside, outside);
        cv::findNonZero(outside, points);
        benchmark::DoNotOptimize(points.data());
    }
    state.counters["found"] = double(points.size());
    state.SetItemsProcessed(int64_t(state.iterations()) * kWidth * kHeight);
}

BENCHMARK(BM_FullStatistics)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullStatistics_Ref)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BadPixelSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BadPixelSearch_Ref)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    cv::setNumThreads(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
