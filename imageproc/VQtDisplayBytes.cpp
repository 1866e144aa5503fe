#include "imageproc/VQtDisplayBytes.h"

#include <algorithm>
#include <cstdint>

int vqtDisplayShift(int shift, int bits, bool adaptive) {
    const int s = adaptive ? bits - 8 : shift;
    return std::clamp(s, 0, 15);
}

namespace {
// Plain loops the compiler turns into vector shifts and packs.
void greyRow(const uint16_t* s, uint8_t* d, int n, int shift) {
    for (int x = 0; x < n; ++x)
        d[x] = static_cast<uint8_t>(s[x] >> shift);
}

void colourRow(const uint16_t* s, uint8_t* d, int n, int channels, int shift, bool rgbOrder) {
    const int first = rgbOrder ? 2 : 0, last = rgbOrder ? 0 : 2;
    for (int x = 0; x < n; ++x, s += channels, d += 3) {
        d[0] = static_cast<uint8_t>(s[first] >> shift);
        d[1] = static_cast<uint8_t>(s[1] >> shift);
        d[2] = static_cast<uint8_t>(s[last] >> shift);
    }
}
} // namespace

void vqtSamplesToBytes(const cv::Mat& source, cv::Mat& target, int shift, bool rgbOrder) {
    const int ch = source.channels();
    if (source.depth() != CV_16U || target.depth() != CV_8U || source.size() != target.size() ||
        target.channels() != (ch == 1 ? 1 : 3) || (ch != 1 && ch != 3 && ch != 4))
        return;
    const int s = std::clamp(shift, 0, 15);
    for (int r = 0; r < source.rows; ++r) {
        const uint16_t* sp = source.ptr<uint16_t>(r);
        uint8_t* dp = target.ptr<uint8_t>(r);
        if (ch == 1)
            greyRow(sp, dp, source.cols, s);
        else
            colourRow(sp, dp, source.cols, ch, s, rgbOrder);
    }
}
