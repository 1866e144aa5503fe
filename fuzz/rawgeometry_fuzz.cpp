// Headerless ".raw" files: the open dialog's size check and width/height estimate for every
// type, depth and packing it offers, then the file opened with the estimated layout and
// converted like a frame for display. The estimate must always describe a frame the file holds.
//
// Input: 8 bytes of claimed file size, start position (2 bytes), the dialog's three list
// positions, then the file's bytes.

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <unistd.h>

#include "acquisition/VQtFrameLayout.h"
#include "acquisition/VQtImageFileIO.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "display/VQtRawGeometry.h"
#include "fuzz/fuzz_input.h"
#include "imageproc/VQtIplImage.h"

using namespace VQtRawGeometry;

namespace {

void checkEstimate(int64_t fileBytes, int64_t start, int packed, int depth, int channels) {
    int w = 0, h = 0;
    if (estimate(fileBytes, start, packed, depth, channels, &w, &h) &&
        (w <= 0 || h <= 0 || !sizeMatches(fileBytes, start, w, h, packed, depth, channels)))
        std::abort(); // an estimate the size check itself refuses
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    VQtFrameLayout::setAvailableMemoryForTest(4u << 20);
    static const QString path =
        QDir(QDir::tempPath()).filePath(QStringLiteral("fuzz_raw_%1.raw").arg(getpid()));
    FuzzInput in(data, size);
    const uint64_t claimed = uint64_t(in.take(4)) | (uint64_t(in.take(4)) << 32);
    const int64_t start = int64_t(in.take(2));
    const int type = imageTypeOf(int(in.take(1) % 6));
    const int depth = bitDepthOf(int(in.take(1) % 6));
    const int packed = packedTypeOf(int(in.take(1) % 6));
    const int channels = channelsOf(type);
    // Any size a file system reports, including the ones a folder or a sparse file give.
    checkEstimate(int64_t(claimed & 0x7FFFFFFFFFFFFFFFull), start, packed, depth, channels);

    const int64_t fileBytes = int64_t(in.restSize());
    checkEstimate(fileBytes, start, packed, depth, channels);
    int w = 0, h = 0;
    if (!estimate(fileBytes, start, packed, depth, channels, &w, &h))
        return 0;
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(reinterpret_cast<const char*>(in.rest()), qint64(in.restSize()));
    }
    VQtImageParam p;
    p.imageType = uint32_t(type);
    p.bitDepth = uint32_t(depth);
    p.packedType = uint32_t(packed);
    p.width = uint32_t(w);
    p.height = uint32_t(h);
    p.deriveLayout();
    VQtPsCricleBuffer buffer;
    QString error;
    if (vqtOpenRawImage(path, &buffer, p, uint64_t(start), &error)) {
        VQtIplImage* image = nullptr;
        vqtReadFrame(&buffer, 0, &image, &error);
        cvVQtReleaseImage(&image);
    }
    QFile::remove(path);
    return 0;
}
