#include "device/sim/SimFrameEncoder.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jpeglib.h>

#include "device/sim/SimRowSource.h"
#include "device/sim/SimScene.h"

namespace {

// Packs a sequence of samples, carrying partial bytes and pairs across rows.
class SampleWriter {
public:
    SampleWriter(uint8_t* dst, uint32_t packedType, uint32_t depth)
        : m_dst(dst), m_packed(packedType), m_depth(depth) {}

    void put(uint32_t v) {
        switch (m_packed) {
        case 1:
            putPair(v);
            break;
        case 2:
            m_bits = (m_bits << m_depth) | v;
            m_count += m_depth;
            while (m_count >= 8) {
                m_count -= 8;
                m_dst[m_pos++] = uint8_t(m_bits >> m_count);
            }
            m_bits &= (1ull << m_count) - 1;
            break;
        case 3:
            m_bits |= uint64_t(v) << m_count;
            m_count += m_depth;
            while (m_count >= 8) {
                m_dst[m_pos++] = uint8_t(m_bits);
                m_bits >>= 8;
                m_count -= 8;
            }
            break;
        default:
            if (m_depth > 8) {
                m_dst[m_pos++] = uint8_t(v);
                m_dst[m_pos++] = uint8_t(v >> 8);
            } else {
                m_dst[m_pos++] = uint8_t(v);
            }
        }
    }

    size_t finish() {
        if (m_packed == 1 && m_havePending)
            putPair(0);
        if ((m_packed == 2 || m_packed == 3) && m_count > 0)
            m_dst[m_pos++] = m_packed == 2 ? uint8_t(m_bits << (8 - m_count)) : uint8_t(m_bits);
        return m_pos;
    }

private:
    // Two 10- or 12-bit samples in three bytes: high bits in bytes 0 and 2, low bits in byte 1.
    void putPair(uint32_t v) {
        if (!m_havePending) {
            m_pending = v;
            m_havePending = true;
            return;
        }
        const uint32_t p0 = m_pending, p1 = v;
        if (m_depth == 10) {
            m_dst[m_pos] = uint8_t(p0 >> 2);
            m_dst[m_pos + 1] = uint8_t((p0 & 3) | ((p1 & 3) << 4));
            m_dst[m_pos + 2] = uint8_t(p1 >> 2);
        } else {
            m_dst[m_pos] = uint8_t(p0 >> 4);
            m_dst[m_pos + 1] = uint8_t((p0 & 0xF) | ((p1 & 0xF) << 4));
            m_dst[m_pos + 2] = uint8_t(p1 >> 4);
        }
        m_pos += 3;
        m_havePending = false;
    }

    uint8_t* m_dst;
    uint32_t m_packed;
    uint32_t m_depth;
    size_t m_pos = 0;
    uint64_t m_bits = 0;
    uint32_t m_count = 0;
    uint32_t m_pending = 0;
    bool m_havePending = false;
};

uint8_t clamp8(double v) {
    return uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v));
}

struct JpegErrorManager {
    jpeg_error_mgr base;
    jmp_buf jump;
};

void jpegErrorExit(j_common_ptr info) {
    longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

// The bare scene as a row source.
class SceneRows : public SimRowSource {
public:
    SceneRows(const SimScene& scene, uint64_t frame, const SimFrameFormat& f)
        : SimRowSource(frame, f), m_scene(scene) {}
    void fillRow(int y, uint16_t* out) const override {
        if (layout() == SimRowLayout::Mosaic)
            m_scene.mosaicRow(frame(), y, format().bayerPattern, out);
        else
            m_scene.row(frame(), y, layout() == SimRowLayout::Rgb, out);
    }

private:
    const SimScene& m_scene;
};

} // namespace

size_t SimFrameEncoder::encode(const SimScene& scene, uint64_t frame, const SimFrameFormat& f, uint8_t* dst,
                               size_t capacity) {
    if (int(f.width) != scene.width() || int(f.height) != scene.height())
        return 0;
    return encode(SceneRows(scene, frame, f), dst, capacity);
}

