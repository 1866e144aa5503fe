// Bayer demosaicing of a 12-MP mosaic: our bicubic interpolation and our bilinear loop (used above
// 2 GiB), each against OpenCV's bilinear conversion of the same mosaic.
#include "imageproc/Demosaicing.h"

#include <benchmark/benchmark.h>
#include <opencv2/imgproc.hpp>

namespace {

constexpr int kWidth = 4096;
constexpr int kHeight = 3000;

cv::Mat mosaic(int bits) {
    cv::Mat m(kHeight, kWidth, bits == 8 ? CV_8UC1 : CV_16UC1);
    cv::randu(m, 0, 1 << bits);
    return m;
}

void setCounters(benchmark::State& state, const cv::Mat& source) {
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(source.total() * source.elemSize() * 3));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(source.total()));
}

template <typename T> void runBicubic(const cv::Mat& source, cv::Mat& target, unsigned bits) {
    cvVQtCvtColorBicubic<T>(source, target, cv::COLOR_BayerBG2BGR, bits);
}

// Argument: camera bit depth (8 -> 8-bit samples, 12 -> 16-bit samples).
void BM_DemosaicBicubic(benchmark::State& state) {
    const unsigned bits = unsigned(state.range(0));
    const cv::Mat source = mosaic(int(bits));
    cv::Mat target(source.size(), CV_MAKETYPE(source.depth(), 3),
                   cv::Scalar::all(0)); // touched: reused buffer
    if (bits == 8)                      // the kept work buffer, as after the first frame
        runBicubic<unsigned char>(source, target, bits);
    else
        runBicubic<unsigned short>(source, target, bits);
    for (auto _ : state) {
        if (bits == 8)
            runBicubic<unsigned char>(source, target, bits);
        else
            runBicubic<unsigned short>(source, target, bits);
        benchmark::DoNotOptimize(target.data);
    }
    setCounters(state, source);
}

void BM_DemosaicBicubic_Ref(benchmark::State& state) {
    const cv::Mat source = mosaic(int(state.range(0)));
    cv::Mat target(source.size(), CV_MAKETYPE(source.depth(), 3),
                   cv::Scalar::all(0)); // touched: reused buffer
    for (auto _ : state) {
        cv::cvtColor(source, target, cv::COLOR_BayerBG2BGR);
        benchmark::DoNotOptimize(target.data);
    }
    setCounters(state, source);
}

void BM_Bayer2RGB(benchmark::State& state) {
    const cv::Mat source = mosaic(int(state.range(0)));
    cv::Mat target(source.size(), CV_MAKETYPE(source.depth(), 3),
                   cv::Scalar::all(0)); // touched: reused buffer
    for (auto _ : state) {
        if (source.depth() == CV_8U)
            bayer2RGB<unsigned char>(source, target, cv::COLOR_BayerBG2BGR);
        else
            bayer2RGB<unsigned short>(source, target, cv::COLOR_BayerBG2BGR);
        benchmark::DoNotOptimize(target.data);
    }
    setCounters(state, source);
}

void BM_Bayer2RGB_Ref(benchmark::State& state) {
    BM_DemosaicBicubic_Ref(state);
}

// A target allocated per frame: the first-touch cost that reusing buffers avoids.
void BM_DemosaicBicubicFreshTarget(benchmark::State& state) {
    const cv::Mat source = mosaic(8);
    for (auto _ : state) {
        cv::Mat target(source.size(), CV_8UC3);
        runBicubic<unsigned char>(source, target, 8);
        benchmark::DoNotOptimize(target.data);
    }
    setCounters(state, source);
}

} // namespace

BENCHMARK(BM_DemosaicBicubic)->ArgName("bits")->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DemosaicBicubic_Ref)->ArgName("bits")->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bayer2RGB)->ArgName("bits")->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bayer2RGB_Ref)->ArgName("bits")->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DemosaicBicubicFreshTarget)->Unit(benchmark::kMillisecond);
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
