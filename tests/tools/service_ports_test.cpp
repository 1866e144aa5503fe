// Register access, coding tables and the serial console against the simulated devices:
// addresses and values as typed, board and camera registers written and read back, the
// CoaXPress link test's sweep, the eight coding tables sent and verified (and refused when a
// file is short or the camera keeps other bits), and the serial line as a terminal.
#include <QDir>
#include <QMutex>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "device/sim/SimCamera.h"
#include "service_helpers.h"
#include "tools/VQtAcqRegisterThread.h"
#include "tools/VQtCodingTable.h"
#include "tools/VQtHexText.h"
#include "tools/VQtRemoteRegisterThread.h"
#include "tools/VQtSendTablesThread.h"
#include "tools/VQtSerialThread.h"
#include "tools/VQtServiceTiming.h"
#include "tools/VQtWorkerJoin.h"

namespace {

class ServicePorts : public ::testing::Test {
protected:
    void SetUp() override { useSimDevices(); }
    void TearDown() override {
        dev.reset();
        OxaManTerminate();
    }
    std::unique_ptr<VQtDevice> dev;
};

QByteArray codingTable(int table, int lines = VQtCodingTable::kLines) {
    QByteArray text = "a,b\r\n";
    for (int i = 0; i < lines; ++i)
        text += QByteArray::number(i * 3 + table) + ',' + QByteArray::number(65535 - i) + "\r\n";
    return text;
}

} // namespace

TEST(RegisterText, AddressesAndValuesAsTyped) {
    EXPECT_EQ(HexCharToLonglong(QStringLiteral("0x1A")), 0x1Au);
    EXPECT_EQ(HexCharToLonglong(QStringLiteral("a814")), 0xA814u);
    EXPECT_EQ(HexCharToLonglong(QString()), 0u);
    EXPECT_EQ(Hex16CharToLonglong(QStringLiteral("FFFFFFFFFFFFFFFF")), UINT64_MAX); // exact at 16 digits
    EXPECT_EQ(HexCharToLonglong(QStringLiteral("123456789abcdef0")), 0x123456789ABCDEF0ull);
    uint32_t word = 0;
    ASSERT_TRUE(VQtRemoteRegisterThread::valueWord(QStringLiteral("1.5"), &word));
    EXPECT_EQ(word, 0x3FC00000u);
    ASSERT_TRUE(VQtRemoteRegisterThread::valueWord(QStringLiteral("-1"), &word));
    EXPECT_EQ(word, 0xFFFFFFFFu);
    ASSERT_TRUE(VQtRemoteRegisterThread::valueWord(QStringLiteral("4294967295"), &word));
    EXPECT_EQ(word, 0xFFFFFFFFu);
    EXPECT_FALSE(VQtRemoteRegisterThread::valueWord(QStringLiteral("4294967296"), &word));
    EXPECT_FALSE(VQtRemoteRegisterThread::valueWord(QStringLiteral("-2147483649"), &word));
}

TEST_F(ServicePorts, CameraRegistersWriteReadAndFail) {
    dev = openCamera("VG-2M-M");
    VQtRemoteRegisterThread t;
    t.setDevice(dev.get());
    QList<QPair<bool, int>> reports;
    QObject::connect(
        &t, &VQtRemoteRegisterThread::signalReadWriteStatus, &t,
        [&](bool read, int value) { reports << qMakePair(read, value); }, Qt::DirectConnection);
    t.writeData(QStringLiteral("0x1000"), QStringLiteral("-1"));
    VQtWorkerJoin::join(&t, 10000);
    EXPECT_EQ(t.getStatus(), OXA_STATUS_SUCCESS);
    t.readData(QStringLiteral("1000"));
    VQtWorkerJoin::join(&t, 10000);
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[1], qMakePair(true, -1));
    // An address the camera has no register at: the status is kept for the log.
    t.readData(QStringLiteral("3"));
    VQtWorkerJoin::join(&t, 10000);
    EXPECT_EQ(t.getStatus(), OXA_MAKE_STATUS(OXA_MODULE_PORT, OXA_ERR_INVALID_ADDRESS));
}

TEST_F(ServicePorts, BoardRegistersAndTheLinkTest) {
    dev = openCamera("VCX-4M-C", VQT_DEVICE_COAXPRESS, 1);
    VQtAcqRegisterThread t;
    t.setDevice(dev.get());
    EXPECT_EQ(t.bar(), 2u);
    QList<QPair<int, unsigned>> reports;
    QStringList lines;
    QObject::connect(
        &t, &VQtAcqRegisterThread::signalReadWriteStatus, &t,
        [&](int op, unsigned v) { reports << qMakePair(op, v); }, Qt::DirectConnection);
    QObject::connect(
        &t, &VQtAcqRegisterThread::signalCrcLine, &t, [&](const QString& l) { lines << l; },
        Qt::DirectConnection);
    t.writeData(QStringLiteral("100"), QStringLiteral("DEADBEEF"));
    VQtWorkerJoin::join(&t, 10000);
    t.readData(QStringLiteral("0x100"));
    VQtWorkerJoin::join(&t, 10000);
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[1], qMakePair(int(VQtAcqRegisterThread::Read), 0xDEADBEEFu));
    t.readData(QStringLiteral("2"));
    VQtWorkerJoin::join(&t, 10000);
    EXPECT_NE(t.getStatus(), VION_OK);

    // Two passes over five settings, fifteen levels, 16 and 29 steps.
    VQtServiceTiming::setScale(0.0);
    t.crcVerify();
    VQtWorkerJoin::join(&t, 10000);
    VQtServiceTiming::setScale(1.0);
    ASSERT_EQ(lines.size(), 5 * 15 * (16 + 29));
    EXPECT_EQ(lines.first(),
              QStringLiteral("0x11B: 79, 0x11C: a0, 0x11A: 0, 0x166: 1, 0x167: 1, 0x160: 1 => CRC: 0."));
    EXPECT_EQ(lines.last(),
              QStringLiteral("0x11B: 71, 0x11C: af, 0x11A: ff, 0x166: 1, 0x167: 39, 0x160: f => CRC: 0."));
    EXPECT_EQ(reports.last().first, int(VQtAcqRegisterThread::CrcVerify));
    // The last setting went through the board's register window: 0x160 := 15.
    uint32_t value = 0;
    ASSERT_EQ(VionReadRegister(dev->getAcqHandle(), 2, 0x100A0, &value), VION_OK);
    EXPECT_EQ(value, 0x160u);
    ASSERT_EQ(VionReadRegister(dev->getAcqHandle(), 2, 0x100A4, &value), VION_OK);
    EXPECT_EQ(value, 15u);
}

