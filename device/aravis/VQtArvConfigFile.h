// The text file a camera's settings are saved to and loaded from: a header line, the camera's
// vendor and model, the number of settings, one "Name=Value" line per setting and a closing
// "End" line. A file without the header is foreign, one whose settings stop early or lack the
// closing line is truncated; both are refused whole, with the reason, before anything is
// written to the camera. Values keep their line breaks and backslashes escaped.
#ifndef VQTARVCONFIGFILE_H
#define VQTARVCONFIGFILE_H

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QVector>

struct VQtArvConfig {
    QByteArray vendor;
    QByteArray model;
    QVector<QPair<QByteArray, QByteArray>> values; // in writing order
};

class VQtArvConfigFile {
public:
    static constexpr int kMaxBytes = 4 * 1024 * 1024;
    enum Result { Ok, Foreign, Truncated, Malformed };

    static QByteArray format(const VQtArvConfig& config);
    // why: one line saying what is wrong, for the log.
    static Result parse(const QByteArray& data, VQtArvConfig* config, QString* why);
};

#endif // VQTARVCONFIGFILE_H
