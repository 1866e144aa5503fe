// Picture files through the program's own load path (the format named by the first byte), then
// the frame turned into the picture the save path would write.

#include <QDir>
#include <QFile>

#include <unistd.h>

#include "acquisition/VQtFrameLayout.h"
#include "acquisition/VQtImageFileIO.h"
#include "acquisition/VQtImageSaver.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "core/VQtSystemParam.h"
#include "imageproc/VQtIplImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Pictures whose header asks for more are refused before decoding, as on a small machine.
    VQtFrameLayout::setAvailableMemoryForTest(8u << 20);
    if (size < 1)
        return 0;
    static const char* const suffixes[] = {"png", "bmp", "jpg", "tif", "pgm", "jpeg", "tiff", "ppm"};
    const QString path =
        QDir(QDir::tempPath())
            .filePath(
                QStringLiteral("fuzz_picture_%1.%2").arg(getpid()).arg(QLatin1String(suffixes[data[0] % 8])));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
    }
    VQtPsCricleBuffer buffer;
    QString error;
    if (vqtOpenCommonImage(path, &buffer, &error)) {
        VQtIplImage *image = nullptr, *shifted = nullptr, *converted = nullptr;
        if (vqtReadFrame(&buffer, 0, &image, &error)) {
            int bits = 8;
            VQtIplImage* s = vqtShiftImage(image, &shifted, data[0] & 8, int(data[0] >> 4) - 1,
                                           int(buffer.getImageParam().bitDepth), &bits);
            calcImage(s, &converted, bits, int(size % 9), VQtPictureOptions{0, 0, 0, false});
        }
        cvVQtReleaseImage(&image);
        cvVQtReleaseImage(&shifted);
        cvVQtReleaseImage(&converted);
    }
    QFile::remove(path);
    return 0;
}