size_t SimFrameEncoder::encode(const SimRowSource& rows, uint8_t* dst, size_t capacity) {
    const SimFrameFormat& f = rows.format();
    if (f.width == 0 || f.height == 0)
        return 0;
    if (f.packedType == 4)
        return encodeJpeg(rows, dst, capacity);
    if (f.packedType == 5)
        return encodeCentralLine(rows.frame(), f, dst, capacity);
    if (f.frameBytes() > capacity)
        return 0;
    if (f.packedType == 1 && f.bitDepth != 10 && f.bitDepth != 12)
        return 0;
    return encodeRows(rows, dst);
}

size_t SimFrameEncoder::encodeRows(const SimRowSource& rows, uint8_t* dst) {
    const SimFrameFormat& f = rows.format();
    const int w = int(f.width);
    thread_local std::vector<uint16_t> row;
    row.resize(size_t(w) * 3);
    const uint32_t shift = 16 - std::min<uint32_t>(16, std::max<uint32_t>(8, f.bitDepth));
    SampleWriter out(dst, f.packedType, f.bitDepth);
    size_t yuvPos = 0;
    const bool plain = f.packedType == 0 && (f.imageType <= 5);
    const size_t rowSamples = size_t(w) * f.channels();
    for (int y = 0; y < int(f.height); ++y) {
        const uint16_t* s = row.data();
        rows.fillRow(y, row.data());
        if (plain && f.imageType <= 1) {
            // Unpacked mono and mosaic rows: the common live formats, written directly.
            if (f.bitDepth <= 8) {
                uint8_t* o = dst + size_t(y) * rowSamples;
                for (int x = 0; x < w; ++x)
                    o[x] = uint8_t(s[x] >> 8);
            } else {
                uint8_t* o = dst + size_t(y) * rowSamples * 2;
                for (int x = 0; x < w; ++x) {
                    const uint16_t v = uint16_t(s[x] >> shift);
                    o[2 * x] = uint8_t(v);
                    o[2 * x + 1] = uint8_t(v >> 8);
                }
            }
            continue;
        }
        if (plain && f.bitDepth <= 8) {
            // Unpacked 8-bit colour, written directly.
            const bool bgr = f.imageType >= 4;
            const bool alpha = f.imageType == 3 || f.imageType == 5;
            const int step = alpha ? 4 : 3;
            uint8_t* o = dst + size_t(y) * rowSamples;
            for (int x = 0; x < w; ++x, o += step) {
                const uint16_t* p = s + x * 3;
                o[0] = uint8_t((bgr ? p[2] : p[0]) >> 8);
                o[1] = uint8_t(p[1] >> 8);
                o[2] = uint8_t((bgr ? p[0] : p[2]) >> 8);
                if (alpha)
                    o[3] = 0xFF;
            }
            continue;
        }
        switch (f.imageType) {
        case 0:
        case 1:
            for (int x = 0; x < w; ++x)
                out.put(s[x] >> shift);
            break;
        case 2:
        case 3:
        case 4:
        case 5: {
            const bool bgr = f.imageType >= 4;
            const bool alpha = f.imageType == 3 || f.imageType == 5;
            for (int x = 0; x < w; ++x) {
                const uint16_t* p = s + x * 3;
                out.put((bgr ? p[2] : p[0]) >> shift);
                out.put(p[1] >> shift);
                out.put((bgr ? p[0] : p[2]) >> shift);
                if (alpha)
                    out.put(0xFFFFu >> shift);
            }
            break;
        }
        case 6:
        case 7:
            for (int x = 0; x + 1 < w; x += 2) {
                double yy[2], u = 0, v = 0;
                for (int k = 0; k < 2; ++k) {
                    const double r = s[(x + k) * 3] / 257.0, g = s[(x + k) * 3 + 1] / 257.0,
                                 b = s[(x + k) * 3 + 2] / 257.0;
                    yy[k] = 0.299 * r + 0.587 * g + 0.114 * b;
                    u += (-0.168736 * r - 0.331264 * g + 0.5 * b) / 2;
                    v += (0.5 * r - 0.418688 * g - 0.081312 * b) / 2;
                }
                uint8_t* o = dst + yuvPos;
                if (f.imageType == 6) {
                    o[0] = clamp8(yy[0]), o[1] = clamp8(u + 128), o[2] = clamp8(yy[1]),
                    o[3] = clamp8(v + 128);
                } else {
                    o[0] = clamp8(u + 128), o[1] = clamp8(yy[0]), o[2] = clamp8(v + 128),
                    o[3] = clamp8(yy[1]);
                }
                yuvPos += 4;
            }
            break;
        case 8:
        case 9:
        case 10:
            // Point clouds: A = column, B = row, C = height from the scene's brightness.
            for (int x = 0; x < w; ++x) {
                if (f.imageType == 8) {
                    out.put(s[x]);
                    continue;
                }
                out.put(uint32_t(x));
                out.put(uint32_t(y));
                if (f.imageType == 10)
                    out.put(s[x]);
            }
            break;
        default:
            return 0;
        }
    }
    if (f.imageType == 6 || f.imageType == 7)
        return yuvPos;
    if (plain && (f.imageType <= 1 || f.bitDepth <= 8))
        return size_t(f.frameBytes());
    return out.finish();
}

