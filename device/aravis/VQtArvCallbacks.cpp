#include "device/aravis/VQtArvCallbacks.h"

namespace {

struct Firing {
    const void* table;
    uint32_t event;
};

// The calls running on this thread, which a removal on the same thread must not wait for.
std::vector<Firing>& firing() {
    thread_local std::vector<Firing> stack;
    return stack;
}

} // namespace

void VQtArvCallbacks::set(uint32_t event, OXA_EVENT_CALLBACK func, void* context) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_entries[event] = Entry{func, context};
}

bool VQtArvCallbacks::contains(uint32_t event) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_entries.count(event) != 0;
}

int VQtArvCallbacks::ownCalls(uint32_t event) const {
    int n = 0;
    for (const Firing& f : firing())
        if (f.table == this && f.event == event)
            ++n;
    return n;
}

bool VQtArvCallbacks::idle(uint32_t event) const {
    const auto it = m_running.find(event);
    return it == m_running.end() || it->second <= ownCalls(event);
}

bool VQtArvCallbacks::remove(uint32_t event) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_entries.erase(event) == 0)
        return false;
    m_idle.wait(lock, [&] { return idle(event); });
    return true;
}

void VQtArvCallbacks::clear() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_entries.clear();
    m_idle.wait(lock, [&] {
        for (const auto& r : m_running)
            if (!idle(r.first))
                return false;
        return true;
    });
}

bool VQtArvCallbacks::invoke(uint32_t event, OXA_EVENT_INFO_HANDLE info) {
    Entry e;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto it = m_entries.find(event);
        if (it == m_entries.end())
            return false;
        e = it->second;
        ++m_running[event];
    }
    firing().push_back({this, event});
    e.func(info, e.context);
    firing().pop_back();
    // Notified under the lock: a waiter may destroy the table as soon as it wakes.
    std::lock_guard<std::mutex> lock(m_mutex);
    if (--m_running[event] == 0)
        m_running.erase(event);
    m_idle.notify_all();
    return true;
}
