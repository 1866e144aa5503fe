#include "device/sim/SimScene.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

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

const uint16_t kBars[8][3] = {{49151, 49151, 49151}, {49151, 49151, 0}, {0, 49151, 49151},
                              {0, 49151, 0},         {49151, 0, 49151}, {49151, 0, 0},
                              {0, 0, 49151},         {4096, 4096, 4096}};

// Luminance weights in 16.16 fixed point; they sum to 1.0, so a grey keeps its value.
constexpr uint32_t kWr = 19595, kWg = 38470, kWb = 7471;

uint16_t luma(uint32_t r, uint32_t g, uint32_t b) {
    return uint16_t((kWr * r + kWg * g + kWb * b) >> 16);
}

} // namespace

// One static row, planar: red, green, blue and luminance.
struct SimScene::Planes {
    std::vector<uint16_t> r, g, b, l;
    void fit(size_t n) {
        if (r.size() < n)
            r.resize(n), g.resize(n), b.resize(n), l.resize(n);
    }
};

SimScene::SimScene(int width, int height, bool colour)
    : m_width(std::max(1, width)), m_height(std::max(1, height)), m_colour(colour) {
    const int w = m_width, h = m_height;
    m_scale = std::max(1, std::min(w, h) / 120);
    m_target = std::max(8, std::min(w, h) / 3);
    m_tx0 = (w - m_target) / 2;
    m_ty0 = (h - m_target) / 2;
    m_colR.resize(size_t(w));
    m_colG.resize(size_t(w));
    m_colLuma.resize(size_t(w));
    for (int x = 0; x < w; ++x) {
        // Diagonal gradient, different per channel so the colour path can be checked.
        m_colR[size_t(x)] = uint16_t(6000 + int64_t(50000) * x / w);
        m_colG[size_t(x)] = uint16_t(6000 + int64_t(30000) * x / w);
        m_colLuma[size_t(x)] = kWr * m_colR[size_t(x)] + kWg * m_colG[size_t(x)];
    }
    for (int i = 0; i <= 8; ++i)
        m_barStart.push_back(int((int64_t(i) * w + 7) / 8)); // first x with x * 8 / w == i
    m_noise.resize(4096);
    uint32_t seed = 0x12345678u;
    for (uint16_t& n : m_noise) {
        seed = seed * 1664525u + 1013904223u;
        n = static_cast<uint16_t>((seed >> 16) & 0x1FF); // up to ~0.8 % of full scale
    }
}

// Colour bars, grid, target and label over the gradient, in that order; fill(x0, x1, r, g, b)
// paints a run of one colour.
template <typename Fill> void SimScene::overlays(int y, Fill fill) const {
    const int w = m_width, h = m_height;
    const auto put = [&](int x0, int x1, uint16_t r, uint16_t g, uint16_t b) {
        x0 = std::max(0, x0), x1 = std::min(w, x1);
        if (x0 < x1)
            fill(x0, x1, r, g, b);
    };
    if (m_colour && y < h / 6)
        for (int i = 0; i < 8; ++i)
            put(m_barStart[size_t(i)], m_barStart[size_t(i) + 1], kBars[i][0], kBars[i][1], kBars[i][2]);
    if (y % 64 == 0)
        put(0, w, 1000, 1000, 1000);
    else
        for (int x = 0; x < w; x += 64)
            put(x, x + 1, 1000, 1000, 1000);
    if (y >= m_ty0 && y < m_ty0 + m_target) {
        const int cellRow = (y - m_ty0) / 8;
        for (int x0 = m_tx0; x0 < m_tx0 + m_target; x0 += 8) {
            const uint16_t v = (((x0 - m_tx0) / 8 + cellRow) & 1) ? 60000 : 2000;
            put(x0, std::min(x0 + 8, m_tx0 + m_target), v, v, v);
        }
    }
    const int s = m_scale, lx0 = 8 * s, ly0 = h / 6 + 4 * s;
    if (y >= ly0 && y < ly0 + 7 * s) {
        static const char kLabel[] = "VION SIM";
        const int gy = (y - ly0) / s;
        for (int i = 0; kLabel[i]; ++i)
            for (int gx = 0; gx < 5; ++gx)
                if ((glyph(kLabel[i])[gy] >> (4 - gx)) & 1) {
                    const int x0 = lx0 + (6 * i + gx) * s;
                    put(x0, x0 + s, 65535, 65535, 65535);
                }
    }
}

void SimScene::staticRow(int y, Planes& p, bool luminance) const {
    const int w = m_width;
    p.fit(size_t(w));
    const uint32_t gy = uint32_t(int64_t(20000) * y / m_height);
    const uint16_t by = uint16_t(6000 + int64_t(50000) * y / m_height);
    uint16_t* l = p.l.data();
    if (!m_colour) {
        const uint32_t rowTerm = kWg * gy + kWb * by;
        const uint32_t* cl = m_colLuma.data();
        for (int x = 0; x < w; ++x)
            l[x] = uint16_t((cl[x] + rowTerm) >> 16);
        overlays(y, [l](int x0, int x1, uint16_t r, uint16_t g, uint16_t b) {
            std::fill(l + x0, l + x1, luma(r, g, b));
        });
        return;
    }
    uint16_t *r = p.r.data(), *g = p.g.data(), *b = p.b.data();
    const uint16_t* cg = m_colG.data();
    std::memcpy(r, m_colR.data(), size_t(w) * sizeof(uint16_t));
    for (int x = 0; x < w; ++x)
        g[x] = uint16_t(cg[x] + gy);
    std::fill(b, b + w, by);
    overlays(y, [r, g, b](int x0, int x1, uint16_t vr, uint16_t vg, uint16_t vb) {
        std::fill(r + x0, r + x1, vr);
        std::fill(g + x0, g + x1, vg);
        std::fill(b + x0, b + x1, vb);
    });
    if (luminance)
        for (int x = 0; x < w; ++x)
            l[x] = luma(r[x], g[x], b[x]);
}

