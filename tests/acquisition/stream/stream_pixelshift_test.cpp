// The live pixel-shift path: a simulated camera shifting its sensor delivers bursts of 4 (2 x 2)
// or 16 (4 x 4) frames, and the stream in pixel-displacement mode turns each burst into one
// picture of the scene the sensor was moved over: mono at twice the resolution, colour with
// every colour at every pixel.
#include <gtest/gtest.h>

#include <vector>

#include "device/VQtDevice.h"
#include "device/sim/SimScene.h"
#include "imageproc/VQtIplImage.h"
#include "stream_rig_helpers.h"

namespace {

constexpr int W = 32, H = 24;
const QString kCamera = QStringLiteral("PS-1");

QByteArray shiftCamera(bool colour) {
    return QByteArray(R"json({"cameras": [{"interface": "PCIe", "model": "PS-1", "width": 32, "height": 24,
        "clock": "step", "pixelShift": true, )json") +
           (colour ? R"("colour": true, "pixelFormat": "BayerRG8")" : R"("pixelFormats": ["Mono8"])") + "}]}";
}

struct Case {
    const char* name;
    bool colour;
    const char* mode;
    int burst;
    int sceneW, sceneH; // the scene the synthesis shows
};

// Share of the picture's samples equal to the scene's at 8 bits (samples the synthesis leaves
// empty at the picture's edges count as misses).
double matching(VQtIplImage* image, const SimScene& scene, uint64_t frame) {
    const bool colour = image->channels == 3;
    std::vector<uint16_t> row(size_t(scene.width()) * 3);
    size_t same = 0, all = 0;
    for (int r = 0; r < image->height; ++r) {
        scene.row(frame, r, scene.isColour(), row.data());
        const uint8_t* p = image->getAddress() + size_t(r) * size_t(image->widthStep);
        for (int c = 0; c < image->width; ++c)
            for (int ch = 0; ch < image->channels; ++ch, ++all) {
                // The picture is B, G, R; the scene R, G, B (or one luminance sample).
                const size_t at = scene.isColour() ? size_t(c) * 3 + size_t(colour ? 2 - ch : 0) : size_t(c);
                same += p[size_t(c) * size_t(image->channels) + size_t(ch)] == (row[at] >> 8);
            }
    }
    return all ? double(same) / double(all) : 0.0;
}

TEST(StreamPixelShift, BurstsBecomeTheSceneTheSensorWasMovedOver) {
    const Case cases[] = {
        {"mono 2x2", false, "Shift2x2", 4, 2 * W, 2 * H},
        {"colour 2x2", true, "Shift2x2", 4, W, H},
        {"colour 4x4", true, "Shift4x4", 16, 2 * W, 2 * H},
        {"mono 4x4", false, "Shift4x4", 16, 2 * W, 2 * H},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StreamRig rig;
        ASSERT_TRUE(rig.useDevices(shiftCamera(c.colour)));
        ASSERT_TRUE(rig.open(7, -1, 0));
        ASSERT_TRUE(
            rig.device()->setRemoteFeature(QStringLiteral("PixelShiftMode"), QString::fromLatin1(c.mode)));
        rig.stream().setCallbackMode(VQtDeviceStream::PixelDisplacementMode);
        rig.stream().slotGrabContinuous();
        ASSERT_TRUE(rig.stream().isGrabbing());
        EXPECT_EQ(rig.stream().getCallbackMode(), uint32_t(VQtDeviceStream::PixelDisplacementMode));
        // Two bursts: the picture follows the second one.
        ASSERT_TRUE(rig.step(kCamera, c.burst));
        ASSERT_TRUE(rig.waitShown(uint64_t(c.burst)));
        ASSERT_TRUE(rig.step(kCamera, c.burst));
        ASSERT_TRUE(rig.waitShown(2 * uint64_t(c.burst)));
        rig.stream().slotGrabStop();
        VQtIplImage* image = rig.picture().getEntireImage();
        EXPECT_EQ(image->width, c.sceneW);
        EXPECT_EQ(image->height, c.sceneH);
        EXPECT_EQ(image->channels, c.colour || c.burst == 16 ? 3 : 1);
        const SimScene scene(c.sceneW, c.sceneH, c.colour);
        const double second = matching(image, scene, uint64_t(c.burst));
        EXPECT_GT(second, 0.95);
        // The first burst's scene has moved on: the picture is not that one.
        EXPECT_LT(matching(image, scene, 0), second);
        rig.close();
    }
}

// A camera whose sensor is not shifting streams normally, whatever the stream was asked for.
TEST(StreamPixelShift, CameraNotShiftingStreamsNormally) {
    StreamRig rig;
    ASSERT_TRUE(rig.useDevices(shiftCamera(false)));
    ASSERT_TRUE(rig.open(7, -1, 0));
    rig.stream().setCallbackMode(VQtDeviceStream::PixelDisplacementMode);
    rig.stream().slotGrabContinuous();
    EXPECT_EQ(rig.stream().getCallbackMode(), uint32_t(VQtDeviceStream::NormalMode));
    ASSERT_TRUE(rig.step(kCamera));
    ASSERT_TRUE(rig.waitShown(1));
    EXPECT_EQ(rig.picture().getEntireImage()->width, W);
}

} // namespace
