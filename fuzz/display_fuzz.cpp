// The display path: an ".iim" file opened by the stream as the viewer opens it, then rendered by
// the picture canvas with fuzzed display settings (zoom, scroll position, display mode, flips,
// processing, resize method, bit window). No window: the canvas's render is driven directly.
//
// Input: 24 bytes of settings, then the file's bytes.

#include <QDir>
#include <QFile>
#include <mutex>

#include <unistd.h>

#include "acquisition/VQtDeviceStream.h"
#include "acquisition/VQtFrameLayout.h"
#include "acquisition/VQtPictureTarget.h"
#include "core/VQtImageLock.h"
#include "display/CPicImage.h"
#include "display/QCustomPictureCanvas.h"
#include "fuzz/fuzz_input.h"

namespace {

// A picture window without the window, shaped like the picture widget's own target.
struct CanvasTarget : VQtPictureTarget {
    VQtImageLock lock;
    std::mutex paramMutex;
    CPicCanvasParam param;
    VQtIplImage* image = nullptr;
    QCustomPictureCanvas canvas;

    explicit CanvasTarget(QSize size) {
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
        param.bayerMode = bayerMode >= 1 && bayerMode <= 4 ? bayerMode : 0;
        param.intercept.bits = bitDepth;
    }
    void updateEntireImage() override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Frames are kept small enough to render many per second (a frame the machine's memory
    // could not take is refused the same way, only later).
    VQtFrameLayout::setAvailableMemoryForTest(2u << 20);
    static const QString path =
        QDir(QDir::tempPath()).filePath(QStringLiteral("fuzz_display_%1.iim").arg(getpid()));
    FuzzInput in(data, size);
    const uint32_t canvasW = 1 + in.take(1), canvasH = 1 + in.take(1);
    const uint32_t zoomCode = in.take(1);
    const int32_t offsetX = int32_t(in.take(2)) - 32768, offsetY = int32_t(in.take(2)) - 32768;
    const uint32_t flags = in.take(1);
    const uint32_t coi = in.take(1);
    const int32_t resize = int32_t(int8_t(in.take(1)));
    const uint32_t bayerMethod = in.take(1), denoise = in.take(1), sharpen = in.take(1);
    const uint32_t light = in.take(1);
    const int32_t gainCode = int32_t(in.take(1)), offset = int32_t(int16_t(in.take(2)));
    const int32_t shift = int32_t(int8_t(in.take(1)));
    const uint32_t bits = in.take(1);
    in.take(4); // room for more settings without changing the corpus layout
    in.take(1);
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(reinterpret_cast<const char*>(in.rest()), qint64(in.restSize()));
    }
    CanvasTarget target{QSize(int(canvasW), int(canvasH))};
    VQtDeviceStream stream;
    stream.setWidget(&target, nullptr);
    if (stream.openImage(path)) {
        CPicCanvasParam& p = target.param;
        static const double zooms[] = {0.01, 0.125, 0.5, 1.0, 2.0, 4.0, 32.0, 64.0, 96.0, 128.0, 0.33, 3.7};
        p.zoom = zooms[zoomCode % 12];
        p.offset.x = offsetX / 16.0;
        p.offset.y = offsetY / 16.0;
        p.flipX = flags & 1;
        p.flipY = flags & 2;
        p.pixelMode = int(flags >> 2) % 3;
        p.calc.autoStretch = flags & 0x10;
        p.coiMode = int(coi % 12) - 1;
        p.calc.resizeMethod = resize;
        p.calc.bayerMethod = int(bayerMethod % 4);
        p.calc.denoise = int(denoise % 8);
        p.calc.sharpen = int(sharpen % 8);
        p.calc.multipleLight = int(light % 6);
        p.calc.gain = gainCode / 64.0;
        p.calc.offset = offset;
        p.intercept.shift = shift;
        p.intercept.adaptive = flags & 0x20;
        if (flags & 0x40)
            p.intercept.bits = int(bits % 20);
        target.canvas.renderOnce();
        p.zoom = 1.0;
        target.canvas.renderOnce();
    }
    QFile::remove(path);
    return 0;
}
