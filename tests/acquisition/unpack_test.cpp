#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "acq_helpers.h"
#include "acquisition/VQtPixelUnpack.h"

namespace {

VQtImageParam layout(uint32_t type, uint32_t packed, uint32_t bits) {
    VQtImageParam p;
    p.imageType = type;
    p.packedType = packed;
    p.bitDepth = bits;
    p.deriveLayout();
    return p;
}

std::vector<uint16_t> run(const VQtImageParam& p, const std::vector<uint8_t>& src, size_t samples) {
    std::vector<uint8_t> dst(samples * 2, 0xEE);
    switch (p.packedType) {
    case 1:
        VQtPixelUnpack::pairs(p, src.data(), src.size(), dst.data(), dst.size());
        break;
    case 2:
        VQtPixelUnpack::msb(p, src.data(), src.size(), dst.data(), dst.size());
        break;
    case 3:
        VQtPixelUnpack::lsb(p, src.data(), src.size(), dst.data(), dst.size());
        break;
    default:
        VQtPixelUnpack::unpacked(p, src.data(), src.size(), dst.data(), dst.size());
        break;
    }
    return asWords(dst);
}

// Every test runs with the AVX2 kernels and with the plain loops.
class Unpack : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { VQtPixelUnpack::setSimdEnabled(GetParam()); }
    void TearDown() override { VQtPixelUnpack::setSimdEnabled(true); }
};

TEST_P(Unpack, WorkedByteExamples) {
    EXPECT_EQ(run(layout(0, 1, 10), {0xFF, 0x33, 0x80}, 2), (std::vector<uint16_t>{0x3FF, 0x203}));
    EXPECT_EQ(run(layout(0, 2, 12), {0xAB, 0xCD, 0xEF}, 2), (std::vector<uint16_t>{0xABC, 0xDEF}));
    EXPECT_EQ(run(layout(0, 3, 12), {0xAB, 0xCD, 0xEF}, 2), (std::vector<uint16_t>{0xDAB, 0xEFC}));
}

// Round trips over many lengths: odd widths, trailing partial groups and sizes around the
// AVX2 block boundaries.
TEST_P(Unpack, BitStreamsRoundTripAtEveryLength) {
    for (uint32_t bits : {10u, 12u, 14u})
        for (bool msbFirst : {true, false})
            for (size_t n = 1; n < 140; n += (n < 40 ? 1 : 7)) {
                const auto samples = testPattern(n, bits, uint32_t(n + bits));
                const auto packed = packStream(samples, bits, msbFirst);
                const auto got = run(layout(0, msbFirst ? 2 : 3, bits), packed, n);
                ASSERT_EQ(got, samples) << bits << " bit, " << (msbFirst ? "MSB" : "LSB") << ", " << n;
            }
}

TEST_P(Unpack, PackedPairsRoundTripIncludingTrailingSample) {
    for (uint32_t bits : {10u, 12u})
        for (size_t n = 1; n < 120; n += (n < 40 ? 1 : 5)) {
            const auto samples = testPattern(n, bits, uint32_t(n));
            const auto got = run(layout(1, 1, bits), packPairs(samples, bits), n);
            ASSERT_EQ(got, samples) << bits << " bit, " << n << " samples";
        }
}

TEST_P(Unpack, NothingWrittenPastTheDestination) {
    const struct { uint32_t packed, bits; } cases[] = {{1, 12}, {2, 12}, {3, 12}, {2, 14}, {3, 14}};
    for (const auto [packed, bits] : cases) {
        const auto samples = testPattern(64, bits, 3);
        const auto src = packed == 1 ? packPairs(samples, 12) : packStream(samples, bits, packed == 2);
        std::vector<uint8_t> dst(64 + 16, 0xEE);
        const VQtImageParam p = layout(0, packed, bits);
        const uint64_t room = 21; // not even a whole sample at the end
        if (packed == 1)
            VQtPixelUnpack::pairs(p, src.data(), src.size(), dst.data(), room);
        else if (packed == 2)
            VQtPixelUnpack::msb(p, src.data(), src.size(), dst.data(), room);
        else
            VQtPixelUnpack::lsb(p, src.data(), src.size(), dst.data(), room);
        for (size_t i = room; i < dst.size(); ++i)
            ASSERT_EQ(dst[i], 0xEE) << "packing " << packed << ", " << bits << " bit, byte " << i;
        EXPECT_EQ(asWords(std::vector<uint8_t>(dst.begin(), dst.begin() + 20)),
                  std::vector<uint16_t>(samples.begin(), samples.begin() + 10));
    }
}

