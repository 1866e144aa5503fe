#include "device/sim/SimFirmware.h"

#include <QList>
#include <cstring>

#include "device/sim/SimCameraDesc.h"

namespace {

constexpr int kPage = 4096;
constexpr int kBlock = 32;
constexpr uint64_t kWindowSize = 0x1000000;
constexpr uint64_t kFpgaWindow = 0x1000000, kMcuWindow = 0x2000000, kXmlWindow = 0x100000;
constexpr uint32_t kBitError0 = 0x01, kBitErased = 0x04, kBitWritten = 0x08, kBitBusy = 0x10;
const char kMarker[] = "NexoNexoNexoNexo";

uint16_t crc16(uint16_t crc, const uint8_t* data, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
    }
    return crc;
}

uint16_t crcOfWord(uint16_t value) {
    const uint8_t b[2] = {uint8_t(value), uint8_t(value >> 8)};
    return crc16(0xFFFF, b, 2);
}

uint16_t crcOf(const QByteArray& bytes) {
    return crc16(0xFFFF, reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
}

OXASTATUS portStatus(uint32_t id) {
    return OXA_MAKE_STATUS(OXA_MODULE_PORT, id);
}

int typeOfKind(char kind) {
    return kind == 'f' ? 1 : (kind == 'm' ? 2 : 3);
}

// A container image (header and trailer) must carry both markers and name this camera.
bool containerFits(const QByteArray& image, const QString& model) {
    if (!image.startsWith(kMarker))
        return true; // plain data: nothing the camera can check beyond the CRCs
    const int tail = image.lastIndexOf(kMarker);
    if (image.size() < 144 || tail < 128)
        return false;
    QByteArray name = image.mid(16, 32);
    const int end = name.indexOf('\0');
    return QString::fromLatin1(end < 0 ? name : name.left(end)).contains(model);
}

} // namespace

SimFirmware::SimFirmware(const SimCameraDesc& desc)
    : m_family(familyOf(desc)), m_serial(desc.interfaceType == QLatin1String(OXA_INTERFACE_CL)),
      m_model(desc.model), m_version(desc.version) {}

int SimFirmware::familyOf(const SimCameraDesc& desc) {
    if (desc.firmwareFamily >= -1)
        return desc.firmwareFamily;
    if (desc.firmwareUpdateType >= 0)
        return desc.firmwareUpdateType;
    const QString& kind = desc.interfaceType;
    if (kind == QLatin1String(OXA_INTERFACE_CXP) || kind == QLatin1String(OXA_INTERFACE_USB3))
        return 3;
    if (kind == QLatin1String(OXA_INTERFACE_PCIE))
        return 2;
    return -1;
}

bool SimFirmware::claims(uint64_t a) const {
    const bool f3 = m_family == 3 || m_family == 7;
    const bool f46 = m_family == 4 || m_family == 6 || m_family == 8;
    const bool cedar = m_family == 5 || m_family == 7 || m_family == 8;
    switch (m_family) {
    case 0:
        return a == 0xA814 || a == 0xA818 || a == 0xA820 || a == 0xA824;
    case 1:
        return a == 0xA824 || a == 0xA828 || a == 0xA82C || a == 0xA830;
    case 2:
        return a == 0xA814 || a == 0xA818 || a == 0xA824 || (a >= kXmlWindow && a < kMcuWindow + kWindowSize);
    default:
        break;
    }
    if ((f3 || f46) && (a == 0x6400 || a == 0x6404 || a == 0x640C || a == 0x6410))
        return true;
    if (f3 && a == 0x6408)
        return true;
    if (f46 && a == 0x6F00)
        return true;
    if ((m_family == 4 || m_family == 8) && a == 0x6420)
        return true;
    return cedar && (a == 0xF000 || a == 0xF004);
}

