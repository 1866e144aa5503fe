#include "device/sim/SimScene.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// 5x7 glyphs, one byte per row, bit 4 leftmost.
struct Glyph {
    char c;
    uint8_t rows[7];
};
const Glyph kFont[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {' ', {0, 0, 0, 0, 0, 0, 0}},
};

const uint8_t* glyph(char c) {
    for (const Glyph& g : kFont)
        if (g.c == c)
            return g.rows;
    return kFont[sizeof(kFont) / sizeof(kFont[0]) - 1].rows;
}

// Is text pixel (x, y) set, for text drawn at (x0, y0) with the given scale?
bool textPixel(const char* text, int x0, int y0, int scale, int x, int y) {
    if (y < y0 || y >= y0 + 7 * scale || x < x0)
        return false;
    const int col = (x - x0) / scale;
    const int index = col / 6;
    if (index >= static_cast<int>(std::strlen(text)))
        return false;
    const int gx = col % 6;
    if (gx == 5)
        return false;
    const int gy = (y - y0) / scale;
    return (glyph(text[index])[gy] >> (4 - gx)) & 1;
}

const uint16_t kBars[8][3] = {{49151, 49151, 49151}, {49151, 49151, 0}, {0, 49151, 49151},
                              {0, 49151, 0},         {49151, 0, 49151}, {49151, 0, 0},
                              {0, 0, 49151},         {4096, 4096, 4096}};

} // namespace

SimScene::SimScene(int width, int height, bool colour)
    : m_width(std::max(1, width)), m_height(std::max(1, height)), m_colour(colour) {
    build();
}

void SimScene::build() {
    const int w = m_width, h = m_height;
    m_luma.resize(w * h);
    if (m_colour)
        m_rgb.resize(w * h * 3);
    const int target = std::max(8, std::min(w, h) / 3);
    const int tx0 = (w - target) / 2, ty0 = (h - target) / 2;
    const int scale = std::max(1, std::min(w, h) / 120);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double r, g, b;
            // Diagonal gradient, different per channel so the colour path can be checked.
            const double fx = double(x) / w, fy = double(y) / h;
            r = 6000 + 50000 * fx;
            g = 6000 + 30000 * fx + 20000 * fy;
            b = 6000 + 50000 * fy;
            if (m_colour && y < h / 6) {
                const uint16_t* bar = kBars[std::min(7, x * 8 / w)];
                r = bar[0], g = bar[1], b = bar[2];
            }
            if (x >= tx0 && x < tx0 + target && y >= ty0 && y < ty0 + target) {
                const bool on = (((x - tx0) / 8) + ((y - ty0) / 8)) & 1;
                r = g = b = on ? 60000 : 2000;
            } else if (x % 64 == 0 || y % 64 == 0) {
                r = g = b = 1000;
            }
            if (textPixel("VION SIM", 8 * scale, h / 6 + 4 * scale, scale, x, y))
                r = g = b = 65535;
            const int i = y * w + x;
            m_luma[i] = static_cast<uint16_t>(0.299 * r + 0.587 * g + 0.114 * b);
            if (m_colour) {
                m_rgb[i * 3] = static_cast<uint16_t>(r);
                m_rgb[i * 3 + 1] = static_cast<uint16_t>(g);
                m_rgb[i * 3 + 2] = static_cast<uint16_t>(b);
            }
        }
    }
    m_noise.resize(4096);
    uint32_t seed = 0x12345678u;
    for (uint16_t& n : m_noise) {
        seed = seed * 1664525u + 1013904223u;
        n = static_cast<uint16_t>((seed >> 16) & 0x1FF); // up to ~0.8 % of full scale
    }
}

int SimScene::shiftOf(uint64_t frame) const {
    // An even shift keeps the mosaic phase of every column.
    return int((frame * kShiftPerFrame) % uint64_t(m_width)) & ~1;
}

void SimScene::addNoise(uint64_t frame, int y, uint16_t* out, size_t n) const {
    const uint16_t* noise = m_noise.constData();
    size_t start = (size_t(frame) * 2654435761u + size_t(y) * 40503u) & 4095u;
    // Contiguous runs of the table, so that the loop vectorises.
    for (size_t done = 0; done < n;) {
        const size_t run = std::min(n - done, size_t(4096) - start);
        uint16_t* o = out + done;
        const uint16_t* z = noise + start;
        for (size_t i = 0; i < run; ++i) {
            const uint32_t v = uint32_t(o[i]) + z[i];
            o[i] = uint16_t(v > 65535u ? 65535u : v);
        }
        done += run;
        start = 0;
    }
}

