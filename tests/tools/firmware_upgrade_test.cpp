// Firmware upgrades against simulated cameras that take the image through their family's
// protocol, check every block and the whole image, and install it at the next power cycle:
// every family and the serial protocol round trip; each step's failure gives its message and
// leaves the old firmware; wrong, truncated and foreign files never reach the camera.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>

#include "device/sim/SimCamera.h"
#include "service_helpers.h"
#include "tools/VQtFirmwareFamily.h"
#include "tools/VQtFirmwareThread.h"
#include "tools/VQtServiceTiming.h"
#include "tools/VQtWorkerJoin.h"

namespace {

const uint8_t kWide[8] = {0, 255, 0, 255, 0, 255, 0, 255};
const QString kVersion = QStringLiteral("10205-02017");

QByteArray container(const QByteArray& model, const QByteArray& data, const uint8_t ranges[8] = kWide) {
    QByteArray header(128, '\0');
    header.replace(0, 16, "NexoNexoNexoNexo");
    header.replace(16, model.size(), model);
    for (int i = 0; i < 8; ++i)
        header[52 + i] = char(ranges[i]);
    QByteArray trailer(16, '\0');
    trailer.replace(0, 16, "NexoNexoNexoNexo");
    return header + data + trailer;
}

// Firmware data that names the version it brings.
QByteArray firmwareData(int size) {
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 7 + i / 251) & 0xFF);
    data.replace(100, 10, "VERSION=42");
    return data;
}

class Firmware : public ::testing::Test {
protected:
    void SetUp() override {
        VQtServiceTiming::setScale(0.001);
        useSimDevices(extraCameras);
    }
    void TearDown() override {
        thread.reset();
        dev.reset();
        OxaManTerminate();
        VQtServiceTiming::setScale(1.0);
    }
    void open(const char* model, VQT_DEVICE_VAR_TYPE type, int board = -1) {
        // Fresh cameras: what an earlier case installed is gone.
        thread.reset();
        dev.reset();
        OxaManTerminate();
        useSimDevices(extraCameras);
        dev = openCamera(model, type, board);
        thread.reset(new VQtFirmwareThread);
        thread->setDevice(dev.get());
        thread->setQuestion([this](const QString& q) {
            questions << q;
            return acceptForeign;
        });
        auto* t = thread.get();
        QObject::connect(
            t, &VQtFirmwareThread::signalOutputInfo, t, [this](const QString& text, int) { lines << text; },
            Qt::DirectConnection);
        QObject::connect(
            t, &VQtFirmwareThread::signalUpdateProgress, t,
            [this](const QString& text, int percent, bool) { progress << qMakePair(text, percent); },
            Qt::DirectConnection);
        QObject::connect(
            t, &VQtFirmwareThread::signalExitThread, t, [this](bool ok) { exits << ok; },
            Qt::DirectConnection);
    }
    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        writeFile(path, bytes);
        return path;
    }
    // Runs an upgrade to its end; the result it reported.
    bool upgrade(int type, const QString& path) {
        lines.clear();
        progress.clear();
        exits.clear();
        const bool started = thread->startFwFileUpgrade(type, path, QFileInfo(path).suffix());
        if (started) {
            EXPECT_TRUE(VQtWorkerJoin::join(thread.get(), 120000));
        }
        EXPECT_EQ(exits.size(), 1) << lines.join(QLatin1Char('|')).toStdString();
        return !exits.isEmpty() && exits.last();
    }
    QString versionAfterPowerCycle() {
        std::shared_ptr<SimCamera> camera = simCamera(dev.get());
        camera->powerCycle();
        char text[128] = {0};
        uint32_t size = sizeof(text);
        EXPECT_EQ(OxaDevToString(dev->getRemoteHandle(), "DeviceVersion", text, &size), OXA_STATUS_SUCCESS);
        return QString::fromLatin1(text);
    }

    QByteArray extraCameras;
    QTemporaryDir dir;
    std::unique_ptr<VQtDevice> dev;
    std::unique_ptr<VQtFirmwareThread> thread;
    QStringList questions, lines;
    QList<QPair<QString, int>> progress;
    QList<bool> exits;
    bool acceptForeign = false;
};

