#include "device/sim/SimTestPattern.h"

#include <algorithm>

#include "device/sim/SimScene.h"

namespace {

const char* const kNames[] = {"Off",
                              "GreyHorizontalRamp",
                              "GreyVerticalRamp",
                              "ColorBars",
                              "GreyDiagonalRamp",
                              "GreyHorizontalRampMoving",
                              "Checkerboard",
                              "Flat",
                              "Black",
                              "White"};

// Channels of the eight bars: white, yellow, cyan, green, magenta, red, blue, black.
const bool kBars[8][3] = {{1, 1, 1}, {1, 1, 0}, {0, 1, 1}, {0, 1, 0},
                          {1, 0, 1}, {1, 0, 0}, {0, 0, 1}, {0, 0, 0}};

// Writes a grey value to every sample of pixel x.
inline void putGrey(uint16_t* out, int x, int channels, uint16_t v) {
    for (int c = 0; c < channels; ++c)
        out[x * channels + c] = v;
}

} // namespace

QStringList SimTestPattern::names() {
    QStringList list;
    for (const char* n : kNames)
        list << QString::fromLatin1(n);
    return list;
}

SimTestPattern::Kind SimTestPattern::fromName(const QString& name) {
    const int i = names().indexOf(name);
    return i < 0 ? Off : Kind(i);
}

void SimTestPattern::row(Kind kind, uint64_t frame, int y, int width, uint32_t depth, SimRowLayout layout,
                         uint32_t bayerPattern, uint16_t* out) {
    depth = std::min<uint32_t>(16, std::max<uint32_t>(1, depth));
    const uint32_t shift = 16 - depth;
    const uint32_t mask = (1u << depth) - 1; // M - 1; values wrap modulo M
    const int ch = layout == SimRowLayout::Rgb ? 3 : 1;
    const auto grey = [shift](uint32_t v) { return uint16_t(v << shift); };
    switch (kind) {
    case GreyHorizontalRamp:
    case GreyDiagonalRamp:
    case GreyHorizontalRampMoving: {
        uint32_t start = 0;
        if (kind == GreyDiagonalRamp)
            start = uint32_t(y);
        else if (kind == GreyHorizontalRampMoving)
            start = uint32_t(frame & 0xFFFFFFFFu);
        for (int x = 0; x < width; ++x)
            putGrey(out, x, ch, grey((start + uint32_t(x)) & mask));
        return;
    }
    case GreyVerticalRamp:
        std::fill(out, out + size_t(width) * ch, grey(uint32_t(y) & mask));
        return;
    case Checkerboard:
        for (int x = 0; x < width; ++x)
            putGrey(out, x, ch, grey(((x / 8 + y / 8) & 1) ? mask : 0));
        return;
    case Flat:
    case Black:
    case White: {
        const uint32_t v = kind == Flat ? (mask + 1) / 2 : (kind == White ? mask : 0);
        std::fill(out, out + size_t(width) * ch, grey(v));
        return;
    }
    case ColorBars:
        for (int x = 0; x < width; ++x) {
            const int bar = int(int64_t(x) * 8 / std::max(1, width));
            if (layout == SimRowLayout::Luma)
                out[x] = grey(mask * uint32_t(7 - bar) / 7);
            else if (layout == SimRowLayout::Mosaic)
                out[x] = grey(kBars[bar][SimScene::bayerChannel(bayerPattern, x, y)] ? mask : 0);
            else
                for (int c = 0; c < 3; ++c)
                    out[x * 3 + c] = grey(kBars[bar][c] ? mask : 0);
        }
        return;
    case Off:
        break;
    }
    std::fill(out, out + size_t(width) * ch, uint16_t(0));
}