int SimScene::shiftOf(uint64_t frame) const {
    // An even shift keeps the mosaic phase of every column.
    return int((frame * kShiftPerFrame) % uint64_t(m_width)) & ~1;
}

void SimScene::addNoise(uint64_t frame, int y, uint16_t* out, size_t n) const {
    const uint16_t* noise = m_noise.data();
    size_t start = (size_t(frame) * 2654435761u + size_t(y) * 40503u) & 4095u;
    // Contiguous runs of the table, so that the loop vectorises.
    for (size_t done = 0; done < n;) {
        const size_t run = std::min(n - done, size_t(4096) - start);
        uint16_t* o = out + done;
        const uint16_t* z = noise + start;
        for (size_t i = 0; i < run; ++i) {
            // Saturating add, in the form compilers turn into one vector instruction.
            const uint16_t sum = uint16_t(o[i] + z[i]);
            o[i] = sum < o[i] ? uint16_t(65535) : sum;
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
    thread_local Planes planes;
    const int w = m_width;
    const int sy = ((y % m_height) + m_height) % m_height;
    const int shift = shiftOf(frame);
    staticRow(sy, planes, !rgb);
    // The scene wraps around horizontally: column x shows static column x + shift.
    const int first = w - shift;
    if (!rgb || !m_colour) {
        const uint16_t* l = planes.l.data();
        if (!rgb) {
            std::memcpy(out, l + shift, size_t(first) * sizeof(uint16_t));
            std::memcpy(out + first, l, size_t(shift) * sizeof(uint16_t));
        } else {
            // A monochrome scene asked for colour: grey in all three channels.
            for (int x = 0; x < w; ++x) {
                const uint16_t v = l[x < first ? x + shift : x - first];
                out[x * 3] = out[x * 3 + 1] = out[x * 3 + 2] = v;
            }
        }
    } else {
        const uint16_t *r = planes.r.data(), *g = planes.g.data(), *b = planes.b.data();
        for (int x = 0; x < w; ++x) {
            const int s = x < first ? x + shift : x - first;
            out[x * 3] = r[s], out[x * 3 + 1] = g[s], out[x * 3 + 2] = b[s];
        }
    }
    const int channels = rgb ? 3 : 1;
    addNoise(frame, y, out, size_t(w) * channels);
    overlayCounter(frame, y, channels, out);
}

void SimScene::mosaicRow(uint64_t frame, int y, uint32_t pattern, uint16_t* out) const {
    if (!m_colour) {
        row(frame, y, false, out);
        return;
    }
    thread_local Planes planes;
    const int w = m_width;
    const int sy = ((y % m_height) + m_height) % m_height;
    const int shift = shiftOf(frame);
    staticRow(sy, planes, false);
    const uint16_t* plane[3] = {planes.r.data(), planes.g.data(), planes.b.data()};
    const uint16_t* even = plane[bayerChannel(pattern, 0, y)];
    const uint16_t* odd = plane[bayerChannel(pattern, 1, y)];
    const int first = w - shift;
    int x = 0;
    for (; x + 1 < first; x += 2)
        out[x] = even[x + shift], out[x + 1] = odd[x + 1 + shift];
    for (; x < w; ++x) {
        const int s = x < first ? x + shift : x - first;
        out[x] = (x & 1) ? odd[s] : even[s];
    }
    addNoise(frame, y, out, size_t(w));
    // The counter is written into the mosaic as white: every channel at full scale.
    overlayCounter(frame, y, 1, out);
}

void SimScene::overlayCounter(uint64_t frame, int y, int channels, uint16_t* out) const {
    const int scale = m_scale;
    const int y0 = m_height - 12 * scale;
    if (y < y0 || y >= y0 + 7 * scale)
        return;
    char text[24];
    std::snprintf(text, sizeof(text), "%08llu", static_cast<unsigned long long>(frame % 100000000ull));
    const int x0 = 8 * scale;
    const int x1 = std::min(m_width, x0 + 6 * 8 * scale);
    // White glyph cells on black, one run of `scale` pixels per glyph column.
    const int gy = (y - y0) / scale;
    for (int x = x0; x < x1; x += scale) {
        const int col = (x - x0) / scale, gx = col % 6;
        const bool on = gx < 5 && ((glyph(text[col / 6])[gy] >> (4 - gx)) & 1);
        const uint16_t v = on ? 65535 : 0;
        for (int k = x; k < std::min(x1, x + scale); ++k)
            for (int c = 0; c < channels; ++c)
                out[k * channels + c] = v;
    }
}