struct Target {
    const char* model;
    VQT_DEVICE_VAR_TYPE type;
    int board;
    int firmwareType;
    int64_t family; // -1: USB3 Vision or serial
};

const Target kTargets[] = {
    {"VG-2M-M", VQT_DEVICE_GIGEVISION, -1, VQT_FIRMWARE_FPGA, 0},
    {"VG-5M-C", VQT_DEVICE_GIGEVISION, -1, VQT_FIRMWARE_MCU, 1},
    {"VG-1M-M", VQT_DEVICE_GIGEVISION, -1, VQT_FIRMWARE_FPGA, 2},
    {"VCX-2M-M", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_MCU, 2},
    {"VCX-4M-C", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_FPGA, 4},
    {"VCX-16K-L", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_FPGA, 5},
    {"VCX-16K-L", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_MCU, 3},
    {"VSF-5M-M", VQT_DEVICE_SFP, 2, VQT_FIRMWARE_FPGA, 8},
    {"VSF-5M-M", VQT_DEVICE_SFP, 2, VQT_FIRMWARE_MCU, 6},
    {"VU-3M-C", VQT_DEVICE_USB3VISION, -1, VQT_FIRMWARE_MCU, -1},
    {"VP-4M-M", VQT_DEVICE_PCIEVISION, -1, VQT_FIRMWARE_FPGA, 2},
    {"VCL-2K-M", VQT_DEVICE_CAMERALINK, 0, VQT_FIRMWARE_FPGA, -1},
    {"VCL-2K-M", VQT_DEVICE_CAMERALINK, 0, VQT_FIRMWARE_MCU, -1},
};

} // namespace

TEST_F(Firmware, EveryFamilyTakesTheImageAndReportsItsVersionAfterAPowerCycle) {
    for (const Target& t : kTargets) {
        SCOPED_TRACE(std::string(t.model) + " type " + std::to_string(t.firmwareType));
        open(t.model, t.type, t.board);
        const QByteArray data = firmwareData(5000);
        const QByteArray bytes = container(t.model, data);
        const QString path = file(t.firmwareType == VQT_FIRMWARE_FPGA ? "fw.rbzx" : "fw.binx", bytes);
        ASSERT_TRUE(upgrade(t.firmwareType, path)) << lines.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(thread->family(), t.family);
        // What the camera took: the data padded (the erase/write cameras: the whole file).
        const bool blocks = VQtFirmwareFamily::usesBlocks(t.family, t.firmwareType);
        VQtFirmwareFile expected;
        expected.setFileBytes(bytes, !blocks, VQtFirmwareFamily::fillByte(t.type, t.family, t.firmwareType),
                              blocks ? 256 : 4096);
        EXPECT_EQ(simCamera(dev.get())->firmware().accepted(t.firmwareType), expected.buffer());
        EXPECT_EQ(progress.first().first, QStringLiteral("Download Firmware"));
        EXPECT_EQ(progress.last().second, 100);
        EXPECT_EQ(versionAfterPowerCycle(), t.firmwareType == VQT_FIRMWARE_FPGA
                                                ? QStringLiteral("10242-02017")
                                                : QStringLiteral("10205-02042"));
        EXPECT_EQ(simCamera(dev.get())->firmware().installed(t.firmwareType), expected.buffer());
    }
}

TEST_F(Firmware, DescriptionFilesGoThroughTheWindowAndTheSerialLine) {
    const QByteArray xml = "<?xml version=\"1.0\"?><RegisterDescription/>";
    for (const Target& t : {Target{"VG-1M-M", VQT_DEVICE_GIGEVISION, -1, VQT_FIRMWARE_XML, 2},
                            Target{"VCL-2K-M", VQT_DEVICE_CAMERALINK, 0, VQT_FIRMWARE_XML, -1}}) {
        open(t.model, t.type, t.board);
        ASSERT_TRUE(upgrade(VQT_FIRMWARE_XML, file("camera.xml", xml))) << t.model;
        const QByteArray took = simCamera(dev.get())->firmware().accepted(VQT_FIRMWARE_XML);
        EXPECT_EQ(took.size(), 4096);
        EXPECT_TRUE(took.startsWith(xml));
        EXPECT_EQ(took.count(' '), 4096 - xml.size() + xml.count(' ')); // padded with blanks
        EXPECT_EQ(versionAfterPowerCycle(), kVersion);
    }
}

