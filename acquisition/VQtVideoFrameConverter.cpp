#include "acquisition/VQtVideoFrameConverter.h"

#include <algorithm>
#include <cstring>

#include <opencv2/imgproc.hpp>

#include "acquisition/VQtImageFileIO.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "imageproc/VQtDisplayBytes.h"
#include "imageproc/VQtIplImage.h"

namespace {
// Larger sides than this are no camera's; x264 and the players stop far below.
constexpr uint32_t kMaxSide = 1u << 15;

bool hasBayerPhase(const VQtImageParam& p) {
    return p.imageType == VQT_FRAME_BAYER && p.bayerPattern >= 1 && p.bayerPattern <= 4;
}
} // namespace

VQtVideoFrameConverter::VQtVideoFrameConverter() = default;

VQtVideoFrameConverter::~VQtVideoFrameConverter() {
    cvVQtReleaseImage(&m_frame);
    cvVQtReleaseImage(&m_demosaiced);
}

bool VQtVideoFrameConverter::recordsGrey(const VQtImageParam& p) {
    if (p.imageType == VQT_FRAME_BAYER)
        return !hasBayerPhase(p);
    return p.channels == 1;
}

int VQtVideoFrameConverter::bayerCode(uint32_t pattern) {
    // Pattern 1..4 as the picture's unflipped table: RG, BG, GR, GB.
    static const int codes[4] = {CV_BayerRG2BGR, CV_BayerBG2BGR, CV_BayerGR2BGR, CV_BayerGB2BGR};
    return pattern >= 1 && pattern <= 4 ? codes[pattern - 1] : CV_BayerRG2BGR;
}

bool VQtVideoFrameConverter::setup(const VQtImageParam& param, int bayerMethod, int shift, QString* error) {
    if (param.width < 1 || param.height < 1 || param.width > kMaxSide || param.height > kMaxSide) {
        *error = tr("frames of %1 x %2 pixels cannot be recorded").arg(param.width).arg(param.height);
        return false;
    }
    // JPEG frames take their layout from the decoder.
    const bool jpeg = param.packedType == VQT_PACKED_JPEG;
    if (!jpeg && ((param.storageBits != 8 && param.storageBits != 16) ||
                  (param.channels != 1 && param.channels != 3 && param.channels != 4))) {
        *error = tr("frames of %1-bit samples with %2 channels cannot be recorded")
                     .arg(param.storageBits)
                     .arg(param.channels);
        return false;
    }
    m_param = param;
    m_bayerMethod = bayerMethod;
    m_shift = shift;
    m_grey = recordsGrey(param);
    m_width = int(param.width);
    m_height = int(param.height);
    m_codedWidth = (m_width + 1) & ~1;
    m_codedHeight = (m_height + 1) & ~1;
    const size_t luma = size_t(m_codedWidth) * size_t(m_codedHeight);
    m_i420.assign(luma + luma / 2, 0);
    // Grey recordings keep neutral chroma for every frame.
    if (m_grey)
        std::memset(m_i420.data() + luma, 128, luma / 2);
    return true;
}

bool VQtVideoFrameConverter::directGrey(VQtPsCricleBuffer* frame, uint64_t offset,
                                        VQtX264Encoder::Picture* picture) {
    const VQtImageParam& p = m_param;
    const uint64_t bytes = uint64_t(m_width) * uint64_t(m_height);
    if (!m_grey || p.packedType != VQT_PACKED_NONE || p.storageBits != 8 || p.channels != 1 ||
        m_width != m_codedWidth || m_height != m_codedHeight || frame->getBufferSize() < offset + bytes)
        return false;
    const uint8_t* chroma = m_i420.data() + size_t(m_codedWidth) * size_t(m_codedHeight);
    picture->plane[0] = frame->getBuffer() + offset;
    picture->stride[0] = m_width;
    picture->plane[1] = chroma;
    picture->plane[2] = chroma + size_t(m_codedWidth / 2) * size_t(m_codedHeight / 2);
    picture->stride[1] = picture->stride[2] = m_codedWidth / 2;
    return true;
}

