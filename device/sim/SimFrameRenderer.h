// Renders a simulated camera's frames: the scene (or a test pattern) as the sensor and the
// camera's processing deliver it, in the camera's pixel layout. Per row, in this order:
//   1. source: the moving scene x brightness factor + black level, clipped to 16 bits (the
//      factor is exposure / 10 ms x Gain; see SimPictureState), or the test pattern
//      unchanged; in pixel-shift mode the scene is sampled at the burst's sub-pixel offsets;
//   2. the sensor's column offsets (per sensor column) and stuck pixels (hot/dead values);
//   3. defect correction (when on): each listed pixel becomes the mean of its nearest unlisted
//      neighbours of the same colour in its row (2 columns apart in a mosaic, else 1);
//   4. flat field (when on): sample x coefficient / 1024 of its sensor column, clipped;
//   5. look-up table (when on): the selected 12-bit table on sample >> 4, the result widened
//      to 16 bits by repeating its top bits, so a frame of 12 bits or fewer carries the table
//      value exactly (8 bits: value >> 4);
//   6. reduced to the layout's depth and packed by SimFrameEncoder.
// Pixel shift: frame n is burst position k = n mod N (N = 4 or 16) and shows the scene as it
// stood at the burst's first frame. Its sample at (x, y) is the scene's sample at
// (s x + dx, s y + dy) of a scene s times the frame's size, with
//   2 x 2: dx = 1 - k mod 2, dy = 1 - k / 2; s = 2 for mono, 1 for colour (whole-pixel steps
//          of the colour mosaic);
//   4 x 4: dx = 3 - k mod 4, dy = 3 - k / 4; s = 2.
// Interleaving a burst as the pixel-shift synthesis does gives back that scene (colour: each
// channel from its own frame; mono 4 x 4: grey in all three channels).
//
// Thread-safe: compiled tables are cached under a lock and shared; rows render without it.
#ifndef SIMFRAMERENDERER_H
#define SIMFRAMERENDERER_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "device/sim/SimPictureState.h"

class SimDefectMap;
class SimScene;

class SimFrameRenderer {
public:
    SimFrameRenderer();
    ~SimFrameRenderer();

    // Writes frame `frame` in state.format into dst; returns the bytes written (JPEG: the
    // compressed size), 0 when the layout is unknown or does not fit in capacity.
    size_t render(const SimPictureState& state, uint64_t frame, uint8_t* dst, size_t capacity);

    // Sub-pixel offset of burst position k and the scene's scale (see above).
    static void shiftOf(int burstLength, bool colour, int k, int* scale, int* dx, int* dy);

    struct Plan;

private:
    std::shared_ptr<const Plan> prepare(const SimPictureState& state);

    std::mutex m_mutex;
    std::shared_ptr<const SimScene> m_scene;
    uint64_t m_sensorRevision = ~0ull;
    std::shared_ptr<const SimDefectMap> m_stuck;
    std::shared_ptr<const std::vector<int32_t>> m_columnOffsets; // per sensor column
    uint64_t m_tablesRevision = ~0ull;
    int m_lutTable = -1;
    std::shared_ptr<const std::vector<uint16_t>> m_lut;      // 16-bit sample -> 16-bit sample
    std::shared_ptr<const SimDefectMap> m_listed;            // the camera's defect list
    std::shared_ptr<const std::vector<uint16_t>> m_ffcGains; // per sensor column, 1024 = 1.0
};

#endif // SIMFRAMERENDERER_H
