#include "h264_helpers.h"

#include <QFile>

#include <opencv2/imgproc.hpp>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/imgutils.h>
}

std::vector<uint8_t> readFileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = f.readAll();
    return std::vector<uint8_t>(all.begin(), all.end());
}

std::vector<H264Nal> splitAnnexB(const std::vector<uint8_t>& b) {
    std::vector<H264Nal> nals;
    const size_t n = b.size();
    // Start codes: 00 00 01 (a leading zero byte of 00 00 00 01 ends the previous unit).
    std::vector<size_t> starts;
    for (size_t i = 0; i + 2 < n; ++i) {
        if (b[i] == 0 && b[i + 1] == 0 && b[i + 2] == 1) {
            starts.push_back(i + 3);
            i += 2;
        }
    }
    for (size_t k = 0; k < starts.size(); ++k) {
        size_t end = k + 1 < starts.size() ? starts[k + 1] - 3 : n;
        while (end > starts[k] && b[end - 1] == 0)
            --end;
        H264Nal nal;
        nal.offset = starts[k];
        nal.size = end - starts[k];
        if (nal.size > 0)
            nal.type = b[nal.offset] & 0x1F;
        // first_mb_in_slice is the first Exp-Golomb field of the slice header; it is 0 exactly
        // when its first bit is 1.
        if ((nal.type == 1 || nal.type == 5) && nal.size > 1)
            nal.startsPicture = (b[nal.offset + 1] & 0x80) != 0;
        nals.push_back(nal);
    }
    return nals;
}

H264Summary summariseH264(const std::vector<uint8_t>& bytes) {
    H264Summary s;
    s.clean = bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 &&
              (bytes[2] == 1 || (bytes[2] == 0 && bytes[3] == 1));
    const std::vector<H264Nal> nals = splitAnnexB(bytes);
    if (!nals.empty())
        s.firstType = nals.front().type;
    for (const H264Nal& nal : nals) {
        if (nal.size == 0)
            s.clean = false;
        s.sps += nal.type == 7;
        s.pps += nal.type == 8;
        s.idr += nal.type == 5 && nal.startsPicture;
        s.slices += nal.type == 1 || nal.type == 5;
        s.pictures += nal.startsPicture;
    }
    return s;
}

namespace {
void keepPicture(const AVFrame* f, bool wantColour, DecodedVideo* out) {
    out->width = f->width;
    out->height = f->height;
    out->fullRange = f->color_range == AVCOL_RANGE_JPEG || f->format == AV_PIX_FMT_YUVJ420P;
    cv::Mat y(f->height, f->width, CV_8UC1);
    for (int r = 0; r < f->height; ++r)
        std::memcpy(y.ptr(r), f->data[0] + size_t(r) * size_t(f->linesize[0]), size_t(f->width));
    out->luma.push_back(y);
    if (!wantColour)
        return;
    // Planes packed one after the other for OpenCV's I420 conversion (even sizes only).
    const int w = f->width & ~1, h = f->height & ~1;
    cv::Mat i420(h * 3 / 2, w, CV_8UC1);
    for (int r = 0; r < h; ++r)
        std::memcpy(i420.ptr(r), f->data[0] + size_t(r) * size_t(f->linesize[0]), size_t(w));
    uint8_t* u = i420.ptr(h);
    uint8_t* v = u + size_t(w / 2) * size_t(h / 2);
    for (int r = 0; r < h / 2; ++r) {
        std::memcpy(u + size_t(r) * size_t(w / 2), f->data[1] + size_t(r) * size_t(f->linesize[1]),
                    size_t(w / 2));
        std::memcpy(v + size_t(r) * size_t(w / 2), f->data[2] + size_t(r) * size_t(f->linesize[2]),
                    size_t(w / 2));
    }
    cv::Mat bgr;
    cv::cvtColor(i420, bgr, cv::COLOR_YUV2BGR_I420);
    out->bgr.push_back(bgr);
}

void receive(AVCodecContext* ctx, AVFrame* frame, bool wantColour, DecodedVideo* out) {
    while (avcodec_receive_frame(ctx, frame) == 0) {
        if (frame->decode_error_flags || (frame->flags & AV_FRAME_FLAG_CORRUPT))
            ++out->errors;
        keepPicture(frame, wantColour, out);
        av_frame_unref(frame);
    }
}
} // namespace

DecodedVideo decodeH264(const QString& path, bool wantColour) {
    DecodedVideo out;
    const std::vector<uint8_t> bytes = readFileBytes(path);
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
    if (!codec)
        return out;
    AVCodecContext* ctx = avcodec_alloc_context3(codec);
    AVCodecParserContext* parser = av_parser_init(AV_CODEC_ID_H264);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    ctx->thread_count = 1;
    // Report damaged input instead of hiding it.
    ctx->err_recognition = AV_EF_EXPLODE | AV_EF_CRCCHECK | AV_EF_BITSTREAM;
    if (ctx && parser && packet && frame && avcodec_open2(ctx, codec, nullptr) == 0) {
        out.opened = true;
        // The parser wants padding after the last byte.
        std::vector<uint8_t> padded(bytes);
        padded.resize(bytes.size() + AV_INPUT_BUFFER_PADDING_SIZE, 0);
        const uint8_t* data = padded.data();
        int left = int(bytes.size());
        bool flushing = false;
        while (true) {
            uint8_t* unit = nullptr;
            int unitSize = 0;
            const int used = av_parser_parse2(parser, ctx, &unit, &unitSize, flushing ? nullptr : data,
                                              flushing ? 0 : left, AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
            if (!flushing) {
                data += used;
                left -= used;
            }
            if (unitSize > 0) {
                packet->data = unit;
                packet->size = unitSize;
                if (avcodec_send_packet(ctx, packet) < 0)
                    ++out.errors;
                receive(ctx, frame, wantColour, &out);
            }
            if (flushing && unitSize == 0)
                break;
            if (!flushing && left <= 0)
                flushing = true;
        }
        avcodec_send_packet(ctx, nullptr);
        receive(ctx, frame, wantColour, &out);
        if (ctx->framerate.num > 0 && ctx->framerate.den > 0)
            out.frameRate = double(ctx->framerate.num) / double(ctx->framerate.den);
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    av_parser_close(parser);
    avcodec_free_context(&ctx);
    return out;
}

cv::Mat sceneGrey(int width, int height, int frame) {
    cv::Mat m(height, width, CV_8UC1);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            m.at<uint8_t>(r, c) = uint8_t(20 + (c + frame) * 180 / (width + 64) + r * 40 / height);
    cv::circle(m, cv::Point(width / 3 + frame, height / 2), std::max(3, height / 5), cv::Scalar(230), -1,
               cv::LINE_AA);
    cv::rectangle(m, cv::Rect(width / 2 + frame, height / 4, std::max(2, width / 8), height / 2),
                  cv::Scalar(10), -1);
    return m;
}

cv::Mat sceneColour(int width, int height, int frame) {
    cv::Mat m(height, width, CV_8UC3);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            m.at<cv::Vec3b>(r, c) =
                cv::Vec3b(uint8_t(40 + (c + frame) * 160 / (width + 64)), uint8_t(60 + r * 120 / height),
                          uint8_t(200 - (c + r) * 100 / (width + height)));
    cv::circle(m, cv::Point(width / 3 + frame, height / 2), std::max(3, height / 5), cv::Scalar(30, 200, 240),
               -1, cv::LINE_AA);
    cv::rectangle(m, cv::Rect(width / 2 + frame, height / 4, std::max(2, width / 8), height / 2),
                  cv::Scalar(200, 40, 40), -1);
    return m;
}
