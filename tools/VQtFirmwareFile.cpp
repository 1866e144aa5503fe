#include "tools/VQtFirmwareFile.h"

#include <QFile>
#include <cstring>

namespace {

// A decimal number of one byte: digits only.
bool byteValue(const QString& text, int* value) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v > 255)
        return false;
    *value = v;
    return true;
}

// "ab.cd" as two numbers, or a run of digits split after `first` characters.
bool splitPart(const QString& part, int first, int* a, int* b) {
    const int dot = part.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        return byteValue(part.left(dot), a) && byteValue(part.mid(dot + 1), b);
    return byteValue(part.left(first), a) && byteValue(part.mid(first), b);
}

} // namespace

bool parseDeviceVersion(const QString& raw, VQtFirmwareVersions* v) {
    QString text = raw.trimmed();
    const int dash = text.indexOf(QLatin1Char('-'));
    VQtFirmwareVersions out;
    if (dash < 0) {
        if (text.size() != 8 || text.contains(QLatin1Char('.')))
            return false;
        if (!splitPart(text.left(4), 2, &out.pcb, &out.fpga) ||
            !splitPart(text.mid(4), 2, &out.mcuProtocol, &out.mcuFirmware))
            return false;
        *v = out;
        return true;
    }
    QString left = text.left(dash), right = text.mid(dash + 1);
    if (text.contains(QLatin1Char('.'))) {
        left.remove(QLatin1Char(' '));
        right.remove(QLatin1Char(' '));
        if (!left.contains(QLatin1Char('.')) || !right.contains(QLatin1Char('.')))
            return false;
        if (!splitPart(left, 0, &out.pcb, &out.fpga) ||
            !splitPart(right, 0, &out.mcuProtocol, &out.mcuFirmware))
            return false;
        *v = out;
        return true;
    }
    const int leftFirst = left.size() == 4 ? 2 : (left.size() == 5 ? 3 : -1);
    const int rightFirst = right.size() == 4 || right.size() == 5 ? 2 : -1;
    if (leftFirst < 0 || rightFirst < 0)
        return false;
    if (!splitPart(left, leftFirst, &out.pcb, &out.fpga) ||
        !splitPart(right, rightFirst, &out.mcuProtocol, &out.mcuFirmware))
        return false;
    *v = out;
    return true;
}

QString VQtFirmwareFile::message(Result result) {
    switch (result) {
    case Ok:
        return QString();
    case OpenFailed:
        return tr("Failed to open firmware file!");
    case ReadFailed:
        return tr("Failed to read firmware file!");
    case FormatError:
        return tr("Firmware file data format error!");
    case TooLarge:
        return tr("The firmware file is larger than the camera can take!");
    case NoData:
        return tr("The firmware file holds no firmware data!");
    case VersionUnknown:
        return tr("Failed to get camera firmware version !");
    case McuProtocolOutOfRange:
        return tr("Camera MCU protocol version is out of range !");
    case McuFirmwareOutOfRange:
        return tr("Camera MCU firmware version is out of range !");
    case PcbOutOfRange:
        return tr("Camera PCB firmware version is out of range !");
    case FpgaOutOfRange:
        return tr("Camera FPGA firmware version is out of range !");
    }
    return QString();
}

QStringList VQtFirmwareFile::suffixes(int type) {
    switch (type) {
    case VQT_FIRMWARE_FPGA:
        return {QStringLiteral("rbzx"), QStringLiteral("rpdx"), QStringLiteral("rbz"), QStringLiteral("rpd")};
    case VQT_FIRMWARE_MCU:
        return {QStringLiteral("binx"), QStringLiteral("bin")};
    case VQT_FIRMWARE_XML:
        return {QStringLiteral("xml"), QStringLiteral("zip")};
    default:
        return {};
    }
}

bool VQtFirmwareFile::suffixMatches(int type, const QString& suffix) {
    return suffixes(type).contains(suffix.toLower());
}

QString VQtFirmwareFile::fileFilter(int type, bool debug) {
    switch (type) {
    case VQT_FIRMWARE_FPGA:
        return debug ? QStringLiteral("FPGA(*.rbzx;*.rbz)") : QStringLiteral("FPGA(*.rbzx)");
    case VQT_FIRMWARE_MCU:
        return debug ? QStringLiteral("MCU(*.binx;*.bin)") : QStringLiteral("MCU(*.binx)");
    default:
        return QStringLiteral("xml(*.xml);;zip(*.zip)");
    }
}

bool VQtFirmwareFile::hasHeader(int type, const QString& suffix) {
    if (type != VQT_FIRMWARE_FPGA && type != VQT_FIRMWARE_MCU)
        return false;
    const QString s = suffix.toLower();
    return s != QLatin1String("rbz") && s != QLatin1String("bin");
}

void VQtFirmwareFile::clear() {
    m_buffer.clear();
    m_dataSize = 0;
    m_header = false;
    m_model.clear();
    std::memset(m_ranges, 0, sizeof(m_ranges));
}

VQtFirmwareFile::Result VQtFirmwareFile::setFileBytes(const QByteArray& bytes, bool withHeader, uint8_t fill,
                                                      int block) {
    clear();
    const qint64 overhead = withHeader ? kHeaderBytes + kTrailerBytes : 0;
    if (bytes.size() > kMaxDataBytes + overhead)
        return TooLarge;
    QByteArray data = bytes;
    if (withHeader) {
        const int markerBytes = int(std::strlen(marker()));
        if (bytes.size() < overhead || !bytes.startsWith(marker()) ||
            std::memcmp(bytes.constData() + bytes.size() - kTrailerBytes, marker(), size_t(markerBytes)) != 0)
            return FormatError;
        QByteArray model = bytes.mid(16, 32);
        const int end = model.indexOf('\0');
        m_model = end < 0 ? model : model.left(end);
        std::memcpy(m_ranges, bytes.constData() + 52, sizeof(m_ranges));
        m_header = true;
        data = bytes.mid(kHeaderBytes, bytes.size() - int(overhead));
    }
    if (data.isEmpty())
        return NoData;
    m_dataSize = data.size();
    const int padded = (data.size() + block - 1) / block * block;
    m_buffer = data;
    m_buffer.append(QByteArray(padded - data.size(), char(fill)));
    return Ok;
}

VQtFirmwareFile::Result VQtFirmwareFile::load(const QString& path, bool withHeader, uint8_t fill, int block) {
    clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return OpenFailed;
    const qint64 limit = kMaxDataBytes + kHeaderBytes + kTrailerBytes;
    if (file.size() > limit)
        return TooLarge;
    const QByteArray bytes = file.read(file.size());
    if (bytes.size() != file.size())
        return ReadFailed;
    return setFileBytes(bytes, withHeader, fill, block);
}

QString VQtFirmwareFile::modelName() const {
    return QString::fromLatin1(m_model);
}

bool VQtFirmwareFile::modelMatches(const QString& deviceName) const {
    return modelName().contains(deviceName, Qt::CaseSensitive);
}

VQtFirmwareFile::Result VQtFirmwareFile::checkVersions(const VQtFirmwareVersions* camera) const {
    if (!m_header)
        return Ok;
    if (!camera)
        return VersionUnknown;
    const int values[4] = {camera->mcuProtocol, camera->mcuFirmware, camera->pcb, camera->fpga};
    const Result failures[4] = {McuProtocolOutOfRange, McuFirmwareOutOfRange, PcbOutOfRange, FpgaOutOfRange};
    for (int k = 0; k < 4; ++k)
        if (values[k] < rangeLow(k) || values[k] > rangeHigh(k))
            return failures[k];
    return Ok;
}
