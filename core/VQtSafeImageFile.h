#pragma once

#include <QString>

class QImage;

// A Qt picture written to PATH in the format its extension names, through the safe writer:
// encoded in memory first, so a failed encoding or write leaves the old file as it was.
// False with the path and the reason in *error (when given).
bool saveImageSafely(const QImage& image, const QString& path, QString* error = nullptr);
