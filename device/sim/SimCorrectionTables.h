// The correction tables a simulated camera keeps in its memory, as the correction-table
// transfer reads and writes them through features: four look-up tables (selected by
// "LUTSelector": Luminance, Red, Green, Blue), the defect pixel list and one flat-field
// coefficient per sensor column. Every change moves the revision on, so that what was
// compiled from the tables for rendering is rebuilt only when they change.
//
// Look-up tables: 4096 entries of 12 bits (index and value 0 .. 4095), identity at start.
// Defect list: up to 4096 distinct (column, row) sensor positions, in the order added.
// Flat field: one coefficient per sensor column, 1024 = gain 1.0 (the start value).
//
// Cameras name the table features in one of two ways (SimTableFeatureNames): the standard
// naming commits each value as it is written and has no count for the look-up table; the
// alternate naming has counts ("...Total", "FlatFieldCount"), read-out commands, separate read
// and write index features for the look-up table, and commits a written value only with its
// write command ("LUTWrite", "FFCWrite").
#ifndef SIMCORRECTIONTABLES_H
#define SIMCORRECTIONTABLES_H

#include <QPoint>
#include <QStringList>
#include <QVector>
#include <cstdint>

// The feature of each table role; nullptr where the camera has none.
struct SimTableFeatureNames {
    const char* lutCount;
    const char* lutReadOut;
    const char* lutWriteIndex;
    const char* lutWriteValue;
    const char* lutReadIndex;
    const char* lutReadValue;
    const char* lutCommit;
    const char* defectCount;
    const char* defectReadOut;
    const char* defectClear;
    const char* ffcEnable;
    const char* ffcReadOut;
    const char* ffcCount;
    const char* ffcIndex;
    const char* ffcValue;
    const char* ffcCommit;

    static const SimTableFeatureNames& of(bool alternate);
};

class SimCorrectionTables {
public:
    static constexpr int kLutEntries = 4096;
    static constexpr int kLutTables = 4;
    static constexpr int kMaxDefects = 4096;
    static constexpr int64_t kFfcUnity = 1024;
    static constexpr int64_t kFfcMax = 0x7FFFFFFF;
    // "LUTSelector" entries, in table order.
    static QStringList lutNames();

    explicit SimCorrectionTables(int sensorWidth = 0);

    int64_t lut(int table, int64_t index) const;
    void setLut(int table, int64_t index, int64_t value);
    const QVector<uint16_t>& lutTable(int table) const;

    int ffcCount() const { return m_ffc.size(); }
    int64_t ffc(int64_t index) const;
    void setFfc(int64_t index, int64_t value);
    const QVector<int32_t>& ffcTable() const { return m_ffc; }

    int defectCount() const { return m_defects.size(); }
    QPoint defect(int index) const { return m_defects.value(index); }
    // False when the list is full; a position already listed is not added twice.
    bool addDefect(const QPoint& p);
    void removeDefect(const QPoint& p);
    void clearDefects();
    const QVector<QPoint>& defects() const { return m_defects; }

    uint64_t revision() const { return m_revision; }

private:
    QVector<uint16_t> m_luts[kLutTables];
    QVector<int32_t> m_ffc;
    QVector<QPoint> m_defects;
    uint64_t m_revision = 1;
};

#endif // SIMCORRECTIONTABLES_H
