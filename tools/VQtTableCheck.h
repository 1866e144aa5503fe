// Checks a correction table against what the open camera can take, before anything is
// written: a look-up or flat-field table must have exactly the camera's number of entries,
// every index once and every value inside the value feature's limits; a defect list must fit
// the camera's list and the sensor positions the column and row features take.
#ifndef VQTTABLECHECK_H
#define VQTTABLECHECK_H

#include <QCoreApplication>
#include <QPoint>
#include <QString>
#include <QVector>
#include <cstdint>

enum VQtTableKind { VQT_TABLE_LUT = 0, VQT_TABLE_DEFECT = 1, VQT_TABLE_FFC = 2 };

struct VQtTableLimits {
    int kind = VQT_TABLE_LUT;
    int64_t count = 0; // look-up and flat-field tables: entries
    int64_t valueMin = 0, valueMax = INT32_MAX;
    int64_t columnMin = 0, columnMax = INT32_MAX; // defects
    int64_t rowMin = 0, rowMax = INT32_MAX;
    int64_t maxEntries = -1; // defects: -1 when the camera does not say
};

class VQtTableCheck {
    Q_DECLARE_TR_FUNCTIONS(VQtTableCheck)

public:
    // Empty when the table fits; else one line naming the entry (its file line when `lines`
    // gives them) and the reason.
    // `whole`: the entries replace the whole table (its size must match); otherwise only the
    // entries themselves are checked.
    static QString check(const VQtTableLimits& limits, const QVector<QPoint>& entries,
                         const QVector<int>& lines = QVector<int>(), bool whole = true);
};

#endif // VQTTABLECHECK_H
