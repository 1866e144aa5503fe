// One separate coding table file: a first line that is skipped, then 256 lines "a,b" of
// decimal integers 0 .. 65535, each line at most 260 characters. Every entry becomes the
// camera's data word (b << 16) + a.
#ifndef VQTCODINGTABLE_H
#define VQTCODINGTABLE_H

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QVector>
#include <cstdint>

class VQtCodingTable {
    Q_DECLARE_TR_FUNCTIONS(VQtCodingTable)

public:
    static constexpr int kTables = 8;
    static constexpr int kLines = 256;
    static constexpr int kLineLimit = 260;

    struct Content {
        bool ok = false;
        QVector<uint32_t> words; // kLines data words when ok
        int badLine = 0;         // file line (1-based) that failed
        QString reason;
    };

    static Content parse(const QByteArray& bytes);
    // The file of table `table` (1 .. 8): ".\SeperateCoding\N.csv" in the working folder as
    // the name stands, or else SeperateCoding/N.csv; empty when neither exists.
    static QString findFile(int table);
};

#endif // VQTCODINGTABLE_H
