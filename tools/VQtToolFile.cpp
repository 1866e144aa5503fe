#include "tools/VQtToolFile.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace VQtToolFile {

bool writeWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error =
            QCoreApplication::translate("VQtToolFile", "Cannot write %1: %2").arg(path, file.errorString());
    return false;
}

} // namespace VQtToolFile
