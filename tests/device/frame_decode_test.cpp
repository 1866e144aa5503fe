// Frames the simulated devices send, read back through the application's frame buffer and its
// unpackers: every layout must come out as the scene the sensor saw.
#include <gtest/gtest.h>
#include <vector>

#include "acquisition/VQtPsCricleBuffer.h"
#include "device/sim/SimFrameEncoder.h"
#include "device/sim/SimScene.h"

namespace {

constexpr int W = 48, H = 10;

struct Case {
    uint32_t imageType, packedType, depth, bayer;
};

// Scene samples as the unpacked frame holds them: blue-green-red for colour.
std::vector<uint32_t> expected(const SimScene& scene, const Case& c) {
    const bool rgb = c.imageType >= 2;
    std::vector<uint16_t> row(W * 3);
    std::vector<uint32_t> out;
    for (int y = 0; y < H; ++y) {
        if (c.imageType == 1)
            scene.mosaicRow(5, y, c.bayer, row.data());
        else
            scene.row(5, y, rgb, row.data());
        for (int x = 0; x < W; ++x) {
            const uint16_t* p = row.data() + x * 3;
            if (c.imageType == 0)
                out.push_back(row[x] >> (16 - c.depth));
            else if (c.imageType == 1)
                out.push_back(row[x] >> (16 - c.depth));
            else
                for (int k : {2, 1, 0})
                    out.push_back(p[k] >> (16 - c.depth));
        }
    }
    return out;
}

std::vector<uint32_t> decode(const SimScene& scene, const Case& c, size_t* bytesOut = nullptr) {
    SimFrameFormat f;
    f.imageType = c.imageType, f.packedType = c.packedType, f.bitDepth = c.depth, f.bayerPattern = c.bayer;
    f.width = W, f.height = H;
    std::vector<uint8_t> raw(f.frameBytes());
    const size_t n = SimFrameEncoder::encode(scene, 5, f, raw.data(), raw.size());
    EXPECT_GT(n, 0u);
    VQtImageParam param;
    param.imageType = c.imageType, param.packedType = c.packedType, param.bitDepth = c.depth;
    param.bayerPattern = c.bayer, param.width = W, param.height = H;
    param.storageBits = VQtImageParam::storageFor(c.depth);
    param.channels = VQtImageParam::channelsFor(c.imageType);
    VQtPsCricleBuffer buffer;
    EXPECT_TRUE(buffer.flush(raw.size(), false));
    buffer.setImageParam(param);
    EXPECT_TRUE(buffer.write(raw.data(), n, true));
    const size_t samples = size_t(W) * H * param.channels;
    std::vector<uint8_t> out(samples * param.storageBits / 8);
    EXPECT_TRUE(buffer.read(out.data(), out.size(), 0));
    if (bytesOut)
        *bytesOut = n;
    std::vector<uint32_t> values(samples);
    for (size_t i = 0; i < samples; ++i)
        values[i] = param.storageBits == 8 ? out[i] : uint32_t(out[2 * i] | (out[2 * i + 1] << 8));
    return values;
}

TEST(FrameDecode, MonoAndBayerInEveryPacking) {
    const SimScene mono(W, H, false), colour(W, H, true);
    const Case cases[] = {{0, 0, 8, 0},  {0, 0, 12, 0}, {0, 0, 16, 0}, {0, 1, 10, 0}, {0, 1, 12, 0},
                          {0, 2, 10, 0}, {0, 2, 12, 0}, {0, 2, 14, 0}, {0, 3, 10, 0}, {0, 3, 12, 0},
                          {0, 3, 14, 0}, {1, 0, 8, 1},  {1, 0, 8, 2},  {1, 0, 8, 3},  {1, 0, 8, 4},
                          {1, 1, 12, 4}, {1, 3, 10, 2}};
    for (const Case& c : cases) {
        const SimScene& scene = c.imageType == 1 ? colour : mono;
        EXPECT_EQ(decode(scene, c), expected(scene, c))
            << "type " << c.imageType << " packing " << c.packedType << " depth " << c.depth << " phase "
            << c.bayer;
    }
}

TEST(FrameDecode, ColourComesOutBlueGreenRed) {
    const SimScene scene(W, H, true);
    for (const Case& c :
         {Case{2, 0, 8, 0}, Case{4, 0, 8, 0}, Case{2, 0, 12, 0}, Case{4, 0, 16, 0}, Case{2, 2, 12, 0}})
        EXPECT_EQ(decode(scene, c), expected(scene, c)) << "type " << c.imageType << " depth " << c.depth;
}

TEST(FrameDecode, YuvAndJpegApproximateTheScene) {
    const SimScene colour(W, H, true), mono(W, H, false);
    for (uint32_t type : {6u, 7u}) {
        const std::vector<uint32_t> got = decode(colour, Case{type, 0, 8, 0});
        const std::vector<uint32_t> want = expected(colour, Case{2, 0, 8, 0});
        double error = 0;
        for (size_t i = 0; i < want.size(); ++i)
            error += std::abs(int(got[i]) - int(want[i]));
        EXPECT_LT(error / want.size(), 12.0) << type; // chroma is shared by two pixels
    }
    const std::vector<uint32_t> got = decode(mono, Case{0, 4, 8, 0});
    const std::vector<uint32_t> want = expected(mono, Case{0, 0, 8, 0});
    double error = 0;
    for (size_t i = 0; i < want.size(); ++i)
        error += std::abs(int(got[i]) - int(want[i]));
    EXPECT_LT(error / want.size(), 6.0);
}

} // namespace
