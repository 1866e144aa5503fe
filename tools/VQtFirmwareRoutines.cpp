// The transfer routines of the firmware upgrade, one per update family.
#include <QElapsedTimer>
#include <algorithm>
#include <cstring>

#include "tools/VQtFirmwareCrc.h"
#include "tools/VQtFirmwareThread.h"
#include "tools/VQtServiceTiming.h"

namespace {

constexpr int kBlock = 32;
constexpr int kPage = 4096;
// Waits the routines state, in ms.
constexpr int kCommitFailureWait = 500;
constexpr int kAsterFpgaWait = 100000, kAsterOtherWait = 10000;
constexpr int kGvCxpFpgaWait = 30000, kGvCxpOtherWait = 90000;
constexpr int kIntegrationWait = 2000;
constexpr int kEraseInterval = 150, kWriteInterval = 100;
// How long a camera may stay busy erasing or writing before the upgrade gives up.
constexpr int kBusyLimit = 300000;
// How long the camera may take to prepare a serial download, beyond 30 ms per page.
constexpr int kSerialPrepareWait = 2000;
constexpr int kSerialEndReplyWait = 1000;

uint32_t wordAt(const QByteArray& data, int offset) {
    uint32_t w;
    std::memcpy(&w, data.constData() + offset, 4);
    return w;
}

// The camera has answered: accepted, or one of its refusals.
bool verdictGiven(const QByteArray& reply) {
    const QByteArray lower = reply.toLower();
    for (const char* end : {">ok", ">128", ">130", ">131", ">132", ">133"})
        if (lower.contains(end))
            return true;
    return false;
}

uint16_t crcOf(const QByteArray& data, int offset, int length) {
    return CalcCRC16(0xFFFF, reinterpret_cast<const uint8_t*>(data.constData()) + offset, size_t(length));
}

} // namespace

void VQtFirmwareThread::beginDownload() {
    m_downloading = true;
    m_shownPercent = -1;
    downloadProgress(0);
}

void VQtFirmwareThread::downloadProgress(qint64 offset) {
    const qint64 total = std::max(1, m_file.paddedSize());
    const int percent = int(std::min<qint64>(100, offset * 100 / total));
    if (percent == m_shownPercent)
        return;
    m_shownPercent = percent;
    m_lastProgress = percent;
    emit signalUpdateProgress(tr("Download Firmware"), percent, true);
}

bool VQtFirmwareThread::fail(const QString& text) {
    // A stop asked by the user needs no message of its own.
    if (m_running)
        emit signalOutputInfo(text, 2);
    finish(false);
    return false;
}

void VQtFirmwareThread::finish(bool ok) {
    m_downloading = false;
    m_upgrading = false;
    emit signalExitThread(ok && m_running);
}

bool VQtFirmwareThread::commitWord(uint64_t address, int tries) {
    m_downloading = false;
    const uint16_t whole = VQtFirmwareCrc::wholeImage(m_file.buffer());
    // From here the progress is the commit's, which the dialog counts while the camera works.
    m_lastProgress = 0;
    m_upgrading = true;
    emit signalFirewareUpgrading();
    const bool ok = writeWord(address, VQtFirmwareCrc::commitWord(whole), tries);
    m_upgrading = false;
    if (!ok && m_running)
        VQtServiceTiming::sleep(VQtServiceTiming::ms(kCommitFailureWait), &m_running);
    return ok;
}

bool VQtFirmwareThread::waitShowing(int statedMs, const QString& text, int from, const QString& last) {
    const int total = VQtServiceTiming::ms(statedMs);
    QElapsedTimer timer;
    timer.start();
    int shown = -1;
    while (timer.elapsed() < total) {
        if (!m_running)
            return false;
        const int percent =
            int(std::min<qint64>(99, from + timer.elapsed() * (100 - from) / std::max(1, total)));
        if (percent != shown) {
            shown = percent;
            emit signalUpdateProgress(text, percent, true);
        }
        VQtServiceTiming::sleep(std::min<qint64>(10, total - timer.elapsed()), &m_running);
    }
    if (!m_running)
        return false;
    emit signalUpdateProgress(last, 100, true);
    return true;
}

bool VQtFirmwareThread::waitAfterCommit(int fpgaMs, bool fpgaLight, int otherMs, bool otherLight) {
    const bool fpga = m_type == VQT_FIRMWARE_FPGA;
    const bool light = fpga ? fpgaLight : otherLight;
    const int ms = fpga ? fpgaMs : otherMs;
    if (light)
        return waitShowing(ms, tr("Please waiting power light turns green and repower camera ..."), 0,
                           tr("Please waiting power light turns green and repower camera."));
    return waitShowing(ms, tr("Firmware Upgrading"), m_lastProgress, tr("Firmware Upgrading"));
}

