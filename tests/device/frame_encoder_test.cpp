// Frames of every layout, decoded with the documented unpacking rules of the frame buffer,
// give back the scene the sensor saw.
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <vector>

#include "device/OxaApi.h"
#include "device/sim/SimFrameEncoder.h"
#include "device/sim/SimFrameFormat.h"
#include "device/sim/SimScene.h"

namespace {

constexpr int W = 40, H = 12;

// Reference samples: the scene rows at the format's depth, R G B order for colour.
std::vector<uint32_t> referenceSamples(const SimScene& scene, uint64_t frame, bool rgb, uint32_t depth) {
    std::vector<uint32_t> out;
    std::vector<uint16_t> row(W * 3);
    for (int y = 0; y < H; ++y) {
        scene.row(frame, y, rgb, row.data());
        for (int i = 0; i < W * (rgb ? 3 : 1); ++i)
            out.push_back(row[i] >> (16 - depth));
    }
    return out;
}

std::vector<uint8_t> encode(const SimScene& scene, const SimFrameFormat& f, size_t* written = nullptr) {
    std::vector<uint8_t> data(f.frameBytes() + 64, 0xEE);
    const size_t n = SimFrameEncoder::encode(scene, 3, f, data.data(), data.size());
    if (written)
        *written = n;
    EXPECT_GT(n, 0u);
    return data;
}

SimFrameFormat format(uint32_t imageType, uint32_t packedType, uint32_t depth, uint32_t bayer = 0) {
    SimFrameFormat f;
    f.imageType = imageType, f.packedType = packedType, f.bitDepth = depth, f.bayerPattern = bayer;
    f.width = W, f.height = H;
    return f;
}

// Bit-stream and pair unpackers exactly as the frame buffer reads them.
std::vector<uint32_t> unpackMsb(const std::vector<uint8_t>& b, uint32_t depth, size_t samples) {
    std::vector<uint32_t> out;
    uint64_t acc = 0;
    uint32_t bits = 0;
    for (size_t i = 0; out.size() < samples; ++i) {
        acc = (acc << 8) | b[i];
        bits += 8;
        while (bits >= depth && out.size() < samples) {
            bits -= depth;
            out.push_back(uint32_t(acc >> bits) & ((1u << depth) - 1));
        }
    }
    return out;
}

std::vector<uint32_t> unpackLsb(const std::vector<uint8_t>& b, uint32_t depth, size_t samples) {
    std::vector<uint32_t> out;
    uint64_t acc = 0;
    uint32_t bits = 0;
    for (size_t i = 0; out.size() < samples; ++i) {
        acc |= uint64_t(b[i]) << bits;
        bits += 8;
        while (bits >= depth && out.size() < samples) {
            out.push_back(uint32_t(acc) & ((1u << depth) - 1));
            acc >>= depth;
            bits -= depth;
        }
    }
    return out;
}

std::vector<uint32_t> unpackPairs(const std::vector<uint8_t>& b, uint32_t depth, size_t samples) {
    std::vector<uint32_t> out;
    for (size_t i = 0; out.size() < samples; i += 3) {
        if (depth == 10) {
            out.push_back((b[i] << 2) | (b[i + 1] & 0x03));
            out.push_back((b[i + 2] << 2) | ((b[i + 1] >> 4) & 0x03));
        } else {
            out.push_back((b[i] << 4) | (b[i + 1] & 0x0F));
            out.push_back((b[i + 2] << 4) | (b[i + 1] >> 4));
        }
    }
    return out;
}

TEST(FrameEncoder, MonoAtEveryDepthAndPacking) {
    const SimScene scene(W, H, false);
    for (uint32_t depth : {8u, 10u, 12u, 14u, 16u}) {
        const std::vector<uint32_t> ref = referenceSamples(scene, 3, false, depth);
        const std::vector<uint8_t> raw = encode(scene, format(0, 0, depth));
        for (size_t i = 0; i < ref.size(); ++i) {
            const uint32_t v = depth == 8 ? raw[i] : uint32_t(raw[2 * i] | (raw[2 * i + 1] << 8));
            ASSERT_EQ(v, ref[i]) << "depth " << depth << " sample " << i;
        }
        if (depth == 8 || depth == 16)
            continue;
        EXPECT_EQ(unpackMsb(encode(scene, format(0, 2, depth)), depth, ref.size()), ref) << depth;
        EXPECT_EQ(unpackLsb(encode(scene, format(0, 3, depth)), depth, ref.size()), ref) << depth;
        if (depth <= 12)
            EXPECT_EQ(unpackPairs(encode(scene, format(0, 1, depth)), depth, ref.size()), ref) << depth;
    }
}

TEST(FrameEncoder, KnownPackedBytes) {
    // A frame of two samples checks the byte layout against the documented examples.
    SimFrameFormat f = format(0, 1, 10);
    EXPECT_EQ(f.frameBytes(), uint64_t(W * H / 2 * 3));
    const std::vector<uint8_t> bytes = {0xFF, 0x33, 0x80};
    EXPECT_EQ(unpackPairs(bytes, 10, 2), (std::vector<uint32_t>{0x3FF, 0x203}));
    const std::vector<uint8_t> stream = {0xAB, 0xCD, 0xEF};
    EXPECT_EQ(unpackMsb(stream, 12, 2), (std::vector<uint32_t>{0xABC, 0xDEF}));
    EXPECT_EQ(unpackLsb(stream, 12, 2), (std::vector<uint32_t>{0xDAB, 0xEFC}));
}

TEST(FrameEncoder, BayerPhasesSampleTheRightChannel) {
    const SimScene scene(W, H, true);
    const std::vector<uint32_t> rgb = referenceSamples(scene, 3, true, 8);
    // Phase 1 BGGR, 2 RGGB, 3 GBRG, 4 GRBG: channel of (x even/odd, y even/odd). The mosaic
    // has its own noise, so the samples match the colour scene within the noise only.
    const int channel[5][4] = {{}, {2, 1, 1, 0}, {0, 1, 1, 2}, {1, 2, 0, 1}, {1, 0, 2, 1}};
    for (uint32_t phase = 1; phase <= 4; ++phase) {
        const std::vector<uint8_t> raw = encode(scene, format(1, 0, 8, phase));
        std::vector<uint16_t> mosaic(W);
        for (int y = 0; y < H - 2; ++y) { // above the frame counter
            scene.mosaicRow(3, y, phase, mosaic.data());
            for (int x = 0; x < W; ++x) {
                ASSERT_EQ(raw[y * W + x], mosaic[x] >> 8);
                const int want = int(rgb[(y * W + x) * 3 + channel[phase][(y & 1) * 2 + (x & 1)]]);
                ASSERT_NEAR(int(raw[y * W + x]), want, 2) << "phase " << phase << " at " << x << "," << y;
            }
        }
    }
}

TEST(FrameEncoder, ColourOrdersAndYuv) {
    const SimScene scene(W, H, true);
    const std::vector<uint32_t> ref8 = referenceSamples(scene, 3, true, 8);
    const std::vector<uint8_t> rgb = encode(scene, format(2, 0, 8));
    const std::vector<uint8_t> bgra = encode(scene, format(5, 0, 8));
    for (int p = 0; p < W * H; ++p) {
        ASSERT_EQ(rgb[p * 3], ref8[p * 3]);
        ASSERT_EQ(bgra[p * 4], ref8[p * 3 + 2]);
        ASSERT_EQ(bgra[p * 4 + 2], ref8[p * 3]);
        ASSERT_EQ(bgra[p * 4 + 3], 0xFF);
    }
    const std::vector<uint32_t> ref12 = referenceSamples(scene, 3, true, 12);
    EXPECT_EQ(unpackMsb(encode(scene, format(2, 2, 12)), 12, ref12.size()), ref12);
    // YUV 4:2:2: luminance matches the scene, both orders carry the same samples.
    const std::vector<uint8_t> yuyv = encode(scene, format(6, 0, 8));
    const std::vector<uint8_t> uyvy = encode(scene, format(7, 0, 8));
    for (int p = 0; p < W * H; p += 2) {
        const int r = ref8[p * 3], g = ref8[p * 3 + 1], b = ref8[p * 3 + 2];
        EXPECT_NEAR(yuyv[p * 2], 0.299 * r + 0.587 * g + 0.114 * b, 2.5);
        ASSERT_EQ(yuyv[p * 2], uyvy[p * 2 + 1]);
        ASSERT_EQ(yuyv[p * 2 + 1], uyvy[p * 2]);
    }
}

TEST(FrameEncoder, JpegDecodesToTheScene) {
    const SimScene scene(W, H, false);
    SimFrameFormat f = format(0, 4, 8);
    f.jpegQuality = 95;
    size_t size = 0;
    const std::vector<uint8_t> data = encode(scene, f, &size);
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data.data(), size);
    ASSERT_EQ(jpeg_read_header(&cinfo, TRUE), JPEG_HEADER_OK);
    jpeg_start_decompress(&cinfo);
    EXPECT_EQ(cinfo.output_width, unsigned(W));
    EXPECT_EQ(cinfo.output_components, 1);
    std::vector<uint8_t> pixels(W * H);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels.data() + cinfo.output_scanline * W;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    const std::vector<uint32_t> ref = referenceSamples(scene, 3, false, 8);
    double error = 0;
    for (size_t i = 0; i < ref.size(); ++i)
        error += std::abs(int(pixels[i]) - int(ref[i]));
    EXPECT_LT(error / ref.size(), 6.0);
}