namespace {
struct StepCase {
    const char* model;
    VQT_DEVICE_VAR_TYPE type;
    int board;
    int firmwareType;
    SimFirmware::Step step;
    int index;
    int count;
    const char* message; // nullptr: the upgrade succeeds
};

const StepCase kSteps[] = {
    {"VG-2M-M", VQT_DEVICE_GIGEVISION, -1, VQT_FIRMWARE_FPGA, SimFirmware::Step::Start, 0, 1,
     "Failed to start update firmware"},
    {"VG-2M-M", VQT_DEVICE_GIGEVISION, -1, VQT_FIRMWARE_FPGA, SimFirmware::Step::Size, 0, 1,
     "Failed to set firmware size"},
    {"VG-2M-M", VQT_DEVICE_GIGEVISION, -1, VQT_FIRMWARE_FPGA, SimFirmware::Step::Block, 3, 1,
     "Failed to update firmware"},
    {"VG-5M-C", VQT_DEVICE_GIGEVISION, -1, VQT_FIRMWARE_MCU, SimFirmware::Step::Commit, 0, 1,
     "Failed to update firmware"},
    {"VG-1M-M", VQT_DEVICE_GIGEVISION, -1, VQT_FIRMWARE_MCU, SimFirmware::Step::Block, 5, 1,
     "Failed to update firmware"},
    {"VCX-4M-C", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_MCU, SimFirmware::Step::Block, 1, 1,
     "Failed to update firmware"},
    {"VCX-4M-C", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_MCU, SimFirmware::Step::Start, 0, 1,
     "Failed to start update firmware"},
    // Block-wise read-back: a block the camera did not take is sent again, five times at most.
    {"VCX-16K-L", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_MCU, SimFirmware::Step::Block, 7, 4, nullptr},
    {"VCX-16K-L", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_MCU, SimFirmware::Step::Block, 7, 5,
     "Failed to load firmware"},
    {"VCX-16K-L", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_MCU, SimFirmware::Step::Commit, 0, 1,
     "Failed to update firmware"},
    // Erase and write status words; a block refused ten times.
    {"VCX-16K-L", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_FPGA, SimFirmware::Step::Start, 0, 1,
     "Failed to start update firmware"},
    {"VCX-16K-L", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_FPGA, SimFirmware::Step::Erase, 0, 1,
     "Failed to erasing"},
    {"VCX-16K-L", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_FPGA, SimFirmware::Step::Write, 0, 1,
     "Failed to write"},
    {"VCX-16K-L", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_FPGA, SimFirmware::Step::Block, 2, 9, nullptr},
    {"VCX-16K-L", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_FPGA, SimFirmware::Step::Block, 2, 10,
     "Failed to load firmware"},
    {"VCX-16K-L", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_FPGA, SimFirmware::Step::Commit, 0, 1,
     "Failed to check update"},
    // Serial commands: a record is sent three times at most.
    {"VCL-2K-M", VQT_DEVICE_CAMERALINK, 0, VQT_FIRMWARE_FPGA, SimFirmware::Step::Start, 0, 1,
     "Failed to preparing download firmware"},
    {"VCL-2K-M", VQT_DEVICE_CAMERALINK, 0, VQT_FIRMWARE_FPGA, SimFirmware::Step::Block, 9, 2, nullptr},
    {"VCL-2K-M", VQT_DEVICE_CAMERALINK, 0, VQT_FIRMWARE_FPGA, SimFirmware::Step::Block, 9, 3,
     "Failed to load firmware"},
    {"VCL-2K-M", VQT_DEVICE_CAMERALINK, 0, VQT_FIRMWARE_MCU, SimFirmware::Step::Commit, 0, 1,
     "Failed to update firmware"},
};
} // namespace

