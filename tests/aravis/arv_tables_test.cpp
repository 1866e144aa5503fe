// The Aravis backend's tables and parsers that need no camera: pixel formats both ways and the
// layout the unpacker reads them with, settings files, bootstrap registers and routes.
#include <gtest/gtest.h>

#include "acquisition/VQtPixelFormatLayout.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "device/OxaApi.h"
#include "device/aravis/VQtArvConfigFile.h"
#include "device/aravis/VQtArvDiscovery.h"
#include "device/aravis/VQtArvHostInterfaces.h"
#include "device/aravis/VQtArvPixelFormats.h"

namespace {

struct Named {
    const char* name;
    uint32_t camera;
    uint32_t program;
};

// Every format of the display path, with its standard code and the program's.
const Named kFormats[] = {
    {"Mono8", 0x01080001, OXA_PIXEL_MONO8},
    {"Mono10", 0x01100003, OXA_PIXEL_MONO10},
    {"Mono12", 0x01100005, OXA_PIXEL_MONO12},
    {"Mono14", 0x01100025, OXA_PIXEL_MONO14},
    {"Mono16", 0x01100007, OXA_PIXEL_MONO16},
    {"Mono10p", 0x010A0046, OXA_PIXEL_MONO10P},
    {"Mono12p", 0x010C0047, OXA_PIXEL_MONO12P},
    {"BayerGR8", 0x01080008, OXA_PIXEL_BAYER_GR8},
    {"BayerBG10", 0x0110000F, OXA_PIXEL_BAYER_BG10},
    {"BayerRG12", 0x01100011, OXA_PIXEL_BAYER_RG12},
    {"BayerGB16", 0x01100030, OXA_PIXEL_BAYER_GB16},
    {"BayerGR10p", 0x010A0056, OXA_PIXEL_BAYER_GR10P},
    {"BayerBG12p", 0x010C0053, OXA_PIXEL_BAYER_BG12P},
    {"RGB8", 0x02180014, OXA_PIXEL_RGB8},
    {"BGR8", 0x02180015, OXA_PIXEL_BGR8},
    {"RGBa8", 0x02200016, OXA_PIXEL_RGBA8},
    {"YUV422_8", 0x02100032, OXA_PIXEL_YUV422_YUYV},
    {"YUV422_8_UYVY", 0x0210001F, OXA_PIXEL_YUV422_UYVY},
};

} // namespace

TEST(AravisPixelFormats, MapBothWaysOnBothInterfaces) {
    for (const Named& f : kFormats)
        for (const bool usb3 : {false, true}) {
            EXPECT_EQ(VQtArvPixelFormats::toProgram(f.camera, f.name, usb3), f.program) << f.name;
            EXPECT_EQ(VQtArvPixelFormats::toCamera(f.program, usb3), f.camera) << f.name;
            // Cameras that number their entries their own way are known by the name.
            EXPECT_EQ(VQtArvPixelFormats::toProgram(0x7FFF0000, f.name, usb3), f.program) << f.name;
        }
    // The two-in-three-bytes formats are GigE Vision's; the program reads its packed codes as a
    // bit stream on USB3 Vision, so there they would be shown wrong and are left out.
    EXPECT_EQ(VQtArvPixelFormats::toProgram(0x010C0006, "Mono12Packed", false), OXA_PIXEL_MONO12_PACKED);
    EXPECT_EQ(VQtArvPixelFormats::toProgram(0x010C0006, "Mono12Packed", true), 0u);
    EXPECT_EQ(VQtArvPixelFormats::toProgram(0x010C002D, "BayerBG12Packed", false),
              OXA_PIXEL_BAYER_BG12_PACKED);
    EXPECT_EQ(VQtArvPixelFormats::toCamera(OXA_PIXEL_MONO10_PACKED, true), 0u);
    // Unknown formats have no program code, whatever their name says.
    EXPECT_EQ(VQtArvPixelFormats::toProgram(0x01080002, "Mono8Signed", false), 0u);
    EXPECT_EQ(VQtArvPixelFormats::toProgram(0x02180020, "YUV444Packed", true), 0u);
    EXPECT_STREQ(VQtArvPixelFormats::name(OXA_PIXEL_MONO12P), "Mono12p");
}

