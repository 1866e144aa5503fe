// Colour matrix and gamma on a 12-MP 8-bit BGR frame, against OpenCV's
// cv::transform followed by cv::LUT on the same frame.
#include "imageproc/VQtColorMatrix.h"

#include "imageproc/VQtSimd.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>

#include <cstdlib>
#include <random>

namespace {

// Targets are single-thread figures: OpenCV's references run on one thread too.
const bool kOpenCvSingleThread = (cv::setNumThreads(0), true);
// VQT_BENCH_PORTABLE=1 measures the portable loops that machines without AVX2 run.
const bool kPortableRows = std::getenv("VQT_BENCH_PORTABLE") && !vqtSetVectorKernels(false);

constexpr int kWidth = 4096;
constexpr int kHeight = 3000;
// A typical calibration: rows summing to 1024, mild cross-talk correction.
constexpr int kMatrix[9] = {1380, -250, -106, -180, 1320, -116, -60, -330, 1414};

cv::Mat testFrame() {
    cv::Mat m(kHeight, kWidth, CV_8UC3);
    cv::randu(m, cv::Scalar::all(0), cv::Scalar::all(256));
    return m;
}

void BM_ColorGamma(benchmark::State& state) {
    const cv::Mat src = testFrame();
    cv::Mat dst(src.size(), src.type(), cv::Scalar::all(0)); // touched: reused-buffer cost only
    const bool inPlace = state.range(0) != 0;
    cv::Mat work = src.clone();
    for (auto _ : state) {
        for (int r = 0; r < src.rows; ++r) {
            if (inPlace)
                vqtColorAndGammaRow8(work.ptr<uint8_t>(r), work.ptr<uint8_t>(r), src.cols, kMatrix);
            else
                vqtColorAndGammaRow8(src.ptr<uint8_t>(r), dst.ptr<uint8_t>(r), src.cols, kMatrix);
        }
        benchmark::DoNotOptimize(dst.data);
        benchmark::DoNotOptimize(work.data);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(src.cols) * src.rows);
}

void BM_ColorGamma_Ref(benchmark::State& state) {
    const cv::Mat src = testFrame();
    // cv::transform works on channels in memory order (B, G, R): reorder the matrix.
    const cv::Matx33f m(kMatrix[8] / 1024.f, kMatrix[7] / 1024.f, kMatrix[6] / 1024.f, //
                        kMatrix[5] / 1024.f, kMatrix[4] / 1024.f, kMatrix[3] / 1024.f, //
                        kMatrix[2] / 1024.f, kMatrix[1] / 1024.f, kMatrix[0] / 1024.f);
    const cv::Mat lut(1, 256, CV_8U, const_cast<uint8_t*>(g_vqtGammaTable));
    cv::Mat mixed(src.size(), src.type(), cv::Scalar::all(0)),
        dst(src.size(), src.type(), cv::Scalar::all(0));
    for (auto _ : state) {
        cv::transform(src, mixed, m);
        cv::LUT(mixed, lut, dst);
        benchmark::DoNotOptimize(dst.data);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(src.cols) * src.rows);
}

void BM_Gamma(benchmark::State& state) {
    const cv::Mat src = testFrame();
    cv::Mat dst(src.size(), src.type(), cv::Scalar::all(0));
    for (auto _ : state) {
        for (int r = 0; r < src.rows; ++r)
            vqtGammaRow8(src.ptr<uint8_t>(r), dst.ptr<uint8_t>(r), 3 * src.cols);
        benchmark::DoNotOptimize(dst.data);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(src.cols) * src.rows);
}

void BM_Gamma_Ref(benchmark::State& state) {
    const cv::Mat src = testFrame();
    const cv::Mat lut(1, 256, CV_8U, const_cast<uint8_t*>(g_vqtGammaTable));
    cv::Mat dst(src.size(), src.type(), cv::Scalar::all(0));
    for (auto _ : state) {
        cv::LUT(src, lut, dst);
        benchmark::DoNotOptimize(dst.data);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(src.cols) * src.rows);
}

// Writing the corrected frame into a freshly allocated target, once.
void BM_ColorGammaFreshTarget(benchmark::State& state) {
    const cv::Mat src = testFrame();
    for (auto _ : state) {
        cv::Mat dst(src.size(), src.type());
        for (int r = 0; r < src.rows; ++r)
            vqtColorAndGammaRow8(src.ptr<uint8_t>(r), dst.ptr<uint8_t>(r), src.cols, kMatrix);
        benchmark::DoNotOptimize(dst.data);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(src.cols) * src.rows);
}

} // namespace

// Argument: 0 into a separate target, 1 in place (as the canvas runs it).
BENCHMARK(BM_ColorGamma)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColorGamma_Ref)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gamma)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gamma_Ref)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColorGammaFreshTarget)->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
