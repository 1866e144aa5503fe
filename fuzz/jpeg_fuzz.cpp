// The JPEG path: header read, then decoding into a destination sized from the header (bounded),
// or into a fuzzed smaller one.

#include <algorithm>
#include <vector>

#include "acquisition/VQtJpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static VQtJpegDecoder decoder; // reused across frames, as the frame buffer does
    if (size < 2)
        return 0;
    int w = 0, h = 0, c = 0;
    uint64_t room = data[0] * 97ull;
    if (decoder.geometry(data + 1, size - 1, &w, &h, &c))
        room = std::min<uint64_t>(uint64_t(w) * h * c, 4u << 20);
    std::vector<uint8_t> out(room);
    decoder.decode(data + 1, size - 1, out.data(), out.size());
    return 0;
}