// Each program code reads with the layout its bytes have; the bit-packed "p" formats read as a
// least-significant-bit-first stream on every interface, the packed pairs only on GigE Vision.
TEST(AravisPixelFormats, LayoutsFollowTheCodes) {
    struct Case {
        uint32_t code;
        int32_t type;
        uint32_t imageType, bayer, packed, depth;
    } cases[] = {
        {OXA_PIXEL_MONO12P, 5, VQT_FRAME_MONO, 0, VQT_PACKED_LSB, 12},
        {OXA_PIXEL_MONO10P, 6, VQT_FRAME_MONO, 0, VQT_PACKED_LSB, 10},
        {OXA_PIXEL_MONO12_PACKED, 5, VQT_FRAME_MONO, 0, VQT_PACKED_PAIRS, 12},
        {OXA_PIXEL_MONO12_PACKED, 6, VQT_FRAME_MONO, 0, VQT_PACKED_LSB, 12},
        {OXA_PIXEL_BAYER_RG12P, 5, VQT_FRAME_BAYER, 2, VQT_PACKED_LSB, 12},
        {OXA_PIXEL_BAYER_GR16, 5, VQT_FRAME_BAYER, 4, VQT_PACKED_NONE, 16},
        {OXA_PIXEL_RGBA8, 5, VQT_FRAME_RGBA, 0, VQT_PACKED_NONE, 8},
        {OXA_PIXEL_BGRA8, 6, VQT_FRAME_BGRA, 0, VQT_PACKED_NONE, 8},
        {OXA_PIXEL_YUV422_UYVY, 5, VQT_FRAME_UYVY, 0, VQT_PACKED_NONE, 8},
    };
    for (const Case& c : cases) {
        VQtImageParam p;
        ASSERT_TRUE(VQtPixelFormatLayout::fromCode(c.code, c.type, &p)) << std::hex << c.code;
        EXPECT_EQ(p.imageType, c.imageType) << std::hex << c.code;
        EXPECT_EQ(p.bayerPattern, c.bayer) << std::hex << c.code;
        EXPECT_EQ(p.packedType, c.packed) << std::hex << c.code;
        EXPECT_EQ(p.bitDepth, c.depth) << std::hex << c.code;
        EXPECT_EQ(p.storageBits, c.depth > 8 ? 16u : 8u);
    }
    VQtImageParam p;
    EXPECT_FALSE(VQtPixelFormatLayout::fromCode(0x01080002, 5, &p));
    EXPECT_EQ(p.packedType, 0u);
    // Every code the camera side maps to has a layout: nothing reaches the display unreadable.
    for (const Named& f : kFormats)
        EXPECT_TRUE(VQtPixelFormatLayout::fromCode(f.program, 5, &p)) << f.name;
}

// Mono12p bytes through the frame buffer the stream uses: 0xAB 0xCD 0xEF hold 0xDAB, 0xEFC.
TEST(AravisPixelFormats, Mono12pUnpacksThroughTheFrameBuffer) {
    VQtImageParam p;
    ASSERT_TRUE(VQtPixelFormatLayout::fromCode(OXA_PIXEL_MONO12P, 5, &p));
    p.width = 2;
    p.height = 1;
    VQtPsCricleBuffer frame;
    ASSERT_TRUE(frame.flush(3, false));
    frame.setImageParam(p);
    const uint8_t bytes[3] = {0xAB, 0xCD, 0xEF};
    ASSERT_TRUE(frame.write(bytes, 3, false));
    uint16_t out[2] = {};
    ASSERT_TRUE(frame.read(reinterpret_cast<uint8_t*>(out), sizeof out, 0));
    EXPECT_EQ(out[0], 0xDAB);
    EXPECT_EQ(out[1], 0xEFC);
}

TEST(AravisSettingsFile, RoundTripKeepsEveryValue) {
    VQtArvConfig c;
    c.vendor = "Aravis";
    c.model = "Fake";
    c.values = {{"Width", "512"}, {"DeviceUserID", "line\nbreak \\ and = sign"}, {"Empty", ""}};
    VQtArvConfig back;
    QString why;
    ASSERT_EQ(VQtArvConfigFile::parse(VQtArvConfigFile::format(c), &back, &why), VQtArvConfigFile::Ok)
        << why.toStdString();
    EXPECT_EQ(back.vendor, c.vendor);
    EXPECT_EQ(back.model, c.model);
    EXPECT_EQ(back.values, c.values);
    // Windows line ends read the same.
    QByteArray crlf = VQtArvConfigFile::format(c);
    crlf.replace("\n", "\r\n");
    EXPECT_EQ(VQtArvConfigFile::parse(crlf, &back, &why), VQtArvConfigFile::Ok);
}

TEST(AravisSettingsFile, ForeignTruncatedAndMalformedFilesAreRefused) {
    VQtArvConfig c;
    c.vendor = "V";
    c.model = "M";
    c.values = {{"A", "1"}, {"B", "2"}, {"C", "3"}};
    const QByteArray good = VQtArvConfigFile::format(c);
    VQtArvConfig out;
    QString why;
    EXPECT_EQ(VQtArvConfigFile::parse("Width=512\n", &out, &why), VQtArvConfigFile::Foreign);
    EXPECT_EQ(VQtArvConfigFile::parse(QByteArray(), &out, &why), VQtArvConfigFile::Foreign);
    for (int cut = good.indexOf('\n') + 1; cut < good.size() - 1; ++cut) {
        const VQtArvConfigFile::Result r = VQtArvConfigFile::parse(good.left(cut), &out, &why);
        EXPECT_NE(r, VQtArvConfigFile::Ok) << "cut at " << cut;
        EXPECT_FALSE(why.isEmpty());
    }
    EXPECT_EQ(VQtArvConfigFile::parse(good.left(good.indexOf("C=")), &out, &why),
              VQtArvConfigFile::Truncated);
    EXPECT_TRUE(why.contains("2 of 3")) << why.toStdString();
    QByteArray bad = good;
    bad.replace("B=2", "B2");
    EXPECT_EQ(VQtArvConfigFile::parse(bad, &out, &why), VQtArvConfigFile::Malformed);
    bad = good;
    bad.replace("C=3", "C=3\\q");
    EXPECT_EQ(VQtArvConfigFile::parse(bad, &out, &why), VQtArvConfigFile::Malformed);
    EXPECT_EQ(VQtArvConfigFile::parse(good + "D=4\n", &out, &why), VQtArvConfigFile::Malformed);
    bad = good;
    bad.replace("Count=3", "Count=999999");
    EXPECT_EQ(VQtArvConfigFile::parse(bad, &out, &why), VQtArvConfigFile::Truncated);
}