// Families 0 and 1: type, size, then every 32-byte block as eight words and its CRC into one
// data register, then the commit word.
void VQtFirmwareThread::runRegisterBlock(uint64_t type, uint64_t size, uint64_t data, uint64_t commit) {
    beginDownload();
    if (!writeWord(type, uint32_t(m_type)))
        return void(fail(tr("Failed to start update firmware")));
    if (!writeWord(size, VQtFirmwareCrc::sizeWord(m_file.pages())))
        return void(fail(tr("Failed to set firmware size")));
    const QByteArray& buffer = m_file.buffer();
    for (int offset = 0; offset < buffer.size(); offset += kBlock) {
        if (!m_running)
            return finish(false);
        for (int w = 0; w < kBlock; w += 4)
            if (!writeWord(data, wordAt(buffer, offset + w)))
                return void(fail(tr("Failed to load firmware")));
        if (!writeWord(data, crcOf(buffer, offset, kBlock)))
            return void(fail(tr("Failed to load firmware")));
        downloadProgress(offset + kBlock);
    }
    if (!commitWord(commit, 1))
        return void(fail(tr("Failed to update firmware")));
    finish(waitAfterCommit(kAsterFpgaWait, true, kAsterOtherWait, false));
}

void VQtFirmwareThread::runAster() {
    runRegisterBlock(0xA814, 0xA818, 0xA820, 0xA824);
}

void VQtFirmwareThread::runBirch() {
    runRegisterBlock(0xA824, 0xA828, 0xA82C, 0xA830);
}

// Family 2: the image goes into a memory window of the camera in 256-byte writes.
void VQtFirmwareThread::runSpecificGvCxp() {
    beginDownload();
    if (!writeWord(0xA814, uint32_t(m_type)))
        return void(fail(tr("Failed to start update firmware")));
    if (!writeWord(0xA818, VQtFirmwareCrc::sizeWord(m_file.pages())))
        return void(fail(tr("Failed to set firmware size")));
    const uint64_t base =
        m_type == VQT_FIRMWARE_FPGA ? 0x1000000 : (m_type == VQT_FIRMWARE_MCU ? 0x2000000 : 0x100000);
    const QByteArray& buffer = m_file.buffer();
    constexpr int kChunk = 256;
    for (int offset = 0; offset < buffer.size(); offset += kChunk) {
        if (!m_running)
            return finish(false);
        const int n = std::min(kChunk, buffer.size() - offset);
        if (!portWrite(base + uint64_t(offset), buffer.constData() + offset, uint32_t(n)))
            return void(fail(tr("Failed to load firmware")));
        downloadProgress(offset + n);
    }
    if (!commitWord(0xA824, 1))
        return void(fail(tr("Failed to update firmware")));
    finish(waitAfterCommit(kAsterFpgaWait, true, kAsterOtherWait, false));
}

// Family 3 and USB3 Vision: every block is read back as the count of blocks the camera took;
// a block it did not take is sent again, up to five times.
void VQtFirmwareThread::runGvCxp() {
    beginDownload();
    if (!writeWord(0x6400, uint32_t(m_type), kRegisterTries))
        return void(fail(tr("Failed to start update firmware")));
    if (!writeWord(0x6404, VQtFirmwareCrc::sizeWord(m_file.pages()), kRegisterTries))
        return void(fail(tr("Failed to set firmware size")));
    const QByteArray& buffer = m_file.buffer();
    const uint32_t blocks = uint32_t(buffer.size() / kBlock);
    for (uint32_t b = 0; b < blocks; ++b) {
        const int offset = int(b) * kBlock;
        bool taken = false;
        for (int attempt = 0; attempt < kRegisterTries && !taken; ++attempt) {
            if (!m_running)
                return finish(false);
            bool sent = true;
            for (int w = 0; w < kBlock && sent; w += 4)
                sent = writeWord(0x6408, wordAt(buffer, offset + w), kRegisterTries);
            if (!sent || !writeWord(0x6410, crcOf(buffer, offset, kBlock), kRegisterTries))
                continue;
            uint32_t count = 0;
            bool read = false;
            for (int r = 0; r < kRegisterTries && !read; ++r)
                read = readWord(0x6410, &count) && count > 0 && count <= blocks;
            taken = read && count == b + 1;
        }
        if (!taken)
            return void(fail(tr("Failed to load firmware")));
        downloadProgress(offset + kBlock);
    }
    if (!commitWord(0x640C, kRegisterTries))
        return void(fail(tr("Failed to update firmware")));
    finish(waitAfterCommit(kGvCxpFpgaWait, false, kGvCxpOtherWait, true));
}

void VQtFirmwareThread::runUSB3Vision() {
    runGvCxp();
}