size_t SimFrameEncoder::encodeJpeg(const SimRowSource& rows, uint8_t* dst, size_t capacity) {
    const SimFrameFormat& f = rows.format();
    const size_t w = f.width;
    std::vector<uint16_t> row(w * 3);
    // Only the buffers carry the layout past setjmp: one or three components per pixel.
    std::vector<JSAMPLE> line(rows.layout() == SimRowLayout::Rgb ? w * 3 : w);
    unsigned char* mem = nullptr;
    unsigned long memSize = 0;
    jpeg_compress_struct cinfo;
    JpegErrorManager err;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = jpegErrorExit;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(mem);
        return 0;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &mem, &memSize);
    cinfo.image_width = f.width;
    cinfo.image_height = f.height;
    cinfo.input_components = int(line.size() / w);
    cinfo.in_color_space = line.size() > w ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, std::max(1, std::min(100, f.jpegQuality)), TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        rows.fillRow(int(cinfo.next_scanline), row.data());
        for (size_t i = 0; i < line.size(); ++i)
            line[i] = JSAMPLE(row[i] >> 8);
        JSAMPROW rows[1] = {line.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    size_t written = 0;
    if (memSize <= capacity) {
        std::memcpy(dst, mem, memSize);
        written = memSize;
    }
    std::free(mem);
    return written;
}

size_t SimFrameEncoder::encodeCentralLine(uint64_t frame, const SimFrameFormat& f, uint8_t* dst,
                                          size_t capacity) {
    // One record per column: a laser line that sweeps as a sine over the frame.
    const size_t need = size_t(f.width) * 8;
    if (need > capacity)
        return 0;
    const double pi = 3.14159265358979323846;
    for (uint32_t x = 0; x < f.width; ++x) {
        const double phase = 2 * pi * (double(x) + double(frame * 4)) / f.width;
        const double rowPos = f.height / 2.0 + f.height / 4.0 * std::sin(phase);
        const uint32_t fixed = uint32_t(rowPos * 1024.0);
        uint8_t* r = dst + size_t(x) * 8;
        r[0] = uint8_t(128 + 127 * std::cos(phase));
        r[1] = 0;
        r[2] = uint8_t(x), r[3] = uint8_t(x >> 8);
        r[4] = uint8_t(fixed), r[5] = uint8_t(fixed >> 8), r[6] = uint8_t(fixed >> 16),
        r[7] = uint8_t(fixed >> 24);
    }
    return need;
}
