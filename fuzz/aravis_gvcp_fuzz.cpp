// What a GigE Vision camera answers the discovery's memory read with, on arbitrary bytes: the
// acknowledge's payload for each request id, and the bootstrap registers read from it.
#include <QByteArray>

#include "device/aravis/VQtArvDiscovery.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint16_t id = uint16_t(in.take(2));
    const QByteArray packet =
        QByteArray::fromRawData(reinterpret_cast<const char*>(in.rest()), int(in.restSize()));
    const QByteArray payload = VQtArvDiscovery::readAckPayload(packet, id);
    VQtArvBootstrap b;
    VQtArvDiscovery::parseBootstrap(payload, &b);
    VQtArvDiscovery::parseBootstrap(packet, &b);
    return 0;
}
