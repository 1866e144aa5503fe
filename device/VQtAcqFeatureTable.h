// The board parameters each adapter creates, in creation order: category, type, display text,
// VNP_ id and name, entries, limits, read-only state and polling period. Some rows exist only
// for boards with a capability (the Camera Link extended features, the CoaXPress nanosecond
// timing, ...); where two rows share an id they are alternatives and exactly one is created.
#ifndef VQTACQFEATURETABLE_H
#define VQTACQFEATURETABLE_H

#include <QList>
#include <QString>
#include <QVector>
#include <cstdint>

#include "device/VQtAcqFeature.h"

// Capabilities a row needs; an adapter creates a row when it has every one of them.
enum VQT_ACQ_ROW_NEED : uint32_t {
    VQT_ROW_ALWAYS = 0,
    VQT_ROW_CL_EXTENDED = 1u << 0,  // Camera Link firmware with the extended features
    VQT_ROW_CL_BASIC = 1u << 1,     // older Camera Link firmware
    VQT_ROW_NS = 1u << 2,           // CoaXPress nanosecond timing (increment 8)
    VQT_ROW_US = 1u << 3,           // CoaXPress microsecond timing
    VQT_ROW_THUMB4 = 1u << 4,       // thumbnails down to a quarter
    VQT_ROW_THUMB8 = 1u << 5,       // thumbnails from an eighth
    VQT_ROW_DIFFERENTIAL = 1u << 6, // general inputs that can be differential
    VQT_ROW_SINGLE_ENDED = 1u << 7  // single-ended general inputs only
};

struct VQtAcqFeatureRow {
    QString category;
    VQT_FEATURE_VAR_TYPE type = VQT_FEATURE_INT;
    QString display;
    uint32_t id = 0;
    QString name;
    QList<VQtEnumToValue> entries;
    int64_t min = 0;
    int64_t max = 0x7FFFFFFF;
    int64_t step = 1;
    bool readOnly = false;
    int32_t polling = -1;
    uint32_t need = VQT_ROW_ALWAYS;
};

class VQtAcqFeatureTable {
public:
    static const QVector<VQtAcqFeatureRow>& cameraLink();
    static const QVector<VQtAcqFeatureRow>& gigEVisionBoard();
    static const QVector<VQtAcqFeatureRow>& coaXPress();
    // Rows of that table an adapter with these capabilities creates.
    static QVector<VQtAcqFeatureRow> select(const QVector<VQtAcqFeatureRow>& table, uint32_t capabilities);
    // The parameter a row describes, for a board (or none, -1).
    static VQtAcqFeature* create(const VQtAcqFeatureRow& row, VION_HANDLE board);
};

#endif // VQTACQFEATURETABLE_H
