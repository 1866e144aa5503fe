#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <mutex>

#include <utility>
#include <vector>

#include "acquisition/VQtDeviceStream.h"
#include "acquisition/VQtImageFile.h"
#include "acquisition/VQtPictureTarget.h"
#include "core/VQtImageLock.h"
#include "display/CPicImage.h"
#include "display/QCustomPictureCanvas.h"

namespace {

// A picture window without a window: the stream fills its image, the test renders it. It takes
// any layout it is given, so what reaches the canvas is decided by the stream and the readers.
struct CanvasTarget : VQtPictureTarget {
    VQtImageLock lock;
    std::mutex paramMutex;
    CPicCanvasParam param;
    VQtIplImage* image = nullptr;
    QCustomPictureCanvas canvas;

    explicit CanvasTarget(QSize size = QSize(64, 48)) {
        canvas.setEntireImage(nullptr, lock);
        canvas.setUiCanvas(param, paramMutex);
        canvas.setCanvasSize(size);
    }
    ~CanvasTarget() override { picRelease(&image); }
    VQtImageLock& getImageLock() override { return lock; }
    VQtIplImage* getEntireImage() override { return image; }
    bool createImage(int width, int height, int depth, int channels) override {
        const bool ok = picCreate(&image, width, height, depth, channels);
        canvas.setEntireImage(image, lock);
        param.width = width;
        param.height = height;
        param.channels = channels;
        param.depth = depth;
        return ok;
    }
    void setFrameFormat(int bayerMode, int bitDepth) override {
        param.bayerMode = bayerMode;
        param.intercept.bits = bitDepth;
        param.intercept.adaptive = bitDepth > 8;
    }
    void updateEntireImage() override {}
};

QString writeIim(const QTemporaryDir& dir, const char* name, const VQtImageParam& p, int dataBytes) {
    const QString path = dir.filePath(QLatin1String(name));
    uint8_t header[44];
    VQtImageHeader::fromParam(p).toBytes(header);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(reinterpret_cast<const char*>(header), 44);
        f.write(QByteArray(dataBytes, char(0x5A)));
    }
    return path;
}

VQtImageParam layout(uint32_t type, uint32_t bits, uint32_t w, uint32_t h, uint32_t channels) {
    VQtImageParam p;
    p.imageType = type;
    p.bitDepth = bits;
    p.width = w;
    p.height = h;
    p.deriveLayout();
    p.channels = channels;
    return p;
}

} // namespace

// A two-channel ".iim" (8-bit frames once threw from the colour conversion, 16-bit ones read past
// the canvas's rows) is refused on the way in with its path and the reason; a frame the readers
// accept is shown.
TEST(FrameAcceptance, TwoChannelFilesNeverReachTheCanvas) {
    QTemporaryDir dir;
    for (uint32_t bits : {8u, 12u}) {
        for (uint32_t type : {0u, 4u}) {
            CanvasTarget target;
            VQtDeviceStream stream;
            stream.setWidget(&target, nullptr);
            std::vector<std::pair<QString, int>> log;
            QObject::connect(&stream, &VQtDeviceStream::signalOutputInfo,
                             [&log](const QString& text, int level) { log.emplace_back(text, level); });
            const VQtImageParam two = layout(type, bits, 40, 30, 2);
            const QString path = writeIim(dir, "two.iim", two, int(two.unpackedBytes()));
            EXPECT_FALSE(stream.openImage(path));
            ASSERT_EQ(log.size(), 1u);
            EXPECT_EQ(log[0].second, 2);
            EXPECT_TRUE(log[0].first.contains(path) && log[0].first.contains(QStringLiteral("2 channels")))
                << log[0].first.toStdString();
            EXPECT_EQ(target.image, nullptr);

            const VQtImageParam three = layout(4, bits, 40, 30, 3);
            ASSERT_TRUE(stream.openImage(writeIim(dir, "three.iim", three, int(three.unpackedBytes()))));
            EXPECT_TRUE(target.canvas.renderOnce());
        }
    }
}

// Whatever hands the canvas a two-channel picture, it renders nothing rather than crash.
TEST(FrameAcceptance, CanvasRendersOnlyWhatTheReadersAccept) {
    for (int depth : {8, 16}) {
        CanvasTarget target;
        ASSERT_TRUE(target.createImage(40, 30, depth, 2));
        target.param.zoom = 32; // pixel texts read every channel too
        EXPECT_FALSE(target.canvas.renderOnce()) << depth;
        target.param.zoom = 0.5;
        EXPECT_FALSE(target.canvas.renderOnce()) << depth;
    }
}

// A resize method from a hand-edited settings file (out of range either way) once made OpenCV
// throw on every render of a picture larger than its window.
TEST(FrameAcceptance, AnyResizeMethodRenders) {
    for (int method : {7, -1, 100, 4, 2}) {
        CanvasTarget target(QSize(64, 48));
        ASSERT_TRUE(target.createImage(400, 300, 16, 3));
        target.param.zoom = 0.16;
        target.param.calc.resizeMethod = method;
        EXPECT_NO_THROW(EXPECT_TRUE(target.canvas.renderOnce()) << method);
    }
    EXPECT_EQ(QCustomPictureCanvas::resizeInterpolation(3), 3);
    EXPECT_EQ(QCustomPictureCanvas::resizeInterpolation(7), QCustomPictureCanvas::resizeInterpolation(1));
}
