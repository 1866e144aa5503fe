// Denoise and sharpen on 12-MP frames, against OpenCV's Laplacian of the same
// frame as the reference (a 3 x 3 neighbourhood filter of comparable work).
#include "imageproc/ImageProcDenoise.h"
#include "imageproc/VQtFilters.h"

#include "imageproc/VQtSimd.h"

#include <benchmark/benchmark.h>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdlib>
#include <random>

namespace {

// Targets are single-thread figures: OpenCV's references run on one thread too.
const bool kOpenCvSingleThread = (cv::setNumThreads(0), true);
// VQT_BENCH_PORTABLE=1 measures the portable loops that machines without AVX2 run.
const bool kPortableRows = std::getenv("VQT_BENCH_PORTABLE") && !vqtSetVectorKernels(false);

constexpr int kWidth = 4096;
constexpr int kHeight = 3000;

// A smooth gradient with sensor-like noise, so fluxes take realistic values.
cv::Mat testFrame(int depth, int channels, int bits) {
    cv::Mat m(kHeight, kWidth, CV_MAKETYPE(depth, channels));
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0.0, 3.0 * (1 << (bits - 8)));
    const double top = (1 << bits) - 1;
    const int rowSamples = kWidth * channels;
    for (int r = 0; r < kHeight; ++r)
        for (int i = 0; i < rowSamples; ++i) {
            const double v = std::clamp(top * (0.2 + 0.6 * i / rowSamples) + noise(rng), 0.0, top);
            if (depth == CV_8U)
                m.ptr<uint8_t>(r)[i] = static_cast<uint8_t>(v);
            else
                m.ptr<uint16_t>(r)[i] = static_cast<uint16_t>(v);
        }
    return m;
}

template <typename T, int C, int MAX>
void runDenoise(benchmark::State& state, const cv::Mat& src, cv::Mat& dst) {
    for (auto _ : state) {
        // A fresh filter per frame, as the canvas does.
        ImageProcDenoise::Denoise<T, C, 0, MAX, 10> filter(40);
        filter.denoiseNexo(src.ptr<T>(), dst.ptr<T>(), src.cols, src.rows, 100);
        benchmark::DoNotOptimize(dst.data);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(src.cols) * src.rows);
}

// Argument: bits per sample (8 or 12, 12-bit held in 16-bit samples).
void BM_Denoise(benchmark::State& state) {
    const int bits = int(state.range(0));
    const cv::Mat src = testFrame(bits == 8 ? CV_8U : CV_16U, 1, bits);
    cv::Mat dst(src.size(), src.type(), cv::Scalar::all(0)); // touched: reused-buffer cost only
    if (bits == 8)
        runDenoise<uint8_t, 1, 255>(state, src, dst);
    else
        runDenoise<uint16_t, 1, 4095>(state, src, dst);
}

void BM_Denoise_Ref(benchmark::State& state) {
    const int bits = int(state.range(0));
    const cv::Mat src = testFrame(bits == 8 ? CV_8U : CV_16U, 1, bits);
    cv::Mat dst;
    cv::Laplacian(src, dst, bits == 8 ? CV_16S : CV_32F, 3); // allocate and touch the target once
    for (auto _ : state) {
        cv::Laplacian(src, dst, bits == 8 ? CV_16S : CV_32F, 3);
        benchmark::DoNotOptimize(dst.data);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(src.cols) * src.rows);
}

void BM_DenoiseBGR(benchmark::State& state) {
    const int bits = int(state.range(0));
    const cv::Mat src = testFrame(bits == 8 ? CV_8U : CV_16U, 3, bits);
    cv::Mat dst(src.size(), src.type(), cv::Scalar::all(0));
    if (bits == 8)
        runDenoise<uint8_t, 3, 255>(state, src, dst);
    else
        runDenoise<uint16_t, 3, 4095>(state, src, dst);
}

void BM_DenoiseBGR_Ref(benchmark::State& state) {
    const int bits = int(state.range(0));
    const cv::Mat src = testFrame(bits == 8 ? CV_8U : CV_16U, 3, bits);
    cv::Mat dst;
    cv::Laplacian(src, dst, bits == 8 ? CV_16S : CV_32F, 3); // allocate and touch the target once
    for (auto _ : state) {
        cv::Laplacian(src, dst, bits == 8 ? CV_16S : CV_32F, 3);
        benchmark::DoNotOptimize(dst.data);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(src.cols) * src.rows);
}

// The cost of writing into a freshly allocated target (first touch), once.
void BM_DenoiseFreshTarget(benchmark::State& state) {
    const cv::Mat src = testFrame(CV_8U, 1, 8);
    for (auto _ : state) {
        cv::Mat dst(src.size(), src.type());
        ImageProcDenoise::Denoise<uint8_t, 1, 0, 255, 10> filter(40);
        filter.denoiseNexo(src.ptr<uint8_t>(), dst.ptr<uint8_t>(), src.cols, src.rows, 100);
        benchmark::DoNotOptimize(dst.data);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(src.cols) * src.rows);
}

// Sharpen at level 50 in place; argument: bits (8 or 12) of a BGR frame. The
// reference is the bare Laplacian of the same frame's grey image.
void BM_Sharpen(benchmark::State& state) {
    const int bits = int(state.range(0));
    cv::Mat frame = testFrame(bits == 8 ? CV_8U : CV_16U, 3, bits);
    vqtSharpenMat(frame, frame, 50, unsigned(bits)); // scratch images allocated once
    for (auto _ : state) {
        vqtSharpenMat(frame, frame, 50, unsigned(bits));
        benchmark::DoNotOptimize(frame.data);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(frame.cols) * frame.rows);
}

void BM_Sharpen_Ref(benchmark::State& state) {
    const int bits = int(state.range(0));
    const cv::Mat frame = testFrame(bits == 8 ? CV_8U : CV_16U, 3, bits);
    cv::Mat grey, lap;
    cv::cvtColor(frame, grey, cv::COLOR_BGR2GRAY);
    if (bits != 8)
        grey = cv::Mat(grey.size(), CV_16SC1, grey.data, grey.step);
    cv::Laplacian(grey, lap, CV_16S, 3);
    for (auto _ : state) {
        cv::Laplacian(grey, lap, CV_16S, 3);
        benchmark::DoNotOptimize(lap.data);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(frame.cols) * frame.rows);
}

} // namespace

BENCHMARK(BM_Sharpen)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sharpen_Ref)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Denoise)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Denoise_Ref)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DenoiseBGR)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DenoiseBGR_Ref)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DenoiseFreshTarget)->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