TEST(FrameEncoder, CoordinatesAndCentralLines) {
    const SimScene scene(W, H, false);
    const std::vector<uint8_t> abc = encode(scene, format(10, 0, 16));
    const std::vector<uint32_t> ref = referenceSamples(scene, 3, false, 16);
    const auto word = [&abc](size_t i) { return uint32_t(abc[2 * i] | (abc[2 * i + 1] << 8)); };
    EXPECT_EQ(word((5 * W + 7) * 3), 7u);
    EXPECT_EQ(word((5 * W + 7) * 3 + 1), 5u);
    EXPECT_EQ(word((5 * W + 7) * 3 + 2), ref[5 * W + 7]);
    size_t size = 0;
    const std::vector<uint8_t> lines = encode(scene, format(0, 5, 8), &size);
    ASSERT_EQ(size, size_t(W) * 8);
    for (int x = 0; x < W; ++x) {
        const uint8_t* r = lines.data() + x * 8;
        EXPECT_EQ(r[2] | (r[3] << 8), x);
        const uint32_t rowPos = uint32_t(r[4] | (r[5] << 8) | (r[6] << 16) | (uint32_t(r[7]) << 24)) >> 10;
        EXPECT_LT(rowPos, uint32_t(H));
    }
}

TEST(FrameEncoder, TheSceneMovesAndRefusesWrongGeometry) {
    const SimScene scene(W, H, false);
    EXPECT_NE(referenceSamples(scene, 0, false, 16), referenceSamples(scene, 1, false, 16));
    SimFrameFormat f = format(0, 0, 8);
    f.width = W + 1;
    std::vector<uint8_t> data(f.frameBytes());
    EXPECT_EQ(SimFrameEncoder::encode(scene, 0, f, data.data(), data.size()), 0u);
    f.width = W;
    EXPECT_EQ(SimFrameEncoder::encode(scene, 0, f, data.data(), 10), 0u); // does not fit
}

TEST(FrameEncoder, PixelCodesMapToLayouts) {
    SimFrameFormat f;
    ASSERT_TRUE(SimFrameFormat::fromPixelCode(OXA_PIXEL_BAYER_GR10_PACKED, false, &f));
    EXPECT_EQ(f.imageType, 1u);
    EXPECT_EQ(f.bayerPattern, 4u);
    EXPECT_EQ(f.packedType, 1u);
    EXPECT_EQ(f.bitDepth, 10u);
    ASSERT_TRUE(SimFrameFormat::fromPixelCode(OXA_PIXEL_MONO12_PACKED, true, &f));
    EXPECT_EQ(f.packedType, 3u); // USB3 Vision packs as an LSB-first stream
    ASSERT_TRUE(SimFrameFormat::fromPixelCode(OXA_PIXEL_BGR14, false, &f));
    EXPECT_EQ(f.imageType, 4u);
    EXPECT_EQ(f.bitDepth, 14u);
    ASSERT_TRUE(SimFrameFormat::fromPixelCode(OXA_PIXEL_COORD3D_AB16, false, &f));
    EXPECT_EQ(f.imageType, 9u);
    EXPECT_FALSE(SimFrameFormat::fromPixelCode(0x01234567u, false, &f));
}

} // namespace
