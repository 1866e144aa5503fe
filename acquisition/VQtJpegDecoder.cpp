#include "acquisition/VQtJpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

struct VQtJpegDecoder::State {
    struct ErrorManager {
        jpeg_error_mgr pub;
        std::jmp_buf jump;
        char message[JMSG_LENGTH_MAX];
    };
    jpeg_decompress_struct info;
    ErrorManager error;
    bool created = false;
};

namespace {

// Keeps the library's text and leaves the library: continuing after an error would read past
// the frame or loop on garbage.
void onError(j_common_ptr info) {
    auto* e = reinterpret_cast<VQtJpegDecoder::State::ErrorManager*>(info->err);
    (*info->err->format_message)(info, e->message);
    std::longjmp(e->jump, 1);
}

// Warnings (corrupt data the library can skip) are kept quiet; the frame goes on.
void onMessage(j_common_ptr, int) {}

// Nothing outside the decoder's own objects may live across setjmp: only plain values here.
int decodeFrame(VQtJpegDecoder::State* s, const uint8_t* src, unsigned long srcLen, uint8_t* dst,
                uint64_t dstLen, bool headerOnly, int* geometry) {
    jpeg_decompress_struct* info = &s->info;
    volatile int rows = 0;
    if (setjmp(s->error.jump)) {
        jpeg_abort_decompress(info);
        return -1 - rows;
    }
    jpeg_mem_src(info, src, srcLen);
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) {
        jpeg_abort_decompress(info);
        return -1;
    }
    if (info->num_components == 3 || info->jpeg_color_space == JCS_YCbCr)
        info->out_color_space = JCS_EXT_BGR;
    jpeg_calc_output_dimensions(info);
    // Multi-scan files keep every coefficient in memory: refuse absurd sizes from a bad header
    // rather than asking for gigabytes.
    const uint64_t pixels = uint64_t(info->output_width) * info->output_height;
    if (info->progressive_mode && pixels > (64ull << 20)) {
        std::snprintf(s->error.message, sizeof(s->error.message), "progressive JPEG of %llu pixels refused",
                      static_cast<unsigned long long>(pixels));
        jpeg_abort_decompress(info);
        return -1;
    }
    geometry[0] = int(info->output_width);
    geometry[1] = int(info->output_height);
    geometry[2] = info->output_components;
    if (headerOnly) {
        jpeg_abort_decompress(info);
        return 0;
    }
    jpeg_start_decompress(info);
    const uint64_t stride = uint64_t(info->output_width) * uint64_t(info->output_components);
    while (info->output_scanline < info->output_height && (uint64_t(rows) + 1) * stride <= dstLen) {
        JSAMPROW row = dst + uint64_t(rows) * stride;
        if (jpeg_read_scanlines(info, &row, 1) != 1)
            break;
        rows = rows + 1;
    }
    if (info->output_scanline < info->output_height)
        jpeg_abort_decompress(info);
    else
        jpeg_finish_decompress(info);
    return rows;
}

} // namespace

VQtJpegDecoder::VQtJpegDecoder() : m_state(std::make_unique<State>()) {
    State* s = m_state.get();
    std::memset(&s->info, 0, sizeof(s->info));
    s->info.err = jpeg_std_error(&s->error.pub);
    s->error.pub.error_exit = onError;
    s->error.pub.emit_message = onMessage;
    s->error.message[0] = 0;
    if (setjmp(s->error.jump) == 0) {
        jpeg_create_decompress(&s->info);
        s->created = true;
    }
}

VQtJpegDecoder::~VQtJpegDecoder() {
    if (m_state->created)
        jpeg_destroy_decompress(&m_state->info);
}

int VQtJpegDecoder::decode(const uint8_t* source, uint64_t sourceLength, uint8_t* destination,
                           uint64_t destinationLength) {
    m_error.clear();
    if (!m_state->created || sourceLength == 0 || sourceLength > 0xFFFFFFFFull) {
        m_error = QStringLiteral("no JPEG data");
        return -1;
    }
    int geometry[3] = {0, 0, 0};
    m_state->error.message[0] = 0;
    const int r = decodeFrame(m_state.get(), source, static_cast<unsigned long>(sourceLength), destination,
                              destinationLength, false, geometry);
    if (r < 0) {
        m_error = QString::fromLocal8Bit(m_state->error.message);
        if (m_error.isEmpty())
            m_error = QStringLiteral("not a JPEG frame");
    }
    return r < 0 ? -1 : r;
}

bool VQtJpegDecoder::geometry(const uint8_t* source, uint64_t sourceLength, int* width, int* height,
                              int* components) {
    if (!m_state->created || sourceLength == 0 || sourceLength > 0xFFFFFFFFull)
        return false;
    int g[3] = {0, 0, 0};
    if (decodeFrame(m_state.get(), source, static_cast<unsigned long>(sourceLength), nullptr, 0, true, g) < 0)
        return false;
    *width = g[0];
    *height = g[1];
    *components = g[2];
    return true;
}
