// The live stream against simulated cameras and boards, one frame slot at a time: single and
// continuous grabs, share mode and copies, thinning, the save hand-off, time-outs, lost and
// incomplete frames, an unplugged camera, the board path and what reaches the picture.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "acquisition/VQtImageThread.h"
#include "device/VQtDevice.h"
#include "device/sim/SimControl.h"
#include "imageproc/VQtIplImage.h"
#include "stream_rig_helpers.h"

namespace {

const QString kCamera = QStringLiteral("SL-1");

QByteArray camera(const char* extra = "", const char* clock = "step") {
    return QByteArray(R"json({"cameras": [{"interface": "PCIe", "model": "SL-1", "width": 64, "height": 48,
        "frameRate": 100, "clock": ")json") +
           clock + "\"" + extra + "}]}";
}

// Sum of the picture's bytes: zero for a picture no frame reached.
uint64_t pictureSum(VQtImageTarget& target) {
    VQtIplImage* image = target.getEntireImage();
    uint64_t sum = 0;
    for (uint64_t i = 0; i < image->size; ++i)
        sum += image->getAddress()[i];
    return sum;
}

class StreamTest : public ::testing::Test {
protected:
    void openCamera(const char* extra = "", const char* clock = "step") {
        ASSERT_TRUE(rig.useDevices(camera(extra, clock)));
        ASSERT_TRUE(rig.open(7, -1, 0));
    }
    // Steps one slot at a time and waits for each frame to be shown.
    void stepShown(int frames) {
        const uint64_t before = rig.stream().getFigures().displayed;
        for (int i = 1; i <= frames; ++i) {
            ASSERT_TRUE(rig.step(kCamera));
            ASSERT_TRUE(rig.waitShown(before + uint64_t(i))) << "frame " << i;
        }
    }
    StreamRig rig;
};

TEST_F(StreamTest, SingleGrabShowsOneFrameAndEndsByItself) {
    openCamera();
    rig.stream().slotGrabOnce();
    ASSERT_TRUE(rig.stream().isGrabbing());
    EXPECT_FALSE(rig.stream().isContinuous());
    ASSERT_TRUE(rig.step(kCamera));
    ASSERT_TRUE(rig.waitStopped()); // the end of the counted stream stops it
    const VQtStreamFigures f = rig.stream().getFigures();
    EXPECT_EQ(f.frames, 1u);
    EXPECT_EQ(f.displayed, 1u);
    EXPECT_EQ(f.thinned, 0u);
    EXPECT_EQ(rig.picture().getEntireImage()->width, 64);
    EXPECT_EQ(rig.picture().getEntireImage()->height, 48);
    EXPECT_GT(pictureSum(rig.picture()), 0u);
    EXPECT_TRUE(rig.logged(QStringLiteral("Grab stop")));
    // The device can grab again at once.
    rig.stream().slotGrabOnce();
    ASSERT_TRUE(rig.step(kCamera));
    ASSERT_TRUE(rig.waitStopped());
    EXPECT_EQ(rig.stream().getFigures().frames, 1u); // counted per grab
}

// Auto buffer count gives many buffers, so the library's buffers are shared; with two buffers
// every frame is copied. Either way every frame is counted and shown, none lost.
TEST_F(StreamTest, ContinuousGrabShowsEveryFrameSharedOrCopied) {
    for (bool share : {true, false}) {
        SCOPED_TRACE(share ? "share" : "copy");
        g_sysPrm.remote.StreamAutoBufferCount = share;
        g_sysPrm.remote.StreamBufferCount = 2;
        openCamera(R"(, "pixelFormats": ["Mono8", "Mono12Packed"], "pixelFormat": "Mono12Packed")");
        rig.stream().slotGrabContinuous();
        ASSERT_TRUE(rig.stream().isGrabbing());
        EXPECT_EQ(rig.stream().getImageParam().packedType, uint32_t(VQT_PACKED_PAIRS));
        stepShown(30);
        rig.stream().slotGrabStop();
        EXPECT_FALSE(rig.stream().isGrabbing());
        const VQtStreamFigures f = rig.stream().getFigures();
        EXPECT_EQ(f.frames, 30u);
        EXPECT_EQ(f.displayed, 30u);
        EXPECT_EQ(f.thinned, 0u);
        EXPECT_EQ(f.lostFrames, 0u);
        EXPECT_EQ(rig.picture().getEntireImage()->depth, 16);
        EXPECT_GT(pictureSum(rig.picture()), 0u);
        // The frame outlives the library's buffers: it is still there after the stop.
        EXPECT_TRUE(rig.stream().hasFrame());
    }
}

TEST_F(StreamTest, ThinningPassesFramesOverButCountsThem) {
    g_sysPrm.general.ExtractFrame = true;
    g_sysPrm.general.ExtractFrameTime = 100000; // only the first frame reaches the display
    openCamera();
    rig.stream().slotGrabContinuous();
    ASSERT_TRUE(rig.step(kCamera, 10));
    ASSERT_TRUE(rig.waitShown(1));
    rig.stream().slotGrabStop();
    const VQtStreamFigures f = rig.stream().getFigures();
    EXPECT_EQ(f.frames, 10u);
    EXPECT_EQ(f.displayed, 1u);
    EXPECT_EQ(f.thinned, 9u);
}

TEST_F(StreamTest, SequenceSaveGetsEveryFrameOfTheGrab) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    g_sysPrm.general.ExtractFrame = true;
    g_sysPrm.general.ExtractFrameTime = 100000; // thinning leaves saving alone
    g_sysPrm.save.sequenceMode = true;
    g_sysPrm.save.ImageCount = 6;
    g_sysPrm.save.BeginNumber = 0;
    g_sysPrm.save.ImageType = 5;
    g_sysPrm.save.extension = QStringLiteral(".iim");
    openCamera();
    int status = 0;
    QObject::connect(&rig.stream(), &VQtDeviceStream::signalSaveImageStatus, [&](int s, const QString&) { status = s; });
    rig.stream().slotGrabContinuous();
    ASSERT_TRUE(rig.step(kCamera));
    ASSERT_TRUE(rig.waitShown(1));
    ASSERT_TRUE(rig.stream().saveImage(dir.filePath(QStringLiteral("seq"))));
    ASSERT_TRUE(rig.step(kCamera, 8));
    ASSERT_TRUE(rig.waitFor([&] { return status != 0; }));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(rig.stream().getFigures().saved, 6u);
    rig.stream().slotGrabStop();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 6);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("seq-0005.iim"))));
}

