// Device adapters: one per kind, opened and closed with their records; a board that fails to
// open; the host link; the board following its camera; configuration files saved, loaded,
// and refused (missing, truncated, made for another device) with one line and no change.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "device/VQtDevice.h"
#include "device/VQtDeviceCL.h"
#include "device/VQtDeviceCXP.h"
#include "device_test_helpers.h"
#include "tests/common/file_size_limit.h"

namespace {

// Lines the adapter reports for the output log.
struct Log {
    QStringList lines;
    QList<int> levels;
    void attach(VQtDevice* dev) {
        QObject::connect(dev, &VQtDevice::signalOutputInfo, [this](const QString& text, int level) {
            lines << text;
            levels << level;
        });
    }
};

class Adapter : public ::testing::Test {
protected:
    void SetUp() override { useDefaultSet(); }
    void TearDown() override {
        dev.reset();
        OxaManTerminate();
    }
    VQtDevice* open(VQT_DEVICE_VAR_TYPE type, int board, const char* camera) {
        dev.reset(VQtDevice::createDevice(type));
        log = Log();
        log.attach(dev.get());
        EXPECT_TRUE(dev->open(board, camera ? cameraIndex(camera) : -1)) << camera;
        return dev.get();
    }
    std::unique_ptr<VQtDevice> dev;
    Log log;
};

TEST_F(Adapter, CreatesOneAdapterPerKind) {
    EXPECT_TRUE(dynamic_cast<VQtDeviceCL*>(
        std::unique_ptr<VQtDevice>(VQtDevice::createDevice(VQT_DEVICE_CAMERALINK)).get()));
    for (VQT_DEVICE_VAR_TYPE t : {VQT_DEVICE_COAXPRESS, VQT_DEVICE_SFP})
        EXPECT_TRUE(
            dynamic_cast<VQtDeviceCXP*>(std::unique_ptr<VQtDevice>(VQtDevice::createDevice(t)).get()));
    for (VQT_DEVICE_VAR_TYPE t : {VQT_DEVICE_GIGEVISION_BOARD, VQT_DEVICE_GIGEVISION, VQT_DEVICE_USB3VISION,
                                  VQT_DEVICE_PCIEVISION, VQT_DEVICE_IRRADIATION_GIGEVISION}) {
        std::unique_ptr<VQtDevice> d(VQtDevice::createDevice(t));
        ASSERT_TRUE(d);
        EXPECT_EQ(d->getType(), VQT_DEVICE_ALL); // nothing open yet
        EXPECT_EQ(d->getDeviceType(), t);
    }
    EXPECT_EQ(VQtDevice::createDevice(VQT_DEVICE_ALL), nullptr);
    EXPECT_EQ(VQtDevice::createDevice(VQT_DEVICE_VAR_TYPE(9)), nullptr);
    EXPECT_EQ(VQtDevice::lockedWhileGrabbing().size(), 14);
}

TEST_F(Adapter, OpensAndClosesEveryKind) {
    const struct {
        VQT_DEVICE_VAR_TYPE type;
        int board;
        const char* camera;
        const char* link; // expected host link text, none for cameras alone
        bool warning;
    } kinds[] = {{VQT_DEVICE_CAMERALINK, 0, "VCL-2K-M", "5.0GT/s x4", false},
                 {VQT_DEVICE_COAXPRESS, 1, "VCX-4M-C", "8.0GT/s x8", false},
                 {VQT_DEVICE_SFP, 2, "VSF-5M-M", "8.0GT/s x8", false},
                 {VQT_DEVICE_GIGEVISION_BOARD, 3, "VGB-2M-C", "8.0GT/s x4", false},
                 {VQT_DEVICE_GIGEVISION, -1, "VG-2M-M", nullptr, false},
                 {VQT_DEVICE_USB3VISION, -1, "VU-3M-C", nullptr, false},
                 {VQT_DEVICE_PCIEVISION, -1, "VP-4M-M", nullptr, false}};
    for (const auto& k : kinds) {
        open(k.type, k.board, k.camera);
        EXPECT_EQ(dev->getType(), k.type);
        EXPECT_TRUE(dev->isOpenRemote()) << k.camera;
        EXPECT_EQ(dev->isOpenAcq(), k.board >= 0) << k.camera;
        EXPECT_EQ(dev->getDisplayName(), QLatin1String(k.camera));
        EXPECT_GT(dev->getRemoteFeatureList().size(), 40);
        EXPECT_TRUE(dev->getRemoteFeature(QStringLiteral("Width")));
        EXPECT_EQ(dev->getAcqFeatureList().isEmpty(), k.board < 0);
        QString link;
        bool warning = true;
        EXPECT_EQ(dev->getLinkStatus(&link, &warning), k.link != nullptr);
        if (k.link) {
            EXPECT_EQ(link, QLatin1String(k.link));
            EXPECT_EQ(warning, k.warning) << k.camera;
            // The board starts out following its camera.
            EXPECT_EQ(dev->getAcqFeatureByType(VNP_IMAGE_HEIGHT)->getValue(),
                      dev->getRemoteFeature(QStringLiteral("Height"))->getValue().toLongLong());
        }
        EXPECT_TRUE(dev->getAcqErrorInfo().isEmpty());
        EXPECT_TRUE(dev->getRemoteErrorInfo().isEmpty());
        g_pDev = dev.get();
        dev->close();
        EXPECT_FALSE(dev->isOpen());
        EXPECT_EQ(dev->getType(), VQT_DEVICE_ALL);
        EXPECT_EQ(dev->getAcqIndex(), -1);
        EXPECT_TRUE(dev->getRemoteFeatureList().isEmpty() && dev->getAcqFeatureList().isEmpty());
        dev.reset();
        EXPECT_EQ(g_pDev, nullptr); // the current device goes with its adapter
    }
    // The CoaXPress adapter knows its links from the camera's record.
    open(VQT_DEVICE_COAXPRESS, 1, "VCX-2M-M");
    EXPECT_EQ(dev->getCxpLinkChannels(), 3);
    EXPECT_FALSE(dev->isChannel8());
    // A board alone, and a camera index that opens nothing.
    open(VQT_DEVICE_CAMERALINK, 0, nullptr);
    EXPECT_TRUE(dev->isOpenAcq());
    EXPECT_FALSE(dev->isOpenRemote());
    EXPECT_FALSE(dev->registerRemoteValueChanged([](VQtRemoteFeature*, void*) {}, nullptr));
}

TEST_F(Adapter, HostLinkWarnsWhenSlowerThanTheBoardNeeds) {
    useDeviceSet(R"json({"boards": [
      {"name": "CL", "kind": "CameraLink", "fpgaVersion": "0x031400", "linkSpeed": 1, "linkLanes": 8},
      {"name": "CXP", "kind": "CoaXPress", "generation": "0x81000000", "firmwareType": 7, "linkSpeed": 3,
       "linkLanes": 8},
      {"name": "GVB", "kind": "GigEVisionBoard", "linkSpeed": 3, "linkLanes": 2}]})json");
    const struct {
        VQT_DEVICE_VAR_TYPE type;
        const char* text;
    } boards[] = {{VQT_DEVICE_CAMERALINK, "2.5GT/s x8"},
                  {VQT_DEVICE_COAXPRESS, "8.0GT/s x8"},
                  {VQT_DEVICE_GIGEVISION_BOARD, "8.0GT/s x2"}};
    for (int i = 0; i < 3; ++i) {
        open(boards[i].type, i, nullptr);
        QString text;
        bool warning = false;
        ASSERT_TRUE(dev->getLinkStatus(&text, &warning));
        EXPECT_EQ(text, QLatin1String(boards[i].text));
        EXPECT_TRUE(warning) << i; // model 3 needs 5.0; generation 1 with 8 channels needs 16.0
    }
    EXPECT_TRUE(dev->isGigEVisonAu() == false);
    EXPECT_TRUE(VQtDeviceCL::extendedFirmware(0x0512FF));
    EXPECT_FALSE(VQtDeviceCL::extendedFirmware(0x0512FE));
    EXPECT_TRUE(VQtDeviceCL::extendedFirmware(0x041000));
}

