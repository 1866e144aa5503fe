// What a simulated camera's sensor adds to the picture: defect pixels (single ones and
// horizontal or vertical clusters, hot or dead, at given places or placed by a seed), fixed
// per-column offsets with a known RMS, and the ability to shift the sensor for pixel-shift
// bursts. Read from a camera entry of the device description (keys "defects",
// "columnNoise", "pixelShift"), or set by SimCamera::setSensor() from tests.
//
// Values are 16-bit samples (0 .. 65535, full scale 65535); a frame of depth d carries
// value >> (16 - d). Positions are sensor columns and rows, so a sensor window (OffsetX,
// OffsetY) moves them in the frame.
//
//   "defects": {
//     "seed": 7,                           placement of the seeded defects (default 1)
//     "hot": 20, "dead": 10,               seeded single defects: each lies alone in its 5 x 5
//                                          neighbourhood, away from every other defect
//     "pixels": [ {"x": 100, "y": 50, "kind": "hot"},
//                 {"x": 300, "y": 60, "kind": "dead", "value": 4096} ],
//     "clusters": [ {"x": 400, "y": 80, "length": 5, "direction": "horizontal", "kind": "hot"},
//                   {"x": 500, "y": 90, "length": 3, "direction": "vertical", "kind": "dead"} ]
//   },                                     hot: stuck at 65535, dead: stuck at 0, unless "value"
//   "columnNoise": { "rms": 256, "seed": 3 },  offsets with this RMS over the sensor's columns
//   "pixelShift": true                     offers "PixelShiftMode" (Off, Shift2x2, Shift4x4)
// The same reader takes the camera's naming of its correction-table features,
//   "tableFeatures": "standard" | "alternate"   (see SimCorrectionTables.h)
#ifndef SIMSENSORDESC_H
#define SIMSENSORDESC_H

#include <QJsonObject>
#include <QString>
#include <QVector>
#include <cstdint>

struct SimCameraDesc;

// One configured defect: a single pixel, or a run of `length` pixels to the right or downwards.
struct SimDefectEntry {
    int x = 0;
    int y = 0;
    int length = 1;
    bool vertical = false;
    uint16_t value = 65535;

    bool operator==(const SimDefectEntry& o) const {
        return x == o.x && y == o.y && length == o.length && vertical == o.vertical && value == o.value;
    }
};

struct SimSensorDesc {
    QVector<SimDefectEntry> defects;
    int randomHot = 0;  // seeded single hot pixels (stuck at 65535)
    int randomDead = 0; // seeded single dead pixels (stuck at 0)
    uint32_t defectSeed = 1;
    double columnNoiseRms = 0.0; // 16-bit units; 0: no column offsets
    uint32_t columnNoiseSeed = 1;
    bool pixelShift = false;

    bool operator==(const SimSensorDesc& o) const {
        return defects == o.defects && randomHot == o.randomHot && randomDead == o.randomDead &&
               defectSeed == o.defectSeed && columnNoiseRms == o.columnNoiseRms &&
               columnNoiseSeed == o.columnNoiseSeed && pixelShift == o.pixelShift;
    }
    bool operator!=(const SimSensorDesc& o) const { return !(*this == o); }

    // Seeded defects a sensor of that size can hold: one per 5 x 5 block at most.
    static int maxRandomDefects(int sensorWidth, int sensorHeight);
    // Reads the sensor keys of one camera entry into desc->sensor (and "tableFeatures"),
    // checked against the camera's sensor size; false with a one-line reason in *error.
    static bool fromJson(const QJsonObject& camera, SimCameraDesc* desc, QString* error);
};

#endif // SIMSENSORDESC_H
