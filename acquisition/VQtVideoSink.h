#pragma once

#include <cstdint>

// Where the stream hands every frame while a video is recorded: the recorder copies the frame
// before addBuffer returns, so the library may reuse its buffer at once. Called on the
// library's callback threads; closeX264 on the stream's owner thread when the grab stops.
class VQtVideoSink {
public:
    virtual ~VQtVideoSink() = default;
    virtual bool isSavingX264() const = 0;
    virtual bool addBuffer(const void* data, uint64_t length, uint64_t offset) = 0;
    virtual void closeX264() = 0;
};
