// Everything that shapes a simulated camera's picture, copied from the camera under its lock
// so that a frame renders without it: the layout, the sensor window, exposure and gain, the
// test pattern, pixel shift, the correction switches and tables, and the sensor's flaws.
#ifndef SIMPICTURESTATE_H
#define SIMPICTURESTATE_H

#include <QPoint>
#include <cstdint>
#include <vector>

#include "device/sim/SimFrameFormat.h"
#include "device/sim/SimSensorDesc.h"
#include "device/sim/SimTestPattern.h"

struct SimPictureState {
    SimFrameFormat format;
    bool colour = false;
    bool lineScan = false; // every frame row is read from sensor row OffsetY
    int sensorWidth = 0;
    int sensorHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
    // Brightness factors of the scene: exposure / 10 ms x gain, for red, green, blue and
    // luminance samples.
    float factor[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    int blackLevel = 0; // added to scene samples, 16-bit units
    SimTestPattern::Kind pattern = SimTestPattern::Off;
    int burstLength = 1; // pixel shift: 4 (2 x 2) or 16 (4 x 4) frames per burst; 1 off
    // The tables in force, copied (the camera goes on changing its own), empty while their
    // correction is off; and the revision of the camera's tables they were taken at.
    std::vector<uint16_t> lut; // the table LUTSelector selects
    int lutTable = 0;
    std::vector<QPoint> defectList; // sensor positions
    std::vector<int32_t> flatField; // per sensor column
    uint64_t tablesRevision = 0;
    SimSensorDesc sensor;
    uint64_t sensorRevision = 0; // changes with every change of `sensor`
};

#endif // SIMPICTURESTATE_H
