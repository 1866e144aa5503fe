// Faults injected into the calls of one simulated device, or of the whole library, keyed by
// the library call's name ("OxaDevPortWrite", "VionReadRegister"; "*" stands for every call):
// a call that always fails, the next N calls that fail, a delay before each call, and reads
// whose value differs from what the device holds. Set by the device description and, while
// the program runs, by the control interface (SimControl). Thread-safe; a device without
// faults costs one atomic load per call.
#ifndef SIMFAULTS_H
#define SIMFAULTS_H

#include <QByteArray>
#include <QHash>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "device/sim/SimFaultDesc.h"

class SimFaults {
public:
    // defaultStatus: what "fail the next N calls" returns when no status was given.
    explicit SimFaults(uint32_t defaultStatus) : m_defaultStatus(defaultStatus) {}

    void setAlwaysFail(const QByteArray& call, uint32_t status); // status 0 clears it
    void failNext(const QByteArray& call, int count, uint32_t status = 0);
    void setLatency(const QByteArray& call, int ms);
    // The next `count` reads by that call differ (-1: every read, 0: none).
    void setReadBackDiffers(const QByteArray& call, int count);
    void clear();
    // Adds the faults a description states.
    void apply(const SimFaultDesc& desc);

    // At the start of a call: waits its latency, then gives the status the call must fail
    // with, or 0 to go on.
    uint32_t enter(const char* call);
    // Whether the value this read returns must differ from the device's.
    bool differ(const char* call);

private:
    struct Fault {
        uint32_t always = 0;
        int failNext = 0;
        uint32_t failNextStatus = 0;
        int latencyMs = 0;
        int differ = 0;
    };
    Fault* find(const QByteArray& call);
    void update();

    const uint32_t m_defaultStatus;
    std::mutex m_mutex;
    QHash<QByteArray, Fault> m_calls;
    std::atomic<bool> m_any{false};
};

#endif // SIMFAULTS_H
