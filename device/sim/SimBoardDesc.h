// Description of one simulated frame-grabber board.
#ifndef SIMBOARDDESC_H
#define SIMBOARDDESC_H

#include <QHash>
#include <QString>
#include <cstdint>

#include "device/sim/SimFaultDesc.h"

struct SimBoardDesc {
    QString name;                      // model name as VionGetBoardName gives it
    int kind = 1;                      // 1 Camera Link, 2 CoaXPress, 3 GigE Vision board, 4 SFP
    uint32_t fpgaVersion = 0x00050C13; // bits 16-23 model, 8-15 major, 0-7 minor
    uint32_t generation = 0xC0000000;  // parameter 0x10000045
    int firmwareType = 2;              // VNP_CXP_FIRMWARE_TYPE
    uint32_t serial = 0x17030042;
    uint32_t serialHigh = 0xFFFFFFFF;
    int linkSpeed = 3; // PCIe speed code
    int linkLanes = 8;
    int channels = 4;
    bool nameFails = false;                 // VionGetBoardName fails for this board
    SimFaultDesc faults;                    // call faults (board error codes)
    QString clock = QStringLiteral("real"); // "real", "free" or "step" (see SimClock)
    int prerendered = 0;                    // frames rendered once and cycled
    int crcEvery = 0;                       // CRC event every N frames
    int overCurrentAfter = 0;               // over-current event after N frames
    int transferErrorEvery = 0;
};

#endif // SIMBOARDDESC_H
