// Render of a 12 MP 12-bit Bayer frame fitted into a 1600 x 1000 canvas (bilinear
// demosaic, no other processing) against the same steps done as plain OpenCV calls.
#include <benchmark/benchmark.h>

#include <mutex>
#include <opencv2/core/utility.hpp>
#include <opencv2/imgproc.hpp>

#include "core/VQtImageLock.h"
#include "display/CPicGeometry.h"
#include "display/CPicImage.h"
#include "display/QCustomPictureCanvas.h"

namespace {
constexpr int kW = 4096, kH = 3000, kCanvasW = 1600, kCanvasH = 1000;

cv::Mat mosaic12() {
    cv::Mat m(kH, kW, CV_16UC1);
    cv::randu(m, 0, 4096);
    return m;
}

void BM_Render(benchmark::State& state) {
    cv::setNumThreads(0); // as in the picture widget: the render thread works alone
    VQtImageLock lock;
    std::mutex mutex;
    CPicCanvasParam param;
    VQtIplImage* image = nullptr;
    picCreate(&image, kW, kH, 16, 1);
    mosaic12().copyTo(picMat(image));
    param.width = kW;
    param.height = kH;
    param.depth = 16;
    param.bayerMode = 1;
    param.intercept.bits = 12;
    param.intercept.adaptive = true;
    param.calc.resizeMethod = cv::INTER_LINEAR;
    CPicGeometry::zoomFit(kW, kH, kCanvasW, kCanvasH, &param.zoom, &param.offset);
    QCustomPictureCanvas canvas;
    canvas.setEntireImage(image, lock);
    canvas.setUiCanvas(param, mutex);
    canvas.setCanvasSize(QSize(kCanvasW, kCanvasH));
    canvas.renderOnce(); // buffers made once, as on the live path
    for (auto _ : state)
        benchmark::DoNotOptimize(canvas.renderOnce());
    state.SetItemsProcessed(state.iterations() * int64_t(kW) * kH);
    picRelease(&image);
}

void BM_Render_Ref(benchmark::State& state) {
    cv::setNumThreads(0);
    const cv::Mat src = mosaic12();
    cv::Mat bgr, small, small8, rgb;
    const double z = std::min(double(kCanvasW) / kW, double(kCanvasH) / kH);
    const cv::Size fit(int(kW * z), int(kH * z));
    auto run = [&] {
        cv::cvtColor(src, bgr, cv::COLOR_BayerRG2BGR);
        cv::resize(bgr, small, fit, 0, 0, cv::INTER_LINEAR);
        small.convertTo(small8, CV_8U, 1.0 / 16);
        cv::cvtColor(small8, rgb, cv::COLOR_BGR2RGB);
    };
    run(); // buffers made once, as for the canvas
    for (auto _ : state) {
        cv::cvtColor(src, bgr, cv::COLOR_BayerRG2BGR);
        cv::resize(bgr, small, fit, 0, 0, cv::INTER_LINEAR);
        small.convertTo(small8, CV_8U, 1.0 / 16);
        cv::cvtColor(small8, rgb, cv::COLOR_BGR2RGB);
        benchmark::DoNotOptimize(rgb.data);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kW) * kH);
}

} // namespace

BENCHMARK(BM_Render)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Render_Ref)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
