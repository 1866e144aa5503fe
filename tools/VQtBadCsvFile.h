#pragma once

#include <QString>
#include <QStringList>

// Writes the bad-pixel lists as CSV: each line followed by CR LF. The file is written
// completely or not at all: a temporary file beside it replaces it only once every byte is
// on disk, so a failed export never leaves a truncated file behind.
class VQtBadCsvFile {
public:
    // False on failure; `error` (when given) says why.
    static bool WriteDataToFile(const QString& path, const QStringList& lines, QString* error = nullptr);
};
