#include "display/VQtRawGeometry.h"

#include <cmath>
#include <limits>

namespace VQtRawGeometry {

int imageTypeOf(int i) {
    static const int types[5] = {0, 4, 5, 2, 3};
    return i >= 0 && i < 5 ? types[i] : 0;
}

int channelsOf(int imageType) {
    if (imageType == 0 || imageType == 1)
        return 1;
    return imageType == 3 || imageType == 5 ? 4 : 3;
}

int bitDepthOf(int i) {
    return i >= 0 && i < 5 ? 8 + 2 * i : 8;
}

int packedTypeOf(int i) {
    static const int types[5] = {0, 1, 3, 2, 4};
    return i >= 0 && i < 5 ? types[i] : 0;
}

namespace {
// No frame has sides above 2^20 pixels; sizes past any such frame are not worked with.
constexpr int64_t kMaxSide = int64_t(1) << 20;
constexpr int64_t kMaxFileBytes = kMaxSide * kMaxSide * 8;
} // namespace

int64_t unpackedSize(int64_t n, int packedType, int bitDepth, int channels) {
    // A size no frame file can have (a folder, a sparse or damaged file) holds no frame; this
    // also keeps the arithmetic below from overflowing.
    if (n <= 0 || n > kMaxFileBytes)
        return 0;
    switch (packedType) {
    case 0:
        return n;
    case 1:
        // Packed pairs: 3 bytes carry 2 samples; colour groups as the converter reads them.
        if (channels == 1)
            return n / 3 * 4 + (n % 3 == 1 ? 2 : 0);
        return n / 4 * 6;
    case 2:
    case 3:
        // Bit streams: 5 bytes per 4 samples at 10 bit, 3 per 2 at 12, 7 per 4 at 14.
        switch (bitDepth) {
        case 10:
            return n / 5 * 4 * 2;
        case 12:
            return n / 3 * 2 * 2;
        case 14:
            return n / 7 * 4 * 2;
        default:
            return n;
        }
    default:
        return -1;
    }
}

int64_t frameSize(int64_t width, int64_t height, int bitDepth, int channels) {
    if (width <= 0 || height <= 0 || channels <= 0)
        return 0;
    if (width > kMaxSide || height > kMaxSide || channels > 4)
        return std::numeric_limits<int64_t>::max(); // matches no file
    return width * height * channels * (bitDepth > 8 ? 2 : 1);
}

bool sizeMatches(int64_t fileBytes, int64_t start, int width, int height, int packedType, int bitDepth,
                 int channels) {
    const int64_t have = unpackedSize(fileBytes - start, packedType, bitDepth, channels);
    if (have < 0)
        return true;
    return width > 0 && height > 0 && frameSize(width, height, bitDepth, channels) == have;
}

bool estimate(int64_t fileBytes, int64_t start, int packedType, int bitDepth, int channels, int* width,
              int* height) {
    const int64_t have = unpackedSize(fileBytes - start, packedType, bitDepth, channels);
    const int64_t pixelBytes = int64_t(channels) * (bitDepth > 8 ? 2 : 1);
    if (have <= 0 || have % pixelBytes != 0)
        return false;
    const int64_t pixels = have / pixelBytes;
    // A size beyond any frame is not searched, which would take minutes.
    if (pixels > kMaxSide * kMaxSide)
        return false;
    // Sensor sizes seen on machine-vision cameras, tried first.
    static const int common[][2] = {{640, 480},   {752, 480},   {800, 600},   {1024, 768},  {1280, 720},
                                    {1280, 960},  {1280, 1024}, {1440, 1080}, {1600, 1200}, {1920, 1080},
                                    {1920, 1200}, {2048, 1088}, {2048, 1536}, {2048, 2048}, {2448, 2048},
                                    {2592, 1944}, {3840, 2160}, {4096, 2160}, {4096, 3000}, {4096, 4096},
                                    {5120, 5120}, {5472, 3648}, {8192, 8192}};
    for (const auto& c : common)
        if (int64_t(c[0]) * c[1] == pixels) {
            *width = c[0];
            *height = c[1];
            return true;
        }
    // Otherwise the factor pair nearest 4:3 (landscape), preferring widths that are a
    // multiple of 4; line-scan shaped results are not believable.
    int64_t bestW = 0, bestH = 0;
    double bestScore = std::numeric_limits<double>::max();
    for (int64_t h = 1; h * h <= pixels; ++h) {
        if (pixels % h)
            continue;
        const int64_t w = pixels / h;
        const double score = std::fabs(std::log(double(w) / h / (4.0 / 3.0))) + (w % 4 ? 1.0 : 0.0);
        if (score < bestScore) {
            bestScore = score;
            bestW = w;
            bestH = h;
        }
    }
    if (bestH == 0 || bestW > kMaxSide || double(bestW) / bestH > 16.0)
        return false;
    *width = int(bestW);
    *height = int(bestH);
    return true;
}

} // namespace VQtRawGeometry
