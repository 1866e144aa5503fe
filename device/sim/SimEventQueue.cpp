#include "device/sim/SimEventQueue.h"

SimEventQueue::SimEventQueue() : m_state(std::make_shared<State>()) {
    const std::shared_ptr<State> state = m_state;
    m_thread = std::thread([state] { run(state); });
}

SimEventQueue::~SimEventQueue() {
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->stop = true;
        m_state->wake.notify_all();
    }
    if (onQueueThread())
        m_thread.detach(); // the state outlives this object in the thread's own reference
    else if (m_thread.joinable())
        m_thread.join();
}

void SimEventQueue::post(std::function<void()> task) {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    if (m_state->stop)
        return;
    m_state->tasks.push_back(std::move(task));
    m_state->wake.notify_one();
}

void SimEventQueue::drain() {
    if (onQueueThread())
        return;
    std::unique_lock<std::mutex> lock(m_state->mutex);
    m_state->idle.wait(lock, [this] { return m_state->tasks.empty() && !m_state->busy; });
}

void SimEventQueue::run(const std::shared_ptr<State>& state) {
    std::unique_lock<std::mutex> lock(state->mutex);
    for (;;) {
        state->wake.wait(lock, [&] { return state->stop || !state->tasks.empty(); });
        if (state->tasks.empty() && state->stop)
            break;
        std::function<void()> task = std::move(state->tasks.front());
        state->tasks.pop_front();
        state->busy = true;
        lock.unlock();
        task();
        task = nullptr; // what it captured goes before the queue counts as idle
        lock.lock();
        state->busy = false;
        if (state->tasks.empty())
            state->idle.notify_all();
    }
    state->idle.notify_all();
}