TEST_F(Adapter, BoardThatFailsToOpenLeavesTheCameraOpen) {
    useDeviceSet(R"json({"boards": [{"name": "CXP", "kind": "CoaXPress", "fail": {"VionOpenCXP": 5}}],
      "cameras": [{"interface": "CoaXPress", "model": "C", "board": 0, "width": 32, "height": 8}]})json");
    dev.reset(VQtDevice::createDevice(VQT_DEVICE_COAXPRESS));
    EXPECT_TRUE(dev->open(0, cameraIndex("C")));
    EXPECT_TRUE(dev->isOpenRemote());
    EXPECT_FALSE(dev->isOpenAcq());
    EXPECT_EQ(dev->getAcqStatus(), 0);
    EXPECT_EQ(dev->getAcqErrorInfo(), QStringLiteral("Board Module Error: Open Board Fail"));
    EXPECT_TRUE(dev->getAcqFeatureList().isEmpty());
    QString link;
    bool warning = false;
    EXPECT_FALSE(dev->getLinkStatus(&link, &warning));
    // Without a board, the board half of a configuration is refused.
    log.attach(dev.get());
    EXPECT_FALSE(dev->saveAcqConfigFile(QStringLiteral("/tmp/never.zbcf")));
    EXPECT_EQ(log.lines.size(), 1);
    // And a camera that cannot be opened leaves its status for the error line.
    useDeviceSet(
        R"json({"cameras": [{"interface": "USB3Vision", "model": "U", "fail": {"OxaDevOpen": 1114121}}]})json");
    dev.reset(VQtDevice::createDevice(VQT_DEVICE_USB3VISION));
    EXPECT_FALSE(dev->open(-1, cameraIndex("U")));
    EXPECT_EQ(dev->getRemoteStatus(), 1114121u);
    EXPECT_FALSE(dev->getRemoteErrorInfo().isEmpty());
}

