// The parameter table of a simulated frame-grabber board: every VNP_ id its kind and
// generation knows, with start value, limits or allowed values, width (32- or 64-bit) and
// whether it is read-only or locked while grabbing. Values that describe the board itself
// (version, serial, generation, link) come from its description. Also the board's
// configuration file: written whole, and read back only when every line is complete, known
// to this kind of board and within its limits.
#ifndef SIMBOARDPARAMS_H
#define SIMBOARDPARAMS_H

#include <QByteArray>
#include <QHash>
#include <QPair>
#include <QVector>
#include <cstdint>

#include "device/sim/SimBoardDesc.h"

struct SimBoardParam {
    int64_t value = 0;
    int64_t min = 0;
    int64_t max = INT32_MAX;
    int64_t step = 1;        // advertised increment (the board rounds widths itself)
    QVector<int64_t> values; // allowed values of an enumeration, empty for a range
    bool wide = false;       // 64-bit: read and written with VionGetInfo64/VionSetInfo64
    bool readOnly = false;
    bool lockedWhileGrabbing = false; // frame layout: refused while a grab runs
};

class SimBoardParams {
public:
    static QHash<uint32_t, SimBoardParam> build(const SimBoardDesc& desc, int width, int height);
    // 0 when the parameter takes the value, else the board error code.
    static int check(const SimBoardParam& param, int64_t value);
    // Board generation (0, 1, 2) and whether its timings are in nanoseconds (CoaXPress, SFP).
    static int generation(const SimBoardDesc& desc);
    static bool nanosecondTiming(const SimBoardDesc& desc);
    // Configuration file text of the writable parameters.
    static QByteArray saveText(const SimBoardDesc& desc, const QHash<uint32_t, SimBoardParam>& params);
    // The values of a configuration file in file order; 1, or the board error code when the
    // file is incomplete, made for another kind of board or holds a value the board refuses.
    static int parseText(const QByteArray& text, const SimBoardDesc& desc,
                         const QHash<uint32_t, SimBoardParam>& params,
                         QVector<QPair<uint32_t, int64_t>>* values);
};

#endif // SIMBOARDPARAMS_H
