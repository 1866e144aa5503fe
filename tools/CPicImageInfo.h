#pragma once

// What the analysis windows need to know of the shown image; the main window hands one over
// with every new image.
struct CPicImageInfo {
    int width = 0;
    int height = 0;
    int channels = 0; // 1, 3 or 4
    int bitDepth = 8; // 8 to 16: significant bits of a sample

    bool operator==(const CPicImageInfo& o) const {
        return width == o.width && height == o.height && channels == o.channels && bitDepth == o.bitDepth;
    }
    bool operator!=(const CPicImageInfo& o) const { return !(*this == o); }
};
