#pragma once

// What a frame must look like for this program to hold, show and convert it. The file readers
// refuse anything else, and the picture canvas and the save path accept exactly this, so a file
// that opens can always be shown and a file that cannot be shown never opens.

#include <QCoreApplication>
#include <QString>

#include <cstdint>

struct VQtImageParam;

class VQtFrameLayout {
    Q_DECLARE_TR_FUNCTIONS(VQtFrameLayout)

public:
    // Pictures are 8- or 16-bit samples in 1 (grey), 3 (B, G, R) or 4 (B, G, R and a fourth)
    // channels; nothing renders or saves two.
    static bool isShowable(uint32_t storageBits, uint32_t channels);
    // Empty when the layout is showable; otherwise what is wrong, as a phrase ("2 channels (only
    // 1, 3 or 4 can be shown)").
    static QString layoutProblem(uint32_t storageBits, uint32_t channels);
    // Empty when an unpacked frame of `bytes` fits in the memory the machine can give now
    // (available memory plus free swap); otherwise why not. Asked before allocating, so a
    // damaged size is refused with a reason instead of tried.
    static QString memoryProblem(uint64_t width, uint64_t height, uint64_t bytes);
    // Both rules for the unpacked image of a frame layout.
    static QString problem(const VQtImageParam& param);

    // Bytes the machine can give now; UINT64_MAX when that cannot be read.
    static uint64_t availableMemory();
    // For tests: a fixed figure instead of the machine's (0 goes back to the machine's).
    static void setAvailableMemoryForTest(uint64_t bytes);
};
