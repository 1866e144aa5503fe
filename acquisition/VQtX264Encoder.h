#pragma once

// One H.264 encoder (libx264) writing an Annex-B elementary stream of 8-bit 4:2:0 pictures.
//
// Settings for recording a camera stream, chosen so that the encoder keeps up with the frames
// rather than squeezing the file (see docs/video-recording.md for the figures):
// - preset "ultrafast": the next faster preset costs about four times the time per frame;
// - tune "zerolatency": no frames held back (every frame's bytes come out of its own encode
//   call, so a stop loses nothing and drains nothing) and one frame encoded by all threads in
//   slices, which keeps the memory for the encoder's own frame copies small at 12 megapixels;
// - threads: x264's automatic choice (one slice thread per processor);
// - constant quality 23 (x264's default): sensor noise below it is not coded, which keeps the
//   bit rate and the time per frame down; lower values code the noise at several times the cost;
// - an IDR picture with its SPS and PPS every two seconds, so any part of a file decodes alone;
// - colour space: 4:2:0. Grey frames are the luma plane as they are (full range) with neutral
//   chroma; colour frames are converted with the ITU-R BT.601 matrix in video range. The stream
//   says which, so players show both as recorded. 4:0:0 (grey only) would be somewhat
//   faster but many players and hardware decoders refuse it.
// 4:2:0 pictures have even sides (the stream's cropping window moves in steps of two as well),
// so an odd width or height is padded by repeating the last column or row: every pixel is kept
// and the video is one pixel wider or taller.

#include <QCoreApplication>
#include <QMutex>
#include <QString>

#include <cstdarg>
#include <cstdint>

struct x264_t;

class VQtX264Encoder {
    Q_DECLARE_TR_FUNCTIONS(VQtX264Encoder)

public:
    struct Options {
        const char* preset = "ultrafast";
        const char* tune = "zerolatency"; // nullptr: none
        int threads = 0;                  // 0: x264's automatic choice
        float quality = 23.0f;            // constant rate factor
        double keyframeSeconds = 2.0;
    };
    // A 4:2:0 picture of codedWidth() x codedHeight(): Y, U and V planes with their strides.
    struct Picture {
        const uint8_t* plane[3] = {nullptr, nullptr, nullptr};
        int stride[3] = {0, 0, 0};
    };

    VQtX264Encoder();
    ~VQtX264Encoder();
    VQtX264Encoder(const VQtX264Encoder&) = delete;
    VQtX264Encoder& operator=(const VQtX264Encoder&) = delete;

    // Opens an encoder for width x height pictures at frameRate frames per second (at least
    // 1/1000). `fullRange` marks grey recordings (luma 0..255), otherwise BT.601 video range.
    // False, with the reason in errorString(), when x264 refuses.
    bool open(int width, int height, double frameRate, bool fullRange);
    bool open(int width, int height, double frameRate, bool fullRange, const Options& options);
    // Encodes one picture. Returns the number of stream bytes that came out (0 while the
    // encoder holds the frame back) and points *data at them (valid until the next call), or
    // -1 when the encoder fails.
    int encode(const Picture& picture, const uint8_t** data);
    // Bytes of one frame held back, or 0 when none is left; -1 on failure.
    int flush(const uint8_t** data);
    int delayedFrames() const;
    void close();
    bool isOpen() const { return m_encoder != nullptr; }

    int width() const { return m_width; }
    int height() const { return m_height; }
    // Size of the pictures encode() takes: width and height rounded up to even numbers.
    int codedWidth() const { return (m_width + 1) & ~1; }
    int codedHeight() const { return (m_height + 1) & ~1; }
    // Frames per second as the stream states it (numerator / denominator).
    uint32_t rateNumerator() const { return m_rateNum; }
    uint32_t rateDenominator() const { return m_rateDen; }
    const QString& errorString() const { return m_error; }

    // The frame rate as a fraction with a denominator of 1000 or less, reduced.
    static void rateFraction(double frameRate, uint32_t* numerator, uint32_t* denominator);

private:
    static void logMessage(void* self, int level, const char* format, va_list args);
    int output(int bytes, void* nals, int count, const uint8_t** data);

    x264_t* m_encoder = nullptr;
    int m_width = 0;
    int m_height = 0;
    uint32_t m_rateNum = 0;
    uint32_t m_rateDen = 1;
    int64_t m_pts = 0;
    QString m_error;
    QMutex m_logMutex; // x264 may report from its own threads
    QString m_lastLog; // x264's last error message, for errorString()
};
