// Spectrum of a 12-MP grey frame against the bare OpenCV transform of the same padded frame, and
// the radix-2 column transform against a one-row OpenCV transform of the same length.
#include "imageproc/VQtFourier.h"
#include "imageproc/VQtIplImage.h"

#include <benchmark/benchmark.h>
#include <complex>
#include <opencv2/core.hpp>
#include <vector>

namespace {

void BM_Spectrum(benchmark::State& state) {
    VQtIplImage image;
    image.createImage(cvSize(4096, 3000), int(state.range(0)), 1);
    cv::Mat m = image.mat();
    cv::randu(m, 0, 256);
    cv::Mat spectrum;
    for (auto _ : state) {
        cvVQtFFT(&image, spectrum, int(state.range(0)));
        benchmark::DoNotOptimize(spectrum.data);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 4096 * 3000);
}

void BM_Spectrum_Ref(benchmark::State& state) {
    cv::Mat input(cv::getOptimalDFTSize(3000), cv::getOptimalDFTSize(4096), CV_32FC2);
    cv::randu(input, 0, 256);
    cv::Mat output;
    for (auto _ : state) {
        cv::dft(input, output);
        benchmark::DoNotOptimize(output.data);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 4096 * 3000);
}

void BM_ColumnFFT(benchmark::State& state) {
    const int n = int(state.range(0));
    std::vector<std::complex<double>> data(n);
    for (auto _ : state) {
        for (int i = 0; i < n; ++i)
            data[i] = {double(i % 97), 0.0};
        FFT(data.data(), n, 1.0);
        benchmark::DoNotOptimize(data.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * n);
}

void BM_ColumnFFT_Ref(benchmark::State& state) {
    const int n = int(state.range(0));
    cv::Mat input(1, n, CV_64FC2), output;
    for (auto _ : state) {
        for (int i = 0; i < n; ++i)
            input.at<cv::Vec2d>(0, i) = cv::Vec2d(double(i % 97), 0.0);
        cv::dft(input, output);
        benchmark::DoNotOptimize(output.data);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * n);
}

} // namespace

BENCHMARK(BM_Spectrum)->ArgName("bits")->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Spectrum_Ref)->ArgName("bits")->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColumnFFT)->Arg(4096);
BENCHMARK(BM_ColumnFFT_Ref)->Arg(4096);
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
