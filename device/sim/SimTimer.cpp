#include "device/sim/SimTimer.h"

SimTimer::~SimTimer() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
        m_tasks.clear();
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void SimTimer::schedule(int delayMs, std::function<void()> task) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_tasks.emplace(std::chrono::steady_clock::now() + std::chrono::milliseconds(delayMs), std::move(task));
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
    m_wake.notify_all();
}

void SimTimer::cancel() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_tasks.clear();
}

void SimTimer::run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_stop) {
        if (m_tasks.empty()) {
            m_wake.wait(lock);
            continue;
        }
        const auto due = m_tasks.begin()->first;
        if (std::chrono::steady_clock::now() < due) {
            m_wake.wait_until(lock, due);
            continue;
        }
        std::function<void()> task = std::move(m_tasks.begin()->second);
        m_tasks.erase(m_tasks.begin());
        lock.unlock();
        task();
        lock.lock();
    }
}
