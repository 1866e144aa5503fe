// The parameter table of a simulated frame-grabber board: every VNP_ id the board knows, its
// start value, limits and whether it is read-only. Values that describe the board itself
// (version, serial, generation, link) come from its description.
#ifndef SIMBOARDPARAMS_H
#define SIMBOARDPARAMS_H

#include <QHash>
#include <cstdint>

#include "device/sim/SimBoardDesc.h"

struct SimBoardParam {
    int64_t value = 0;
    int64_t min = INT32_MIN;
    int64_t max = INT32_MAX;
    bool readOnly = false;
    bool lockedWhileGrabbing = false; // frame layout: refused while a grab runs
};

class SimBoardParams {
public:
    static QHash<uint32_t, SimBoardParam> build(const SimBoardDesc& desc, int width, int height);
};

#endif // SIMBOARDPARAMS_H