TEST_F(Firmware, EachStepsFailureHasItsMessageAndKeepsTheOldFirmware) {
    for (const StepCase& c : kSteps) {
        SCOPED_TRACE(std::string(c.model) + " step " + std::to_string(int(c.step)) + " count " +
                     std::to_string(c.count));
        open(c.model, c.type, c.board);
        std::shared_ptr<SimCamera> camera = simCamera(dev.get());
        camera->setFirmwareFault({c.step, c.index, c.count});
        const QString path = file(c.firmwareType == VQT_FIRMWARE_FPGA ? "fw.rbzx" : "fw.binx",
                                  container(c.model, firmwareData(9000)));
        const bool ok = upgrade(c.firmwareType, path);
        camera->setFirmwareFault({});
        if (!c.message) {
            EXPECT_TRUE(ok) << lines.join(QLatin1Char('|')).toStdString();
            EXPECT_NE(versionAfterPowerCycle(), kVersion);
            continue;
        }
        EXPECT_FALSE(ok);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.first(), QString::fromLatin1(c.message));
        EXPECT_TRUE(camera->firmware().accepted(c.firmwareType).isEmpty());
        EXPECT_EQ(versionAfterPowerCycle(), kVersion);
        EXPECT_TRUE(camera->firmware().installed(c.firmwareType).isEmpty());
    }
}

TEST_F(Firmware, WrongTruncatedAndForeignFilesAreRefusedBeforeTheFirstWrite) {
    open("VG-2M-M", VQT_DEVICE_GIGEVISION);
    QByteArray truncated = container("VG-2M-M", firmwareData(8000));
    truncated.chop(10);
    const uint8_t oldPcb[8] = {0, 255, 0, 255, 0, 101, 0, 255};
    struct Case {
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {truncated, "Firmware file data format error!"},
        {container("VG-2M-M", firmwareData(8000), oldPcb), "Camera PCB firmware version is out of range !"},
        {container("VG-2M-M", QByteArray()), "The firmware file holds no firmware data!"}};
    for (const Case& c : cases) {
        EXPECT_FALSE(upgrade(VQT_FIRMWARE_FPGA, file("bad.rbzx", c.bytes)));
        EXPECT_FALSE(thread->isRunning());
        EXPECT_EQ(lines, QStringList{QString::fromLatin1(c.message)});
    }
    EXPECT_FALSE(upgrade(VQT_FIRMWARE_FPGA, dir.filePath("missing.rbzx")));
    EXPECT_EQ(lines, QStringList{QStringLiteral("Failed to open firmware file!")});

    // A file for another camera: asked, and declining sends nothing.
    const QString foreign = file("other.rbzx", container("VG-5M-C", firmwareData(8000)));
    EXPECT_FALSE(upgrade(VQT_FIRMWARE_FPGA, foreign));
    EXPECT_EQ(questions,
              QStringList{QStringLiteral(
                  "Firmware file and camera name do not match, Do you want to continue updating?")});
    EXPECT_TRUE(simCamera(dev.get())->firmware().accepted(VQT_FIRMWARE_FPGA).isEmpty());
    acceptForeign = true;
    EXPECT_TRUE(upgrade(VQT_FIRMWARE_FPGA, foreign));
    EXPECT_FALSE(simCamera(dev.get())->firmware().accepted(VQT_FIRMWARE_FPGA).isEmpty());

    // The erase/write cameras take the whole file, but a broken container still stops here.
    open("VCX-16K-L", VQT_DEVICE_COAXPRESS, 1);
    EXPECT_FALSE(upgrade(VQT_FIRMWARE_FPGA, file("bad.rbzx", truncated)));
    EXPECT_EQ(lines, QStringList{QStringLiteral("Firmware file data format error!")});
}

