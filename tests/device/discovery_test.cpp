// The device registry: board classification, probing by type, network-card entries, display
// names, lookups and probe errors.
#include <gtest/gtest.h>

#include "core/VQtSystemParam.h"
#include "device/VQtDeviceReport.h"
#include "device/VQtManagerDeviceInfo.h"
#include "device_test_helpers.h"

namespace {

const char kSet[] = R"json({
 "boards": [
  {"name": "VionCXP-CL Hybrid", "kind": "CoaXPress"},
  {"name": "VionCL-Base", "kind": "CameraLink"},
  {"name": "VionSFP-2", "kind": "SFP"},
  {"name": "VionGVB (GigEVision)", "kind": "GigEVisionBoard"},
  {"name": "Unknown Grabber", "kind": "CameraLink"}
 ],
 "cameras": [
  {"interface": "CoaXPress", "model": "CX-A", "board": 0, "master": 1},
  {"interface": "CoaXPress", "model": "SF-A", "board": 2, "master": 0},
  {"interface": "CameraLink", "model": "CL-A", "board": 1},
  {"interface": "GigEVisionBoard", "model": "GB-A", "board": 3, "master": 2},
  {"interface": "GigEVisionBoard", "model": "GB-B", "board": 3, "master": 30},
  {"interface": "GigEVisionBoard", "model": "GB-Lost", "board": 2},
  {"interface": "GigEVision", "model": "GE-1", "ip": "10.0.0.21", "nic": "10.0.0.10"},
  {"interface": "GigEVision", "model": "GE-2", "ip": "10.0.0.21", "nic": "10.0.0.10", "userName": "twin"},
  {"interface": "GigEVision", "model": "GE-3", "ip": "10.1.0.21", "nic": "10.1.0.10"},
  {"interface": "GigEVision", "model": "GE-4", "ip": "169.254.1.1", "nic": "10.1.0.10"},
  {"interface": "USB3Vision", "model": "U-1"},
  {"interface": "PCIe", "model": "P-1"},
  {"interface": "IrradiationGigEVision", "model": "IR-1", "nic": "10.0.0.10"}
 ]})json";

QStringList names(const VQtManagerDeviceInfo& registry, VQT_DEVICE_VAR_TYPE type) {
    QStringList out;
    for (const VQtAcqDeviceInfo* e : registry.getDevInfo(type)->getAcqDeviceList()) {
        out << e->getName();
        for (const VQtRemoteDeviceInfo* c : e->getRemoteDeviceList())
            out << QStringLiteral("  ") + c->getName();
    }
    return out;
}

class Discovery : public ::testing::Test {
protected:
    void SetUp() override { useDeviceSet(kSet); }
    void TearDown() override { useDefaultSet(); }
};

TEST(BoardClassification, FirstMatchWins) {
    EXPECT_EQ(VQtManagerDeviceInfo::classifyBoard("Vion CXP CL"), VQT_DEVICE_COAXPRESS);
    EXPECT_EQ(VQtManagerDeviceInfo::classifyBoard("CoaXPress SFP"), VQT_DEVICE_COAXPRESS);
    EXPECT_EQ(VQtManagerDeviceInfo::classifyBoard("SFP-CL"), VQT_DEVICE_SFP);
    EXPECT_EQ(VQtManagerDeviceInfo::classifyBoard("Camera Link Full"), VQT_DEVICE_CAMERALINK);
    EXPECT_EQ(VQtManagerDeviceInfo::classifyBoard("GigEVision Quad"), VQT_DEVICE_GIGEVISION_BOARD);
    EXPECT_EQ(VQtManagerDeviceInfo::classifyBoard("Unknown Grabber"), VQT_DEVICE_ALL);
}

