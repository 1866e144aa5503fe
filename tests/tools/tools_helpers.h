#pragma once

#include <cstdint>
#include <vector>

#include "tools/VQtImageView.h"

// An owned pixel buffer with a view on it, for the statistics and bad-pixel tests.
struct TestImage {
    int width = 0, height = 0, depth = 8, channels = 1;
    std::vector<uint8_t> bytes;

    TestImage(int w, int h, int d, int c)
        : width(w), height(h), depth(d), channels(c), bytes(size_t(w) * h * c * (d == 8 ? 1 : 2), 0) {}
    void set(int x, int y, int c, unsigned v) {
        const size_t i = (size_t(y) * width + x) * channels + c;
        if (depth == 8)
            bytes[i] = uint8_t(v);
        else
            reinterpret_cast<uint16_t*>(bytes.data())[i] = uint16_t(v);
    }
    void fill(unsigned v) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < channels; ++c)
                    set(x, y, c, v);
    }
    VQtImageView view() const {
        VQtImageView v;
        v.data = bytes.data();
        v.width = width;
        v.height = height;
        v.depth = depth;
        v.step = channels;
        v.stride = size_t(width) * channels * (depth == 8 ? 1 : 2);
        return v;
    }
};
