#pragma once

#include <cstdint>

// How many library buffers a grab gets and whether the stream shares them with the library
// (share mode: the frame buffer points at the library's buffer until the next frame arrives,
// so that no frame is copied for display).
//
// The automatic count keeps about 256 MiB of frames in flight: 256 MiB / frame + 1 buffers for
// a frame of at most 256 MiB, else 2. A continuous grab takes at most 32 board buffers or 200
// camera buffers and shares them when it has more than 2; a single grab uses 1 board buffer or
// 2 camera buffers, unshared.
struct VQtStreamBufferPlan {
    uint32_t count = 1;
    bool share = false;

    static constexpr uint64_t kAutomaticBytes = 0x10000000;
    static constexpr uint32_t kBoardLimit = 32;
    static constexpr uint32_t kCameraLimit = 200;

    // frameBytes: the unpacked frame (width x channels x height x storage bytes).
    static uint32_t automaticCount(uint64_t frameBytes);
    static VQtStreamBufferPlan board(uint64_t frameBytes, bool automatic, int configured, bool continuous);
    static VQtStreamBufferPlan camera(uint64_t frameBytes, bool automatic, int configured, bool continuous);
};