TEST_F(StreamTest, LostAndIncompleteFramesAreCounted) {
    g_sysPrm.general.ShowUncompleteFrame = false;
    openCamera(R"(, "lostEvery": 4, "incompleteEvery": 5)");
    rig.stream().slotGrabContinuous();
    ASSERT_TRUE(rig.step(kCamera, 20));
    ASSERT_TRUE(rig.waitFor([&] { return rig.stream().getFigures().frames == 15; }));
    rig.stream().slotGrabStop();
    const VQtStreamFigures f = rig.stream().getFigures();
    EXPECT_EQ(f.lostFrames, 5u);
    EXPECT_GE(f.incompleteFrames, 2u);
    EXPECT_EQ(f.displayed + f.thinned, f.frames);
    EXPECT_GE(f.thinned, f.incompleteFrames); // incomplete frames are not shown
    EXPECT_TRUE(rig.logged(QStringLiteral("Grab frame lost")));
}

// GigE Vision cameras tell a loss by a gap in their block ids.
TEST_F(StreamTest, GigEBlockIdGapsAreLoggedWithTheMissingIds) {
    ASSERT_TRUE(rig.useDevices(R"json({"cameras": [{"interface": "GigEVision", "model": "VG-1",
        "mac": "00:1C:5A:10:01:21", "ip": "192.168.10.21", "nic": "192.168.10.10", "width": 32, "height": 16,
        "clock": "step", "lostEvery": 3}]})json"));
    ASSERT_TRUE(rig.open(5, -1, 0));
    rig.stream().slotGrabContinuous();
    ASSERT_TRUE(rig.step(QStringLiteral("VG-1"), 9));
    ASSERT_TRUE(rig.waitFor([&] { return rig.stream().getFigures().frames == 6; }));
    rig.stream().slotGrabStop();
    EXPECT_EQ(rig.stream().getFigures().lostFrames, 3u);
    EXPECT_TRUE(rig.logged(QStringLiteral("Frame is lost,Block_Id: from 3 to 3")));
}

TEST_F(StreamTest, UnplugMidGrabStopsTheGrabWithALogLine) {
    openCamera();
    rig.stream().slotGrabContinuous();
    stepShown(3);
    ASSERT_TRUE(SimControl::unplug(kCamera));
    rig.step(kCamera); // the stream ends at its next slot
    ASSERT_TRUE(rig.waitStopped());
    EXPECT_TRUE(rig.logged(QStringLiteral("Grab stop")));
    EXPECT_EQ(rig.stream().getFigures().frames, 3u);
    EXPECT_TRUE(rig.stream().hasFrame()); // the last frame stays shown
    // Starting again on the removed camera fails with a line and leaves the stream idle.
    rig.stream().slotGrabContinuous();
    EXPECT_FALSE(rig.stream().isGrabbing());
    rig.close();
    EXPECT_TRUE(SimControl::replug(kCamera));
}

