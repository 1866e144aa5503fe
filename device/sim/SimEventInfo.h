// What a library callback can ask about the event it was called for (OxaEventInfoGetPrm).
// Valid only during the callback.
#ifndef SIMEVENTINFO_H
#define SIMEVENTINFO_H

#include <QByteArray>
#include <cstdint>

struct SimEventInfo {
    QByteArray eventName;
    QByteArray featureName;
    void* buffer = nullptr; // stream events: the buffer concerned
    uint32_t streamEvent = 0;
    uint64_t timestampUs = 0;
};

#endif // SIMEVENTINFO_H
