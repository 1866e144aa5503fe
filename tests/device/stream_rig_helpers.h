// A camera stream the way the live path drives it: N buffers, the frame, lost, time-out and
// end-of-stream events logged, and in share mode the previous buffer handed back when the
// next frame arrives.
#ifndef STREAM_RIG_HELPERS_H
#define STREAM_RIG_HELPERS_H

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

#include <gtest/gtest.h>

#include "device/OxaApi.h"

struct StreamRig {
    OXA_DEV_HANDLE dev = nullptr;
    OXA_STREAM_HANDLE stream = nullptr;
    std::vector<OXA_BUFFER_HANDLE> buffers;
    bool share = false; // the application holds each buffer until the next frame arrives
    OXA_BUFFER_HANDLE previous = nullptr;

    std::mutex mutex;
    std::vector<int> inBuffer;      // buffer position of every delivered frame
    std::vector<uint64_t> blockIds; // block id of every delivered frame
    std::vector<uint32_t> states;   // buffer state of every delivered frame
    std::atomic<int> frames{0}, lost{0}, timeouts{0}, ends{0};
    // Runs inside the end-of-frame callback, after the frame was logged.
    std::function<void(OXA_BUFFER_HANDLE)> afterFrame;

    // Opens camera `index` of the last discovery with `count` buffers of its current layout.
    // handling: 0 the rig hands buffers back, 1 the library does.
    ::testing::AssertionResult open(uint32_t index, int count, uint32_t handling);
    // Frees the stream and its buffers and closes the camera (what is still open).
    void close();
    ~StreamRig() { close(); }
};

#endif // STREAM_RIG_HELPERS_H
