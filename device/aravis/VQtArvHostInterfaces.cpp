#include "device/aravis/VQtArvHostInterfaces.h"

#include <QFile>
#include <QList>
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <netinet/in.h>

QByteArray VQtArvHostInterfaces::text(uint32_t address) {
    if (address == 0)
        return QByteArray();
    return QByteArray::number(address >> 24) + '.' + QByteArray::number((address >> 16) & 0xFF) + '.' +
           QByteArray::number((address >> 8) & 0xFF) + '.' + QByteArray::number(address & 0xFF);
}

uint32_t VQtArvHostInterfaces::parse(const char* text) {
    in_addr a{};
    return text && inet_pton(AF_INET, text, &a) == 1 ? ntohl(a.s_addr) : 0;
}

QVector<VQtArvHostInterface> VQtArvHostInterfaces::list() {
    QVector<VQtArvHostInterface> out;
    ifaddrs* all = nullptr;
    if (getifaddrs(&all) != 0)
        return out;
    QList<QPair<QByteArray, QByteArray>> macs;
    for (ifaddrs* i = all; i; i = i->ifa_next) {
        if (!i->ifa_addr || !i->ifa_name)
            continue;
        if (i->ifa_addr->sa_family == AF_PACKET) {
            const auto* ll = reinterpret_cast<const sockaddr_ll*>(i->ifa_addr);
            QByteArray mac;
            for (int k = 0; k < ll->sll_halen && k < 8; ++k)
                mac +=
                    (k ? ":" : "") + QByteArray::number(ll->sll_addr[k], 16).rightJustified(2, '0').toUpper();
            if (mac != "00:00:00:00:00:00")
                macs << qMakePair(QByteArray(i->ifa_name), mac);
        } else if (i->ifa_addr->sa_family == AF_INET) {
            VQtArvHostInterface h;
            h.name = i->ifa_name;
            h.ip = ntohl(reinterpret_cast<const sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr);
            if (i->ifa_netmask)
                h.mask = ntohl(reinterpret_cast<const sockaddr_in*>(i->ifa_netmask)->sin_addr.s_addr);
            out << h;
        }
    }
    freeifaddrs(all);
    for (VQtArvHostInterface& h : out)
        for (const auto& m : macs)
            if (m.first == h.name)
                h.mac = m.second;
    QFile routes(QStringLiteral("/proc/net/route"));
    if (routes.open(QIODevice::ReadOnly))
        readGateways(routes.read(1 << 20), &out);
    return out;
}

// Lines "Iface Destination Gateway Flags ..." with hexadecimal addresses in host byte order of
// the kernel (little-endian here); the default route has destination 0.
void VQtArvHostInterfaces::readGateways(const QByteArray& table, QVector<VQtArvHostInterface>* interfaces) {
    const QList<QByteArray> lines = table.split('\n');
    for (int n = 1; n < lines.size(); ++n) {
        const QList<QByteArray> f = lines.at(n).simplified().split(' ');
        if (f.size() < 3)
            continue;
        bool okDest = false, okGate = false;
        const uint32_t dest = f.at(1).toUInt(&okDest, 16);
        const uint32_t gate = f.at(2).toUInt(&okGate, 16);
        if (!okDest || !okGate || dest != 0 || gate == 0)
            continue;
        for (VQtArvHostInterface& h : *interfaces)
            if (h.name == f.at(0) && h.gateway == 0)
                h.gateway = ntohl(gate);
    }
}

VQtArvHostInterface VQtArvHostInterfaces::forAddress(const QVector<VQtArvHostInterface>& all,
                                                     uint32_t address) {
    for (const VQtArvHostInterface& h : all)
        if (h.mask != 0 && (h.ip & h.mask) == (address & h.mask))
            return h;
    for (const VQtArvHostInterface& h : all)
        if ((h.ip >> 24) != 127)
            return h;
    return all.isEmpty() ? VQtArvHostInterface() : all.first();
}