TEST_F(Adapter, BoardFollowsItsCamera) {
    open(VQT_DEVICE_COAXPRESS, 1, "VCX-4M-C");
    ASSERT_TRUE(dev->adaptiveAcqFeature());
    EXPECT_EQ(dev->getAcqFeatureByType(VNP_IMAGE_TYPE)->getText(), QStringLiteral("Bayer"));
    EXPECT_EQ(dev->getAcqFeatureByType(VNP_BAYER_PATTERN)->getText(), QStringLiteral("RGGB"));
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("PixelFormat"), QStringLiteral("BayerGB12")));
    EXPECT_EQ(dev->getAcqFeatureByType(VNP_DATA_FORMAT)->getText(), QStringLiteral("12-bit"));
    EXPECT_EQ(dev->getAcqFeatureByType(VNP_BAYER_PATTERN)->getText(), QStringLiteral("GBRG"));
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("Width"), 1024));
    EXPECT_EQ(dev->getAcqFeatureByType(VNP_IMAGE_WIDTH)->getValue(), 1024);
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("PixelFormat"), QStringLiteral("Mono8")));
    EXPECT_EQ(dev->getAcqFeatureByType(VNP_IMAGE_TYPE)->getText(), QStringLiteral("Monochrome"));
    EXPECT_FALSE(dev->getAcqFeatureByType(VNP_BAYER_PATTERN)->isEnable());
    // A layout the board cannot take: the adaptation says so, the board keeps its layout.
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("PixelFormat"), QStringLiteral("YUV422_8")));
    EXPECT_FALSE(dev->adaptiveAcqFeature(dev->getRemoteFeature(QStringLiteral("PixelFormat")).get()));
    // Camera Link: the tap geometry follows, from the geometries the camera offers.
    open(VQT_DEVICE_CAMERALINK, 0, "VCL-2K-M");
    ASSERT_TRUE(
        dev->setRemoteFeature(QStringLiteral("DeviceTapGeometry"), QStringLiteral("Geometry_1X2_1Y")));
    EXPECT_EQ(dev->getAcqFeatureByType(VNP_TAP_NUMBER)->getValue(), 2);
    EXPECT_EQ(dev->getAcqFeatureByType(VNP_TAP_ARRANGEMENT)->getEnumList().size(),
              5); // the camera's geometries
    // GigE Vision board: the camera's width is the line the region is cut from.
    open(VQT_DEVICE_GIGEVISION_BOARD, 3, "VGB-2M-C");
    ASSERT_TRUE(dev->adaptiveAcqFeature());
    EXPECT_EQ(dev->getAcqFeatureByType(VNP_ORIGIN_IMAGE_WIDTH)->getValue(), 1600);
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("PixelFormat"), QStringLiteral("BayerRG12Packed")));
    EXPECT_TRUE(dev->isGigEVisionPacked());
    EXPECT_EQ(dev->getAcqFeatureByType(VNP_CXP_DATA_PACKED_TRANSFER)->getValue(), 1);
}

