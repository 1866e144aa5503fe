// Where the frame encoder takes a frame's rows from: the bare scene, or the scene as a camera's
// sensor and processing deliver it. A source is made for one frame in one layout and hands out
// 16-bit samples row by row; the encoder reduces them to the layout's depth and packs them.
#ifndef SIMROWSOURCE_H
#define SIMROWSOURCE_H

#include <cstdint>

#include "device/sim/SimFrameFormat.h"

// What one row holds: one luminance sample per pixel, one mosaic sample per pixel (the
// channel the colour filter passes there), or red, green and blue per pixel.
enum class SimRowLayout { Luma, Mosaic, Rgb };

class SimRowSource {
public:
    SimRowSource(uint64_t frame, const SimFrameFormat& format)
        : m_frame(frame), m_format(format), m_layout(layoutOf(format)) {}
    virtual ~SimRowSource() = default;

    uint64_t frame() const { return m_frame; }
    const SimFrameFormat& format() const { return m_format; }
    SimRowLayout layout() const { return m_layout; }
    int width() const { return int(m_format.width); }
    int height() const { return int(m_format.height); }
    // Row y: width() samples, or 3 x width() for the RGB layout.
    virtual void fillRow(int y, uint16_t* out) const = 0;

    // Mosaic layouts take mosaic rows, colour layouts (and colour JPEG) RGB rows, everything
    // else (mono, point clouds, mosaic JPEG) luminance.
    static SimRowLayout layoutOf(const SimFrameFormat& f) {
        if (f.packedType == 4)
            return f.imageType >= 2 ? SimRowLayout::Rgb : SimRowLayout::Luma;
        if (f.imageType == 1)
            return SimRowLayout::Mosaic;
        return f.isColourSource() ? SimRowLayout::Rgb : SimRowLayout::Luma;
    }

private:
    uint64_t m_frame;
    SimFrameFormat m_format;
    SimRowLayout m_layout;
};

#endif // SIMROWSOURCE_H
