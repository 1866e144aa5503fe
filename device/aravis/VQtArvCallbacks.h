// The callbacks an application registered on one device or stream, keyed by event. Taking one
// out waits until no call of it runs on another thread, so that the application may free what
// its callback uses as soon as unregistering returns; a callback that unregisters itself (or
// closes its own device, frees its own stream) does not wait for itself.
#ifndef VQTARVCALLBACKS_H
#define VQTARVCALLBACKS_H

#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

#include "device/OxaApi.h"

class VQtArvCallbacks {
public:
    VQtArvCallbacks() = default;
    VQtArvCallbacks(const VQtArvCallbacks&) = delete;
    VQtArvCallbacks& operator=(const VQtArvCallbacks&) = delete;
    ~VQtArvCallbacks() { clear(); }

    void set(uint32_t event, OXA_EVENT_CALLBACK func, void* context);
    bool contains(uint32_t event) const;
    // False when nothing was registered for the event.
    bool remove(uint32_t event);
    void clear();
    // Calls func(info, context) when something is registered for the event.
    bool invoke(uint32_t event, OXA_EVENT_INFO_HANDLE info);

private:
    struct Entry {
        OXA_EVENT_CALLBACK func = nullptr;
        void* context = nullptr;
    };
    int ownCalls(uint32_t event) const;
    bool idle(uint32_t event) const;

    mutable std::mutex m_mutex;
    std::condition_variable m_idle;
    std::map<uint32_t, Entry> m_entries;
    std::map<uint32_t, int> m_running;
};

#endif // VQTARVCALLBACKS_H