// CoaXPress and GigE Vision board cameras send frames only between "AcquisitionStart" and
// "AcquisitionStop", so the board grab brackets them; a Camera Link camera runs by itself.
TEST_F(Adapter, BoardGrabsStartAndStopTheirCameras) {
    const struct {
        VQT_DEVICE_VAR_TYPE type;
        int board;
        const char* camera;
        int64_t lockedWhileGrabbing;
    } kinds[] = {{VQT_DEVICE_CAMERALINK, 0, "VCL-2K-M", 0},
                 {VQT_DEVICE_COAXPRESS, 1, "VCX-4M-C", 1},
                 {VQT_DEVICE_GIGEVISION_BOARD, 3, "VGB-2M-C", 1}};
    for (const auto& k : kinds) {
        open(k.type, k.board, k.camera);
        const auto locked = [&] {
            int64_t v = -1;
            EXPECT_EQ(OxaDevGetInt64(dev->getRemoteHandle(), "TLParamsLocked", &v), OXA_STATUS_SUCCESS);
            return v;
        };
        ASSERT_EQ(locked(), 0) << k.camera;
        ASSERT_TRUE(dev->startAcq(0)) << k.camera;
        EXPECT_TRUE(dev->isGrabbing());
        EXPECT_EQ(locked(), k.lockedWhileGrabbing) << k.camera;
        dev->stop();
        EXPECT_FALSE(dev->isGrabbing());
        EXPECT_EQ(locked(), 0) << k.camera;
        EXPECT_TRUE(log.lines.isEmpty()) << k.camera;
    }
}

