// Firmware files and checksums: the CRC the cameras check, the container header and trailer,
// padding to whole pages, the camera's version text and the version ranges a file accepts,
// and the update family a camera's type and name lead to.
#include <QByteArray>
#include <gtest/gtest.h>

#include "tools/VQtFirmwareCrc.h"
#include "tools/VQtFirmwareFamily.h"
#include "tools/VQtFirmwareFile.h"

namespace {

QByteArray container(const QByteArray& model, const QByteArray& data, const uint8_t ranges[8]) {
    QByteArray header(VQtFirmwareFile::kHeaderBytes, '\0');
    header.replace(0, 16, VQtFirmwareFile::marker());
    header.replace(16, model.size(), model);
    for (int i = 0; i < 8; ++i)
        header[52 + i] = char(ranges[i]);
    QByteArray trailer(VQtFirmwareFile::kTrailerBytes, '\0');
    trailer.replace(0, 16, VQtFirmwareFile::marker());
    return header + data + trailer;
}

const uint8_t kWide[8] = {0, 255, 0, 255, 0, 255, 0, 255};

} // namespace

TEST(FirmwareCrc, IsTheModbusCrcAndItsWords) {
    const QByteArray check("123456789");
    EXPECT_EQ(CalcCRC16(0xFFFF, reinterpret_cast<const uint8_t*>(check.constData()), 9), 0x4B37);
    // Continued over pieces it is the CRC of the whole.
    const uint16_t first = CalcCRC16(0xFFFF, reinterpret_cast<const uint8_t*>(check.constData()), 4);
    EXPECT_EQ(CalcCRC16(first, reinterpret_cast<const uint8_t*>(check.constData()) + 4, 5), 0x4B37);
    EXPECT_EQ(CalcCrc(nullptr, 0), 0xFFFFFFFFu);
    EXPECT_EQ(CalcCrc(reinterpret_cast<const uint8_t*>(check.constData()), 9), 0x4B37u);
    const uint8_t two[2] = {0x02, 0x00};
    EXPECT_EQ(VQtFirmwareCrc::sizeWord(2), (uint32_t(CalcCRC16(0xFFFF, two, 2)) << 16) | 2u);
    QByteArray image(3 * 4096, '\x5A');
    image[5000] = 1;
    EXPECT_EQ(VQtFirmwareCrc::wholeImage(image),
              CalcCRC16(0xFFFF, reinterpret_cast<const uint8_t*>(image.constData()), size_t(image.size())));
    EXPECT_EQ(VQtFirmwareCrc::commitWord(0x1234) & 0xFFFF, 0x1234u);
}

TEST(FirmwareFile, PadsPlainFilesToWholePages) {
    VQtFirmwareFile file;
    ASSERT_EQ(file.setFileBytes(QByteArray(5000, '\x11'), false, 0xFF), VQtFirmwareFile::Ok);
    EXPECT_EQ(file.dataSize(), 5000);
    EXPECT_EQ(file.paddedSize(), 8192);
    EXPECT_EQ(file.pages(), 2);
    EXPECT_EQ(file.buffer().count('\xFF'), 3192);
    // Blocks of 256 for the erase/write cameras.
    ASSERT_EQ(file.setFileBytes(QByteArray(300, '\x11'), false, 0x00, 256), VQtFirmwareFile::Ok);
    EXPECT_EQ(file.paddedSize(), 512);
    EXPECT_EQ(file.setFileBytes(QByteArray(), false, 0xFF), VQtFirmwareFile::NoData);
}

TEST(FirmwareFile, ContainersNeedBothMarkersAndKeepTheirDataOnly) {
    const QByteArray data(4096 + 10, '\x42');
    VQtFirmwareFile file;
    ASSERT_EQ(file.setFileBytes(container("VG-2M-M camera", data, kWide), true, 0x00), VQtFirmwareFile::Ok);
    EXPECT_EQ(file.dataSize(), data.size());
    EXPECT_EQ(file.buffer().left(data.size()), data);
    EXPECT_EQ(file.pages(), 2);
    EXPECT_TRUE(file.modelMatches(QStringLiteral("VG-2M-M")));
    EXPECT_FALSE(file.modelMatches(QStringLiteral("vg-2m-m"))); // names compare exactly
    EXPECT_FALSE(file.modelMatches(QStringLiteral("VG-5M-C")));

    QByteArray noTrailer = container("VG-2M-M", data, kWide);
    noTrailer.chop(16);
    EXPECT_EQ(file.setFileBytes(noTrailer, true, 0), VQtFirmwareFile::FormatError);
    QByteArray badTrailer = container("VG-2M-M", data, kWide);
    badTrailer[badTrailer.size() - 3] = 'x';
    EXPECT_EQ(file.setFileBytes(badTrailer, true, 0), VQtFirmwareFile::FormatError);
    QByteArray badHeader = container("VG-2M-M", data, kWide);
    badHeader[0] = 'n';
    EXPECT_EQ(file.setFileBytes(badHeader, true, 0), VQtFirmwareFile::FormatError);
    EXPECT_EQ(file.setFileBytes(QByteArray(100, 'N'), true, 0), VQtFirmwareFile::FormatError);
    EXPECT_EQ(file.setFileBytes(container("VG-2M-M", QByteArray(), kWide), true, 0), VQtFirmwareFile::NoData);
}

