#include "device/dispatch/VQtStreamBuffer.h"

#include <mutex>
#include <new>
#include <unordered_map>

namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_map<const void*, VQtStreamBuffer::Binding> buffers;
};

Registry& registry() {
    static Registry r;
    return r;
}

} // namespace

VQtStreamBuffer* VQtStreamBuffer::create(uint64_t bytes) {
    auto* b = new (std::nothrow) VQtStreamBuffer;
    if (!b)
        return nullptr;
    try {
        // Zero-filled: every page is touched now rather than by the first frames.
        b->data.assign(size_t(bytes), 0);
    } catch (const std::bad_alloc&) {
        delete b;
        return nullptr;
    }
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.buffers.emplace(b, Binding());
    return b;
}

VQtStreamBuffer* VQtStreamBuffer::live(void* handle) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.buffers.count(handle) ? static_cast<VQtStreamBuffer*>(handle) : nullptr;
}

void VQtStreamBuffer::destroy(VQtStreamBuffer* buffer) {
    {
        Registry& r = registry();
        std::lock_guard<std::mutex> lock(r.mutex);
        if (!r.buffers.erase(buffer))
            return;
    }
    delete buffer;
}

void VQtStreamBuffer::destroyAll() {
    std::unordered_map<const void*, Binding> all;
    {
        Registry& r = registry();
        std::lock_guard<std::mutex> lock(r.mutex);
        all.swap(r.buffers);
    }
    for (const auto& entry : all)
        delete static_cast<const VQtStreamBuffer*>(entry.first);
}

VQtStreamBuffer::Binding VQtStreamBuffer::binding(const VQtStreamBuffer* buffer) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    const auto it = r.buffers.find(buffer);
    return it == r.buffers.end() ? Binding() : it->second;
}

void VQtStreamBuffer::bind(VQtStreamBuffer* buffer, const Binding& binding) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    const auto it = r.buffers.find(buffer);
    if (it != r.buffers.end())
        it->second = binding;
}

void VQtStreamBuffer::unbindStream(unsigned slot, void* stream) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    for (auto& entry : r.buffers)
        if (entry.second.slot == slot && entry.second.stream == stream)
            entry.second = Binding();
}

void VQtStreamBuffer::unbindSlot(unsigned slot) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    for (auto& entry : r.buffers)
        if (entry.second.slot == slot)
            entry.second = Binding();
}
