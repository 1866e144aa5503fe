// The frames one grabbing stream or board sends: the test scene rendered for each frame, or
// a few frames rendered once and then copied in turn ("pre-rendered"), so that a 12 MP stream
// costs one copy per frame and delivery never limits the live path.
#ifndef SIMFRAMESOURCE_H
#define SIMFRAMESOURCE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "device/sim/SimFrameFormat.h"

class SimScene;

class SimFrameSource {
public:
    SimFrameSource();
    ~SimFrameSource();

    // Writes frame `frame` into dst (capacity bytes) and returns the bytes written (the
    // compressed size for JPEG), 0 when the layout is unknown or does not fit. prerendered > 0
    // cycles through that many frames rendered once for this layout.
    size_t fill(uint64_t frame, const SimFrameFormat& format, bool colour, int prerendered, uint8_t* dst,
                size_t capacity);

private:
    // The one place frames are drawn: the scene in the layout, by the frame encoder.
    size_t render(uint64_t frame, const SimFrameFormat& format, bool colour, uint8_t* dst, size_t capacity);
    bool cacheMatches(const SimFrameFormat& format, bool colour, int frames) const;

    std::unique_ptr<SimScene> m_scene;
    std::vector<std::vector<uint8_t>> m_cache;
    std::vector<size_t> m_cacheBytes;
    SimFrameFormat m_cacheFormat;
    bool m_cacheColour = false;
};

#endif // SIMFRAMESOURCE_H