int SimScene::bayerChannel(uint32_t pattern, int x, int y) {
    static const int table[5][4] = {{1, 1, 1, 1}, {2, 1, 1, 0}, {0, 1, 1, 2}, {1, 2, 0, 1}, {1, 0, 2, 1}};
    return table[pattern <= 4 ? pattern : 0][(y & 1) * 2 + (x & 1)];
}

void SimScene::row(uint64_t frame, int y, bool rgb, uint16_t* out) const {
    const int w = m_width;
    const int sy = ((y % m_height) + m_height) % m_height;
    const int shift = shiftOf(frame);
    const int ch = rgb ? 3 : 1;
    if (rgb && !m_colour) {
        // A monochrome scene asked for colour: grey in all three channels.
        const uint16_t* l = m_luma.constData() + size_t(sy) * w;
        for (int x = 0; x < w; ++x) {
            const uint16_t v = l[(x + shift) % w];
            out[x * 3] = out[x * 3 + 1] = out[x * 3 + 2] = v;
        }
    } else {
        const uint16_t* src =
            rgb ? m_rgb.constData() + size_t(sy) * w * 3 : m_luma.constData() + size_t(sy) * w;
        // Shifted copy in two pieces: the scene wraps around horizontally.
        std::memcpy(out, src + size_t(shift) * ch, size_t(w - shift) * ch * sizeof(uint16_t));
        std::memcpy(out + size_t(w - shift) * ch, src, size_t(shift) * ch * sizeof(uint16_t));
    }
    addNoise(frame, y, out, size_t(w) * ch);
    overlayCounter(frame, y, rgb, out);
}

void SimScene::mosaicRow(uint64_t frame, int y, uint32_t pattern, uint16_t* out) const {
    if (!m_colour) {
        row(frame, y, false, out);
        return;
    }
    const int w = m_width;
    const int sy = ((y % m_height) + m_height) % m_height;
    const int shift = shiftOf(frame);
    const uint16_t* src = m_rgb.constData() + size_t(sy) * w * 3;
    const int c0 = bayerChannel(pattern, 0, y), c1 = bayerChannel(pattern, 1, y);
    int x = 0;
    for (const uint16_t* s = src + size_t(shift) * 3; x + 1 < w - shift; x += 2, s += 6)
        out[x] = s[c0], out[x + 1] = s[3 + c1];
    for (; x < w; ++x) {
        const int sx = x + shift < w ? x + shift : x + shift - w;
        out[x] = src[sx * 3 + ((x & 1) ? c1 : c0)];
    }
    addNoise(frame, y, out, size_t(w));
    // The counter is written into the mosaic as white: every channel at full scale.
    std::vector<uint16_t> rgb;
    const int scale = std::max(1, std::min(m_width, m_height) / 120);
    const int y0 = m_height - 12 * scale;
    if (y >= y0 && y < y0 + 7 * scale) {
        rgb.assign(size_t(w) * 3, 0);
        overlayCounter(frame, y, true, rgb.data());
        const int x1 = std::min(w, 8 * scale + 6 * 8 * scale);
        for (int k = 8 * scale; k < x1; ++k)
            out[k] = rgb[size_t(k) * 3];
    }
}

void SimScene::overlayCounter(uint64_t frame, int y, bool rgb, uint16_t* out) const {
    const int scale = std::max(1, std::min(m_width, m_height) / 120);
    const int y0 = m_height - 12 * scale;
    if (y < y0 || y >= y0 + 7 * scale)
        return;
    char text[24];
    std::snprintf(text, sizeof(text), "%08llu", static_cast<unsigned long long>(frame % 100000000ull));
    const int x0 = 8 * scale;
    const int x1 = std::min(m_width, x0 + 6 * 8 * scale);
    const int ch = rgb ? 3 : 1;
    for (int x = x0; x < x1; ++x) {
        const uint16_t v = textPixel(text, x0, y0, scale, x, y) ? 65535 : 0;
        for (int c = 0; c < ch; ++c)
            out[x * ch + c] = v;
    }
}
