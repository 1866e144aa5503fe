// The colour calibration file's parser on arbitrary contents; a matrix it accepts is then
// applied to every byte value, and the stage must give what the fixed-point rule says
// (products summed in full, divided by 1024 toward zero, clamped, then the gamma table).

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "imageproc/VQtColorCalibration.h"
#include "imageproc/VQtColorMatrix.h"
#include "imageproc/VQtSimd.h"

namespace {

constexpr int kPixels = 97; // odd, so vector loops meet their remainder

void fail(const char* what) {
    std::fprintf(stderr, "colour calibration: %s\n", what);
    std::abort();
}

uint8_t expected(const int* row, int r, int g, int b) {
    const long long sum = (1LL * row[0] * r + 1LL * row[1] * g + 1LL * row[2] * b) / 1024;
    return g_vqtGammaTable[sum < 0 ? 0 : sum > 255 ? 255 : sum];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray contents = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    int matrix[9];
    QString reason;
    if (!VQtColorCalibration::parse(contents, matrix, &reason)) {
        if (reason.isEmpty() || reason.contains(QLatin1Char('\n')))
            fail("a refused file must give its reason on one line");
        return 0;
    }
    // Pixels that sweep every byte value through each channel.
    uint8_t source[3 * kPixels], target[3 * kPixels];
    for (int i = 0; i < 3 * kPixels; ++i)
        source[i] = uint8_t(i * 89 + (i / 3) * 7);
    source[0] = source[1] = source[2] = 255;
    source[3] = source[4] = source[5] = 0;
    for (const bool simd : {false, true}) {
        vqtSetVectorKernels(simd);
        vqtColorAndGammaRow8(source, target, kPixels, matrix);
        for (int p = 0; p < kPixels; ++p) {
            const uint8_t* in = source + 3 * p;
            const uint8_t* out = target + 3 * p;
            if (out[2] != expected(matrix, in[2], in[1], in[0]) ||
                out[1] != expected(matrix + 3, in[2], in[1], in[0]) ||
                out[0] != expected(matrix + 6, in[2], in[1], in[0]))
                fail(simd ? "vector path differs from the fixed-point rule"
                          : "portable path differs from the fixed-point rule");
        }
    }
    return 0;
}
