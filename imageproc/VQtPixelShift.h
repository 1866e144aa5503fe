#pragma once

#include <cstddef>
#include <cstdint>

class VQtIplImage;

// Pixel-shift synthesis: a camera that moves its sensor by fractions of a pixel
// delivers a burst of 4 (2 x 2 mode) or 16 (4 x 4 mode) frames, which are
// interleaved into one image of twice the resolution (mono) or of full colour
// at every pixel (Bayer sensors, R at even row and even column).

enum VQT_PIXEL_SHIFT_MODE { VQT_PIXEL_SHIFT_OFF = 0, VQT_PIXEL_SHIFT_2X2 = 1, VQT_PIXEL_SHIFT_4X4 = 2 };

// A burst in one buffer: frame k (0-based) starts at data + k * frameBytes and
// holds width x height samples (8- or 16-bit) in packed rows.
struct VQtPixelShiftBurst {
    const unsigned char* data = nullptr;
    size_t frameBytes = 0;
    int width = 0;
    int height = 0;
};

// Frames of a burst in the same buffer.
inline int pixelDisFrameCount(int mode) {
    return mode == VQT_PIXEL_SHIFT_4X4 ? 16 : 4;
}

// Stores frame number counter (1-based, as counted by the stream) in slot
// (counter - 1) mod frames of burst; true when that completes a burst.
bool pixelDisStoreFrame(unsigned char* burst, size_t frameBytes, const unsigned char* frame,
                        long long counter, int frames);

// Row kernels over raw frames. Output rows hold outStride samples.
// Mono 2 x 2: four w x h frames give a 2w x 2h image; each 2 x 2 block reads
// f3 f2 / f1 f0.
template <typename T>
void pixelSyntheticMono2X2(const T* const frames[4], int width, int height, T* out, size_t outStride);
// Colour 2 x 2: four w x h mosaics give a w x h BGR image.
template <typename T>
void pixelSyntheticColor2X2(const T* const frames[4], int width, int height, T* out, size_t outStride);
// Colour 4 x 4: sixteen w x h mosaics give a 2w x 2h BGR image. Frame n's
// Bayer cell (i, j) lands on output block (i, j) shifted by (3 - n / 4,
// 3 - n % 4): R there, first-row G two columns right, second-row G two rows
// down, B two rows down and two columns right; samples falling outside the
// image are dropped. Where two frames supply a green, the later one wins.
template <typename T>
void pixelSynthetic4X4(const T* const frames[16], int width, int height, T* out, size_t outStride);

// The same on a burst, reshaping out to the synthesised geometry (buffer kept
// while that is unchanged). False, with out untouched, for an unusable burst.
template <typename T> bool pixelDisMonoSynthetic2X2(const VQtPixelShiftBurst& burst, VQtIplImage* out);
template <typename T> bool pixelDisColorSynthetic2X2(const VQtPixelShiftBurst& burst, VQtIplImage* out);
template <typename T> bool pixelDisColorSynthetic4X4(const VQtPixelShiftBurst& burst, VQtIplImage* out);

// Picks the synthesis for a mode, a Bayer (colour) or mono stream and a sample
// depth of 8 or 16 bits.
bool pixelDisSynthesize(const VQtPixelShiftBurst& burst, int mode, bool colour, int depth, VQtIplImage* out);
