// What a callback can ask about the event it was called for (OxaEventInfoGetPrm); it lives on
// the calling thread's stack for the duration of the callback.
#ifndef VQTARVEVENTINFO_H
#define VQTARVEVENTINFO_H

#include <QByteArray>
#include <cstdint>

struct VQtArvEventInfo {
    QByteArray eventName;
    QByteArray featureName;
    void* buffer = nullptr; // stream events: the buffer concerned
    uint32_t streamEvent = 0;
    uint64_t timestampUs = 0;
};

#endif // VQTARVEVENTINFO_H
