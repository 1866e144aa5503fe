#pragma once

#include <cstddef>
#include <cstdint>

class VQtIplImage;

// Read-only description of an image's pixels for the statistics loops: no ownership, no lock.
// A sample at row y, column x, channel c lies at y * stride + (x * step + c) * sample size.
struct VQtImageView {
    const unsigned char* data = nullptr;
    int width = 0;
    int height = 0;
    int depth = 8;     // 8: 8-bit samples; anything else: 16-bit samples
    int step = 1;      // samples per pixel
    size_t stride = 0; // bytes per row

    bool empty() const { return !data || width <= 0 || height <= 0 || step <= 0; }
    bool wide() const { return depth != 8; }
    template <typename T> const T* row(int y) const {
        return reinterpret_cast<const T*>(data + size_t(y) * stride);
    }
    // One sample; no bounds check.
    unsigned sample(int x, int y, int c) const {
        return wide() ? row<uint16_t>(y)[size_t(x) * step + c] : row<uint8_t>(y)[size_t(x) * step + c];
    }

    // The pixels of an image record (empty view for an empty or absent record).
    static VQtImageView of(const VQtIplImage* image);
};
