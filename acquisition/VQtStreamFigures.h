#pragma once

#include <cstdint>

// What a running grab has counted and measured, taken at once for the status bar and for
// "vionc grab". Every frame the library delivered is in `frames`; of those, `displayed` reached
// the main picture and `thinned` were passed over for display on purpose (frame thinning, a
// newer frame arriving first, incomplete frames not shown), so that frames = displayed +
// thinned once the grab has ended.
struct VQtStreamFigures {
    float frameRate = 0.0f;   // frames per second, as the device measures them
    float lineRate = 0.0f;    // lines per second (line-scan devices)
    float refreshRate = 0.0f; // frames per second shown in the main picture
    uint64_t frames = 0;      // delivered since the grab started
    uint64_t displayed = 0;
    uint64_t thinned = 0;
    uint64_t saved = 0;      // handed to the image thread
    uint64_t lostFrames = 0; // the library lost them (events, gaps in the block ids)
    uint64_t incompleteFrames = 0;
    uint64_t timeouts = 0;      // the device waited in vain for a frame
    uint64_t ignoredFrames = 0; // triggers the board could not take
    uint64_t cc1Count = 0;
    uint64_t resendPackets = 0;
    uint64_t lostPackets = 0;
    uint64_t resendTimeouts = 0; // time-outs and ignored frames together ("Resend Timeout")
    int64_t lastLatencyNs = 0;   // library callback to display image, of the last frame shown
};
