// The GigE Vision and USB3 Vision cameras Aravis finds, as discovery records of the program:
// identity (vendor, model, serial, version, user name), for GigE Vision cameras the network
// record (MAC, address, mask, gateway) read from the camera's bootstrap registers and the host
// card the camera is reached through. Aravis's in-process fake camera is listed as a USB3
// Vision camera when the fake interface is switched on (tests).
#ifndef VQTARVDISCOVERY_H
#define VQTARVDISCOVERY_H

#include <QByteArray>
#include <QVector>
#include <cstdint>

#include "device/aravis/VQtArvHostInterfaces.h"

struct VQtArvCamera {
    QByteArray id;       // what Aravis opens the camera by
    QByteArray protocol; // "GigEVision", "USB3Vision", "Fake"
    QByteArray vendor, model, serial, version, userName;
    QByteArray mac;
    uint32_t ip = 0, mask = 0, gateway = 0;
    uint32_t ipConfigOptions = 0, ipConfigCurrent = 0;
    VQtArvHostInterface nic;
    bool isUsb3() const { return protocol != "GigEVision"; }
};

// The identity and network part of the GigE Vision bootstrap registers 0x0000-0x00F7.
struct VQtArvBootstrap {
    QByteArray mac, vendor, model, version, serial, userName;
    uint32_t ip = 0, mask = 0, gateway = 0, ipConfigOptions = 0, ipConfigCurrent = 0;
};

class VQtArvDiscovery {
public:
    static constexpr uint32_t kBootstrapBytes = 0xF8;
    // Refreshes Aravis's device list (the caller serialises Aravis's global calls).
    static QVector<VQtArvCamera> scan();
    // Reads a GigE Vision camera's bootstrap registers without taking control (one memory read
    // over the control protocol, a few retries within timeoutMs). False when it does not answer.
    static bool readBootstrap(uint32_t cameraIp, int timeoutMs, QByteArray* registers);
    // The fields of kBootstrapBytes bytes of bootstrap registers; false when fewer are given.
    static bool parseBootstrap(const QByteArray& registers, VQtArvBootstrap* out);
    // The register bytes of a control-protocol memory-read acknowledge for request id, or
    // nothing when the packet is not that acknowledge.
    static QByteArray readAckPayload(const QByteArray& packet, uint16_t requestId);
};

#endif // VQTARVDISCOVERY_H
