#include "imageproc/VQtColorCorrection.h"

#include "imageproc/VQtColorCalibration.h"
#include "imageproc/VQtColorMatrix.h"
#include "imageproc/VQtIplImage.h"

#include <mutex>

namespace {

struct CalibrationState {
    int matrix[9] = {1024, 0, 0, 0, 1024, 0, 0, 0, 1024};
    bool active = false;
    QString message;
};

// Read once, on first use; later calls reuse the outcome even if the file changes.
CalibrationState& calibration() {
    static CalibrationState state;
    static std::once_flag once;
    std::call_once(once, [] {
        state.active = VQtColorCalibration::load(VQtColorCalibration::defaultFileName(), state.matrix,
                                                 &state.message) == VQtColorCalibration::Loaded;
    });
    return state;
}

bool sameGeometry(const VQtIplImage* a, const VQtIplImage* b) {
    return a->width == b->width && a->height == b->height && a->depth == b->depth &&
           a->channels == b->channels;
}

} // namespace

bool isRunColorAndGamma() {
    return calibration().active;
}

const int* vqtColorMatrix() {
    return calibration().matrix;
}

QString vqtColorCalibrationMessage() {
    return calibration().message;
}

void cvVQtCalcColor8Bit(VQtIplImage* source, VQtIplImage* target, const int* matrix) {
    if (!matrix || cvVQtImageIsNull(source) || cvVQtImageIsNull(target) || !sameGeometry(source, target) ||
        source->depth != 8 || source->channels != 3)
        return;
    for (int r = 0; r < source->height; ++r)
        vqtColorMatrixRow8(source->row<uint8_t>(r), target->row<uint8_t>(r), source->width, matrix);
}

void cvVQtCalcGamma(VQtIplImage* source, VQtIplImage* target) {
    if (cvVQtImageIsNull(source) || cvVQtImageIsNull(target) || !sameGeometry(source, target) ||
        source->depth != 8)
        return;
    const int bytes = source->width * source->channels;
    for (int r = 0; r < source->height; ++r)
        vqtGammaRow8(source->row<uint8_t>(r), target->row<uint8_t>(r), bytes);
}

void cvVQtCalcColorAndGamma(VQtIplImage* source, VQtIplImage* target) {
    const CalibrationState& state = calibration();
    if (!state.active || cvVQtImageIsNull(source) || cvVQtImageIsNull(target) ||
        !sameGeometry(source, target) || source->depth != 8 || source->channels != 3)
        return;
    // Matrix and gamma in one pass over each whole row (every pixel, both passes).
    for (int r = 0; r < source->height; ++r)
        vqtColorAndGammaRow8(source->row<uint8_t>(r), target->row<uint8_t>(r), source->width, state.matrix);
}