bool VQtVideoFrameConverter::toBytes(VQtIplImage* image, cv::Mat* bytes) {
    VQtIplImage* source = image;
    if (hasBayerPhase(m_param) && image->channels == 1) {
        if (!cvVQtCreateImage(&m_demosaiced, cvSize(image->width, image->height), image->depth, 3))
            return false;
        const unsigned bits = image->depth == 8 ? 8u : m_param.bitDepth;
        cvVQtCvtColor(image, m_demosaiced, bayerCode(m_param.bayerPattern), bits, m_bayerMethod);
        source = m_demosaiced;
    }
    const cv::Mat s = source->mat();
    const int channels = s.channels();
    cv::Mat eight;
    if (s.depth() == CV_16U) {
        const int shift = m_shift < 0 ? vqtDisplayShift(-1, int(m_param.bitDepth), true) : m_shift;
        eight.create(s.rows, s.cols, channels == 1 ? CV_8UC1 : CV_8UC3);
        vqtSamplesToBytes(s, eight, shift, false);
    } else if (channels == 4) {
        cv::cvtColor(s, eight, cv::COLOR_BGRA2BGR);
    } else {
        eight = s; // a view: the unpacked frame is already what the encoder needs
    }
    // A JPEG frame may decode to another layout than the recording was started with.
    if (m_grey != (eight.channels() == 1)) {
        cv::Mat other;
        cv::cvtColor(eight, other, m_grey ? cv::COLOR_BGR2GRAY : cv::COLOR_GRAY2BGR);
        eight = other;
    }
    if (eight.cols != m_width || eight.rows != m_height) {
        cv::Mat placed(m_height, m_width, eight.type(), cv::Scalar::all(0));
        const cv::Rect common(0, 0, std::min(m_width, eight.cols), std::min(m_height, eight.rows));
        eight(common).copyTo(placed(common));
        eight = placed;
    }
    *bytes = eight;
    return true;
}

void VQtVideoFrameConverter::toPicture(const cv::Mat& bytes, VQtX264Encoder::Picture* picture) {
    // Odd sizes repeat the last column and row (4:2:0 pictures have even sides).
    const cv::Mat* source = &bytes;
    if (m_codedWidth != m_width || m_codedHeight != m_height) {
        cv::copyMakeBorder(bytes, m_padded, 0, m_codedHeight - m_height, 0, m_codedWidth - m_width,
                           cv::BORDER_REPLICATE);
        source = &m_padded;
    }
    uint8_t* y = m_i420.data();
    const size_t luma = size_t(m_codedWidth) * size_t(m_codedHeight);
    if (m_grey) {
        picture->plane[0] = source->data;
        picture->stride[0] = int(source->step[0]);
    } else {
        cv::Mat yuv(m_codedHeight * 3 / 2, m_codedWidth, CV_8UC1, y);
        cv::cvtColor(*source, yuv, cv::COLOR_BGR2YUV_I420);
        picture->plane[0] = y;
        picture->stride[0] = m_codedWidth;
    }
    picture->plane[1] = y + luma;
    picture->plane[2] = y + luma + luma / 4;
    picture->stride[1] = picture->stride[2] = m_codedWidth / 2;
}

bool VQtVideoFrameConverter::convert(VQtPsCricleBuffer* frame, uint64_t offset,
                                     VQtX264Encoder::Picture* picture, QString* error) {
    if (m_i420.empty()) {
        *error = tr("the recording was not set up");
        return false;
    }
    if (directGrey(frame, offset, picture))
        return true;
    if (!vqtReadFrame(frame, offset, &m_frame, error))
        return false;
    if (!toBytes(m_frame, &m_bytes)) {
        *error = tr("no memory to convert the frame");
        return false;
    }
    toPicture(m_bytes, picture);
    return true;
}