TEST_F(Firmware, CamerasThatCannotBeUpgradedAreToldSo) {
    extraCameras = R"json({"cameras": [
      {"interface": "GigEVision", "model": "VG-9Z", "mac": "00:1C:5A:10:09:01", "ip": "192.168.10.91",
       "nic": "192.168.10.10", "firmwareUpdateType": 9},
      {"interface": "GigEVision", "model": "VG-9Y", "mac": "00:1C:5A:10:09:02", "ip": "192.168.10.92",
       "nic": "192.168.10.10"},
      {"interface": "GigEVision", "model": "VG-9X", "mac": "00:1C:5A:10:09:03", "ip": "192.168.10.93",
       "nic": "192.168.10.10", "firmwareUpdateType": 7}]})json";
    const QString path = file("fw.bin", firmwareData(5000));
    open("VG-9Z", VQT_DEVICE_GIGEVISION);
    EXPECT_FALSE(upgrade(VQT_FIRMWARE_MCU, path));
    EXPECT_EQ(lines,
              QStringList{QStringLiteral("The current device firmware update type is not supported!")});
    open("VG-9Y", VQT_DEVICE_GIGEVISION);
    EXPECT_FALSE(upgrade(VQT_FIRMWARE_MCU, path));
    EXPECT_EQ(lines, QStringList{QStringLiteral("The camera does not support firmware update!")});
    open("VG-9X", VQT_DEVICE_GIGEVISION);
    EXPECT_FALSE(upgrade(VQT_FIRMWARE_XML, file("d.xml", "<x/>")));
    EXPECT_EQ(lines,
              QStringList{QStringLiteral("The current device firmware update type is not supported!")});
}

TEST_F(Firmware, WaitsShowTheirTextsAndEndEarlyWhenStopped) {
    open("VG-2M-M", VQT_DEVICE_GIGEVISION);
    ASSERT_TRUE(upgrade(VQT_FIRMWARE_FPGA, file("fw.rbzx", container("VG-2M-M", firmwareData(5000)))));
    const QString light = QStringLiteral("Please waiting power light turns green and repower camera ...");
    int lightSteps = 0;
    for (const auto& p : progress)
        if (p.first == light) {
            EXPECT_LE(p.second, 99);
            ++lightSteps;
        }
    EXPECT_GT(lightSteps, 1);
    EXPECT_EQ(progress.last(),
              qMakePair(QStringLiteral("Please waiting power light turns green and repower camera."), 100));

    // At full length the wait is 100 s; stopping ends it at once with a failed result.
    VQtServiceTiming::setScale(1.0);
    std::atomic<bool> waiting{false};
    QObject::connect(
        thread.get(), &VQtFirmwareThread::signalUpdateProgress, thread.get(),
        [&waiting, light](const QString& text, int, bool) { waiting = waiting || text == light; },
        Qt::DirectConnection);
    const QString path = file("fw.rbzx", container("VG-2M-M", firmwareData(5000)));
    exits.clear();
    ASSERT_TRUE(thread->startFwFileUpgrade(VQT_FIRMWARE_FPGA, path, QStringLiteral("rbzx")));
    ASSERT_TRUE(waitFor([&waiting] { return waiting.load(); }));
    QElapsedTimer timer;
    timer.start();
    thread->stopThread();
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(exits, QList<bool>{false});
}

// Port calls that fail: each family's retries get through up to their count, and one more
// failure gives up at that step with its message and the old firmware kept.
TEST_F(Firmware, PortRetriesGetThroughUpToTheirCount) {
    struct Case {
        const char* model;
        VQT_DEVICE_VAR_TYPE type;
        int board;
        int firmwareType;
        int tries;
    } cases[] = {
        {"VCX-16K-L", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_FPGA,
         VQtFirmwareThread::kPortTries}, // status protocol
        {"VCX-16K-L", VQT_DEVICE_COAXPRESS, 1, VQT_FIRMWARE_MCU,
         VQtFirmwareThread::kRegisterTries},                          // read-back
        {"VG-2M-M", VQT_DEVICE_GIGEVISION, -1, VQT_FIRMWARE_FPGA, 1}, // no retries
    };
    for (const Case& c : cases) {
        for (int failures : {c.tries - 1, c.tries}) {
            if (failures == 0)
                continue;
            SCOPED_TRACE(std::string(c.model) + " failures " + std::to_string(failures));
            open(c.model, c.type, c.board);
            const QString path = file(c.firmwareType == VQT_FIRMWARE_FPGA ? "fw.rbzx" : "fw.binx",
                                      container(c.model, firmwareData(5000)));
            std::shared_ptr<SimCamera> camera = simCamera(dev.get());
            camera->faults().failNext("OxaDevPortWrite", failures);
            const bool ok = upgrade(c.firmwareType, path);
            camera->faults().clear();
            if (failures < c.tries) {
                EXPECT_TRUE(ok) << lines.join(QLatin1Char('|')).toStdString();
                EXPECT_NE(versionAfterPowerCycle(), kVersion);
            } else {
                EXPECT_FALSE(ok);
                EXPECT_EQ(lines, QStringList{QStringLiteral("Failed to start update firmware")});
                EXPECT_EQ(versionAfterPowerCycle(), kVersion);
            }
        }
    }
}