// Starts and stops while a free-running camera delivers as fast as it can, and a removal while
// frames arrive: no frame callback or display pass outlives the stop, the buffers go back each
// time, and the device can be closed at once.
TEST_F(StreamTest, StopsWhileFramesPourIn) {
    openCamera("", "free");
    for (int round = 0; round < 8; ++round) {
        rig.stream().slotGrabContinuous();
        ASSERT_TRUE(rig.stream().isGrabbing());
        ASSERT_TRUE(rig.waitShown(1));
        rig.stream().slotGrabStop();
        const VQtStreamFigures f = rig.stream().getFigures();
        EXPECT_EQ(f.displayed + f.thinned, f.frames)
            << "round " << round << " shown " << f.displayed << " thinned " << f.thinned << " lost "
            << f.lostFrames << " inc " << f.incompleteFrames;
        EXPECT_EQ(f.lostFrames, 0u);
    }
    rig.stream().slotGrabContinuous();
    ASSERT_TRUE(rig.waitShown(2));
    ASSERT_TRUE(SimControl::unplug(kCamera));
    rig.stream().slotGrabStop(); // the control worker stops the stream, then closes the device
    rig.close();
    EXPECT_FALSE(rig.stream().isGrabbing());
    EXPECT_TRUE(SimControl::replug(kCamera));
}

TEST_F(StreamTest, CameraTimeOutsAreCountedForTheStatusBar) {
    g_sysPrm.remote.StreamInfinite = false;
    g_sysPrm.remote.StreamTimeOut = 50;
    openCamera();
    ASSERT_EQ(OxaDevFromString(rig.device()->getRemoteHandle(), "TriggerMode", "On"), OXA_STATUS_SUCCESS);
    rig.stream().slotGrabContinuous();
    ASSERT_TRUE(rig.step(kCamera, 12));
    ASSERT_TRUE(rig.waitFor([&] { return rig.stream().getFigures().timeouts >= 1; }));
    rig.stream().slotGrabStop();
    const VQtStreamFigures f = rig.stream().getFigures();
    EXPECT_EQ(f.frames, 0u);
    EXPECT_EQ(f.resendTimeouts, f.timeouts);
    EXPECT_TRUE(rig.logged(QStringLiteral("Grab timeout")));
}

// Sensor-shift bursts become one picture of twice the resolution; a sequence saved during the
// grab holds those pictures, one per burst, not the raw frames.
TEST_F(StreamTest, PixelDisplacementShowsAndSavesTheFinerPicture) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    g_sysPrm.save.sequenceMode = true;
    g_sysPrm.save.ImageCount = 2;
    g_sysPrm.save.BeginNumber = 0;
    g_sysPrm.save.ImageType = 5;
    g_sysPrm.save.extension = QStringLiteral(".iim");
    openCamera(R"(, "pixelFormats": ["Mono8"], "pixelShift": true)");
    ASSERT_EQ(OxaDevFromString(rig.device()->getRemoteHandle(), "PixelShiftMode", "Shift2x2"),
              OXA_STATUS_SUCCESS);
    rig.stream().setCallbackMode(VQtDeviceStream::PixelDisplacementMode);
    int status = 0;
    QObject::connect(&rig.stream(), &VQtDeviceStream::signalSaveImageStatus, [&](int s) { status = s; });
    rig.stream().slotGrabContinuous();
    ASSERT_TRUE(rig.stream().isGrabbing());
    EXPECT_EQ(rig.stream().getCallbackMode(), uint32_t(VQtDeviceStream::PixelDisplacementMode));
    EXPECT_EQ(rig.picture().getEntireImage()->width, 128);
    EXPECT_EQ(rig.picture().getEntireImage()->height, 96);
    ASSERT_TRUE(rig.step(kCamera, 4));
    ASSERT_TRUE(rig.waitShown(4)); // one burst
    ASSERT_TRUE(rig.stream().saveImage(dir.filePath(QStringLiteral("burst"))));
    ASSERT_TRUE(rig.step(kCamera, 8));
    ASSERT_TRUE(rig.waitFor([&] { return status != 0; }));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(rig.stream().getFigures().saved, 2u);
    rig.stream().slotGrabStop();
    rig.stream().setCallbackMode(VQtDeviceStream::NormalMode);
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 2);
    for (const QString& file : files)
        EXPECT_GE(QFileInfo(dir.filePath(file)).size(), 128 * 96) << file.toStdString();
    EXPECT_GT(pictureSum(rig.picture()), 0u);
}