// Families 4 and 6: each page in chunks to one data register, then the page's CRC.
void VQtFirmwareThread::runIntegration() {
    beginDownload();
    uint32_t type = uint32_t(m_type);
    if (m_family == 4)
        type = m_type == VQT_FIRMWARE_XML ? 3 : 1;
    if (!writeWord(0x6400, type))
        return void(fail(tr("Failed to start update firmware")));
    if (!writeWord(0x6404, VQtFirmwareCrc::sizeWord(m_file.pages())))
        return void(fail(tr("Failed to set firmware size")));
    const int chunk = m_family == 4 ? 256 : 128;
    const QByteArray& buffer = m_file.buffer();
    for (int page = 0; page < buffer.size(); page += kPage) {
        for (int offset = page; offset < page + kPage; offset += chunk) {
            if (!m_running)
                return finish(false);
            if (!portWrite(0x6F00, buffer.constData() + offset, uint32_t(chunk)))
                return void(fail(tr("Failed to load firmware")));
        }
        if (!writeWord(0x6410, crcOf(buffer, page, kPage)))
            return void(fail(tr("Failed to load firmware")));
        downloadProgress(page + kPage);
    }
    if (!commitWord(0x640C, 1))
        return void(fail(tr("Failed to update firmware")));
    finish(waitShowing(kIntegrationWait, tr("Please waiting power light turns green and repower camera ..."),
                       0, tr("Please waiting power light turns green and repower camera.")));
}

// Families 5 and 8: the camera erases, takes 256-byte blocks and writes them, telling its
// state in the status register (bits 0 and 1 errors, 2 erased, 3 written, 4 busy).
void VQtFirmwareThread::runCedar() {
    m_downloading = true;
    m_shownPercent = -1;
    emit signalUpdateProgress(tr("Download Firmware"), 0, true);
    if (!TryDevPortWrite(m_family == 5 ? 0xF004 : 0x6420, uint32_t(m_type)))
        return void(fail(tr("Failed to start update firmware")));
    int counter = 0;
    QElapsedTimer busy;
    busy.start();
    for (;;) {
        if (!VQtServiceTiming::sleep(VQtServiceTiming::ms(kEraseInterval), &m_running))
            return finish(false);
        uint32_t status = 0;
        if (!readWord(0xF004, &status))
            return void(fail(tr("Failed to erasing")));
        if ((status & 0x04) && !(status & 0x10)) {
            if (status & 0x03)
                return void(fail(tr("Failed to erasing")));
            break;
        }
        if (!(status & 0x10) || busy.elapsed() > VQtServiceTiming::ms(kBusyLimit))
            return void(fail(tr("Failed to erasing")));
        counter = std::min(99, counter + 1);
        emit signalUpdateProgress(tr("Erasing Firmware"), counter, true);
    }
    const QByteArray& buffer = m_file.buffer();
    constexpr int kCedarBlock = 256;
    downloadProgress(0);
    for (int offset = 0; offset < buffer.size(); offset += kCedarBlock) {
        if (!m_running)
            return finish(false);
        if (!TryDevPortWriteSleep(0xF000, buffer.constData() + offset, kCedarBlock))
            return void(fail(tr("Failed to load firmware")));
        downloadProgress(offset + kCedarBlock);
    }
    emit signalUpdateProgress(tr("Download Firmware"), 100, true);
    busy.restart();
    for (;;) {
        if (!VQtServiceTiming::sleep(VQtServiceTiming::ms(kWriteInterval), &m_running))
            return finish(false);
        uint32_t status = 0;
        if (!readWord(0xF004, &status))
            return void(fail(tr("Failed to write")));
        if (status & 0x10) {
            if (busy.elapsed() > VQtServiceTiming::ms(kBusyLimit))
                return void(fail(tr("Failed to write")));
            continue;
        }
        if ((status & 0x08) && !(status & 0x01))
            break;
        return void(fail(tr("Failed to write")));
    }
    m_downloading = false;
    if (!writeWord(0xF004, 0))
        return void(fail(tr("Failed to check update")));
    finish(true);
}

