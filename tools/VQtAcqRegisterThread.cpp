#include "tools/VQtAcqRegisterThread.h"

#include "core/VQtThreadGuard.h"
#include "core/VQtThreadMark.h"
#include "tools/VQtHexText.h"
#include "tools/VQtServiceTiming.h"

namespace {
constexpr int kSettleMs = 1000; // the link runs this long on each setting
}

VQtAcqRegisterThread::VQtAcqRegisterThread(QObject* parent) : QThread(parent) {}

VQtAcqRegisterThread::~VQtAcqRegisterThread() {
    m_running = false;
    wait();
    VQtThreadMark::seen(this);
}

uint32_t VQtAcqRegisterThread::bar() const {
    return device() && device()->getType() == VQT_DEVICE_CAMERALINK ? 1 : 2;
}

bool VQtAcqRegisterThread::stopThread(int deadlineMs) {
    m_running = false;
    return VQtWorkerJoin::join(this, deadlineMs);
}

bool VQtAcqRegisterThread::begin(Operation operation, const QString& address, const QString& value) {
    if (!stopThread())
        return false;
    m_operation = operation;
    m_address = address;
    m_value = value;
    m_running = true;
    start();
    return true;
}

bool VQtAcqRegisterThread::readData(const QString& address) {
    return begin(Read, address, QString());
}

bool VQtAcqRegisterThread::writeData(const QString& address, const QString& value) {
    return begin(Write, address, value);
}

bool VQtAcqRegisterThread::crcVerify() {
    return begin(CrcVerify, QString(), QString());
}

void VQtAcqRegisterThread::run() {
    const VQtThreadMark::EndMark endMark(this);
    uint32_t value = 0;
    QString failure;
    if (!VQtThreadGuard::run(
            tr("Board register access"), [this, &value] { work(&value); }, &failure)) {
        m_status = VION_ERR_SYSTEM;
        emit signalOutputInfo(failure, 2);
    }
    m_running = false;
    emit signalReadWriteStatus(int(m_operation), value);
}

void VQtAcqRegisterThread::work(uint32_t* value) {
    const VION_HANDLE board = isBoardOpen() ? device()->getAcqHandle() : VION_INVALID_HANDLE;
    const uint32_t address = uint32_t(HexCharToLonglong(m_address));
    if (m_operation == Read)
        m_status = VionReadRegister(board, bar(), address, value);
    else if (m_operation == Write)
        m_status = VionWriteRegister(board, bar(), address, uint32_t(HexCharToLonglong(m_value)));
    else
        testCRCError();
}

// Indirect write through the board's register window.
bool VQtAcqRegisterThread::writeReg(uint32_t reg, uint32_t value) {
    const VION_HANDLE board = device()->getAcqHandle();
    const uint32_t b = bar();
    return VionWriteRegister(board, b, 0x100A0, reg) == VION_OK &&
           VionWriteRegister(board, b, 0x100A4, value) == VION_OK &&
           VionWriteRegister(board, b, 0x100AC, 1) == VION_OK;
}

void VQtAcqRegisterThread::testCRCError() {
    if (!isBoardOpen())
        return;
    const VION_HANDLE board = device()->getAcqHandle();
    static const uint32_t kSettings[5][2] = {
        {0xA0, 0x00}, {0xAE, 0x00}, {0xAF, 0xC0}, {0xAF, 0xF8}, {0xAF, 0xFF}};
    for (int pass = 0; pass < 2 && m_running; ++pass) {
        const uint32_t r11B = pass == 0 ? 0x79 : 0x71;
        const uint32_t last = pass == 0 ? 31 : 57;
        for (const auto& setting : kSettings) {
            for (uint32_t r160 = 1; r160 <= 15 && m_running; ++r160) {
                for (uint32_t k = 1; k <= last && m_running; k += 2) {
                    const uint32_t r166 = pass == 0 ? k : 1, r167 = pass == 0 ? 1 : k;
                    int32_t before = 0, after = 0;
                    VionGetInfo(board, kCrcCounter, &before);
                    const uint32_t regs[6][2] = {{0x11B, r11B}, {0x11C, setting[0]}, {0x11A, setting[1]},
                                                 {0x166, r166}, {0x167, r167},       {0x160, r160}};
                    for (const auto& reg : regs)
                        writeReg(reg[0], reg[1]);
                    if (!VQtServiceTiming::sleep(VQtServiceTiming::ms(kSettleMs), &m_running))
                        return;
                    VionGetInfo(board, kCrcCounter, &after);
                    emit signalCrcLine(
                        QStringLiteral("0x11B: %1, 0x11C: %2, 0x11A: %3, 0x166: %4, 0x167: %5, 0x160: %6 => "
                                       "CRC: %7.")
                            .arg(r11B, 0, 16)
                            .arg(setting[0], 0, 16)
                            .arg(setting[1], 0, 16)
                            .arg(r166, 0, 16)
                            .arg(r167, 0, 16)
                            .arg(r160, 0, 16)
                            .arg(after - before));
                }
            }
        }
    }
}