// The board path: a CoaXPress board with its camera, frames in the board's slots, the
// board's time-out and grab-stop events.
class BoardStreamTest : public StreamTest {
protected:
    void openBoard(const char* boardExtra = "", const char* cameraExtra = "") {
        const QByteArray json =
            QByteArray(R"json({"boards": [{"name": "VB-X (CoaXPress)", "kind": "CoaXPress",
            "clock": "step")json") +
            boardExtra + R"json(}], "cameras": [{"interface": "CoaXPress", "model": "BX",
            "board": 0, "width": 32, "height": 8, "frameRate": 100)json" +
            cameraExtra + "}]}";
        ASSERT_TRUE(rig.useDevices(json));
        ASSERT_TRUE(rig.open(2, 0, 0));
    }
    void stepBoard(int frames = 1) { ASSERT_TRUE(rig.step(QStringLiteral("board0"), frames)); }
};

TEST_F(BoardStreamTest, ContinuousAndSingleGrabs) {
    openBoard();
    rig.stream().slotGrabContinuous();
    ASSERT_TRUE(rig.stream().isGrabbing());
    for (int i = 1; i <= 12; ++i) {
        stepBoard();
        ASSERT_TRUE(rig.waitShown(uint64_t(i)));
    }
    rig.stream().slotGrabStop();
    VQtStreamFigures f = rig.stream().getFigures();
    EXPECT_EQ(f.frames, 12u);
    EXPECT_EQ(f.displayed, 12u);
    EXPECT_EQ(rig.picture().getEntireImage()->width, 32);
    EXPECT_GT(pictureSum(rig.picture()), 0u);

    rig.stream().slotGrabOnce();
    stepBoard();
    ASSERT_TRUE(rig.waitStopped());
    f = rig.stream().getFigures();
    EXPECT_EQ(f.frames, 1u);
    EXPECT_EQ(f.displayed, 1u);
    EXPECT_TRUE(rig.logged(QStringLiteral("Grab stop")));
}

TEST_F(BoardStreamTest, TimeOutWhenNoTriggerComes) {
    openBoard();
    ASSERT_EQ(VionSetInfo(rig.device()->getAcqHandle(), VNP_BOARD_TRIGGER_MODE, 1), VION_OK);
    ASSERT_EQ(VionSetInfo(rig.device()->getAcqHandle(), VNP_TIME_OUT, 50), VION_OK);
    rig.stream().slotGrabContinuous();
    stepBoard(10);
    ASSERT_TRUE(rig.waitFor([&] { return rig.stream().getFigures().timeouts >= 1; }));
    rig.stream().slotGrabStop();
    const VQtStreamFigures f = rig.stream().getFigures();
    EXPECT_EQ(f.frames, 0u);
    EXPECT_GE(f.resendTimeouts, f.timeouts); // the status bar's time-out count
    EXPECT_TRUE(rig.logged(QStringLiteral("Grab timeout")));
}

// Central-line records: the board's switch follows the mode, and only that grab's.
TEST_F(BoardStreamTest, CentralLineModeSwitchesTheBoardForThatGrab) {
    openBoard();
    const VION_HANDLE board = rig.device()->getAcqHandle();
    rig.stream().setCallbackMode(VQtDeviceStream::CentralLineMode);
    rig.stream().slotGrabContinuous();
    ASSERT_TRUE(rig.stream().isGrabbing());
    EXPECT_EQ(rig.stream().getCallbackMode(), uint32_t(VQtDeviceStream::CentralLineMode));
    EXPECT_EQ(rig.stream().getImageParam().packedType, uint32_t(VQT_PACKED_CENTRAL_LINE));
    int32_t enabled = -1;
    ASSERT_EQ(VionGetInfo(board, VNP_CENTRAL_LINE_ENABLE, &enabled), VION_OK);
    EXPECT_EQ(enabled, 1);
    stepBoard(3);
    ASSERT_TRUE(rig.waitFor([&] { return rig.stream().getFigures().frames == 3; }));
    // A restart keeps the mode.
    rig.stream().reStartGrab();
    ASSERT_TRUE(rig.stream().isGrabbing());
    EXPECT_TRUE(rig.stream().isContinuous());
    EXPECT_EQ(rig.stream().getCallbackMode(), uint32_t(VQtDeviceStream::CentralLineMode));
    EXPECT_EQ(rig.stream().getFigures().frames, 0u);
    rig.stream().slotGrabStop();

    rig.stream().setCallbackMode(VQtDeviceStream::NormalMode);
    rig.stream().slotGrabContinuous();
    ASSERT_EQ(VionGetInfo(board, VNP_CENTRAL_LINE_ENABLE, &enabled), VION_OK);
    EXPECT_EQ(enabled, 0);
    stepBoard();
    ASSERT_TRUE(rig.waitShown(1));
    rig.stream().slotGrabStop();
    EXPECT_GT(pictureSum(rig.picture()), 0u);
}

