#include "acquisition/VQtX264Encoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

extern "C" {
#include <x264.h>
}

namespace {
constexpr int kMatrixBt601 = 6; // SMPTE 170M, table E-5 of the H.264 standard
} // namespace

VQtX264Encoder::VQtX264Encoder() = default;

VQtX264Encoder::~VQtX264Encoder() {
    close();
}

void VQtX264Encoder::rateFraction(double frameRate, uint32_t* numerator, uint32_t* denominator) {
    const double rate = std::isfinite(frameRate) ? std::clamp(frameRate, 0.001, 1.0e6) : 1.0;
    uint32_t num = uint32_t(std::lround(rate * 1000.0)), den = 1000;
    const uint32_t g = std::gcd(num, den);
    *numerator = num / g;
    *denominator = den / g;
}

void VQtX264Encoder::logMessage(void* self, int level, const char* format, va_list args) {
    if (level > X264_LOG_ERROR)
        return;
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    auto* encoder = static_cast<VQtX264Encoder*>(self);
    QMutexLocker l(&encoder->m_logMutex);
    encoder->m_lastLog = QString::fromLocal8Bit(text).trimmed();
}

bool VQtX264Encoder::open(int width, int height, double frameRate, bool fullRange) {
    return open(width, height, frameRate, fullRange, Options());
}

bool VQtX264Encoder::open(int width, int height, double frameRate, bool fullRange, const Options& options) {
    close();
    m_error.clear();
    {
        QMutexLocker l(&m_logMutex);
        m_lastLog.clear();
    }
    if (width < 1 || height < 1) {
        m_error = tr("a picture of %1 x %2 pixels cannot be encoded").arg(width).arg(height);
        return false;
    }
    m_width = width;
    m_height = height;
    x264_param_t p;
    if (x264_param_default_preset(&p, options.preset, options.tune) < 0) {
        m_error = tr("the encoder does not know the preset %1").arg(QString::fromLatin1(options.preset));
        return false;
    }
    p.pf_log = &VQtX264Encoder::logMessage;
    p.p_log_private = this;
    p.i_log_level = X264_LOG_WARNING;
    p.i_threads = options.threads;
    p.i_csp = X264_CSP_I420;
    p.i_bitdepth = 8;
    p.i_width = codedWidth();
    p.i_height = codedHeight();
    rateFraction(frameRate, &m_rateNum, &m_rateDen);
    p.i_fps_num = m_rateNum;
    p.i_fps_den = m_rateDen;
    p.i_timebase_num = m_rateDen;
    p.i_timebase_den = m_rateNum;
    p.b_vfr_input = 0;
    const double keyframes = options.keyframeSeconds * double(m_rateNum) / double(m_rateDen);
    p.i_keyint_max = int(std::clamp(std::lround(keyframes), 1L, 100000L));
    p.rc.i_rc_method = X264_RC_CRF;
    p.rc.f_rf_constant = options.quality;
    p.b_repeat_headers = 1;
    p.b_annexb = 1;
    p.vui.b_fullrange = fullRange ? 1 : 0;
    p.vui.i_colmatrix = kMatrixBt601;
    m_encoder = x264_encoder_open(&p);
    // The encoder keeps its own copy of the settings.
    x264_param_cleanup(&p);
    if (!m_encoder) {
        QMutexLocker l(&m_logMutex);
        m_error = m_lastLog.isEmpty()
                      ? tr("the encoder refused a picture of %1 x %2 pixels").arg(width).arg(height)
                      : tr("the encoder refused: %1").arg(m_lastLog);
        return false;
    }
    m_pts = 0;
    return true;
}

int VQtX264Encoder::output(int bytes, void* nals, int count, const uint8_t** data) {
    if (bytes < 0) {
        QMutexLocker l(&m_logMutex);
        m_error = m_lastLog.isEmpty() ? tr("the encoder failed on frame %1").arg(m_pts)
                                      : tr("the encoder failed on frame %1: %2").arg(m_pts).arg(m_lastLog);
        return -1;
    }
    // x264 hands out the frame's NAL units back to back in one buffer.
    *data = bytes > 0 && count > 0 ? static_cast<x264_nal_t*>(nals)[0].p_payload : nullptr;
    return bytes;
}

int VQtX264Encoder::encode(const Picture& picture, const uint8_t** data) {
    *data = nullptr;
    if (!m_encoder) {
        m_error = tr("the encoder is not open");
        return -1;
    }
    x264_picture_t in, out;
    x264_picture_init(&in);
    in.img.i_csp = X264_CSP_I420;
    in.img.i_plane = 3;
    for (int i = 0; i < 3; ++i) {
        // x264 copies the picture before it returns and never writes to it.
        in.img.plane[i] = const_cast<uint8_t*>(picture.plane[i]);
        in.img.i_stride[i] = picture.stride[i];
    }
    in.i_pts = m_pts++;
    x264_nal_t* nals = nullptr;
    int count = 0;
    const int bytes = x264_encoder_encode(m_encoder, &nals, &count, &in, &out);
    return output(bytes, nals, count, data);
}

int VQtX264Encoder::flush(const uint8_t** data) {
    *data = nullptr;
    if (!m_encoder || x264_encoder_delayed_frames(m_encoder) <= 0)
        return 0;
    x264_picture_t out;
    x264_nal_t* nals = nullptr;
    int count = 0;
    const int bytes = x264_encoder_encode(m_encoder, &nals, &count, nullptr, &out);
    return output(bytes, nals, count, data);
}

int VQtX264Encoder::delayedFrames() const {
    return m_encoder ? x264_encoder_delayed_frames(m_encoder) : 0;
}

void VQtX264Encoder::close() {
    if (m_encoder) {
        x264_encoder_close(m_encoder);
        m_encoder = nullptr;
    }
}
