#pragma once

// Turns a queued frame into the 8-bit 4:2:0 picture the encoder takes, the way the live
// picture shows it: the frame is unpacked by its image parameters, a Bayer mosaic is
// demosaiced at its own depth (phase by the frame's Bayer pattern, method by the settings),
// deeper samples keep the eight bits the picture shows, grey frames become the luma plane and
// colour frames are converted with the BT.601 matrix. Plain 8-bit grey frames of even size go
// to the encoder straight from the queued buffer.

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <vector>

#include <opencv2/core.hpp>

#include "acquisition/VQtImageParam.h"
#include "acquisition/VQtX264Encoder.h"

class VQtIplImage;
class VQtPsCricleBuffer;

class VQtVideoFrameConverter {
    Q_DECLARE_TR_FUNCTIONS(VQtVideoFrameConverter)

public:
    VQtVideoFrameConverter();
    ~VQtVideoFrameConverter();
    VQtVideoFrameConverter(const VQtVideoFrameConverter&) = delete;
    VQtVideoFrameConverter& operator=(const VQtVideoFrameConverter&) = delete;

    // Prepares for frames of `param`. `bayerMethod` as the "Bayer Interpolation" setting;
    // `shift` the lowest shown bit of deeper samples, -1 for the picture's automatic window
    // (the top eight significant bits). False, with the reason, for a layout that cannot be
    // recorded.
    bool setup(const VQtImageParam& param, int bayerMethod, int shift, QString* error);
    // Whether the recording is grey (the frame's own values as luma) or colour.
    bool isGrey() const { return m_grey; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // The picture of one frame (bytes from `offset`), valid until the next call or until the
    // frame's buffer is reused. False, with the reason, when the frame cannot be converted.
    bool convert(VQtPsCricleBuffer* frame, uint64_t offset, VQtX264Encoder::Picture* picture, QString* error);

    // Whether a frame of this layout is recorded as grey.
    static bool recordsGrey(const VQtImageParam& param);
    // OpenCV's demosaicing code for a Bayer pattern (1..4), as the picture uses it unflipped.
    static int bayerCode(uint32_t pattern);

private:
    bool directGrey(VQtPsCricleBuffer* frame, uint64_t offset, VQtX264Encoder::Picture* picture);
    bool toBytes(VQtIplImage* image, cv::Mat* bytes);
    void toPicture(const cv::Mat& bytes, VQtX264Encoder::Picture* picture);

    VQtImageParam m_param;
    int m_bayerMethod = 0;
    int m_shift = -1;
    bool m_grey = true;
    int m_width = 0;
    int m_height = 0;
    int m_codedWidth = 0;
    int m_codedHeight = 0;
    std::vector<uint8_t> m_i420;         // Y, U, V planes of the coded size
    VQtIplImage* m_frame = nullptr;      // the unpacked frame
    VQtIplImage* m_demosaiced = nullptr; // B, G, R of a mosaic at its depth
    cv::Mat m_bytes;                     // 8-bit grey or B, G, R of the visible size
    cv::Mat m_padded;                    // the same, padded to the coded size
};
