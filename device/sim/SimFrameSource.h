// The frames one grabbing stream or board sends: each frame drawn as it is due, or a few
// frames drawn once and then copied in turn ("pre-rendered"), so that a 12 MP stream costs one
// copy per frame and delivery never limits the live path. The drawing itself is the camera's
// (SimCamera::renderFrame); a board without a camera shows the bare test scene.
#ifndef SIMFRAMESOURCE_H
#define SIMFRAMESOURCE_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "device/sim/SimFrameFormat.h"

class SimScene;

class SimFrameSource {
public:
    // Draws frame `frame` into dst (capacity bytes); the bytes written, 0 when it does not fit.
    using Render = std::function<size_t(uint64_t frame, uint8_t* dst, size_t capacity)>;

    SimFrameSource();
    ~SimFrameSource();

    // Writes frame `frame` in `layout` into dst and returns the bytes written (the compressed
    // size for JPEG), 0 when it does not fit. prerendered > 0 cycles through that many frames
    // drawn once; they are drawn again when the layout or the picture's revision changes.
    size_t fill(uint64_t frame, const SimFrameFormat& layout, uint64_t revision, int prerendered,
                const Render& render, uint8_t* dst, size_t capacity);
    // The bare test scene, for a board with no camera behind it.
    size_t scene(uint64_t frame, const SimFrameFormat& layout, uint8_t* dst, size_t capacity);

private:
    bool cacheMatches(const SimFrameFormat& layout, uint64_t revision, int frames) const;

    std::unique_ptr<SimScene> m_scene;
    std::vector<std::vector<uint8_t>> m_cache;
    std::vector<size_t> m_cacheBytes;
    SimFrameFormat m_cacheLayout;
    uint64_t m_cacheRevision = 0;
};

#endif // SIMFRAMESOURCE_H
