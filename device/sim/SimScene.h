// The moving test scene a simulated sensor sees: gradients, colour bars, a sharp checkered
// target with a line grid, a text label, a frame counter and noise. The static part is
// computed once per geometry; each frame only shifts it and overlays counter and noise, so
// that a 2-4 MP stream keeps up at video rates.
#ifndef SIMSCENE_H
#define SIMSCENE_H

#include <QVector>
#include <cstdint>

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
    void build();
    void overlayCounter(uint64_t frame, int y, bool rgb, uint16_t* out) const;
    void addNoise(uint64_t frame, int y, uint16_t* out, size_t n) const;
    int shiftOf(uint64_t frame) const;

    int m_width;
    int m_height;
    bool m_colour;
    QVector<uint16_t> m_luma;  // width x height
    QVector<uint16_t> m_rgb;   // width x height x 3 (colour scenes)
    QVector<uint16_t> m_noise; // small noise table, indexed per pixel and frame
};

#endif // SIMSCENE_H
