// One node of a simulated camera's feature set: the static description a camera publishes
// (names, type, limits, entries) and its current value. Access and limits that depend on other
// features are computed by SimCamera; the record only holds the base values.
#ifndef SIMFEATURE_H
#define SIMFEATURE_H

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

struct SimFeature {
    QString name;
    QString display;
    QString category;
    QString description;
    uint32_t type = 0;           // OXAFEATURE_VAL_TYPE
    uint32_t representation = 1; // OXAFEATURE_REPRESENTATION (integers), linear
    uint32_t visibility = 1;     // OXAFEATURE_VISIBILITY
    uint32_t access = 1;         // base OXAFEATURE_ACCESS_MODE
    int32_t pollingMs = -1;      // -1: not polled

    int64_t intValue = 0, intMin = 0, intMax = INT64_MAX, intInc = 1;
    double dblValue = 0.0, dblMin = 0.0, dblMax = 1e9, dblInc = 0.0;
    int64_t precision = 2;
    bool boolValue = false;
    QString text;                 // string features
    QStringList entries;          // enumeration entries
    QVector<int64_t> entryValues; // integer value of each entry
    int entryIndex = 0;
    QStringList selected; // features this selector selects

    bool isNumeric() const { return type >= 1 && type <= 4; }
};

#endif // SIMFEATURE_H
