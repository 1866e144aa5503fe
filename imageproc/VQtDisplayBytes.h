#pragma once

// The eight bits of a deeper sample that a picture shows: (sample >> shift), low eight bits
// kept. The picture canvas and the video recorder both go through here, so a recording looks
// like the live picture.

#include <opencv2/core.hpp>

// Shift of the 8-bit window: with `adaptive` the top eight of `bits` significant bits (bits - 8,
// never below 0), otherwise `shift` (-1, no window chosen, counts as 0). At most 15.
int vqtDisplayShift(int shift, int bits, bool adaptive);

// 16-bit samples (1, 3 or 4 channels, B G R order) to bytes: one channel gives grey bytes,
// three or four channels give three bytes per pixel, in R G B order when `rgbOrder` is set and
// B G R otherwise (a fourth channel is dropped). `target` must be shaped already (same size,
// 8 bit, 1 or 3 channels); other sources leave it untouched.
void vqtSamplesToBytes(const cv::Mat& source, cv::Mat& target, int shift, bool rgbOrder);