// A destination that runs out before the source ends the conversion at the last whole group
// that fits: the room left after it, and a guard past the destination, stay untouched. (The
// trailing sample belongs to a source that ends inside a group, not to a full destination.)
TEST_P(Unpack, PackedPairsStopAtTheLastWholeGroupThatFits) {
    const auto samples = testPattern(96, 12, 11);
    for (uint32_t bits : {10u, 12u})
        for (uint64_t room : {4 * 25 + 2, 4 * 25 + 3, 4 * 11 + 2}) {
            const auto want = testPattern(96, bits, 11);
            const auto src = packPairs(want, bits);
            std::vector<uint8_t> dst(room + 8, 0xEE);
            VQtPixelUnpack::pairs(layout(0, 1, bits), src.data(), src.size(), dst.data(), room);
            const uint64_t whole = room / 4 * 4;
            for (size_t i = whole; i < dst.size(); ++i)
                ASSERT_EQ(dst[i], 0xEE) << bits << " bit, room " << room << ", byte " << i;
            EXPECT_EQ(asWords(std::vector<uint8_t>(dst.begin(), dst.begin() + whole)),
                      std::vector<uint16_t>(want.begin(), want.begin() + whole / 2));
        }
    // Twelve-bit colour: groups of two pixels (12 output bytes).
    const auto src = packPairs(samples, 12);
    for (uint64_t room : {12 * 3 + 6, 12 * 3 + 11}) {
        std::vector<uint8_t> dst(room + 8, 0xEE);
        VQtPixelUnpack::pairs(layout(4, 1, 12), src.data(), src.size(), dst.data(), room);
        for (size_t i = 36; i < dst.size(); ++i)
            ASSERT_EQ(dst[i], 0xEE) << "colour, room " << room << ", byte " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Kernels, Unpack, ::testing::Values(true, false));

TEST(UnpackColour, TwelveBitColourPairsAndTrailingPixel) {
    for (size_t pixels : {1u, 2u, 5u, 17u}) {
        const auto samples = testPattern(pixels * 3, 12, uint32_t(pixels));
        const auto got = run(layout(4, 1, 12), packPairs(samples, 12), pixels * 3);
        EXPECT_EQ(got, samples) << pixels;
    }
}

TEST(UnpackColour, TenBitColourFourBytesThreeSamples) {
    // low bits of R, G, B in byte 0 (bits 0-1, 2-3, 4-5); high bits in bytes 1..3
    const std::vector<uint8_t> src = {0x1B, 0xFF, 0x00, 0x80};
    EXPECT_EQ(run(layout(4, 1, 10), src, 3), (std::vector<uint16_t>{0x3FF, 0x002, 0x201}));
}

TEST(UnpackColour, RedBlueSwapFollowsSourceAndSetting) {
    const std::vector<uint8_t> rgb = {1, 2, 3, 4, 5, 6};
    std::vector<uint8_t> out(6);
    VQtImageParam p = layout(2, 0, 8);
    VQtPixelUnpack::unpacked(p, rgb.data(), 6, out.data(), 6);
    EXPECT_EQ(out, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
    p.rgbConversion = true; // the setting inverts the decision
    VQtPixelUnpack::unpacked(p, rgb.data(), 6, out.data(), 6);
    EXPECT_EQ(out, rgb);
    p = layout(5, 0, 12); // BGR with fourth channel, swapped board source, 16-bit samples
    p.sourceSwapped = true;
    const std::vector<uint16_t> bgra = {10, 20, 30, 40};
    std::vector<uint16_t> o16(4);
    VQtPixelUnpack::unpacked(p, reinterpret_cast<const uint8_t*>(bgra.data()), 8,
                             reinterpret_cast<uint8_t*>(o16.data()), 8);
    EXPECT_EQ(o16, (std::vector<uint16_t>{30, 20, 10, 40}));
    // MSB stream of RGB samples arrives as B G R
    p = layout(2, 2, 12);
    const auto packed = packStream({100, 200, 300}, 12, true);
    EXPECT_EQ(run(p, packed, 3), (std::vector<uint16_t>{300, 200, 100}));
}

TEST(UnpackYuv, GreyAndBothOrdersAgainstTheFormula) {
    std::vector<uint8_t> out(6, 0);
    const uint8_t grey[4] = {0x80, 0x80, 0x80, 0x80};
    VQtPixelUnpack::yuv422(grey, 4, out.data(), 6, false);
    EXPECT_EQ(out, std::vector<uint8_t>(6, 128));

    // Every (U, V) pair at a few Y values, against the formula evaluated literally in doubles
    // (including the pairs where the green term is a whole number).
    std::vector<uint8_t> yuyv, uyvy;
    const int ys[] = {0, 17, 94, 128, 200, 255};
    for (int u = 0; u < 256; ++u)
        for (int v = 0; v < 256; ++v) {
            const int y0 = ys[(u + v) % 6], y1 = ys[(u * 7 + v) % 6];
            yuyv.insert(yuyv.end(), {uint8_t(y0), uint8_t(u), uint8_t(y1), uint8_t(v)});
            uyvy.insert(uyvy.end(), {uint8_t(u), uint8_t(y0), uint8_t(v), uint8_t(y1)});
        }
    std::vector<uint8_t> a(yuyv.size() / 4 * 6), b(a.size());
    VQtPixelUnpack::yuv422(yuyv.data(), yuyv.size(), a.data(), a.size(), false);
    VQtPixelUnpack::yuv422(uyvy.data(), uyvy.size(), b.data(), b.size(), true);
    EXPECT_EQ(a, b);
    for (size_t g = 0; g < yuyv.size() / 4; ++g) {
        uint8_t ref[6];
        VQtPixelUnpack::yuvToBgrReference(yuyv[4 * g], yuyv[4 * g + 1], yuyv[4 * g + 3], ref);
        VQtPixelUnpack::yuvToBgrReference(yuyv[4 * g + 2], yuyv[4 * g + 1], yuyv[4 * g + 3], ref + 3);
        ASSERT_EQ(0, std::memcmp(ref, a.data() + 6 * g, 6)) << "group " << g;
    }
}

// Frames of any length: the block kernel's tail and the plain loop agree, nothing is written past
// the groups, with the kernels on and off.
TEST(UnpackYuv, EveryLengthMatchesTheFormulaAndStaysInside) {
    std::vector<uint8_t> src(4 * 40);
    for (size_t i = 0; i < src.size(); ++i)
        src[i] = uint8_t(i * 37 + 11);
    for (bool simd : {true, false}) {
        VQtPixelUnpack::setSimdEnabled(simd);
        for (size_t groups = 1; groups <= 40; ++groups) {
            std::vector<uint8_t> out(6 * groups + 8, 0xEE);
            VQtPixelUnpack::yuv422(src.data(), 4 * groups, out.data(), out.size(), false);
            for (size_t g = 0; g < groups; ++g) {
                uint8_t ref[6];
                const uint8_t* s = src.data() + 4 * g;
                VQtPixelUnpack::yuvToBgrReference(s[0], s[1], s[3], ref);
                VQtPixelUnpack::yuvToBgrReference(s[2], s[1], s[3], ref + 3);
                ASSERT_EQ(0, std::memcmp(ref, out.data() + 6 * g, 6)) << groups << " groups, group " << g;
            }
            for (size_t i = 6 * groups; i < out.size(); ++i)
                ASSERT_EQ(out[i], 0xEE) << groups << " groups, byte " << i;
        }
    }
    VQtPixelUnpack::setSimdEnabled(true);
}

TEST(UnpackYuv, ShortInputsWriteNothing) {
    std::vector<uint8_t> out(5, 7);
    const uint8_t src[8] = {};
    VQtPixelUnpack::yuv422(src, 8, out.data(), 5, false); // 5 * 2 / 3 = 3 < 4
    EXPECT_EQ(out, std::vector<uint8_t>(5, 7));
}

TEST(UnpackOther, PointPairsAndCentralLine) {
    const std::vector<uint16_t> ab = {1, 2, 3, 4};
    std::vector<uint16_t> out(7, 9);
    VQtPixelUnpack::unpacked(layout(9, 0, 16), reinterpret_cast<const uint8_t*>(ab.data()), 8,
                             reinterpret_cast<uint8_t*>(out.data()), 14);
    EXPECT_EQ(out, (std::vector<uint16_t>{1, 2, 0, 3, 4, 0, 9}));

    VQtImageParam p = layout(0, 5, 8);
    p.width = 4;
    auto record = [](uint8_t intensity, uint16_t column, uint32_t row) {
        std::vector<uint8_t> r(8, 0);
        r[0] = intensity;
        std::memcpy(&r[2], &column, 2);
        const uint32_t pos = row << 10 | 0x3FF; // fraction ignored
        std::memcpy(&r[4], &pos, 4);
        return r;
    };
    std::vector<uint8_t> src;
    for (auto r : {record(50, 1, 0), record(60, 3, 2), record(70, 0, 3)}) // last one falls outside
        src.insert(src.end(), r.begin(), r.end());
    src.push_back(0xFF); // partial record ignored
    std::vector<uint8_t> img(12, 0);
    VQtPixelUnpack::centralLine(p, src.data(), src.size(), img.data(), img.size());
    EXPECT_EQ(img, (std::vector<uint8_t>{0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60}));
}

} // namespace

namespace {
// The red/blue exchange of every colour layout, kernels against plain loops, at lengths that end
// inside a pixel and around the block sizes.
TEST(UnpackColour, RedBlueExchangeKernelsMatchPlainLoops) {
    for (uint32_t type : {2u, 3u})
        for (uint32_t bits : {8u, 12u})
            for (size_t n = 0; n < 200; n += 7) {
                VQtImageParam p = layout(type, 0, bits);
                std::vector<uint8_t> src(n);
                for (size_t i = 0; i < n; ++i)
                    src[i] = uint8_t(i * 13 + 1);
                std::vector<uint8_t> fast(n + 1, 0xEE), plain(n + 1, 0xEE);
                VQtPixelUnpack::unpacked(p, src.data(), n, fast.data(), n);
                VQtPixelUnpack::setSimdEnabled(false);
                VQtPixelUnpack::unpacked(p, src.data(), n, plain.data(), n);
                VQtPixelUnpack::setSimdEnabled(true);
                ASSERT_EQ(fast, plain) << type << " " << bits << " " << n;
                const size_t px = bits > 8 ? 2 : 1;
                if (n >= (type == 3 ? 4 : 3) * px)
                    ASSERT_EQ(plain[0], src[2 * px]) << type << " " << bits;
            }
}
} // namespace
