#include "tools/VQtBadCsvFile.h"

#include "core/VQtSafeFile.h"

bool VQtBadCsvFile::WriteDataToFile(const QString& path, const QStringList& lines, QString* error) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return VQtSafeFile::writeFile(path, bytes, error);
}