TEST_F(Discovery, ProbeAllFilesEveryCameraUnderItsEntry) {
    VQtManagerDeviceInfo registry;
    ASSERT_EQ(registry.probeDevice(VQT_DEVICE_ALL), 0u);
    EXPECT_EQ(registry.getDeviceCount(), 13u);
    ASSERT_EQ(registry.getDeviceList().size(), 7);
    EXPECT_EQ(registry.getDeviceList().first()->getName(), QStringLiteral("CameraLink"));
    EXPECT_EQ(names(registry, VQT_DEVICE_COAXPRESS), (QStringList{"CoaXPress-Board #0", "  Master B #CX-A"}));
    EXPECT_EQ(names(registry, VQT_DEVICE_SFP), (QStringList{"SFP-Board #2", "  Master A #SF-A"}));
    // A board whose name tells no interface is filed by its kind; the GVB camera of board 2 has
    // no GVB board.
    EXPECT_EQ(names(registry, VQT_DEVICE_CAMERALINK),
              (QStringList{"CameraLink-Board #1", "  CL-A", "CameraLink-Board #4"}));
    EXPECT_EQ(names(registry, VQT_DEVICE_GIGEVISION_BOARD),
              (QStringList{"GigEVision-Board #3", "  Master C #GB-A", "  Master 30 #GB-B"}));
    EXPECT_EQ(names(registry, VQT_DEVICE_GIGEVISION),
              (QStringList{"GigEVision - 10.0.0.10", "  GE-1(10.0.0.21)", "  GE-2(twin)(10.0.0.21)",
                           "GigEVision - 10.1.0.10", "  GE-3(10.1.0.21)", "  GE-4(169.254.1.1)"}));
    EXPECT_EQ(names(registry, VQT_DEVICE_USB3VISION), (QStringList{"USBVision - #10", "  U-1"}));
    EXPECT_EQ(names(registry, VQT_DEVICE_PCIEVISION), (QStringList{"PCIeVision - #11", "  P-1"}));
    EXPECT_TRUE(registry.getProbeErrorList().isEmpty());
}

TEST_F(Discovery, ProbingOneTypeEmptiesTheOthers) {
    VQtManagerDeviceInfo registry;
    ASSERT_EQ(registry.probeDevice(VQT_DEVICE_ALL), 0u);
    ASSERT_FALSE(registry.getDevInfo(VQT_DEVICE_CAMERALINK)->getAcqDeviceList().isEmpty());
    ASSERT_EQ(registry.probeDevice(VQT_DEVICE_COAXPRESS), 0u);
    EXPECT_EQ(registry.getProbeType(), VQT_DEVICE_COAXPRESS);
    EXPECT_TRUE(registry.getDevInfo(VQT_DEVICE_CAMERALINK)->getAcqDeviceList().isEmpty());
    EXPECT_TRUE(registry.getDevInfo(VQT_DEVICE_SFP)->getAcqDeviceList().isEmpty());
    EXPECT_TRUE(registry.getDevInfo(VQT_DEVICE_GIGEVISION)->getAcqDeviceList().isEmpty());
    EXPECT_EQ(names(registry, VQT_DEVICE_COAXPRESS), (QStringList{"CoaXPress-Board #0", "  Master B #CX-A"}));
}

TEST_F(Discovery, LookupsByIndexAndNetworkCard) {
    VQtManagerDeviceInfo registry;
    ASSERT_EQ(registry.probeDevice(VQT_DEVICE_ALL), 0u);
    VQtRemoteDeviceInfo* cl = registry.getRemoteDeviceInfo(VQT_DEVICE_CAMERALINK, 1, 2);
    ASSERT_NE(cl, nullptr);
    EXPECT_EQ(cl->getDeviceName(), QStringLiteral("CL-A"));
    // Boards are found by their index even without the camera; other entries need the camera.
    EXPECT_NE(registry.getAcqDevInfoFromAcqIndex(VQT_DEVICE_CAMERALINK, 1, 99), nullptr);
    EXPECT_EQ(registry.getAcqDevInfoFromAcqIndex(VQT_DEVICE_GIGEVISION, -1, 99), nullptr);
    ASSERT_NE(registry.getRemoteDeviceInfo(VQT_DEVICE_GIGEVISION, -1, 8), nullptr);
    EXPECT_EQ(registry.getRemoteDeviceInfo(VQT_DEVICE_GIGEVISION, -1, 8)->getIp(),
              QStringLiteral("10.1.0.21"));
    VQtAcqDeviceInfo* nic = registry.getAcqDevInfoFromNICIp(QStringLiteral("10.1.0.10"));
    ASSERT_NE(nic, nullptr);
    EXPECT_EQ(nic->getRemoteDeviceList().size(), 2);
    EXPECT_EQ(registry.getAcqDevInfoFromNICIp(QStringLiteral("10.1.0.1")), nullptr);
    EXPECT_EQ(VQtDeviceReport::conflictCode(*nic, 0), 0);
    EXPECT_EQ(VQtDeviceReport::conflictCode(*nic, 1), 1); // outside the card's subnet
    VQtAcqDeviceInfo* twins = registry.getAcqDevInfoFromNICIp(QStringLiteral("10.0.0.10"));
    EXPECT_EQ(VQtDeviceReport::conflictCode(*twins, 0), 3);
    EXPECT_EQ(VQtDeviceReport::conflictCode(*twins, 1), 3);
}

