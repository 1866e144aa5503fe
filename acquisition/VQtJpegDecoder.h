#pragma once

// Decodes JPEG-compressed frames from memory. One decompressor is made per owner and reused for
// every frame. A corrupt frame is abandoned: the decoder's error handler jumps out of the
// library, the rows decoded so far stay in the destination and the decoder is reset.

#include <QString>

#include <cstdint>
#include <memory>

class VQtJpegDecoder {
public:
    VQtJpegDecoder();
    ~VQtJpegDecoder();
    VQtJpegDecoder(const VQtJpegDecoder&) = delete;
    VQtJpegDecoder& operator=(const VQtJpegDecoder&) = delete;

    // Grey frames decode to one byte per pixel, colour frames to B G R (as every other colour
    // path delivers). Rows are written while a whole row fits in destinationLength. Returns the
    // number of rows written; -1 when the data is not a readable JPEG.
    int decode(const uint8_t* source, uint64_t sourceLength, uint8_t* destination,
               uint64_t destinationLength);
    // Reads only the header: output width, height and components (1 or 3).
    bool geometry(const uint8_t* source, uint64_t sourceLength, int* width, int* height, int* components);
    // The library's message of the last failure (empty after a good frame).
    QString lastError() const { return m_error; }

    // Decompressor and error manager (defined with the library's types in the source file).
    struct State;

private:
    std::unique_ptr<State> m_state;
    QString m_error;
};