// A serial line that stays silent gives up the download within its deadline; a line that
// garbles the camera's replies either gets through by resending or gives up. Either way the
// camera never installs an image it did not verify.
TEST_F(Firmware, SerialLineSilentOrNoisy) {
    const QByteArray bytes = container("VCL-2K-M", firmwareData(9000));
    open("VCL-2K-M", VQT_DEVICE_CAMERALINK, 0);
    simCamera(dev.get())->setSerialFault(SimSerialFault::Silent);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(upgrade(VQT_FIRMWARE_FPGA, file("fw.rbzx", bytes)));
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(lines, QStringList{QStringLiteral("Failed to preparing download firmware")});
    simCamera(dev.get())->setSerialFault(SimSerialFault::None);
    EXPECT_EQ(versionAfterPowerCycle(), kVersion);

    open("VCL-2K-M", VQT_DEVICE_CAMERALINK, 0);
    std::shared_ptr<SimCamera> camera = simCamera(dev.get());
    camera->setSerialFault(SimSerialFault::Noise);
    const bool ok = upgrade(VQT_FIRMWARE_MCU, file("fw.binx", bytes));
    camera->setSerialFault(SimSerialFault::None);
    VQtFirmwareFile expected;
    expected.setFileBytes(bytes, true, 0xFF, 4096);
    const QString version = versionAfterPowerCycle();
    if (ok) {
        EXPECT_EQ(camera->firmware().installed(VQT_FIRMWARE_MCU), expected.buffer());
        EXPECT_EQ(version, QStringLiteral("10205-02042"));
    } else {
        EXPECT_TRUE(camera->firmware().installed(VQT_FIRMWARE_MCU).isEmpty());
        EXPECT_EQ(version, kVersion);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines.first() == QLatin1String("Failed to load firmware") ||
                    lines.first() == QLatin1String("Failed to preparing download firmware"))
            << lines.join(QLatin1Char('|')).toStdString();
    }
}

// Cameras that speak the ASCII variant of the control protocol are switched to the fast line
// before the transfer and told to take text commands; the others keep their line.
TEST_F(Firmware, AsciiCamerasAreSwitchedToTheFastLineFirst) {
    auto baud = [this] {
        char text[64] = {0};
        uint32_t size = sizeof(text);
        EXPECT_EQ(OxaDevToString(dev->getRemoteHandle(), "DeviceSerialPortBaudRate", text, &size),
                  OXA_STATUS_SUCCESS);
        return QString::fromLatin1(text);
    };
    for (const Target& t : {Target{"VCL-2K-M", VQT_DEVICE_CAMERALINK, 0, VQT_FIRMWARE_MCU, -1},
                            Target{"VG-5M-C", VQT_DEVICE_GIGEVISION, -1, VQT_FIRMWARE_MCU, 1}}) {
        open(t.model, t.type, t.board);
        const QString before = baud();
        ASSERT_TRUE(upgrade(VQT_FIRMWARE_MCU, file("fw.binx", container(t.model, firmwareData(5000)))))
            << lines.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(baud(), t.family < 0 ? QStringLiteral("Baud_460800") : before) << t.model;
    }
}
