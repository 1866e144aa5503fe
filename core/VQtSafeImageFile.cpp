#include "core/VQtSafeImageFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>

#include "core/VQtSafeFile.h"

bool saveImageSafely(const QImage& image, const QString& path, QString* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, QFileInfo(path).suffix().toLower().toLatin1());
    // The writer refuses an empty picture and an extension no image plugin knows.
    if (!writer.write(image)) {
        if (error)
            *error = QCoreApplication::translate("VQtSafeFile", "Cannot write %1: %2")
                         .arg(path, writer.errorString());
        return false;
    }
    return VQtSafeFile::writeFile(path, bytes, error);
}