// Camera Link cameras: ASCII commands on the serial port, numbers in lower-case hexadecimal.
void VQtFirmwareThread::runCLFirmware() {
    static const char* const kCommands[3][3] = {
        {"sffw", "wffw", "effw"}, {"smfw", "wmfw", "emfw"}, {"sxfw", "wxfw", "exfw"}};
    const char* const* cmd = kCommands[std::clamp(m_type, 1, 3) - 1];
    beginDownload();
    const QByteArray& buffer = m_file.buffer();
    const uint16_t pages = m_file.pages();
    const uint32_t whole =
        CalcCrc(reinterpret_cast<const uint8_t*>(buffer.constData()), size_t(buffer.size()));
    const uint8_t pageBytes[2] = {uint8_t(pages), uint8_t(pages >> 8)};
    const uint32_t pageCrc = CalcCrc(pageBytes, 2);
    OXA_DEV_HANDLE h = cameraHandle();
    // Whatever the camera said before belongs to no command of ours.
    for (int i = 0; i < 16; ++i) {
        char junk[256];
        uint32_t size = sizeof(junk);
        if (OxaDevSerialPortRead(h, junk, &size, 0) != OXA_STATUS_SUCCESS || size == 0)
            break;
    }
    const QByteArray start =
        QByteArray(cmd[0]) +
        QString::asprintf("=%x,%x,%x\r", pages, pageCrc & 0xFF, (pageCrc >> 8) & 0xFF).toLatin1();
    if (!serialWrite(start, 10))
        return void(fail(tr("Failed to preparing download firmware")));
    QByteArray reply;
    QElapsedTimer waited;
    waited.start();
    const int prepare = VQtServiceTiming::ms(pages * 30 + kSerialPrepareWait);
    bool ready = false;
    while (!ready) {
        if (!m_running)
            return finish(false);
        if (waited.elapsed() > prepare)
            return void(fail(tr("Failed to preparing download firmware")));
        char chunk[10];
        uint32_t size = sizeof(chunk);
        if (OxaDevSerialPortRead(h, chunk, &size, 100) == OXA_STATUS_SUCCESS && size > 0)
            reply.append(chunk, int(std::min<uint32_t>(size, sizeof(chunk))));
        const QByteArray lower = reply.toLower();
        ready = lower.contains(">ok");
        for (const char* refusal : {">128", ">130", ">131", ">132", ">133"})
            if (!ready && lower.contains(refusal))
                return void(fail(tr("Failed to preparing download firmware")));
    }
    for (int p = 0; p < pages; ++p) {
        for (int b = 0; b < kPage / kBlock; ++b) {
            if (!m_running)
                return finish(false);
            const int offset = p * kPage + b * kBlock;
            uint8_t record[3 + kBlock];
            record[0] = uint8_t(p);
            record[1] = uint8_t(p >> 8);
            record[2] = uint8_t(b);
            std::memcpy(record + 3, buffer.constData() + offset, kBlock);
            const uint32_t k = CalcCrc(record, sizeof(record));
            QString command = QString::fromLatin1(cmd[1]) + QString::asprintf("=%x,%x", p, b);
            for (int i = 0; i < kBlock; ++i)
                command += QString::asprintf(",%x", record[3 + i]);
            command += QString::asprintf(",%x,%x\r", k & 0xFF, (k >> 8) & 0xFF);
            if (!SetCmdToSerialPort(command, 5000))
                return void(fail(tr("Failed to load firmware")));
            downloadProgress(offset + kBlock);
        }
    }
    const uint8_t pw[4] = {uint8_t(pages), uint8_t(pages >> 8), uint8_t(whole), uint8_t(whole >> 8)};
    const uint32_t check = CalcCrc(pw, 4);
    const QByteArray end =
        QByteArray(cmd[2]) + QString::asprintf("=%x,%x,%x,%x,%x\r", pages, whole & 0xFF, (whole >> 8) & 0xFF,
                                               check & 0xFF, (check >> 8) & 0xFF)
                                 .toLatin1();
    m_downloading = false;
    m_lastProgress = 0; // the camera's own work starts now
    if (!serialWrite(end, 100))
        return void(fail(tr("Failed to update firmware")));
    // A camera that found the image wrong says so at once; silence is taken as consent.
    QByteArray verdict;
    waited.restart();
    while (waited.elapsed() < VQtServiceTiming::ms(kSerialEndReplyWait) && !verdictGiven(verdict)) {
        char chunk[64];
        uint32_t size = sizeof(chunk);
        if (OxaDevSerialPortRead(h, chunk, &size, 10) == OXA_STATUS_SUCCESS && size > 0)
            verdict.append(chunk, int(std::min<uint32_t>(size, sizeof(chunk))));
        if (!m_running)
            return finish(false);
    }
    const QByteArray lower = verdict.toLower();
    for (const char* refusal : {">128", ">130", ">131", ">132", ">133"})
        if (lower.contains(refusal))
            return void(fail(tr("Failed to update firmware")));
    if (m_type == VQT_FIRMWARE_FPGA)
        finish(waitShowing(pages * 214 + 34000, tr("Firmware Upgrading"), m_lastProgress,
                           tr("Firmware Upgrading")));
    else
        finish(waitShowing(pages * 464, tr("Please waiting power light turns green and repower camera ..."),
                           0, tr("Please waiting power light turns green and repower camera.")));
}
