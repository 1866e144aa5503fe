#pragma once

#include <QString>
#include <QStringList>

// Writes the bad-pixel lists as CSV: each line followed by CR LF, through the program's one
// safe writer, so a failed export leaves the file it was replacing as it was.
class VQtBadCsvFile {
public:
    // False on failure; `error` (when given) names the path and the system's reason.
    static bool WriteDataToFile(const QString& path, const QStringList& lines, QString* error = nullptr);
};