TEST(FirmwareFile, SuffixesDecideTypeAndHeader) {
    EXPECT_TRUE(VQtFirmwareFile::suffixMatches(VQT_FIRMWARE_FPGA, QStringLiteral("RBZX")));
    EXPECT_FALSE(VQtFirmwareFile::suffixMatches(VQT_FIRMWARE_FPGA, QStringLiteral("binx")));
    EXPECT_TRUE(VQtFirmwareFile::suffixMatches(VQT_FIRMWARE_XML, QStringLiteral("zip")));
    EXPECT_TRUE(VQtFirmwareFile::hasHeader(VQT_FIRMWARE_MCU, QStringLiteral("binx")));
    EXPECT_FALSE(VQtFirmwareFile::hasHeader(VQT_FIRMWARE_MCU, QStringLiteral("bin")));
    EXPECT_FALSE(VQtFirmwareFile::hasHeader(VQT_FIRMWARE_FPGA, QStringLiteral("rbz")));
    EXPECT_TRUE(VQtFirmwareFile::hasHeader(VQT_FIRMWARE_FPGA, QStringLiteral("rpd")));
    EXPECT_FALSE(VQtFirmwareFile::hasHeader(VQT_FIRMWARE_XML, QStringLiteral("xml")));
    EXPECT_EQ(VQtFirmwareFile::fileFilter(VQT_FIRMWARE_MCU, true), QStringLiteral("MCU(*.binx;*.bin)"));
    EXPECT_EQ(VQtFirmwareFile::fileFilter(VQT_FIRMWARE_FPGA, false), QStringLiteral("FPGA(*.rbzx)"));
}

TEST(FirmwareFile, CameraVersionsAreCheckedInTheirOrder) {
    struct Case {
        uint8_t ranges[8];
        VQtFirmwareFile::Result result;
    } cases[] = {
        {{0, 255, 0, 255, 0, 255, 0, 255}, VQtFirmwareFile::Ok},
        {{3, 9, 0, 0, 200, 200, 0, 0}, VQtFirmwareFile::McuProtocolOutOfRange}, // every field out: first wins
        {{2, 2, 18, 255, 0, 0, 0, 0}, VQtFirmwareFile::McuFirmwareOutOfRange},
        {{2, 2, 17, 17, 0, 101, 5, 5}, VQtFirmwareFile::PcbOutOfRange},
        {{2, 2, 17, 17, 102, 102, 6, 9}, VQtFirmwareFile::FpgaOutOfRange},
        {{2, 2, 17, 17, 102, 102, 5, 5}, VQtFirmwareFile::Ok},
    };
    VQtFirmwareVersions camera;
    ASSERT_TRUE(parseDeviceVersion(QStringLiteral("10205-02017"), &camera));
    for (const Case& c : cases) {
        VQtFirmwareFile file;
        ASSERT_EQ(file.setFileBytes(container("VG-2M-M", QByteArray(64, 'd'), c.ranges), true, 0),
                  VQtFirmwareFile::Ok);
        EXPECT_EQ(file.checkVersions(&camera), c.result);
        EXPECT_EQ(file.checkVersions(nullptr), VQtFirmwareFile::VersionUnknown);
    }
    VQtFirmwareFile plain;
    ASSERT_EQ(plain.setFileBytes(QByteArray(64, 'd'), false, 0), VQtFirmwareFile::Ok);
    EXPECT_EQ(plain.checkVersions(nullptr), VQtFirmwareFile::Ok); // nothing to check against
}

