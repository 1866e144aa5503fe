// Own area and nearest resampling (the path for images above 2 GiB) of a 12-MP frame to the
// display size, against cv::resize of the same frame.
#include "imageproc/VQtIplImage.h"

#include <benchmark/benchmark.h>
#include <opencv2/imgproc.hpp>

namespace {

constexpr int kWidth = 4096;
constexpr int kHeight = 3000;
constexpr int kOutWidth = 1600;
constexpr int kOutHeight = 1000;

struct Frames {
    VQtIplImage source, target;
    Frames(int depth, int channels) {
        source.createImage(cvSize(kWidth, kHeight), depth, channels);
        target.createImage(cvSize(kOutWidth, kOutHeight), depth, channels);
        target.mat().setTo(cv::Scalar::all(1)); // touched: the display path reuses its buffer
        cv::Mat m = source.mat();
        cv::randu(m, cv::Scalar::all(0), cv::Scalar::all(depth == 8 ? 256 : 4096));
    }
};

void setCounters(benchmark::State& state, const Frames& f) {
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.source.size));
    state.SetItemsProcessed(int64_t(state.iterations()) * kWidth * kHeight);
}

// Arguments: bit depth, channels.
void BM_AreaResize(benchmark::State& state) {
    Frames f(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        reSizeArea(f.source.getIplImage(), f.target.getIplImage());
        benchmark::DoNotOptimize(f.target.getAddress());
    }
    setCounters(state, f);
}

void BM_AreaResize_Ref(benchmark::State& state) {
    Frames f(int(state.range(0)), int(state.range(1)));
    cv::Mat out = f.target.mat();
    for (auto _ : state) {
        cv::resize(f.source.mat(), out, out.size(), 0, 0, cv::INTER_AREA);
        benchmark::DoNotOptimize(out.data);
    }
    setCounters(state, f);
}

void BM_NearestResize(benchmark::State& state) {
    Frames f(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        reSizeForNearest(f.source.getIplImage(), f.target.getIplImage());
        benchmark::DoNotOptimize(f.target.getAddress());
    }
    setCounters(state, f);
}

void BM_NearestResize_Ref(benchmark::State& state) {
    Frames f(int(state.range(0)), int(state.range(1)));
    cv::Mat out = f.target.mat();
    for (auto _ : state) {
        cv::resize(f.source.mat(), out, out.size(), 0, 0, cv::INTER_NEAREST);
        benchmark::DoNotOptimize(out.data);
    }
    setCounters(state, f);
}

void layouts(benchmark::internal::Benchmark* b) {
    b->ArgNames({"bits", "ch"})->Args({8, 1})->Args({8, 3})->Args({16, 1})->Args({16, 3});
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_AreaResize)->Apply(layouts);
BENCHMARK(BM_AreaResize_Ref)->Apply(layouts);
BENCHMARK(BM_NearestResize)->Apply(layouts);
BENCHMARK(BM_NearestResize_Ref)->Apply(layouts);
// Single-thread figures: OpenCV would otherwise spread its reference over every core.
int main(int argc, char** argv) {
    cv::setNumThreads(1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
