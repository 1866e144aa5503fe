#pragma once

// Saving one frame to a file and opening image files into a frame buffer. The image thread and
// the command-line tool call these; they never show a window and never throw. On failure they
// return false and, when `error` is given, leave one line of text there for the log, naming the
// file and the reason ("Cannot open PATH: REASON", "Cannot write PATH: REASON").

#include <QString>

#include <cstdint>

#include <opencv2/core.hpp>

#include "acquisition/VQtImageParam.h"

class VQtPsCricleBuffer;
class VQtIplImage;
class VQtImageSaveParam;

// Processing applied when a frame becomes a picture.
struct VQtPictureOptions {
    int bayerMethod = 0;          // 0 bilinear, 1 bicubic (others bilinear)
    int denoise = 0;              // denoise strength, 0 off
    int sharpen = 0;              // sharpen level, 0 off
    bool colourCorrection = true; // colour matrix and gamma when a calibration was loaded

    // The current settings of g_sysPrm.
    static VQtPictureOptions fromSettings();
};

// Writes the frame of `buffer` (bytes from dataOffset) to `path` through a one-off VQtImageSaver
// (see there); callers that save many frames keep a saver of their own.
bool vqtSaveImage(const QString& path, VQtPsCricleBuffer* buffer, const VQtImageSaveParam& save,
                  uint64_t dataOffset, QString* error = nullptr);
bool vqtSaveImage(const QString& path, VQtPsCricleBuffer* buffer, const VQtImageSaveParam& save,
                  const VQtPictureOptions& options, uint64_t dataOffset, QString* error = nullptr);

// Opens by the path's last four characters in lower case: ".iim", ".raw" (with the layout and
// the bytes to skip given by the caller; refused without one) or any picture format. Anything
// but a regular file is refused, and so is a frame that could not be shown (see VQtFrameLayout)
// or would need more memory than the machine can give, before any of it is allocated.
// Why `path` cannot be opened as an image file (missing, a folder, not a regular file), as a
// phrase; empty for a regular file.
QString vqtFileProblem(const QString& path);
bool vqtOpenImage(const QString& path, VQtPsCricleBuffer* buffer, const VQtImageParam* rawParam,
                  uint64_t rawStart, QString* error = nullptr);
bool vqtOpenIimImage(const QString& path, VQtPsCricleBuffer* buffer, QString* error = nullptr);
bool vqtOpenRawImage(const QString& path, VQtPsCricleBuffer* buffer, const VQtImageParam& param,
                     uint64_t start, QString* error = nullptr);
bool vqtOpenCommonImage(const QString& path, VQtPsCricleBuffer* buffer, QString* error = nullptr);

// Frame bytes an ".iim" or ".raw" file lacks for its layout (0 when complete, or when the layout
// takes any size, such as JPEG data): the missing tail reads as black.
uint64_t vqtMissingBytes(const VQtImageParam& param, uint64_t dataBytes);

// Picture conversion, step by step (used by the save path, exposed for tests and tools). On
// failure *error gets the reason as a phrase, without a file name.
// Unpacks the frame into *image (created or reshaped as width x height x storage x channels; a
// reused image keeps no part of the frame before).
bool vqtReadFrame(VQtPsCricleBuffer* buffer, uint64_t dataOffset, VQtIplImage** image,
                  QString* error = nullptr);
// Bit range: StretchImage -> 16 bit shifted left by Shift; Shift -1 -> unchanged; otherwise 8 bit
// shifted right by Shift. Returns the image to go on with (image itself or *converted) and sets
// *bits to the depth passed on (16, frameBits or 8).
VQtIplImage* vqtShiftImage(VQtIplImage* image, VQtIplImage** converted, bool stretch, int shift,
                           int frameBits, int* bits);
// The samples of `from` into *to: 16-bit shifted left (stretch) or 8-bit shifted right and
// saturated. False when *to cannot be made.
bool vqtShiftSamples(const cv::Mat& from, VQtIplImage** to, bool stretch, int shift);
// Channel layout by SwitchType (see the save dialogs): 3 channels unchanged; 4 channels: 0 drop
// the fourth, 1 fourth channel alone, 2 unchanged; 1 channel: 0 unchanged, 1..4 demosaic
// (RG, BG, GR, GB), 5..8 one position of each 2x2 block. Then denoise and sharpen. Returns the
// result (image itself or *converted), nullptr when the switch type does not apply.
VQtIplImage* calcImage(VQtIplImage* image, VQtIplImage** converted, int bits, int switchType,
                       const VQtPictureOptions& options);

// Unpacked bytes a raw file of n data bytes holds for this layout (packing taken into account).
uint64_t vqtRawUnpackedSize(uint64_t n, const VQtImageParam& param);
// Data bytes a frame of this layout occupies on disk (0 for JPEG: any size).
uint64_t vqtPackedFrameSize(const VQtImageParam& param);
