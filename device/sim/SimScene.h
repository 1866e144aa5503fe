// The moving test scene a simulated sensor sees: gradients, colour bars, a sharp checkered
// target with a line grid, a text label, a frame counter and noise. Rows are computed on
// demand from a few per-column tables (no frame-size storage), so a scene of any size costs
// almost no memory and a 4 MP stream keeps up at video rates; each frame shifts the static
// scene horizontally and overlays counter and noise.
#ifndef SIMSCENE_H
#define SIMSCENE_H

#include <cstddef>
#include <cstdint>
#include <vector>

class SimScene {
public:
    SimScene(int width, int height, bool colour);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isColour() const { return m_colour; }
    // Pixels shifted per frame, so that a live view visibly moves.
    static constexpr int kShiftPerFrame = 4;

    // One row of frame `frame` as 16-bit samples: 1 per pixel (luminance) or 3 (R, G, B).
    // `out` must hold width() (or 3 x width()) samples.
    void row(uint64_t frame, int y, bool rgb, uint16_t* out) const;
    // One row of the colour mosaic with phase 1 BGGR, 2 RGGB, 3 GBRG or 4 GRBG: one sample per
    // pixel, taken from the channel the sensor's filter passes there.
    void mosaicRow(uint64_t frame, int y, uint32_t pattern, uint16_t* out) const;
    // Colour channel (0 R, 1 G, 2 B) of a mosaic position.
    static int bayerChannel(uint32_t pattern, int x, int y);

private:
    struct Planes;
    // The unshifted row y, planar; colour scenes fill luminance only when asked to.
    void staticRow(int y, Planes& p, bool luminance) const;
    template <typename Fill> void overlays(int y, Fill fill) const;
    void overlayCounter(uint64_t frame, int y, int channels, uint16_t* out) const;
    void addNoise(uint64_t frame, int y, uint16_t* out, size_t n) const;
    int shiftOf(uint64_t frame) const;

    int m_width;
    int m_height;
    bool m_colour;
    int m_scale;  // text scale
    int m_target; // side of the checkered target
    int m_tx0, m_ty0;
    std::vector<uint16_t> m_colR, m_colG; // gradient parts that depend on the column only
    std::vector<uint32_t> m_colLuma;      // the same, weighted into luminance (16.16)
    std::vector<int> m_barStart;          // first column of each of the 8 colour bars, and the end
    std::vector<uint16_t> m_noise;        // small noise table, indexed per pixel and frame
};

#endif // SIMSCENE_H
