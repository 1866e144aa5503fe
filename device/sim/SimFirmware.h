// The firmware update engine of a simulated camera: it takes a new FPGA, MCU or XML image
// through the register protocol of its update family or, on Camera Link cameras, through
// ASCII commands on its serial port; checks every block, page and the whole image with the
// same 16-bit CRC the real cameras use; keeps the image it accepted and installs it at the
// next power cycle, after which the camera reports the new version.
//
// Families (registers are 32-bit words of the camera's port space):
//   0  type 0xA814, size 0xA818, data words 0xA820 (eight, then the block's CRC), commit 0xA824
//   1  the same block at 0xA824 / 0xA828 / 0xA82C / 0xA830
//   2  type 0xA814, size 0xA818, commit 0xA824; data in memory windows at 0x1000000 (FPGA),
//      0x2000000 (MCU), 0x100000 (XML)
//   3  type 0x6400, size 0x6404, data words 0x6408, block CRC 0x6410 (reads back the number
//      of blocks accepted), commit 0x640C
//   4, 6  type 0x6400, size 0x6404, page chunks to 0x6F00, page CRC 0x6410, commit 0x640C;
//      family 4 cameras read 2 at 0x6420
//   5  type and status 0xF004 (bit 0/1 error, 2 erased, 3 written, 4 busy), data 0xF000
//   7  5 for FPGA images, 3 for the others; 8  the status protocol with its type at 0x6420,
//      and 6 for MCU images
// A camera whose description names no family gets one from its kind: Camera Link the serial
// commands, CoaXPress and USB3 Vision 3, PCIe 2, the others none.
//
// Faults for tests (setFault): the step that fails and, for blocks, which one and how often.
// The engine runs under its camera's lock and has none of its own.
#ifndef SIMFIRMWARE_H
#define SIMFIRMWARE_H

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVector>
#include <cstdint>

#include "device/OxaApi.h"

struct SimCameraDesc;

class SimFirmware {
public:
    enum class Step {
        None,
        Start, // the type write (serial: the start command) is refused
        Size,  // the size word is refused
        Block, // block `index` (32-byte block, Cedar 256-byte block, serial record) arrives
               // corrupt `count` times
        Erase, // erasing ends with an error bit (serial: the start command is refused)
        Write, // writing ends with an error bit
        Commit // the commit is refused: the image does not verify
    };
    struct Fault {
        Step step = Step::None;
        int index = 0;
        int count = 1;
    };

    explicit SimFirmware(const SimCameraDesc& desc);

    // The family from the description, or from the camera's kind.
    static int familyOf(const SimCameraDesc& desc);
    int family() const { return m_family; }
    bool speaksSerial() const { return m_serial; }

    // Register access: true when the address is the engine's, with the call's status.
    bool read(uint64_t address, uint32_t* value, OXASTATUS* status);
    bool write(uint64_t address, const uint8_t* data, uint32_t size, OXASTATUS* status);
    // One serial command line (without its CR): true when it is an upgrade command, with the
    // camera's reply.
    bool serialCommand(const QByteArray& line, QByteArray* reply);

    void setFault(const Fault& fault) { m_fault = fault; }
    // Installs the images accepted since the last power cycle; forgets any transfer.
    void powerCycle();
    // The version text in the camera's "DeviceVersion" layout ("10205-02017").
    QString versionText() const { return m_version; }
    // The image of a type (1 FPGA, 2 MCU, 3 XML) accepted and waiting for the power cycle, and
    // the one installed.
    QByteArray accepted(int type) const { return m_accepted.value(type); }
    QByteArray installed(int type) const { return m_installed.value(type); }
    // How many transfers the engine has refused, and the last reason.
    int refusals() const { return m_refusals; }
    QString lastRefusal() const { return m_lastRefusal; }

private:
    struct Session {
        bool started = false;
        int type = 0;
        int pages = -1;
        QByteArray data;         // received image, in order (or at window offsets)
        QVector<uint32_t> words; // data words since the last block CRC
        QByteArray page;         // chunks of the current page
        int blocks = 0;          // blocks (family 3) or pages accepted
        bool corrupt = false;
        int cedar = 0; // 0 idle, 1 erasing, 2 erased, 3 writing, 4 written
        int polls = 0;
    };

    bool blockFault(int index);
    OXASTATUS refuse(const QString& why);
    OXASTATUS start(uint32_t type);
    OXASTATUS setSize(uint32_t word);
    OXASTATUS dataWord(uint32_t word); // families 0, 1: eight words, then the CRC
    OXASTATUS blockCrc(uint32_t crc);  // family 3
    OXASTATUS pageCrc(uint32_t crc);   // families 4, 6
    OXASTATUS commit(uint32_t word);
    OXASTATUS windowWrite(uint64_t offset, const uint8_t* data, uint32_t size);
    OXASTATUS cedarStart(uint32_t type);
    OXASTATUS cedarData(const uint8_t* data, uint32_t size);
    uint32_t cedarStatus();
    OXASTATUS cedarFinish();
    void accept(int type, const QByteArray& image);
    QByteArray serialStart(char kind, const QList<QByteArray>& values);
    QByteArray serialWrite(char kind, const QList<QByteArray>& values);
    QByteArray serialEnd(char kind, const QList<QByteArray>& values);
    bool claims(uint64_t address) const;

    int m_family = -1;
    bool m_serial = false;
    QString m_model;
    QString m_version;
    Session m_session;
    Fault m_fault;
    int m_faultHits = 0;
    QHash<int, QByteArray> m_accepted;
    QHash<int, QByteArray> m_installed;
    int m_refusals = 0;
    QString m_lastRefusal;
};

#endif // SIMFIRMWARE_H
