// Every converter of the frame buffer with fuzzed layout, destination size and offset.

#include <vector>

#include "acquisition/VQtPixelUnpack.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    VQtImageParam p;
    p.imageType = in.take(1) % 12;
    p.packedType = in.take(1) % 7;
    p.bitDepth = in.take(1) % 18;
    p.width = in.take(2);
    p.height = in.take(2);
    const uint32_t flags = in.take(1);
    p.sourceSwapped = flags & 1;
    p.rgbConversion = flags & 2;
    p.channels = 1 + (flags >> 2) % 4;
    const uint32_t destination = in.take(3) % (1u << 20);
    const uint32_t offset = in.take(1) % 16;
    VQtPixelUnpack::setSimdEnabled(!(flags & 0x80));

    VQtPsCricleBuffer buffer;
    if (!buffer.flush(in.restSize(), flags & 0x40))
        return 0;
    buffer.setImageParam(p);
    buffer.write(in.rest(), in.restSize(), flags & 0x20);
    std::vector<uint8_t> out(destination);
    buffer.read(out.data(), out.size(), offset);
    buffer.readThumbnail(out.data(), out.size(), offset);
    buffer.switchBuffer();
    buffer.read(out.data(), out.size() / 2, 0);
    return 0;
}