bool SimFirmware::read(uint64_t address, uint32_t* value, OXASTATUS* status) {
    if (!claims(address))
        return false;
    *status = OXA_STATUS_SUCCESS;
    if (address == 0x6410 && (m_family == 3 || m_family == 7))
        *value = uint32_t(m_session.blocks);
    else if (address == 0x6420)
        *value = m_family == 4 ? 2 : 0;
    else if (address == 0xF004)
        *value = cedarStatus();
    else
        *value = 0;
    return true;
}

bool SimFirmware::write(uint64_t address, const uint8_t* data, uint32_t size, OXASTATUS* status) {
    if (!claims(address))
        return false;
    if (m_family == 2 && address >= kXmlWindow) {
        *status = windowWrite(address, data, size);
        return true;
    }
    if (address == 0x6F00) {
        m_session.page.append(reinterpret_cast<const char*>(data), int(size));
        *status = OXA_STATUS_SUCCESS;
        return true;
    }
    if (address == 0xF000) {
        *status = cedarData(data, size);
        return true;
    }
    *status = OXA_STATUS_SUCCESS;
    for (uint32_t k = 0; k + 4 <= size && *status == OXA_STATUS_SUCCESS; k += 4) {
        uint32_t v;
        std::memcpy(&v, data + k, 4);
        const uint64_t a = address + k;
        // Families 0 to 2: type, size, data words (0 and 1) and commit registers.
        static const uint64_t kBlockRegs[3][4] = {
            {0xA814, 0xA818, 0xA820, 0xA824}, {0xA824, 0xA828, 0xA82C, 0xA830}, {0xA814, 0xA818, 0, 0xA824}};
        const uint64_t* r = m_family >= 0 && m_family <= 2 ? kBlockRegs[m_family] : nullptr;
        if (r && a == r[0])
            *status = start(v);
        else if (r && a == r[1])
            *status = setSize(v);
        else if (r && a == r[2])
            *status = dataWord(v);
        else if (r && a == r[3])
            *status = commit(v);
        else if (a == 0x6400)
            *status = start(v);
        else if (a == 0x6404)
            *status = setSize(v);
        else if (a == 0x6408) {
            m_session.words << v;
            if (m_session.words.size() > 8)
                m_session.words.removeFirst();
        } else if (a == 0x6410)
            *status = (m_family == 3 || m_family == 7) ? blockCrc(v) : pageCrc(v);
        else if (a == 0x640C)
            *status = commit(v);
        else if (a == 0x6420 && m_family == 8)
            *status = cedarStart(v);
        else if (a == 0xF004)
            *status = v == 0 ? cedarFinish() : cedarStart(v);
        else
            *status = refuse(QStringLiteral("write to 0x%1 outside the protocol").arg(a, 0, 16));
    }
    return true;
}

bool SimFirmware::blockFault(int index) {
    if (m_fault.step != Step::Block || index != m_fault.index || m_faultHits >= m_fault.count)
        return false;
    ++m_faultHits;
    return true;
}

OXASTATUS SimFirmware::refuse(const QString& why) {
    ++m_refusals;
    m_lastRefusal = why;
    return OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_DEVICE_FAULT);
}

