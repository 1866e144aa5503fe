// The ".iim" reader on arbitrary file contents, then the frame turned into a picture in memory.

#include <QDir>
#include <QFile>

#include <unistd.h>

#include "acquisition/VQtImageFileIO.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "imageproc/VQtIplImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path = QDir(QDir::tempPath()).filePath(QStringLiteral("fuzz_%1.iim").arg(getpid()));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    VQtPsCricleBuffer buffer;
    QString error;
    if (vqtOpenIimImage(path, &buffer, &error)) {
        VQtIplImage *image = nullptr, *shifted = nullptr, *converted = nullptr;
        if (vqtReadFrame(&buffer, 0, &image, &error)) {
            int bits = 8;
            VQtIplImage* s = vqtShiftImage(image, &shifted, size & 1, int(size % 17) - 1, 12, &bits);
            calcImage(s, &converted, bits, int(size % 9), VQtPictureOptions{});
        }
        cvVQtReleaseImage(&image);
        cvVQtReleaseImage(&shifted);
        cvVQtReleaseImage(&converted);
    }
    QFile::remove(path);
    return 0;
}
