// Call faults as a device description states them (see SimFaults for their meaning).
#ifndef SIMFAULTDESC_H
#define SIMFAULTDESC_H

#include <QHash>
#include <QString>
#include <cstdint>

struct SimFaultDesc {
    struct Next {
        int count = 0;
        uint32_t status = 0; // 0: the device's default failure
    };
    QHash<QString, uint32_t> always; // "fail": call -> status or board error code
    QHash<QString, Next> next;       // "failNext"
    QHash<QString, int> latencyMs;   // "latency"
    QHash<QString, int> differ;      // "readBackDiffers"
};

#endif // SIMFAULTDESC_H
