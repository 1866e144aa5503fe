// Writes the test scene in a frame layout: mono and Bayer at 8 to 16 bits, packed pairs,
// MSB/LSB-first bit streams, RGB/BGR with three or four channels, YUV 4:2:2 in both orders,
// JPEG, Coord3D and central-line records.
#ifndef SIMFRAMEENCODER_H
#define SIMFRAMEENCODER_H

#include <cstddef>
#include <cstdint>

#include "device/sim/SimFrameFormat.h"

class SimRowSource;
class SimScene;

class SimFrameEncoder {
public:
    // Writes the source's frame in its layout into dst (capacity bytes); returns the bytes
    // written (the compressed size for JPEG), 0 when the layout is unknown or does not fit.
    static size_t encode(const SimRowSource& rows, uint8_t* dst, size_t capacity);
    // The same for frame `frame` of the bare scene, whose size must be the layout's.
    static size_t encode(const SimScene& scene, uint64_t frame, const SimFrameFormat& format, uint8_t* dst,
                         size_t capacity);

private:
    static size_t encodeRows(const SimRowSource& rows, uint8_t* dst);
    static size_t encodeJpeg(const SimRowSource& rows, uint8_t* dst, size_t capacity);
    static size_t encodeCentralLine(uint64_t frame, const SimFrameFormat& f, uint8_t* dst, size_t capacity);
};

#endif // SIMFRAMEENCODER_H