TEST_F(Adapter, ConfigurationFilesRoundTripAndRefusals) {
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(QLatin1String(name)); };
    open(VQT_DEVICE_COAXPRESS, 1, "VCX-4M-C");
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("Gain"), 3.0));
    ASSERT_TRUE(dev->setAcqFeature(QStringLiteral("VNP_JPEG_COMPRESS_QUALITY"), 70));
    ASSERT_TRUE(dev->saveRemoteConfigFile(path("camera.ccf")));
    ASSERT_TRUE(dev->saveAcqConfigFile(path("board.zbcf")));
    ASSERT_TRUE(dev->saveAcqConfigFile(path("board.zbcf"))); // replaces the file whole
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("Gain"), 1.5));
    ASSERT_TRUE(dev->setAcqFeature(QStringLiteral("JPEG Compress Quality"), 20));
    ASSERT_TRUE(dev->openRemoteConfigFile(path("camera.ccf")));
    ASSERT_TRUE(dev->openAcqConfigFile(path("board.zbcf")));
    EXPECT_DOUBLE_EQ(dev->getRemoteFeature(QStringLiteral("Gain"))->getValue().toDouble(), 3.0);
    EXPECT_EQ(dev->getAcqFeatureByType(VNP_JPEG_COMPRESS_QUALITY)->getValue(), 70);
    EXPECT_TRUE(log.lines.isEmpty());
    EXPECT_TRUE(dev->saveAcqConfigFile(path("saved.zbcf")));
    EXPECT_FALSE(
        QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).join(' ').contains(QStringLiteral(".saved")));

    // Files that must change nothing: missing, empty, truncated, the other half's, another
    // board kind's, another camera model's.
    QFile::copy(path("board.zbcf"), path("truncated.zbcf"));
    {
        QFile f(path("truncated.zbcf"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.resize(f.size() / 2);
    }
    QFile::copy(path("camera.ccf"), path("truncated.ccf"));
    {
        QFile f(path("truncated.ccf"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.resize(f.size() * 2 / 3);
    }
    QFile(path("empty.zbcf")).open(QIODevice::WriteOnly);
    {
        auto cl = std::unique_ptr<VQtDevice>(VQtDevice::createDevice(VQT_DEVICE_CAMERALINK));
        dev->close(); // the Camera Link camera is a different one; boards open once each
        ASSERT_TRUE(cl->open(0, cameraIndex("VCL-2K-M")));
        ASSERT_TRUE(cl->saveAcqConfigFile(path("cameralink.zbcf")));
        ASSERT_TRUE(cl->saveRemoteConfigFile(path("cameralink.ccf")));
    }
    open(VQT_DEVICE_COAXPRESS, 1, "VCX-4M-C");
    ASSERT_TRUE(dev->openRemoteConfigFile(path("camera.ccf")));
    ASSERT_TRUE(dev->openAcqConfigFile(path("board.zbcf")));
    ASSERT_TRUE(dev->setAcqFeature(QStringLiteral("VNP_JPEG_COMPRESS_QUALITY"), 55));
    ASSERT_TRUE(dev->setRemoteFeature(QStringLiteral("Gain"), 2.0));
    const struct {
        const char* file;
        bool board;
        const char* why;
    } refused[] = {{"missing.zbcf", true, "the file does not exist"},
                   {"empty.zbcf", true, "the file is empty"},
                   {"truncated.zbcf", true, "Config Parameter Invalid"},
                   {"cameralink.zbcf", true, "Feature UnSupport"},
                   {"camera.ccf", true, "it is a camera configuration file"},
                   {"board.zbcf", false, "it is a board configuration file"},
                   {"truncated.ccf", false, ""},
                   {"cameralink.ccf", false, ""},
                   {"missing.ccf", false, "the file does not exist"}};
    for (const auto& r : refused) {
        log.lines.clear();
        const bool loaded =
            r.board ? dev->openAcqConfigFile(path(r.file)) : dev->openRemoteConfigFile(path(r.file));
        EXPECT_FALSE(loaded) << r.file;
        ASSERT_EQ(log.lines.size(), 1) << r.file;
        EXPECT_EQ(log.levels.last(), 1);
        const QString line = log.lines.first();
        EXPECT_TRUE(line.startsWith(r.board ? QStringLiteral("Board configuration file")
                                            : QStringLiteral("Camera configuration file")));
        EXPECT_TRUE(line.contains(QLatin1String(r.file))) << line.toStdString();
        EXPECT_TRUE(line.contains(QLatin1String(r.why))) << line.toStdString();
        EXPECT_FALSE(line.endsWith(QLatin1String(": "))) << line.toStdString();
        EXPECT_EQ(dev->getAcqFeatureByType(VNP_JPEG_COMPRESS_QUALITY)->getValue(), 55) << r.file;
        EXPECT_DOUBLE_EQ(dev->getRemoteFeature(QStringLiteral("Gain"))->getValue().toDouble(), 2.0) << r.file;
        int32_t quality = 0;
        VionGetInfo(dev->getAcqHandle(), VNP_JPEG_COMPRESS_QUALITY, &quality);
        EXPECT_EQ(quality, 55) << r.file;
    }
    // A folder that does not exist: not saved, one line.
    log.lines.clear();
    EXPECT_FALSE(dev->saveRemoteConfigFile(path("no/such/folder.ccf")));
    EXPECT_EQ(log.lines.size(), 1);
    // A full disk while saving over earlier files: each stays whole and one line names it.
    for (const bool board : {true, false}) {
        const QString saved = path(board ? "board.zbcf" : "camera.ccf");
        QFile before(saved);
        ASSERT_TRUE(before.open(QIODevice::ReadOnly));
        const QByteArray old = before.readAll();
        log.lines.clear();
        {
            FileSizeLimit full(16);
            ASSERT_TRUE(full.active());
            EXPECT_FALSE(board ? dev->saveAcqConfigFile(saved) : dev->saveRemoteConfigFile(saved));
        }
        ASSERT_EQ(log.lines.size(), 1);
        EXPECT_TRUE(log.lines.first().contains(saved)) << log.lines.first().toStdString();
        QFile after(saved);
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        EXPECT_EQ(after.readAll(), old);
    }
}

} // namespace
