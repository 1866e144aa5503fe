#include "stream_rig_helpers.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

OXA_BUFFER_HANDLE bufferOf(OXA_EVENT_INFO_HANDLE info) {
    OXA_BUFFER_HANDLE b = nullptr;
    uint32_t size = sizeof(b);
    OxaEventInfoGetPrm(info, OXA_EVENT_PRM_BUFFER, &b, &size);
    return b;
}

void onFrame(OXA_EVENT_INFO_HANDLE info, void* context) {
    auto* rig = static_cast<StreamRig*>(context);
    OXA_BUFFER_HANDLE b = bufferOf(info);
    uint64_t id = 0;
    uint32_t state = 0, size = 8;
    OxaBufferGetPrm(b, OXA_BUFFER_PRM_BLOCK_ID, &id, &size);
    size = 4;
    OxaBufferGetPrm(b, OXA_BUFFER_PRM_STATE, &state, &size);
    {
        std::lock_guard<std::mutex> lock(rig->mutex);
        rig->inBuffer.push_back(
            int(std::find(rig->buffers.begin(), rig->buffers.end(), b) - rig->buffers.begin()));
        rig->blockIds.push_back(id);
        rig->states.push_back(state);
    }
    if (rig->share) {
        if (rig->previous)
            OxaStreamClearBuffer(rig->stream, rig->previous);
        rig->previous = b;
    }
    ++rig->frames;
    if (rig->afterFrame)
        rig->afterFrame(b);
}

void onLost(OXA_EVENT_INFO_HANDLE, void* context) {
    ++static_cast<StreamRig*>(context)->lost;
}
void onTimeout(OXA_EVENT_INFO_HANDLE, void* context) {
    ++static_cast<StreamRig*>(context)->timeouts;
}
void onEnd(OXA_EVENT_INFO_HANDLE, void* context) {
    ++static_cast<StreamRig*>(context)->ends;
}

} // namespace

::testing::AssertionResult StreamRig::open(uint32_t index, int count, uint32_t handling) {
    if (OxaDevOpen(index, OXA_DEV_ACCESS_EXCLUSIVE, &dev) != OXA_STATUS_SUCCESS)
        return ::testing::AssertionFailure() << "cannot open camera " << index;
    int64_t width = 0, height = 0, format = 0;
    OxaDevGetInt64(dev, "Width", &width);
    OxaDevGetInt64(dev, "Height", &height);
    OxaDevGetInt64(dev, "PixelFormat", &format);
    for (int i = 0; i < count; ++i) {
        OXA_BUFFER_HANDLE b = nullptr;
        if (OxaBufferNew(uint32_t(width), uint32_t(height), uint32_t(format), &b) != OXA_STATUS_SUCCESS)
            return ::testing::AssertionFailure() << "cannot make buffer " << i;
        buffers.push_back(b);
        const OXASTATUS st = i == 0 ? OxaDevAllocStream(dev, b, &stream) : OxaStreamAddBuffer(stream, b);
        if (st != OXA_STATUS_SUCCESS)
            return ::testing::AssertionFailure() << "cannot add buffer " << i;
    }
    if (OxaStreamSetPrm(stream, OXA_STREAM_PRM_BUFFER_HANDLING, &handling, 4) != OXA_STATUS_SUCCESS)
        return ::testing::AssertionFailure() << "cannot set buffer handling";
    OxaStreamRegisterCallback(stream, OXA_STREAM_EVENT_END_OF_FRAME, onFrame, this);
    OxaStreamRegisterCallback(stream, OXA_STREAM_EVENT_FRAME_LOST, onLost, this);
    OxaStreamRegisterCallback(stream, OXA_STREAM_EVENT_TIMEOUT, onTimeout, this);
    OxaStreamRegisterCallback(stream, OXA_STREAM_EVENT_END_OF_STREAM, onEnd, this);
    return ::testing::AssertionSuccess();
}

void StreamRig::close() {
    if (stream)
        OxaStreamFree(stream);
    for (OXA_BUFFER_HANDLE b : buffers)
        OxaBufferFree(b);
    if (dev)
        OxaDevClose(dev);
    stream = nullptr;
    dev = nullptr;
    buffers.clear();
}