OXASTATUS SimFirmware::start(uint32_t type) {
    if (m_fault.step == Step::Start)
        return refuse(QStringLiteral("start refused"));
    if (type < 1 || type > 3)
        return refuse(QStringLiteral("unknown firmware type %1").arg(type));
    m_session = Session();
    m_session.started = true;
    m_session.type = int(type);
    m_faultHits = 0;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimFirmware::setSize(uint32_t word) {
    if (m_fault.step == Step::Size)
        return refuse(QStringLiteral("size refused"));
    const uint16_t pages = uint16_t(word & 0xFFFF);
    if (!m_session.started || pages == 0 || (word >> 16) != crcOfWord(pages))
        return refuse(QStringLiteral("bad size word 0x%1").arg(word, 8, 16, QLatin1Char('0')));
    m_session.pages = pages;
    m_session.data.reserve(pages * kPage);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimFirmware::dataWord(uint32_t word) {
    if (m_session.pages < 0)
        return refuse(QStringLiteral("data before the size"));
    m_session.words << word;
    if (m_session.words.size() < 9)
        return OXA_STATUS_SUCCESS;
    QByteArray block(kBlock, 0);
    std::memcpy(block.data(), m_session.words.constData(), kBlock);
    const int index = m_session.data.size() / kBlock;
    if ((m_session.words[8] & 0xFFFF) != crcOf(block) || blockFault(index))
        m_session.corrupt = true;
    m_session.words.clear();
    m_session.data += block;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimFirmware::blockCrc(uint32_t crc) {
    if (m_session.pages < 0)
        return refuse(QStringLiteral("block before the size"));
    const int limit = m_session.pages * kPage / kBlock;
    if (m_session.words.size() == 8 && m_session.blocks < limit) {
        QByteArray block(kBlock, 0);
        std::memcpy(block.data(), m_session.words.constData(), kBlock);
        if ((crc & 0xFFFF) == crcOf(block) && !blockFault(m_session.blocks)) {
            m_session.data.resize(m_session.blocks * kBlock);
            m_session.data += block;
            ++m_session.blocks;
        }
    }
    m_session.words.clear();
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimFirmware::pageCrc(uint32_t crc) {
    if (m_session.pages < 0)
        return refuse(QStringLiteral("page before the size"));
    if (m_session.page.size() != kPage || (crc & 0xFFFF) != crcOf(m_session.page) ||
        blockFault(m_session.blocks))
        m_session.corrupt = true;
    m_session.data += m_session.page;
    m_session.page.clear();
    ++m_session.blocks;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimFirmware::windowWrite(uint64_t address, const uint8_t* data, uint32_t size) {
    const uint64_t base =
        address >= kMcuWindow ? kMcuWindow : (address >= kFpgaWindow ? kFpgaWindow : kXmlWindow);
    const int type = base == kFpgaWindow ? 1 : (base == kMcuWindow ? 2 : 3);
    const uint64_t offset = address - base;
    if (m_session.pages < 0 || type != m_session.type || offset + size > uint64_t(m_session.pages) * kPage)
        return refuse(QStringLiteral("window write outside the image"));
    if (blockFault(int(offset / 256)))
        m_session.corrupt = true;
    if (uint64_t(m_session.data.size()) < offset + size)
        m_session.data.resize(int(offset + size));
    std::memcpy(m_session.data.data() + offset, data, size);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimFirmware::commit(uint32_t word) {
    Session s = m_session;
    m_session = Session();
    if (m_fault.step == Step::Commit)
        return refuse(QStringLiteral("the image does not verify"));
    if (s.pages < 0 || s.data.size() != s.pages * kPage || s.corrupt)
        return refuse(QStringLiteral("%1 of %2 bytes arrived intact")
                          .arg(s.corrupt ? 0 : s.data.size())
                          .arg(s.pages * kPage));
    // The whole-image CRC, continued over the pages.
    uint16_t crc = 0xFFFF;
    for (int offset = 0; offset < s.data.size(); offset += kPage)
        crc = crc16(crc, reinterpret_cast<const uint8_t*>(s.data.constData()) + offset, kPage);
    if ((word & 0xFFFF) != crc || (word >> 16) != crcOfWord(crc))
        return refuse(
            QStringLiteral("commit word 0x%1 does not match the image").arg(word, 8, 16, QLatin1Char('0')));
    accept(s.type, s.data);
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimFirmware::cedarStart(uint32_t type) {
    const OXASTATUS st = start(type);
    if (st != OXA_STATUS_SUCCESS)
        return st;
    m_session.cedar = 1;
    return OXA_STATUS_SUCCESS;
}

OXASTATUS SimFirmware::cedarData(const uint8_t* data, uint32_t size) {
    if (m_session.cedar != 2 && m_session.cedar != 3)
        return refuse(QStringLiteral("data before erasing finished"));
    if (blockFault(m_session.data.size() / 256))
        return portStatus(OXA_ERR_IO);
    m_session.data.append(reinterpret_cast<const char*>(data), int(size));
    m_session.cedar = 3;
    m_session.polls = 0;
    return OXA_STATUS_SUCCESS;
}

// Erasing and writing each stay busy for two polls.
uint32_t SimFirmware::cedarStatus() {
    Session& s = m_session;
    if (s.cedar == 1 && ++s.polls > 2)
        s.cedar = 2;
    if (s.cedar == 3 && ++s.polls > 2) {
        s.cedar = 4;
        if (!containerFits(s.data, m_model))
            s.corrupt = true;
    }
    switch (s.cedar) {
    case 1:
        return kBitBusy;
    case 2:
        return kBitErased | (m_fault.step == Step::Erase ? kBitError0 : 0);
    case 3:
        return kBitErased | kBitBusy;
    case 4:
        return kBitErased | kBitWritten | (m_fault.step == Step::Write || s.corrupt ? kBitError0 : 0);
    default:
        return 0;
    }
}

OXASTATUS SimFirmware::cedarFinish() {
    Session s = m_session;
    m_session = Session();
    if (s.cedar != 4)
        return OXA_STATUS_SUCCESS; // clearing an unfinished transfer
    if (m_fault.step == Step::Commit || s.corrupt || m_fault.step == Step::Write)
        return refuse(QStringLiteral("the written image does not verify"));
    accept(s.type, s.data);
    return OXA_STATUS_SUCCESS;
}

void SimFirmware::accept(int type, const QByteArray& image) {
    m_accepted.insert(type, image);
}

bool SimFirmware::serialCommand(const QByteArray& line, QByteArray* reply) {
    if (!m_serial)
        return false;
    const QByteArray text = line.trimmed();
    const int eq = text.indexOf('=');
    const QByteArray cmd = text.left(eq).toLower();
    if (eq != 4 || !cmd.endsWith("fw") || !QByteArray("swe").contains(cmd[0]) ||
        !QByteArray("fmx").contains(cmd[1]))
        return false;
    const QList<QByteArray> values = text.mid(eq + 1).split(',');
    if (cmd[0] == 's')
        *reply = serialStart(cmd[1], values);
    else if (cmd[0] == 'w')
        *reply = serialWrite(cmd[1], values);
    else
        *reply = serialEnd(cmd[1], values);
    return true;
}

namespace {
bool hexValues(const QList<QByteArray>& values, int count, QVector<uint32_t>* out) {
    if (values.size() != count)
        return false;
    for (const QByteArray& v : values) {
        bool ok = false;
        const uint32_t n = v.trimmed().toUInt(&ok, 16);
        if (!ok)
            return false;
        *out << n;
    }
    return true;
}
} // namespace

QByteArray SimFirmware::serialStart(char kind, const QList<QByteArray>& values) {
    QVector<uint32_t> v;
    if (!hexValues(values, 3, &v) || v[0] == 0 || v[0] > 0xFFFF)
        return ">128\r\n";
    if (m_fault.step == Step::Start || m_fault.step == Step::Erase) {
        refuse(QStringLiteral("start refused"));
        return ">133\r\n";
    }
    const uint16_t crc = crcOfWord(uint16_t(v[0]));
    if (v[1] != (crc & 0xFFu) || v[2] != uint32_t(crc >> 8))
        return ">130\r\n";
    m_session = Session();
    m_session.started = true;
    m_session.type = typeOfKind(kind);
    m_session.pages = int(v[0]);
    m_session.data = QByteArray(m_session.pages * kPage, char(0xFF));
    m_session.words.fill(0, m_session.pages * (kPage / kBlock)); // records received
    m_faultHits = 0;
    return ">Ok\r\n";
}

QByteArray SimFirmware::serialWrite(char kind, const QList<QByteArray>& values) {
    QVector<uint32_t> v;
    if (!hexValues(values, 36, &v))
        return ">128\r\n";
    if (!m_session.started || m_session.type != typeOfKind(kind) || v[0] >= uint32_t(m_session.pages) ||
        v[1] >= 128)
        return ">132\r\n";
    uint8_t record[35];
    record[0] = uint8_t(v[0]);
    record[1] = uint8_t(v[0] >> 8);
    record[2] = uint8_t(v[1]);
    for (int i = 0; i < 32; ++i) {
        if (v[2 + i] > 0xFF)
            return ">128\r\n";
        record[3 + i] = uint8_t(v[2 + i]);
    }
    const uint16_t k = crc16(0xFFFF, record, 35);
    const int index = int(v[0]) * 128 + int(v[1]);
    if (v[34] != (k & 0xFFu) || v[35] != uint32_t(k >> 8) || blockFault(index))
        return ">130\r\n";
    std::memcpy(m_session.data.data() + index * kBlock, record + 3, kBlock);
    m_session.words[index] = 1;
    return ">ok\r\n";
}

QByteArray SimFirmware::serialEnd(char kind, const QList<QByteArray>& values) {
    QVector<uint32_t> v;
    Session s = m_session;
    m_session = Session();
    if (!hexValues(values, 5, &v))
        return ">128\r\n";
    const uint16_t w = crcOf(s.data);
    const uint8_t pw[4] = {uint8_t(v[0]), uint8_t(v[0] >> 8), uint8_t(w), uint8_t(w >> 8)};
    const uint16_t check = crc16(0xFFFF, pw, 4);
    const bool whole =
        s.started && s.type == typeOfKind(kind) && !s.words.contains(0) && v[0] == uint32_t(s.pages);
    if (m_fault.step == Step::Commit || !whole || v[1] != (w & 0xFFu) || v[2] != uint32_t(w >> 8) ||
        v[3] != (check & 0xFFu) || v[4] != uint32_t(check >> 8)) {
        refuse(QStringLiteral("the image does not verify"));
        return ">133\r\n";
    }
    accept(s.type, s.data);
    return ">ok\r\n";
}

namespace {
// The camera's own layout: PCB (3 digits) and FPGA (2) before the '-', MCU protocol (2) and
// MCU firmware (3) after it.
bool splitVersion(const QString& text, int v[4]) {
    if (text.size() != 11 || text[5] != QLatin1Char('-'))
        return false;
    bool ok[4];
    v[0] = text.mid(0, 3).toInt(&ok[0]);
    v[1] = text.mid(3, 2).toInt(&ok[1]);
    v[2] = text.mid(6, 2).toInt(&ok[2]);
    v[3] = text.mid(8, 3).toInt(&ok[3]);
    return ok[0] && ok[1] && ok[2] && ok[3];
}

// "VERSION=nn" inside an image names the version it brings.
int taggedVersion(const QByteArray& image, int fallback, int modulo) {
    const int at = image.indexOf("VERSION=");
    if (at < 0)
        return fallback % modulo;
    int n = 0, digits = 0;
    for (int i = at + 8; i < image.size() && digits < 3 && image[i] >= '0' && image[i] <= '9'; ++i, ++digits)
        n = n * 10 + (image[i] - '0');
    return digits ? n % modulo : fallback % modulo;
}
} // namespace

void SimFirmware::powerCycle() {
    m_session = Session();
    int v[4];
    const bool known = splitVersion(m_version, v);
    for (auto it = m_accepted.constBegin(); it != m_accepted.constEnd(); ++it) {
        m_installed.insert(it.key(), it.value());
        if (known && it.key() == 1)
            v[1] = taggedVersion(it.value(), v[1] + 1, 100);
        else if (known && it.key() == 2)
            v[3] = taggedVersion(it.value(), v[3] + 1, 1000);
    }
    m_accepted.clear();
    if (known)
        m_version = QStringLiteral("%1%2-%3%4")
                        .arg(v[0], 3, 10, QLatin1Char('0'))
                        .arg(v[1], 2, 10, QLatin1Char('0'))
                        .arg(v[2], 2, 10, QLatin1Char('0'))
                        .arg(v[3], 3, 10, QLatin1Char('0'));
}