// A sensor-shift camera behind a board: its bursts come through the board's buffers.
TEST_F(BoardStreamTest, PixelDisplacementThroughTheBoard) {
    openBoard("", R"(, "pixelShift": true)");
    ASSERT_NE(rig.device()->getRemoteHandle(), nullptr);
    ASSERT_EQ(OxaDevFromString(rig.device()->getRemoteHandle(), "PixelShiftMode", "Shift2x2"),
              OXA_STATUS_SUCCESS);
    rig.stream().setCallbackMode(VQtDeviceStream::PixelDisplacementMode);
    rig.stream().slotGrabContinuous();
    ASSERT_TRUE(rig.stream().isGrabbing());
    EXPECT_EQ(rig.stream().getCallbackMode(), uint32_t(VQtDeviceStream::PixelDisplacementMode));
    EXPECT_EQ(rig.picture().getEntireImage()->width, 64);
    EXPECT_EQ(rig.picture().getEntireImage()->height, 16);
    stepBoard(8);
    ASSERT_TRUE(rig.waitShown(4));
    rig.stream().slotGrabStop();
    rig.stream().setCallbackMode(VQtDeviceStream::NormalMode);
    EXPECT_EQ(rig.stream().getFigures().frames, 8u);
    EXPECT_GT(pictureSum(rig.picture()), 0u);
}

// A board thumbnail reaches the second picture, reduced by the board's factor.
TEST_F(BoardStreamTest, ThumbnailFillsTheSecondPicture) {
    openBoard();
    ASSERT_EQ(VionSetInfo(rig.device()->getAcqHandle(), VNP_THUMBNAIL_SIZE_FACTOR, 4), VION_OK);
    VQtImageTarget second;
    rig.stream().setWidget(&rig.picture(), &second);
    // Whatever fails below, the stream lets go of the second picture before it goes.
    struct Detach {
        StreamRig& rig;
        ~Detach() {
            rig.stream().slotGrabStop();
            rig.stream().setWidget(&rig.picture(), nullptr);
        }
    } detach{rig};
    int factor = -1;
    QObject::connect(&rig.stream(), &VQtDeviceStream::signalThumbnailFactor, [&](int f) { factor = f; });
    rig.stream().slotGrabContinuous();
    ASSERT_TRUE(rig.stream().isGrabbing());
    EXPECT_EQ(factor, 4);
    EXPECT_EQ(rig.stream().getThumbnailFactor(), 4u);
    for (int i = 1; i <= 2; ++i) {
        stepBoard();
        ASSERT_TRUE(rig.waitShown(uint64_t(i)));
    }
    rig.stream().slotGrabStop();
    ASSERT_NE(second.getEntireImage(), nullptr);
    EXPECT_EQ(second.getEntireImage()->width, 32 / 4);
    EXPECT_EQ(second.getEntireImage()->height, 8 / 4);
    EXPECT_GT(pictureSum(second), 0u);
}

TEST_F(BoardStreamTest, LostFramesAndBoardUnplug) {
    openBoard("", R"(, "lostEvery": 3)");
    rig.stream().slotGrabContinuous();
    stepBoard(9);
    ASSERT_TRUE(rig.waitFor([&] { return rig.stream().getFigures().frames == 6; }));
    EXPECT_EQ(rig.stream().getFigures().lostFrames, 3u);
    ASSERT_TRUE(SimControl::unplug(QStringLiteral("board0")));
    ASSERT_TRUE(rig.waitStopped());
    EXPECT_TRUE(rig.logged(QStringLiteral("Grab stop")));
    rig.close();
    EXPECT_TRUE(SimControl::replug(QStringLiteral("board0")));
}

} // namespace
