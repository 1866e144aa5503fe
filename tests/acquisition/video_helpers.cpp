#include "video_helpers.h"

#include <opencv2/core.hpp>

VQtImageParam frameLayout(uint32_t imageType, int width, int height, uint32_t bits, uint32_t packed,
                          uint32_t bayer) {
    VQtImageParam p;
    p.imageType = imageType;
    p.packedType = packed;
    p.bayerPattern = bayer;
    p.bitDepth = bits;
    p.width = uint32_t(width);
    p.height = uint32_t(height);
    p.deriveLayout();
    return p;
}

VideoListener::VideoListener(VQtVideoX264& recorder) {
    QObject::connect(&recorder, &VQtVideoX264::signalVideoErrorCode, [this](int code) {
        std::lock_guard<std::mutex> l(mutex);
        codes.push_back(code);
    });
    QObject::connect(&recorder, &VQtVideoX264::signalOutputInfo, [this](const QString& text, int) {
        std::lock_guard<std::mutex> l(mutex);
        lines << text;
    });
}

std::vector<int> VideoListener::codesNow() {
    std::lock_guard<std::mutex> l(mutex);
    return codes;
}

int VideoListener::linesWith(const QString& part) {
    std::lock_guard<std::mutex> l(mutex);
    return int(lines.filter(part).size());
}

bool recordFrames(VQtVideoX264& recorder, const QString& path, const VQtImageParam& param,
                  const std::vector<std::vector<uint8_t>>& frames, double rate) {
    recorder.setRecordAll(true);
    recorder.setMemoryProbe([] { return 0; }); // whatever this machine is doing
    if (!recorder.openX264(path, param, rate))
        return false;
    for (const std::vector<uint8_t>& f : frames)
        recorder.addBuffer(f.data(), f.size(), 0);
    recorder.closeX264();
    return recorder.isFinished() || !recorder.isRunning();
}

std::vector<uint8_t> matBytes(const cv::Mat& m) {
    const cv::Mat c = m.isContinuous() ? m : m.clone();
    return std::vector<uint8_t>(c.data, c.data + c.total() * c.elemSize());
}
