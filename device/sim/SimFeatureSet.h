// Builds the feature set a simulated camera publishes, from its description: identity,
// image format, acquisition, analog, transport, correction tables and service features.
#ifndef SIMFEATURESET_H
#define SIMFEATURESET_H

#include <QVector>

#include "device/sim/SimCameraDesc.h"
#include "device/sim/SimFeature.h"

class SimFeatureSet {
public:
    static QVector<SimFeature> build(const SimCameraDesc& desc);
    // Pixel-format entry names and codes a camera of that kind offers.
    static void pixelFormats(const SimCameraDesc& desc, QStringList* names, QVector<int64_t>* codes);
    static uint32_t pixelCode(const QString& name); // 0 when unknown
};

#endif // SIMFEATURESET_H