TEST(FirmwareFile, DeviceVersionLayouts) {
    struct Case {
        const char* text;
        bool ok;
        int pcb, fpga, mcuProtocol, mcuFirmware;
    } cases[] = {
        {"10205-02017", true, 102, 5, 2, 17},
        {"1205-0217", true, 12, 5, 2, 17},
        {"12050217", true, 12, 5, 2, 17},
        {"1.5-2.17", true, 1, 5, 2, 17},
        {" 1 . 5 - 2 . 17 ", true, 1, 5, 2, 17},
        {"10205-0201", true, 102, 5, 2, 1},
        {"300-02017", false, 0, 0, 0, 0},
        {"1205021", false, 0, 0, 0, 0},
        {"12a50217", false, 0, 0, 0, 0},
        {"1.5-217", false, 0, 0, 0, 0},
        {"99905-02017", false, 0, 0, 0, 0},
        {"", false, 0, 0, 0, 0},
        {"1.2.3", false, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        VQtFirmwareVersions v;
        EXPECT_EQ(parseDeviceVersion(QString::fromLatin1(c.text), &v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v.pcb, c.pcb) << c.text;
            EXPECT_EQ(v.fpga, c.fpga) << c.text;
            EXPECT_EQ(v.mcuProtocol, c.mcuProtocol) << c.text;
            EXPECT_EQ(v.mcuFirmware, c.mcuFirmware) << c.text;
        }
    }
}

TEST(FirmwareFamily, FollowsDeviceTypeNameAndFile) {
    auto none = [](uint32_t*) { return false; };
    auto two = [](uint32_t* v) { return *v = 2, true; };
    using namespace VQtFirmwareFamily;
    EXPECT_EQ(derive(VQT_DEVICE_GIGEVISION, QStringLiteral("VG-2M-M"), VQT_FIRMWARE_FPGA, none), 0);
    EXPECT_EQ(derive(VQT_DEVICE_GIGEVISION, QStringLiteral("VG-5M-C"), VQT_FIRMWARE_FPGA, none), 1);
    EXPECT_EQ(derive(VQT_DEVICE_GIGEVISION, QStringLiteral("VG-1M-M"), VQT_FIRMWARE_MCU, none), 2);
    EXPECT_EQ(derive(VQT_DEVICE_GIGEVISION_BOARD, QStringLiteral("VGB-2M-C"), VQT_FIRMWARE_MCU, none), 2);
    EXPECT_EQ(derive(VQT_DEVICE_GIGEVISION, QStringLiteral("Other"), VQT_FIRMWARE_MCU, none), kNone);
    EXPECT_EQ(derive(VQT_DEVICE_COAXPRESS, QStringLiteral("VCX-9M-M"), VQT_FIRMWARE_FPGA, none), 3);
    EXPECT_EQ(derive(VQT_DEVICE_COAXPRESS, QStringLiteral("VCX-2M-M"), VQT_FIRMWARE_FPGA, none), 2);
    EXPECT_EQ(derive(VQT_DEVICE_COAXPRESS, QStringLiteral("VCX-16K-L"), VQT_FIRMWARE_FPGA, none), 5);
    EXPECT_EQ(derive(VQT_DEVICE_COAXPRESS, QStringLiteral("VCX-16K-L"), VQT_FIRMWARE_MCU, none), 3);
    EXPECT_EQ(derive(VQT_DEVICE_COAXPRESS, QStringLiteral("VCX-16K-L"), VQT_FIRMWARE_FPGA, two), 4);
    EXPECT_EQ(derive(VQT_DEVICE_PCIEVISION, QStringLiteral("anything"), VQT_FIRMWARE_XML, none), 2);
    EXPECT_EQ(derive(VQT_DEVICE_SFP, QStringLiteral("VSF-5M-M"), VQT_FIRMWARE_FPGA, two), kNone);
    EXPECT_EQ(forFirmwareType(7, VQT_FIRMWARE_FPGA), 5);
    EXPECT_EQ(forFirmwareType(7, VQT_FIRMWARE_MCU), 3);
    EXPECT_EQ(forFirmwareType(8, VQT_FIRMWARE_MCU), 6);
    EXPECT_EQ(forFirmwareType(8, VQT_FIRMWARE_FPGA), 8);
    EXPECT_EQ(fillByte(VQT_DEVICE_CAMERALINK, kNone, VQT_FIRMWARE_MCU), 0xFF);
    EXPECT_EQ(fillByte(VQT_DEVICE_CAMERALINK, kNone, VQT_FIRMWARE_XML), 0x20);
    EXPECT_EQ(fillByte(VQT_DEVICE_GIGEVISION, 0, VQT_FIRMWARE_XML), 0x20);
    EXPECT_EQ(fillByte(VQT_DEVICE_COAXPRESS, 4, VQT_FIRMWARE_MCU), 0xFF);
    EXPECT_EQ(fillByte(VQT_DEVICE_COAXPRESS, 3, VQT_FIRMWARE_MCU), 0x00);
    EXPECT_EQ(fillByte(VQT_DEVICE_SFP, 8, VQT_FIRMWARE_FPGA), 0xFF);
}