TEST(AravisDiscovery, BootstrapRegistersAndAcknowledges) {
    QByteArray r(int(VQtArvDiscovery::kBootstrapBytes), '\0');
    auto put32 = [&](int at, uint32_t v) {
        for (int k = 0; k < 4; ++k)
            r[at + k] = char((v >> (24 - 8 * k)) & 0xFF);
    };
    put32(0x08, 0x0000A036);
    put32(0x0C, 0x9F001001);
    put32(0x14, 0x5);
    put32(0x24, 0xC0A80A02);
    put32(0x34, 0xFFFFFF00);
    put32(0x44, 0xC0A80A01);
    r.replace(0x48, 6, "Vendor");
    r.replace(0x68, 5, "Model");
    r.replace(0x88, 3, "1.2");
    r.replace(0xD8, 16, "SERIAL0123456789"); // a full field has no terminating zero
    r.replace(0xE8, 4, "left");
    VQtArvBootstrap b;
    ASSERT_TRUE(VQtArvDiscovery::parseBootstrap(r, &b));
    EXPECT_EQ(b.mac, QByteArray("A0:36:9F:00:10:01"));
    EXPECT_EQ(VQtArvHostInterfaces::text(b.ip), "192.168.10.2");
    EXPECT_EQ(VQtArvHostInterfaces::text(b.mask), "255.255.255.0");
    EXPECT_EQ(VQtArvHostInterfaces::text(b.gateway), "192.168.10.1");
    EXPECT_EQ(b.vendor, "Vendor");
    EXPECT_EQ(b.model, "Model");
    EXPECT_EQ(b.version, "1.2");
    EXPECT_EQ(b.serial, "SERIAL0123456789");
    EXPECT_EQ(b.userName, "left");
    EXPECT_EQ(b.ipConfigCurrent, 5u);
    EXPECT_FALSE(VQtArvDiscovery::parseBootstrap(r.left(0x40), &b));

    // A memory-read acknowledge: status, answer 0x0085, length, id, address, data.
    QByteArray ack("\x00\x00\x00\x85\x00\x0C\x12\x34\x00\x00\x00\x00"
                   "ABCDEFGH",
                   20);
    EXPECT_EQ(VQtArvDiscovery::readAckPayload(ack, 0x1234), QByteArray("ABCDEFGH"));
    EXPECT_TRUE(VQtArvDiscovery::readAckPayload(ack, 0x1235).isEmpty()) << "another request's answer";
    EXPECT_TRUE(VQtArvDiscovery::readAckPayload(ack.left(15), 0x1234).isEmpty()) << "cut short";
    QByteArray refused = ack;
    refused[1] = '\x06';
    EXPECT_TRUE(VQtArvDiscovery::readAckPayload(refused, 0x1234).isEmpty()) << "an error status";
}

TEST(AravisDiscovery, HostCardsAndTheirGateways) {
    QVector<VQtArvHostInterface> nics(3);
    nics[0].name = "lo", nics[0].ip = 0x7F000001, nics[0].mask = 0xFF000000;
    nics[1].name = "eth0", nics[1].ip = 0xC0A80A05, nics[1].mask = 0xFFFFFF00;
    nics[2].name = "eth1", nics[2].ip = 0xAC100001, nics[2].mask = 0xFFFF0000;
    VQtArvHostInterfaces::readGateways("Iface\tDestination\tGateway \tFlags\n"
                                       "eth0\t00000000\t010AA8C0\t0003\n"
                                       "eth0\t000AA8C0\t00000000\t0001\n"
                                       "garbage line\n",
                                       &nics);
    EXPECT_EQ(VQtArvHostInterfaces::text(nics[1].gateway), "192.168.10.1");
    EXPECT_EQ(nics[2].gateway, 0u);
    EXPECT_EQ(VQtArvHostInterfaces::forAddress(nics, 0xC0A80A22).name, "eth0");
    EXPECT_EQ(VQtArvHostInterfaces::forAddress(nics, 0xAC10FF01).name, "eth1");
    EXPECT_EQ(VQtArvHostInterfaces::forAddress(nics, 0x7F000001).name, "lo");
    EXPECT_EQ(VQtArvHostInterfaces::forAddress(nics, 0x0A000001).name, "eth0")
        << "first card that is not loopback";
    EXPECT_EQ(VQtArvHostInterfaces::parse("10.1.2.3"), 0x0A010203u);
    EXPECT_EQ(VQtArvHostInterfaces::parse("10.1.2"), 0u);
}
