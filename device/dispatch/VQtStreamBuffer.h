// One camera-library frame buffer (OxaBufferNew). The library surface owns the memory, so a
// buffer can be created before anyone knows which backend's stream it will join; the backend
// streaming into it fills the frame record. The pointer is the public buffer handle.
#ifndef VQTSTREAMBUFFER_H
#define VQTSTREAMBUFFER_H

#include <cstdint>
#include <vector>

#include "device/OxaApi.h"

struct VQtStreamBuffer {
    std::vector<uint8_t> data;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t pixelFormat = 0;
    // Frame record of the last frame written, set by the streaming backend.
    uint32_t state = OXA_BUFFER_EMPTY;
    uint64_t blockId = 0;
    uint64_t payload = 0;
    uint64_t timestampUs = 0;
    uint64_t resentPackets = 0;
    uint64_t lostPackets = 0;

    // Registry of live buffers: a stale or foreign handle is refused, never dereferenced.
    static VQtStreamBuffer* create(uint64_t bytes);
    static VQtStreamBuffer* live(void* handle);
    static void destroy(VQtStreamBuffer* buffer);
    static void destroyAll();

    // The stream a buffer was added to (slot 0 when none); kept by the library surface.
    struct Binding {
        unsigned slot = 0;
        void* stream = nullptr;
    };
    static Binding binding(const VQtStreamBuffer* buffer);
    static void bind(VQtStreamBuffer* buffer, const Binding& binding);
    // Forgets every buffer binding to that stream (freed), or to any stream of the slot.
    static void unbindStream(unsigned slot, void* stream);
    static void unbindSlot(unsigned slot);
};

#endif // VQTSTREAMBUFFER_H
