// Recording the live stream: every frame of the grab from the moment recording starts reaches
// the file, the file looks like the picture, and however the grab ends (the user's stop, the
// camera removed) the file is complete and decodes.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <mutex>
#include <opencv2/core.hpp>

#include "acquisition/VQtVideoX264.h"
#include "device/VQtDevice.h"
#include "device/sim/SimControl.h"
#include "h264_helpers.h"
#include "imageproc/VQtIplImage.h"
#include "stream_rig_helpers.h"

namespace {

const QString kCamera = QStringLiteral("SL-1");

QByteArray camera(const char* format) {
    return QByteArray(R"json({"cameras": [{"interface": "PCIe", "model": "SL-1", "width": 64, "height": 48,
        "frameRate": 100, "clock": "step", "pixelFormats": ["Mono8", "Mono12Packed"], "pixelFormat": ")json") +
           format + "\"}]}";
}

// The shown picture as the eight bits a recording keeps: the top eight of `bits`.
cv::Mat pictureBytes(VQtImageTarget& target, int bits) {
    VQtIplImage* image = target.getEntireImage();
    const cv::Mat samples(image->height, image->width, image->depth == 8 ? CV_8UC1 : CV_16UC1,
                          image->getAddress(), size_t(image->widthStep));
    cv::Mat bytes;
    samples.convertTo(bytes, CV_8U, 1.0 / double(1 << (bits - 8)));
    return bytes;
}

class StreamVideoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QObject::connect(&rig.stream(), &VQtDeviceStream::signalVideoErrorCode, [this](int code) {
            std::lock_guard<std::mutex> l(codesMutex);
            codes.push_back(code);
        });
    }
    void openCamera(const char* format = "Mono8") {
        ASSERT_TRUE(rig.useDevices(camera(format)));
        ASSERT_TRUE(rig.open(7, -1, 0));
        rig.stream().slotGrabContinuous();
        ASSERT_TRUE(rig.stream().isGrabbing());
        stepShown(1); // the grab runs before recording starts
    }
    void stepShown(int frames) {
        const uint64_t before = rig.stream().getFigures().displayed;
        for (int i = 1; i <= frames; ++i) {
            ASSERT_TRUE(rig.step(kCamera));
            ASSERT_TRUE(rig.waitShown(before + uint64_t(i))) << "frame " << i;
        }
    }
    std::vector<int> codesNow() {
        std::lock_guard<std::mutex> l(codesMutex);
        return codes;
    }
    // Only finished recordings are in the folder: no temporary file is left.
    QStringList filesInDir() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    StreamRig rig;
    QTemporaryDir dir;
    std::mutex codesMutex;
    std::vector<int> codes;
};

TEST_F(StreamVideoTest, EveryFrameOfTheGrabIsRecordedAndLooksLikeThePicture) {
    for (const char* format : {"Mono8", "Mono12Packed"}) {
        SCOPED_TRACE(format);
        const int bits = QByteArray(format) == "Mono8" ? 8 : 12;
        openCamera(format);
        rig.stream().getVideoThread()->setRecordAll(true);
        const QString path = dir.filePath(QStringLiteral("%1.h264").arg(format));
        ASSERT_TRUE(rig.stream().openX264(path));
        EXPECT_TRUE(rig.stream().isSavingX264());
        stepShown(15);
        const cv::Mat shown = pictureBytes(rig.picture(), bits);
        rig.stream().slotGrabStop(); // ends the recording with the grab
        EXPECT_FALSE(rig.stream().isSavingX264());

        const DecodedVideo v = decodeH264(path);
        ASSERT_TRUE(v.opened);
        EXPECT_EQ(v.errors, 0);
        ASSERT_EQ(v.luma.size(), 15u);
        EXPECT_EQ(v.width, 64);
        EXPECT_EQ(v.height, 48);
        EXPECT_NEAR(v.frameRate, double(g_sysPrm.save.VideoFrameRate), 0.01);
        EXPECT_GT(cv::PSNR(v.luma.back(), shown), 30.0);
        const H264Summary s = summariseH264(readFileBytes(path));
        EXPECT_GE(s.sps, 1);
        EXPECT_GE(s.idr, 1);
        EXPECT_EQ(s.pictures, 15);
    }
    EXPECT_EQ(filesInDir(), (QStringList{"Mono12Packed.h264", "Mono8.h264"}));
    ASSERT_TRUE(rig.waitFor([&] { return codesNow().size() == 4; }));
    EXPECT_EQ(codesNow(),
              (std::vector<int>{VQT_VIDEO_STARTED, VQT_VIDEO_SAVED, VQT_VIDEO_STARTED, VQT_VIDEO_SAVED}));
}

