#pragma once

// Reading back what the recorder wrote: the NAL units of an Annex-B elementary stream, and the
// pictures libavcodec decodes from it.

#include <QString>

#include <cstdint>
#include <vector>

#include <opencv2/core.hpp>

struct H264Nal {
    int type = 0;               // nal_unit_type: 1 slice, 5 IDR slice, 7 SPS, 8 PPS, 9 delimiter...
    size_t offset = 0;          // first byte after the start code
    size_t size = 0;            // bytes up to the next start code
    bool startsPicture = false; // a slice with first_mb_in_slice 0
};

struct H264Summary {
    int sps = 0, pps = 0, idr = 0, slices = 0, pictures = 0;
    int firstType = 0; // type of the first NAL unit
    bool clean = true; // the stream starts with a start code and has no empty NAL unit
};

std::vector<uint8_t> readFileBytes(const QString& path);
std::vector<H264Nal> splitAnnexB(const std::vector<uint8_t>& bytes);
H264Summary summariseH264(const std::vector<uint8_t>& bytes);

struct DecodedVideo {
    bool opened = false;
    int width = 0, height = 0;
    double frameRate = 0; // from the stream's timing information
    bool fullRange = false;
    int errors = 0;            // packets or pictures the decoder refused
    std::vector<cv::Mat> luma; // 8-bit Y plane of each picture
    std::vector<cv::Mat> bgr;  // each picture as B, G, R (when asked for)
};

// Decodes a whole file with libavcodec's H.264 decoder.
DecodedVideo decodeH264(const QString& path, bool wantColour = false);

// Test scenes: gradients, discs and bars moving `frame` pixels to the right; smooth enough that
// the encoder keeps them well, busy enough to show a wrong pixel order.
cv::Mat sceneGrey(int width, int height, int frame);
cv::Mat sceneColour(int width, int height, int frame); // B, G, R
