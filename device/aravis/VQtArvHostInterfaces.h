// The host's network interfaces with an IPv4 address (getifaddrs): name, address, mask, MAC
// and default gateway, to tell which card a GigE Vision camera is reached through.
#ifndef VQTARVHOSTINTERFACES_H
#define VQTARVHOSTINTERFACES_H

#include <QByteArray>
#include <QVector>
#include <cstdint>

struct VQtArvHostInterface {
    QByteArray name;
    QByteArray mac; // "A0:36:9F:00:00:01", empty when the system gives none (loopback)
    uint32_t ip = 0;
    uint32_t mask = 0;
    uint32_t gateway = 0;
};

class VQtArvHostInterfaces {
public:
    static QVector<VQtArvHostInterface> list();
    // The interface whose subnet holds the address; else the first one that is not loopback.
    static VQtArvHostInterface forAddress(const QVector<VQtArvHostInterface>& all, uint32_t address);
    static QByteArray text(uint32_t address); // dotted quad, "" for 0
    static uint32_t parse(const char* text);  // 0 when not a dotted quad
    // Default gateways per interface from the kernel's routing table text (/proc/net/route).
    static void readGateways(const QByteArray& routeTable, QVector<VQtArvHostInterface>* interfaces);
};

#endif // VQTARVHOSTINTERFACES_H
