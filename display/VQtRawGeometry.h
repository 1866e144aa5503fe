#pragma once

#include <cstdint>

// Size rules of headerless raw files: how many unpacked bytes a file holds for a packing,
// how many a frame of a given geometry needs, and a guess of width and height.
namespace VQtRawGeometry {

// Dialog list positions: "Mono", "BGR", "BGRC", "RGB", "RGBC".
int imageTypeOf(int typeIndex);
int channelsOf(int imageType);
// "8 bit" .. "16 bit" -> 8, 10, 12, 14, 16.
int bitDepthOf(int depthIndex);
// "Not Packed", "Packed", "Lsb Packed", "Msb Packed", "Jpeg Packed" -> packedType 0, 1, 3, 2, 4.
int packedTypeOf(int packedIndex);

// Unpacked bytes the file's n bytes (after the start position) give; -1 when unknown (JPEG);
// 0 for sizes no frame file can have (more than 2^20 x 2^20 pixels of 8 bytes).
int64_t unpackedSize(int64_t n, int packedType, int bitDepth, int channels);
// Bytes of an unpacked frame: width x height x channels x (1 or 2); the largest int64 (matching
// no file) for sides above 2^20 pixels.
int64_t frameSize(int64_t width, int64_t height, int bitDepth, int channels);
// True when the geometry matches the file (always true for JPEG data).
bool sizeMatches(int64_t fileBytes, int64_t start, int width, int height, int packedType, int bitDepth,
                 int channels);
// Width and height whose frame size equals the file's unpacked size; false when none fits.
bool estimate(int64_t fileBytes, int64_t start, int packedType, int bitDepth, int channels, int* width,
              int* height);

} // namespace VQtRawGeometry
