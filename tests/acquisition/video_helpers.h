#pragma once

// Driving the recorder from tests: frame layouts, a listener for its signals, and a recording
// of given frames from start to close.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <mutex>
#include <vector>

#include <opencv2/core.hpp>

#include "acquisition/VQtImageParam.h"
#include "acquisition/VQtVideoX264.h"

VQtImageParam frameLayout(uint32_t imageType, int width, int height, uint32_t bits, uint32_t packed = 0,
                          uint32_t bayer = 0);

// Codes and log lines of one recorder, as they arrive on its thread.
struct VideoListener {
    std::mutex mutex; // a standard lock, which ThreadSanitizer sees
    std::vector<int> codes;
    QStringList lines;
    explicit VideoListener(VQtVideoX264& recorder);
    std::vector<int> codesNow();
    // Log lines containing `part`.
    int linesWith(const QString& part);
};

// Records every frame (recordAll) into `path` at `rate` and closes; false when the recording
// could not start or its thread did not end within the deadline.
bool recordFrames(VQtVideoX264& recorder, const QString& path, const VQtImageParam& param,
                  const std::vector<std::vector<uint8_t>>& frames, double rate = 25.0);

// Bytes of an 8-bit or 16-bit matrix, row after row.
std::vector<uint8_t> matBytes(const cv::Mat& m);
