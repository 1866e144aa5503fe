// The callbacks an application registered on one device, stream or board, keyed by event.
// Taking one out (remove, clear) waits until no call of it is running on another thread, so
// that the application may free what its callback uses as soon as unregistering returns; a
// callback that unregisters itself, or closes its own device, does not wait for itself.
#ifndef SIMCALLBACKTABLE_H
#define SIMCALLBACKTABLE_H

#include <QHash>
#include <condition_variable>
#include <mutex>
#include <vector>

template <typename Fn> class SimCallbackTable {
public:
    SimCallbackTable() = default;
    SimCallbackTable(const SimCallbackTable&) = delete;
    SimCallbackTable& operator=(const SimCallbackTable&) = delete;

    void set(uint32_t event, Fn func, void* context) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_entries.insert(event, Entry{func, context});
    }

    bool contains(uint32_t event) const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_entries.contains(event);
    }

    // False when nothing was registered for the event.
    bool remove(uint32_t event) {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_entries.remove(event))
            return false;
        m_idle.wait(lock, [&] { return m_running.value(event) <= ownCalls(event); });
        return true;
    }

    void clear() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_entries.clear();
        m_idle.wait(lock, [&] {
            for (auto it = m_running.cbegin(); it != m_running.cend(); ++it)
                if (it.value() > ownCalls(it.key()))
                    return false;
            return true;
        });
    }

    // Calls call(func, context) when something is registered for the event; false otherwise.
    template <typename Call> bool invoke(uint32_t event, Call&& call) {
        Entry e;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            const auto it = m_entries.constFind(event);
            if (it == m_entries.cend())
                return false;
            e = it.value();
            ++m_running[event];
        }
        firing().push_back({this, event});
        call(e.func, e.context);
        firing().pop_back();
        // Notified under the lock: a waiter may destroy the table as soon as it wakes.
        std::lock_guard<std::mutex> lock(m_mutex);
        if (--m_running[event] == 0)
            m_running.remove(event);
        m_idle.notify_all();
        return true;
    }

private:
    struct Entry {
        Fn func = nullptr;
        void* context = nullptr;
    };
    struct Firing {
        const void* table;
        uint32_t event;
    };
    // Calls of this table's event running on the current thread (they cannot be waited for).
    int ownCalls(uint32_t event) const {
        int n = 0;
        for (const Firing& f : firing())
            if (f.table == this && f.event == event)
                ++n;
        return n;
    }
    static std::vector<Firing>& firing() {
        thread_local std::vector<Firing> stack;
        return stack;
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_idle;
    QHash<uint32_t, Entry> m_entries;
    QHash<uint32_t, int> m_running;
};

#endif // SIMCALLBACKTABLE_H
