// Files the service tools write (table exports): written whole into a temporary file beside
// the target and renamed over it, so an existing file is never left half written.
#ifndef VQTTOOLFILE_H
#define VQTTOOLFILE_H

#include <QByteArray>
#include <QString>

namespace VQtToolFile {
// False, with the path and the reason in *error, when the file could not be written whole.
bool writeWhole(const QString& path, const QByteArray& bytes, QString* error);
} // namespace VQtToolFile

#endif // VQTTOOLFILE_H
