#include "acquisition/VQtStreamBufferPlan.h"

#include <algorithm>

namespace {
VQtStreamBufferPlan plan(uint64_t frameBytes, bool automatic, int configured, bool continuous, uint32_t limit,
                         uint32_t single) {
    VQtStreamBufferPlan p;
    if (!continuous) {
        p.count = single;
        p.share = false;
        return p;
    }
    const uint32_t wanted =
        automatic ? VQtStreamBufferPlan::automaticCount(frameBytes) : uint32_t(std::max(configured, 1));
    p.count = std::min(wanted, limit);
    p.share = p.count > 2;
    return p;
}
} // namespace

uint32_t VQtStreamBufferPlan::automaticCount(uint64_t frameBytes) {
    if (frameBytes == 0 || frameBytes > kAutomaticBytes)
        return 2;
    return uint32_t(kAutomaticBytes / frameBytes + 1);
}

VQtStreamBufferPlan VQtStreamBufferPlan::board(uint64_t frameBytes, bool automatic, int configured,
                                               bool continuous) {
    return plan(frameBytes, automatic, configured, continuous, kBoardLimit, 1);
}

VQtStreamBufferPlan VQtStreamBufferPlan::camera(uint64_t frameBytes, bool automatic, int configured,
                                                bool continuous) {
    return plan(frameBytes, automatic, configured, continuous, kCameraLimit, 2);
}
