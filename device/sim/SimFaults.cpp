#include "device/sim/SimFaults.h"

#include <chrono>
#include <thread>

void SimFaults::update() {
    bool any = false;
    for (const Fault& f : m_calls)
        any = any || f.always || f.failNext || f.latencyMs || f.differ;
    m_any = any;
}

void SimFaults::setAlwaysFail(const QByteArray& call, uint32_t status) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls[call].always = status;
    update();
}

void SimFaults::failNext(const QByteArray& call, int count, uint32_t status) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Fault& f = m_calls[call];
    f.failNext = std::max(0, count);
    f.failNextStatus = status ? status : m_defaultStatus;
    update();
}

void SimFaults::setLatency(const QByteArray& call, int ms) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls[call].latencyMs = std::max(0, ms);
    update();
}

void SimFaults::setReadBackDiffers(const QByteArray& call, int count) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls[call].differ = count;
    update();
}

void SimFaults::clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.clear();
    m_any = false;
}

// The call's own entry first, then the one for every call.
SimFaults::Fault* SimFaults::find(const QByteArray& call) {
    auto it = m_calls.find(call);
    if (it != m_calls.end())
        return &it.value();
    it = m_calls.find(QByteArrayLiteral("*"));
    return it != m_calls.end() ? &it.value() : nullptr;
}

uint32_t SimFaults::enter(const char* call) {
    if (!m_any.load(std::memory_order_relaxed))
        return 0;
    int latency = 0;
    uint32_t status = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const QByteArray name = QByteArray::fromRawData(call, int(qstrlen(call)));
        const auto own = m_calls.find(name);
        const auto all = m_calls.find(QByteArrayLiteral("*"));
        for (auto it : {own, all}) {
            if (it == m_calls.end())
                continue;
            Fault& f = it.value();
            latency = std::max(latency, f.latencyMs);
            if (!status && f.always)
                status = f.always;
            if (!status && f.failNext > 0) {
                --f.failNext;
                status = f.failNextStatus;
            }
        }
        update();
    }
    if (latency > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(latency));
    return status;
}

bool SimFaults::differ(const char* call) {
    if (!m_any.load(std::memory_order_relaxed))
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    Fault* f = find(QByteArray::fromRawData(call, int(qstrlen(call))));
    if (!f || f->differ == 0)
        return false;
    if (f->differ > 0) {
        --f->differ;
        update();
    }
    return true;
}

void SimFaults::apply(const SimFaultDesc& desc) {
    for (auto it = desc.always.begin(); it != desc.always.end(); ++it)
        setAlwaysFail(it.key().toLatin1(), it.value());
    for (auto it = desc.next.begin(); it != desc.next.end(); ++it)
        failNext(it.key().toLatin1(), it.value().count, it.value().status);
    for (auto it = desc.latencyMs.begin(); it != desc.latencyMs.end(); ++it)
        setLatency(it.key().toLatin1(), it.value());
    for (auto it = desc.differ.begin(); it != desc.differ.end(); ++it)
        setReadBackDiffers(it.key().toLatin1(), it.value());
}
