// One camera-library frame buffer (OxaBufferNew): its memory and the record of the last frame
// written into it. Guarded by the owning stream's lock while the stream uses it.
#ifndef SIMBUFFER_H
#define SIMBUFFER_H

#include <cstdint>
#include <vector>

#include "device/OxaApi.h"

class SimStream;

struct SimBuffer {
    std::vector<uint8_t> data;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t pixelFormat = 0;
    uint32_t state = OXA_BUFFER_EMPTY;
    uint64_t blockId = 0;
    uint64_t payload = 0;
    uint64_t timestampUs = 0;
    uint64_t resentPackets = 0;
    uint64_t lostPackets = 0;
    SimStream* stream = nullptr; // the stream it was added to, if any
    bool queued = false;         // free for the next frame
};

#endif // SIMBUFFER_H
