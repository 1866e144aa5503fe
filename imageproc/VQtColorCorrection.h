#pragma once

#include <QString>

#include <cstdint>

class VQtIplImage;

// Colour correction of 8-bit BGR images: a 3 x 3 integer colour matrix
// (1024 = 1.0, row-major, rows giving R, G, B from columns R, G, B) followed by
// the sRGB gamma table. Both passes cover every pixel of every row, so a
// corrected frame never shows an uncorrected part.

// Reads the calibration file once per process; true when its matrix was
// loaded. The first caller's outcome is kept for the rest of the run.
bool isRunColorAndGamma();
// The colour matrix loaded by isRunColorAndGamma (identity when none was).
const int* vqtColorMatrix();
// One line describing the outcome of reading the calibration file, for the log.
QString vqtColorCalibrationMessage();

// Apply a colour matrix / the gamma table from source to target. Both must be
// 8-bit images of equal size; the matrix needs 3 channels. Same record allowed.
void cvVQtCalcColor8Bit(VQtIplImage* source, VQtIplImage* target, const int* matrix);
void cvVQtCalcGamma(VQtIplImage* source, VQtIplImage* target);
// The colour-correction stage: matrix and gamma when the calibration was
// loaded and the source is 8-bit BGR; otherwise nothing happens.
void cvVQtCalcColorAndGamma(VQtIplImage* source, VQtIplImage* target);