TEST_F(StreamVideoTest, RemovedCameraLeavesACompleteRecording) {
    openCamera();
    rig.stream().getVideoThread()->setRecordAll(true);
    const QString path = dir.filePath(QStringLiteral("unplugged.h264"));
    ASSERT_TRUE(rig.stream().openX264(path));
    stepShown(5);
    ASSERT_TRUE(SimControl::unplug(kCamera));
    rig.step(kCamera); // the stream ends at its next slot
    ASSERT_TRUE(rig.waitStopped());
    EXPECT_FALSE(rig.stream().isSavingX264());
    const DecodedVideo v = decodeH264(path);
    EXPECT_EQ(v.errors, 0);
    EXPECT_EQ(v.luma.size(), 5u);
    EXPECT_EQ(filesInDir(), QStringList{"unplugged.h264"});
    rig.close();
    EXPECT_TRUE(SimControl::replug(kCamera));
}

TEST_F(StreamVideoTest, RecordingNeedsARunningGrab) {
    ASSERT_TRUE(rig.useDevices(camera("Mono8")));
    ASSERT_TRUE(rig.open(7, -1, 0));
    EXPECT_FALSE(rig.stream().openX264(dir.filePath(QStringLiteral("idle.h264"))));
    EXPECT_TRUE(rig.logged(QStringLiteral("no grab is running")));
    EXPECT_FALSE(rig.stream().addX264(VQT_VIDEO_FILE_TOO_LARGE));
    EXPECT_TRUE(filesInDir().isEmpty());
}

// A sensor-shift grab records the camera's own frames, one per shifted exposure, in the layout
// the recording was opened with; the synthesised picture is the display's and the saver's.
TEST_F(StreamVideoTest, BurstGrabRecordsEveryCameraFrame) {
    ASSERT_TRUE(rig.useDevices(R"json({"cameras": [{"interface": "PCIe", "model": "SL-1", "width": 32,
        "height": 24, "clock": "step", "pixelShift": true, "pixelFormats": ["Mono8"]}]})json"));
    ASSERT_TRUE(rig.open(7, -1, 0));
    ASSERT_TRUE(rig.device()->setRemoteFeature(QStringLiteral("PixelShiftMode"), QStringLiteral("Shift2x2")));
    rig.stream().setCallbackMode(VQtDeviceStream::PixelDisplacementMode);
    rig.stream().slotGrabContinuous();
    ASSERT_TRUE(rig.stream().isGrabbing());
    rig.stream().getVideoThread()->setRecordAll(true);
    const QString path = dir.filePath(QStringLiteral("burst.h264"));
    ASSERT_TRUE(rig.stream().openX264(path));
    // Two bursts of four, each shown before the next starts.
    ASSERT_TRUE(rig.step(kCamera, 4));
    ASSERT_TRUE(rig.waitShown(4));
    ASSERT_TRUE(rig.step(kCamera, 4));
    ASSERT_TRUE(rig.waitShown(8));
    rig.stream().slotGrabStop();
    const DecodedVideo v = decodeH264(path);
    ASSERT_TRUE(v.opened);
    EXPECT_EQ(v.errors, 0);
    EXPECT_EQ(v.luma.size(), 8u);
    EXPECT_EQ(v.width, 32);
    EXPECT_EQ(v.height, 24);
    rig.close();
}

} // namespace