TEST_F(Discovery, UserNamesKeepAtMostSixtyThreeBytes) {
    VQtRemoteDeviceInfo camera;
    const QString longName(70, QLatin1Char('x'));
    camera.modifyUserDefinedName(longName);
    EXPECT_EQ(camera.getUserDefinedName(), QString(63, QLatin1Char('x')));
    EXPECT_EQ(camera.deviceRecord().userDefinedName[63], '\0');
    camera.modifyUserDefinedName(QStringLiteral("ab"));
    EXPECT_EQ(camera.getUserDefinedName(), QStringLiteral("ab"));
    EXPECT_EQ(camera.deviceRecord().userDefinedName[3], '\0'); // the rest was cleared
}

TEST(DiscoveryFaults, FailedReadsBecomeProbeErrors) {
    useDeviceSet(R"json({"boards": [{"name": "VionCXP", "kind": "CoaXPress"}],
      "cameras": [{"interface": "GigEVision", "model": "GE-X", "infoError": 4259850},
                  {"interface": "CoaXPress", "model": "CX-X", "board": 0, "infoError": 4259864},
                  {"interface": "CameraLink", "model": "CL-X", "board": 0, "infoError": 1}]})json");
    const int savedLanguage = g_nDevLanguage;
    g_nDevLanguage = 0;
    {
        VQtManagerDeviceInfo registry;
        EXPECT_EQ(registry.probeDevice(VQT_DEVICE_ALL), 0u);
        EXPECT_EQ(registry.getProbeErrorList(),
                  (QStringList{"管理模块:设备拒绝访问", "管理模块:系统内存不足"}));
        // Only the board entry is left: the CoaXPress camera dropped, the Camera Link camera's
        // board is unknown, the GigE camera dropped.
        EXPECT_EQ(names(registry, VQT_DEVICE_COAXPRESS), (QStringList{"CoaXPress-Board #0"}));
        EXPECT_TRUE(registry.getDevInfo(VQT_DEVICE_GIGEVISION)->getAcqDeviceList().isEmpty());
    }
    useDeviceSet(R"json({"faults": {"OxaManInitialize": 4259845}})json", false);
    {
        VQtManagerDeviceInfo registry;
        EXPECT_EQ(registry.probeDevice(VQT_DEVICE_ALL), 4259845u);
        EXPECT_EQ(registry.getProbeErrorList(), (QStringList{"管理模块:未初始化运行环境"}));
    }
    g_nDevLanguage = savedLanguage; // later tests read the English texts
    useDefaultSet();
}

TEST(DefaultSet, EveryInterfaceTypeIsPresent) {
    useDefaultSet();
    VQtManagerDeviceInfo registry;
    ASSERT_EQ(registry.probeDevice(VQT_DEVICE_ALL), 0u);
    for (VQtDeviceInfo* group : registry.getDeviceList())
        EXPECT_FALSE(group->getAcqDeviceList().isEmpty()) << group->getName().toStdString();
    EXPECT_GE(
        registry.getDevInfo(VQT_DEVICE_COAXPRESS)->getAcqDeviceList().first()->getRemoteDeviceList().size(),
        2);
    const QList<VQtAcqDeviceInfo*> nics = registry.getDevInfo(VQT_DEVICE_GIGEVISION)->getAcqDeviceList();
    ASSERT_EQ(nics.size(), 2);
    int conflicts = 0;
    for (int k = 0; k < nics[0]->getRemoteDeviceList().size(); ++k)
        conflicts += VQtDeviceReport::conflictCode(*nics[0], k) != 0;
    EXPECT_EQ(conflicts, 1);
    EXPECT_TRUE(VQtDeviceReport::probeTree(registry).join('\n').contains(QStringLiteral("conflict 1")));
}

} // namespace
