// Shared set-up of the simulated-picture tests: a camera made from a description entry, its
// features written as text, and its frames rendered through the camera and read back with the
// frame buffer's unpackers, so that every test sees what the application would see.
#ifndef SIM_PICTURE_HELPERS_H
#define SIM_PICTURE_HELPERS_H

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "device/sim/SimCamera.h"

// An unpacked frame: samples per pixel, blue-green-red for colour layouts.
struct DecodedFrame {
    int width = 0;
    int height = 0;
    int channels = 1;
    uint32_t depth = 8;
    std::vector<uint32_t> samples;

    uint32_t at(int x, int y, int c = 0) const { return samples[(size_t(y) * width + x) * channels + c]; }
    double mean() const;
};

// The camera of one JSON camera entry (fails the test when the entry does not parse).
std::unique_ptr<SimCamera> makeCamera(const QByteArray& cameraJson);
// Writes a feature from text; fails the test on a refused write.
void setFeature(SimCamera& camera, const char* name, const QString& value);
// Renders frame `frame` through the camera and unpacks it.
DecodedFrame renderFrame(const SimCamera& camera, uint64_t frame);

#endif // SIM_PICTURE_HELPERS_H
