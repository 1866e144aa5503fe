#include "device/aravis/VQtArvDiscovery.h"

#include <arpa/inet.h>
#include <arv.h>
#include <atomic>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr uint16_t kGvcpPort = 3956;
constexpr uint16_t kReadMemCmd = 0x0084;
constexpr uint16_t kReadMemAck = 0x0085;

uint32_t be32(const QByteArray& b, int at) {
    const auto* p = reinterpret_cast<const uint8_t*>(b.constData()) + at;
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// A zero-terminated text field of at most n bytes.
QByteArray field(const QByteArray& b, int at, int n) {
    const QByteArray raw = b.mid(at, n);
    const int end = raw.indexOf('\0');
    return (end < 0 ? raw : raw.left(end)).trimmed();
}

QByteArray text(const char* s) {
    return QByteArray(s ? s : "");
}

} // namespace

bool VQtArvDiscovery::parseBootstrap(const QByteArray& r, VQtArvBootstrap* out) {
    if (uint32_t(r.size()) < kBootstrapBytes)
        return false;
    *out = VQtArvBootstrap();
    const uint32_t macHigh = be32(r, 0x08), macLow = be32(r, 0x0C);
    const uint64_t mac = uint64_t(macHigh & 0xFFFF) << 32 | macLow;
    for (int k = 5; k >= 0; --k)
        out->mac += QByteArray::number(uint((mac >> (8 * k)) & 0xFF), 16).rightJustified(2, '0').toUpper() +
                    (k ? ":" : "");
    out->ipConfigOptions = be32(r, 0x10);
    out->ipConfigCurrent = be32(r, 0x14);
    out->ip = be32(r, 0x24);
    out->mask = be32(r, 0x34);
    out->gateway = be32(r, 0x44);
    out->vendor = field(r, 0x48, 32);
    out->model = field(r, 0x68, 32);
    out->version = field(r, 0x88, 32);
    out->serial = field(r, 0xD8, 16);
    out->userName = field(r, 0xE8, 16);
    return true;
}

QByteArray VQtArvDiscovery::readAckPayload(const QByteArray& p, uint16_t requestId) {
    // Acknowledge header: status, answer, length, request id; then the address and the data.
    if (p.size() < 12)
        return QByteArray();
    const auto* b = reinterpret_cast<const uint8_t*>(p.constData());
    const uint16_t status = uint16_t(b[0] << 8 | b[1]);
    const uint16_t answer = uint16_t(b[2] << 8 | b[3]);
    const uint16_t length = uint16_t(b[4] << 8 | b[5]);
    const uint16_t id = uint16_t(b[6] << 8 | b[7]);
    if (status != 0 || answer != kReadMemAck || id != requestId || length < 4 || 8 + int(length) > p.size())
        return QByteArray();
    return p.mid(12, length - 4);
}

bool VQtArvDiscovery::readBootstrap(uint32_t cameraIp, int timeoutMs, QByteArray* registers) {
    const int s = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (s < 0)
        return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(kGvcpPort);
    to.sin_addr.s_addr = htonl(cameraIp);
    static std::atomic<uint16_t> nextId{0x4000};
    const uint16_t id = uint16_t(nextId++ | 1); // never 0
    const uint8_t request[16] = {0x42,
                                 0x01,
                                 uint8_t(kReadMemCmd >> 8),
                                 uint8_t(kReadMemCmd),
                                 0x00,
                                 0x08,
                                 uint8_t(id >> 8),
                                 uint8_t(id),
                                 0,
                                 0,
                                 0,
                                 0,
                                 0,
                                 0,
                                 0,
                                 uint8_t(kBootstrapBytes)};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool done = false;
    for (int attempt = 0; attempt < 3 && !done; ++attempt) {
        if (sendto(s, request, sizeof request, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) < 0)
            break;
        const auto slice = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs / 3 + 1);
        for (;;) {
            const auto now = std::chrono::steady_clock::now();
            const auto until = std::min(slice, deadline);
            if (now >= until)
                break;
            pollfd pfd{s, POLLIN, 0};
            const int wait =
                int(std::chrono::duration_cast<std::chrono::milliseconds>(until - now).count()) + 1;
            if (poll(&pfd, 1, wait) <= 0)
                continue;
            QByteArray packet(1500, '\0');
            const ssize_t n = recv(s, packet.data(), size_t(packet.size()), 0);
            if (n <= 0)
                continue;
            packet.truncate(int(n));
            const QByteArray data = readAckPayload(packet, id);
            if (uint32_t(data.size()) >= kBootstrapBytes) {
                *registers = data.left(kBootstrapBytes);
                done = true;
                break;
            }
        }
    }
    close(s);
    return done;
}

QVector<VQtArvCamera> VQtArvDiscovery::scan() {
    QVector<VQtArvCamera> out;
    arv_update_device_list();
    const QVector<VQtArvHostInterface> nics = VQtArvHostInterfaces::list();
    const unsigned n = arv_get_n_devices();
    for (unsigned i = 0; i < n; ++i) {
        VQtArvCamera c;
        c.id = text(arv_get_device_id(i));
        c.protocol = text(arv_get_device_protocol(i));
        c.vendor = text(arv_get_device_vendor(i));
        c.model = text(arv_get_device_model(i));
        c.serial = text(arv_get_device_serial_nbr(i));
        if (c.id.isEmpty())
            continue;
        if (c.protocol == "GigEVision") {
            c.mac = text(arv_get_device_physical_id(i)).toUpper();
            c.ip = VQtArvHostInterfaces::parse(arv_get_device_address(i));
            c.nic = VQtArvHostInterfaces::forAddress(nics, c.ip);
            QByteArray registers;
            VQtArvBootstrap b;
            if (c.ip && readBootstrap(c.ip, 300, &registers) && parseBootstrap(registers, &b)) {
                c.mask = b.mask;
                c.gateway = b.gateway;
                c.version = b.version;
                c.userName = b.userName;
                c.ipConfigOptions = b.ipConfigOptions;
                c.ipConfigCurrent = b.ipConfigCurrent;
            }
        } else if (c.protocol != "USB3Vision" && c.protocol != "Fake") {
            continue; // other transports of Aravis are not cameras of this program
        }
        out << c;
    }
    return out;
}
