// Correction-table CSV files: "comment line", "input,output", then one "x,y" pair of signed
// decimal integers per line, lines ended by CR LF. Reading accepts any line ends and stops at
// the first line that is not such a pair, keeping the pairs before it and naming the line and
// the reason.
#ifndef VQTCSVFILE_H
#define VQTCSVFILE_H

#include <QByteArray>
#include <QCoreApplication>
#include <QPoint>
#include <QString>
#include <QVector>

class VQtCsvFile {
    Q_DECLARE_TR_FUNCTIONS(VQtCsvFile)

public:
    // More entries than any camera table holds.
    static constexpr int kMaxEntries = 1 << 20;

    struct Content {
        bool valid = false; // both heading lines present: entries were read
        QVector<QPoint> entries;
        QVector<int> lines; // the file line (1-based) of each entry
        int stopLine = 0;   // the line that ended the reading early, 0 when none did
        QString reason;     // why the file is invalid or why reading stopped
    };

    static Content parse(const QByteArray& bytes);
    // False when the file cannot be read or lacks the heading lines (reason in *error).
    static bool read(const QString& path, Content* content, QString* error);
    static QByteArray format(const QVector<QPoint>& entries);
    // Written whole or not at all; false with the reason in *error.
    static bool write(const QString& path, const QVector<QPoint>& entries, QString* error);
    // "line 7: 3 fields where 2 are expected" for a content whose reading stopped early.
    static QString stopText(const Content& content);
};

#endif // VQTCSVFILE_H
