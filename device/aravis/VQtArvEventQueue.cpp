#include "device/aravis/VQtArvEventQueue.h"

VQtArvEventQueue::VQtArvEventQueue() : m_state(std::make_shared<State>()) {
    const std::shared_ptr<State> state = m_state;
    m_thread = std::thread([state] { run(state); });
}

VQtArvEventQueue::~VQtArvEventQueue() {
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->stop = true;
    }
    m_state->wake.notify_all();
    if (onQueueThread())
        m_thread.detach();
    else
        m_thread.join();
}

void VQtArvEventQueue::post(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->tasks.push_back(std::move(task));
    }
    m_state->wake.notify_one();
}

void VQtArvEventQueue::drain() {
    if (onQueueThread())
        return;
    std::unique_lock<std::mutex> lock(m_state->mutex);
    m_state->idle.wait(lock, [&] { return m_state->tasks.empty() && !m_state->busy; });
}

void VQtArvEventQueue::run(const std::shared_ptr<State>& state) {
    std::unique_lock<std::mutex> lock(state->mutex);
    for (;;) {
        state->wake.wait(lock, [&] { return state->stop || !state->tasks.empty(); });
        if (state->tasks.empty()) // stopping, and everything queued has run
            break;
        std::function<void()> task = std::move(state->tasks.front());
        state->tasks.pop_front();
        state->busy = true;
        lock.unlock();
        task();
        task = nullptr;
        lock.lock();
        state->busy = false;
        state->idle.notify_all();
    }
    state->idle.notify_all();
}
