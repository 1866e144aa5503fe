#include "imageproc/VQtFilters.h"

#include "imageproc/ImageProcDenoise.h"
#include "imageproc/VQtFiltersSharpen8.h"
#include "imageproc/VQtSimd.h"

#include <opencv2/imgproc.hpp>

#include <QDebug>

#include <algorithm>
#include <vector>

namespace {

template <typename T, int channels, int maxValue>
void runDenoise(const cv::Mat& source, const cv::Mat& target, int strength) {
    ImageProcDenoise::Denoise<T, channels, 0, maxValue, 10> filter(40);
    filter.denoiseNexo(source.ptr<T>(), const_cast<T*>(target.ptr<T>()), source.cols, source.rows, strength);
}

template <typename T, int channels>
void denoiseForBits(const cv::Mat& source, const cv::Mat& target, int strength, unsigned bits) {
    switch (bits) {
    case 8:
        return runDenoise<T, channels, 255>(source, target, strength);
    case 10:
        return runDenoise<T, channels, 1023>(source, target, strength);
    case 12:
        return runDenoise<T, channels, 4095>(source, target, strength);
    case 14:
        return runDenoise<T, channels, 16383>(source, target, strength);
    case 16:
        return runDenoise<T, channels, 65535>(source, target, strength);
    default:
        return;
    }
}

// Scratch matrices of the sharpener, reused from frame to frame; one set per
// thread so two threads sharpening never share them.
struct SharpenScratch {
    cv::Mat grey;
    cv::Mat laplacian;
};

SharpenScratch& scratch() {
    thread_local SharpenScratch s;
    return s;
}

// target = saturate(source + correction) on every channel, then at most top:
// the same numbers as adding a replicated correction image, without building it.
// Colour rows first spread the correction over the three samples of each pixel,
// so both loops are plain unit-stride loops the compiler vectorises.
template <typename T, int channels>
void addCorrectionRows(const cv::Mat& source, const cv::Mat& target, const cv::Mat& correction, int top) {
    thread_local std::vector<int16_t> spread;
    const size_t n = static_cast<size_t>(source.cols) * channels;
    if (channels > 1)
        spread.resize(n);
    for (int r = 0; r < source.rows; ++r) {
        const T* in = source.ptr<T>(r);
        T* out = const_cast<T*>(target.ptr<T>(r));
        const int16_t* lap = correction.ptr<int16_t>(r);
        if (channels > 1) {
            int16_t* s = spread.data();
            for (int c = 0; c < source.cols; ++c)
                for (int ch = 0; ch < channels; ++ch)
                    s[c * channels + ch] = lap[c];
            lap = s;
        }
        for (size_t i = 0; i < n; ++i) {
            const int v = int(in[i]) + lap[i];
            out[i] = static_cast<T>(std::min(std::max(v, 0), top));
        }
    }
}

template <typename T>
void addCorrection(const cv::Mat& source, const cv::Mat& target, const cv::Mat& correction, int top) {
    if (source.channels() == 1)
        addCorrectionRows<T, 1>(source, target, correction, top);
    else
        addCorrectionRows<T, 3>(source, target, correction, top);
}

} // namespace

template <typename T>
void cvVQtDenoiseCalc(const cv::Mat& source, const cv::Mat& target, int strength, unsigned bits) {
    if (source.empty() || source.size() != target.size() || source.type() != target.type() ||
        source.elemSize1() != sizeof(T) || !source.isContinuous() || !target.isContinuous())
        return;
    if (source.channels() == 1)
        denoiseForBits<T, 1>(source, target, strength, bits);
    else if (source.channels() == 3)
        denoiseForBits<T, 3>(source, target, strength, bits);
}

template void cvVQtDenoiseCalc<unsigned char>(const cv::Mat&, const cv::Mat&, int, unsigned);
template void cvVQtDenoiseCalc<unsigned short>(const cv::Mat&, const cv::Mat&, int, unsigned);

namespace {

bool sharpenWithOpenCv(const cv::Mat& source, const cv::Mat& target, double scale, unsigned bits) {
    const int depth = source.depth();
    SharpenScratch& s = scratch();
    try {
        const cv::Mat* luminance = &source;
        if (source.channels() == 3) {
            cv::cvtColor(source, s.grey, cv::COLOR_BGR2GRAY);
            luminance = &s.grey;
        }
        // 16-bit samples are taken as signed 16-bit values, with saturating arithmetic.
        const cv::Mat input = depth == CV_8U
                                  ? *luminance
                                  : cv::Mat(luminance->size(), CV_16SC1, luminance->data, luminance->step);
        cv::Laplacian(input, s.laplacian, CV_16S, 3, -scale, 0, cv::BORDER_REFLECT_101);
        const int top = depth == CV_8U ? 255 : (bits >= 1 && bits < 16 ? (1 << bits) - 1 : 65535);
        if (depth == CV_8U)
            addCorrection<uint8_t>(source, target, s.laplacian, top);
        else
            addCorrection<uint16_t>(source, target, s.laplacian, top);
    } catch (const cv::Exception& e) {
        qWarning() << "Sharpen:" << e.what();
        return false;
    }
    return true;
}

double sharpenScale(int level) {
    return level / 20.0 * 0.0625;
}

// The one-pass 8-bit sharpener repeats OpenCV's arithmetic; it is used only after it
// has given OpenCV's numbers on a probe covering every level, grey and colour, ramps of
// each channel (the luminance weights) and random rows (rounding of the Laplacian).
bool onePassMatchesOpenCv() {
    if (!vqtUseAvx2())
        return false;
    static const bool matches = [] {
        for (int channels : {1, 3}) {
            cv::Mat probe(6, 259, CV_8UC(channels));
            for (int x = 0; x < probe.cols; ++x)
                for (int y = 0; y < 3; ++y)
                    for (int ch = 0; ch < channels; ++ch)
                        probe.ptr<uint8_t>(y)[x * channels + ch] = uint8_t(ch == y % channels ? x : 0);
            cv::Mat noise = probe.rowRange(3, 6);
            cv::RNG(20240).fill(noise, cv::RNG::UNIFORM, 0, 256);
            cv::Mat expected(probe.size(), probe.type()), got(probe.size(), probe.type());
            for (int level = 1; level <= 100; ++level) {
                if (!sharpenWithOpenCv(probe, expected, sharpenScale(level), 8) ||
                    !vqtSharpen8OnePass(probe, got, vqtLaplacianTaps(-sharpenScale(level))) ||
                    cv::norm(expected, got, cv::NORM_INF) != 0)
                    return false;
            }
        }
        return true;
    }();
    return matches;
}

} // namespace

bool vqtSharpenMat(const cv::Mat& source, const cv::Mat& target, int level, unsigned bits) {
    const int depth = source.depth();
    if (source.empty() || source.size() != target.size() || source.type() != target.type() ||
        (depth != CV_8U && depth != CV_16U) || (source.channels() != 1 && source.channels() != 3))
        return false;
    const double scale = sharpenScale(level);
    if (depth == CV_8U && level >= 1 && level <= 100 && onePassMatchesOpenCv() &&
        vqtSharpen8OnePass(source, target, vqtLaplacianTaps(-scale)))
        return true;
    return sharpenWithOpenCv(source, target, scale, bits);
}