TEST(CodingTable, ParsesTwoHundredFiftySixPairs) {
    const VQtCodingTable::Content c = VQtCodingTable::parse(codingTable(3));
    ASSERT_TRUE(c.ok) << c.reason.toStdString();
    ASSERT_EQ(c.words.size(), 256);
    EXPECT_EQ(c.words[0], (65535u << 16) + 3u);
    EXPECT_EQ(c.words[255], (65280u << 16) + 768u);
    const VQtCodingTable::Content shortFile = VQtCodingTable::parse(codingTable(3, 255));
    EXPECT_FALSE(shortFile.ok);
    EXPECT_EQ(shortFile.badLine, 257);
    QByteArray bad = codingTable(1);
    bad.replace("7,65533", "7,65536");
    EXPECT_EQ(VQtCodingTable::parse(bad).badLine, 4);
    EXPECT_EQ(VQtCodingTable::parse("x\n" + QByteArray(300, '1') + ",2\n").badLine, 2);
}

TEST_F(ServicePorts, CodingTablesAreSentVerifiedAndCompleted) {
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    for (int t = 1; t <= 8; ++t)
        writeFile(QStringLiteral("SeperateCoding/%1.csv").arg(t), codingTable(t));
    dev = openCamera("VG-2M-M");
    std::shared_ptr<SimCamera> camera = simCamera(dev.get());
    VQtSendTablesThread sender;
    sender.setDevice(dev.get());
    QStringList messages;
    QList<int> progress;
    QObject::connect(
        &sender, &VQtSendTablesThread::signalMessage, &sender, [&](const QString& m, int) { messages << m; },
        Qt::DirectConnection);
    QObject::connect(
        &sender, &VQtSendTablesThread::signalProgress, &sender, [&](int p) { progress << p; },
        Qt::DirectConnection);
    auto send = [&] {
        messages.clear();
        sender.startThread();
        VQtWorkerJoin::join(&sender, 60000);
    };
    send();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Write tables ok")});
    EXPECT_EQ(progress, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(camera->codingTables().word(4, 10), (65525u << 16) + 35u); // table 5, line 10
    EXPECT_EQ(camera->codingTables().completions(), 1);

    // A short file stops everything before the first write; no completion.
    writeFile(QStringLiteral("SeperateCoding/6.csv"), codingTable(99, 255));
    send();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("6.csv，Error code:0xF002")));
    EXPECT_EQ(camera->codingTables().word(0, 0), (65535u << 16) + 1u);
    EXPECT_EQ(camera->codingTables().completions(), 1);

    // A camera that keeps other bits: "0xF003" at the first entry.
    writeFile(QStringLiteral("SeperateCoding/6.csv"), codingTable(6));
    camera->setCodingTablesMask(0x7FFFFFFF);
    send();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("0xF003")));
    EXPECT_FALSE(sender.succeeded());
    EXPECT_EQ(camera->codingTables().completions(), 1);

    QFile::remove(QStringLiteral("SeperateCoding/8.csv"));
    send();
    EXPECT_EQ(messages, QStringList{QStringLiteral("File 8.csv does not exist")});
    QDir::setCurrent(old);
}

TEST_F(ServicePorts, SerialConsoleShowsWhatTheCameraAnswers) {
    EXPECT_EQ(VQtSerialThread::textOf(">ok\0junk", 8), QStringLiteral(">ok"));
    EXPECT_EQ(VQtSerialThread::textOf("abc", 3), QStringLiteral("abc"));
    dev = openCamera("VCL-2K-M", VQT_DEVICE_CAMERALINK, 0);
    VQtSerialThread reader;
    QString received;
    QMutex lock;
    QObject::connect(
        &reader, &VQtSerialThread::signalGetData, &reader,
        [&](const QString& text) {
            QMutexLocker locker(&lock);
            received += text;
        },
        Qt::DirectConnection);
    reader.startThread(dev->getRemoteHandle());
    const QByteArray command = "get DeviceModelName\r";
    uint32_t size = uint32_t(command.size());
    ASSERT_EQ(OxaDevSerialPortWrite(dev->getRemoteHandle(), command.constData(), &size, 10),
              OXA_STATUS_SUCCESS);
    EXPECT_TRUE(waitFor([&] {
        QMutexLocker locker(&lock);
        return received.contains(QLatin1String(">ok"));
    }));
    reader.stopThread();
    EXPECT_TRUE(received.startsWith(QStringLiteral("VCL-2K-M")));
}
