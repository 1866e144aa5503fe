// A firmware file as the upgrade sends it: the suffixes each firmware type accepts, the
// 128-byte header and 16-byte trailer of the container files, the camera versions a header
// accepts, and the data padded to whole transfer blocks.
//
// Container files (FPGA and MCU files other than ".rbz" and ".bin"):
//   0..15 marker, 16..47 model name, 52..59 lowest/highest accepted MCU protocol, MCU firmware,
//   PCB and FPGA versions, 128..size-17 the data, last 16 bytes the trailer marker.
// Every other file is the data as it stands.
#ifndef VQTFIRMWAREFILE_H
#define VQTFIRMWAREFILE_H

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <cstdint>

enum VQT_FIRMWARE_TYPE { VQT_FIRMWARE_FPGA = 1, VQT_FIRMWARE_MCU = 2, VQT_FIRMWARE_XML = 3 };

// The camera's versions, one byte each, as "DeviceVersion" tells them.
struct VQtFirmwareVersions {
    int pcb = 0;
    int fpga = 0;
    int mcuProtocol = 0;
    int mcuFirmware = 0;
};

// Reads "DeviceVersion": split at the first '-' into PCB + FPGA (left) and MCU protocol + MCU
// firmware (right); without '.' the left part is 3 + 2 digits (2 + 2 when 4 long) and the right
// part 2 + 3 digits (2 + 2 when 4 long); an 8-character text without '-' is 4 + 4 characters of
// 2 + 2 digits; with '.' (spaces removed) each part is two numbers around its '.'. False for any
// other layout or a value that does not fit in a byte.
bool parseDeviceVersion(const QString& text, VQtFirmwareVersions* versions);

class VQtFirmwareFile {
    Q_DECLARE_TR_FUNCTIONS(VQtFirmwareFile)

public:
    static constexpr int kHeaderBytes = 128;
    static constexpr int kTrailerBytes = 16;
    static constexpr int kPageBytes = 4096;
    // The size word counts pages in 16 bits.
    static constexpr qint64 kMaxDataBytes = qint64(0xFFFF) * kPageBytes;
    static const char* marker() { return "NexoNexoNexoNexo"; }

    enum Result {
        Ok,
        OpenFailed,
        ReadFailed,
        FormatError,
        TooLarge,
        NoData,
        VersionUnknown,
        McuProtocolOutOfRange,
        McuFirmwareOutOfRange,
        PcbOutOfRange,
        FpgaOutOfRange
    };
    // The output line of a result (empty for Ok).
    static QString message(Result result);

    // Suffixes (lower case) a firmware type accepts, and the file dialog's filter.
    static QStringList suffixes(int type);
    static bool suffixMatches(int type, const QString& suffix);
    static QString fileFilter(int type, bool debug);
    // Whether a file of that type and suffix carries the header and trailer.
    static bool hasHeader(int type, const QString& suffix);

    // Takes the file's bytes: with a header, checks both markers and keeps the data between
    // them; pads the data with `fill` to whole blocks of `block` bytes.
    Result setFileBytes(const QByteArray& bytes, bool withHeader, uint8_t fill, int block = kPageBytes);
    // Reads the file (at most kMaxDataBytes plus header and trailer) and takes its bytes.
    Result load(const QString& path, bool withHeader, uint8_t fill, int block = kPageBytes);

    bool hasHeaderFields() const { return m_header; }
    // The header's model name (up to its first zero byte).
    QString modelName() const;
    // Whether the header's model name contains the device name (case-sensitive).
    bool modelMatches(const QString& deviceName) const;
    // Each camera version inside the header's range, in the order MCU protocol, MCU firmware,
    // PCB, FPGA; nullptr when the camera's versions could not be read.
    Result checkVersions(const VQtFirmwareVersions* camera) const;
    // Lowest and highest accepted value of field k (0 MCU protocol, 1 MCU firmware, 2 PCB,
    // 3 FPGA).
    int rangeLow(int k) const { return m_ranges[2 * k]; }
    int rangeHigh(int k) const { return m_ranges[2 * k + 1]; }

    // The data padded to whole blocks, what the protocols transfer.
    const QByteArray& buffer() const { return m_buffer; }
    int dataSize() const { return m_dataSize; }
    int paddedSize() const { return m_buffer.size(); }
    // Padded size / 4096.
    uint16_t pages() const { return uint16_t(m_buffer.size() / kPageBytes); }
    void clear();

private:
    QByteArray m_buffer;
    int m_dataSize = 0;
    bool m_header = false;
    QByteArray m_model;
    uint8_t m_ranges[8] = {0, 0, 0, 0, 0, 0, 0, 0};
};

#endif // VQTFIRMWAREFILE_H
