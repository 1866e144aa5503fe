// A pixel-shift camera's bursts, interleaved by the rules of the pixel-shift synthesis
// (written out here from those rules), give back the finer scene the sensor was moved over:
// mono 2 x 2 at twice the resolution, colour 2 x 2 with every colour at every pixel, colour
// and mono 4 x 4 at twice the resolution with every colour.
#include <gtest/gtest.h>
#include <vector>

#include "device/sim/SimScene.h"
#include "sim_picture_helpers.h"

namespace {

constexpr int W = 32, H = 24; // frame size

std::unique_ptr<SimCamera> shiftCamera(bool colour) {
    return makeCamera(colour ? R"json({"interface": "PCIe", "model": "VP-PC", "colour": true, "width": 32,
                               "height": 24, "pixelFormat": "BayerRG8", "pixelShift": true})json"
                             : R"json({"interface": "PCIe", "model": "VP-PM", "width": 32, "height": 24,
                               "pixelFormats": ["Mono8"], "pixelShift": true})json");
}

std::vector<DecodedFrame> burst(const SimCamera& camera, uint64_t first, int n) {
    std::vector<DecodedFrame> frames;
    for (int k = 0; k < n; ++k)
        frames.push_back(renderFrame(camera, first + uint64_t(k)));
    return frames;
}

// Output image: 3 samples per pixel in R, G, B order here; -1 where nothing was written.
struct Image {
    int w, h;
    std::vector<int> v;
    Image(int width, int height) : w(width), h(height), v(size_t(width) * height * 3, -1) {}
    int& at(int r, int c, int ch) { return v[(size_t(r) * w + c) * 3 + ch]; }
};

// The burst against the scene it was taken of, at 8 bits, wherever the synthesis wrote.
void expectScene(Image& out, const SimScene& scene, uint64_t frame, bool mono) {
    int written = 0;
    for (int r = 0; r < out.h; ++r) {
        std::vector<uint16_t> row(size_t(scene.width()) * 3);
        scene.row(frame, r, !mono, row.data());
        for (int c = 0; c < out.w; ++c)
            for (int ch = 0; ch < 3; ++ch) {
                if (out.at(r, c, ch) < 0)
                    continue;
                ++written;
                const int want = row[mono ? size_t(c) : size_t(c) * 3 + ch] >> 8;
                ASSERT_EQ(out.at(r, c, ch), want) << "output " << r << "," << c << " channel " << ch;
            }
    }
    EXPECT_GT(written, out.w * out.h * 2); // nearly every sample is filled
}

TEST(SimPixelShift, Mono2x2InterleavesToTwiceTheResolution) {
    auto camera = shiftCamera(false);
    setFeature(*camera, "PixelShiftMode", "Shift2x2");
    EXPECT_EQ(camera->burstLength(), 4);
    const std::vector<DecodedFrame> f = burst(*camera, 4, 4);
    EXPECT_NE(f[0].samples, f[3].samples);
    Image out(2 * W, 2 * H);
    for (int r = 0; r < H; ++r)
        for (int k = 0; k < W; ++k)
            for (int ch = 0; ch < 3; ++ch) {
                out.at(2 * r, 2 * k, ch) = int(f[3].at(k, r));
                out.at(2 * r, 2 * k + 1, ch) = int(f[2].at(k, r));
                out.at(2 * r + 1, 2 * k, ch) = int(f[1].at(k, r));
                out.at(2 * r + 1, 2 * k + 1, ch) = int(f[0].at(k, r));
            }
    expectScene(out, SimScene(2 * W, 2 * H, false), 4, true);
    // The next burst sees the scene moved on.
    EXPECT_NE(renderFrame(*camera, 8).samples, f[0].samples);
}

TEST(SimPixelShift, Colour2x2GivesEveryColourAtEveryPixel) {
    auto camera = shiftCamera(true);
    setFeature(*camera, "PixelShiftMode", "Shift2x2");
    const std::vector<DecodedFrame> f = burst(*camera, 8, 4);
    const auto s = [&f](int i, int r, int c) { return int(f[size_t(i)].at(c, r)); };
    Image out(W, H);
    for (int r = 0; r < H; r += 2)
        for (int k = 0; k < W; k += 2) {
            const bool top = r == 0, left = k == 0;
            out.at(r, k, 0) = s(3, r, k);
            out.at(r, k, 1) = top || left ? -1 : s(1, r - 1, k);
            out.at(r, k, 2) = top || left ? -1 : s(0, r - 1, k - 1);
            out.at(r, k + 1, 0) = s(2, r, k);
            out.at(r, k + 1, 1) = s(3, r, k + 1);
            out.at(r, k + 1, 2) = top ? -1 : s(1, r - 1, k + 1);
            out.at(r + 1, k, 0) = s(1, r, k);
            out.at(r + 1, k, 1) = s(3, r + 1, k);
            out.at(r + 1, k, 2) = left ? -1 : s(2, r + 1, k - 1);
            out.at(r + 1, k + 1, 0) = s(0, r, k);
            out.at(r + 1, k + 1, 1) = s(1, r, k + 1);
            out.at(r + 1, k + 1, 2) = s(3, r + 1, k + 1);
        }
    expectScene(out, SimScene(W, H, true), 8, false);
}

// Sixteen frames, each of 2 x 2 cells R G / G B, spread over an image twice their size.
Image synthesize4x4(const std::vector<DecodedFrame>& f) {
    Image out(2 * W, 2 * H);
    const auto put = [&out](int r, int c, int ch, uint32_t v) {
        if (r < out.h && c < out.w)
            out.at(r, c, ch) = int(v);
    };
    for (int k = 0; k < 16; ++k) {
        const int dy = 3 - k / 4, dx = 3 - k % 4;
        for (int i = 0; i < H / 2; ++i)
            for (int j = 0; j < W / 2; ++j) {
                const DecodedFrame& fk = f[size_t(k)];
                put(4 * i + dy, 4 * j + dx, 0, fk.at(2 * j, 2 * i));
                put(4 * i + dy, 4 * j + dx + 2, 1, fk.at(2 * j + 1, 2 * i));
                put(4 * i + dy + 2, 4 * j + dx, 1, fk.at(2 * j, 2 * i + 1));
                put(4 * i + dy + 2, 4 * j + dx + 2, 2, fk.at(2 * j + 1, 2 * i + 1));
            }
    }
    return out;
}

TEST(SimPixelShift, Colour4x4GivesEveryColourAtTwiceTheResolution) {
    auto camera = shiftCamera(true);
    setFeature(*camera, "PixelShiftMode", "Shift4x4");
    EXPECT_EQ(camera->burstLength(), 16);
    Image out = synthesize4x4(burst(*camera, 32, 16));
    expectScene(out, SimScene(2 * W, 2 * H, true), 32, false);
}

TEST(SimPixelShift, Mono4x4GivesGreyAtTwiceTheResolution) {
    auto camera = shiftCamera(false);
    setFeature(*camera, "PixelShiftMode", "Shift4x4");
    Image out = synthesize4x4(burst(*camera, 16, 16));
    expectScene(out, SimScene(2 * W, 2 * H, false), 16, true);
    setFeature(*camera, "PixelShiftMode", "Off");
    EXPECT_EQ(camera->burstLength(), 1);
}

} // namespace
