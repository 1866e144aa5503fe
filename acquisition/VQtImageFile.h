#pragma once

// The ".iim" file: a 44-byte little-endian header holding the frame layout, then the frame bytes
// exactly as acquired. The same class reads and writes headerless ".raw" files (kind != 0).
// Writing goes through the safe writer: nothing replaces the file until closeImage() commits a
// complete one.

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <memory>

#include "acquisition/VQtImageParam.h"

struct VQtImageHeader {
    static constexpr uint32_t kSize = 44;
    static constexpr char kMagic[4] = {'0', '0', 'Q', 'Z'};

    uint32_t headerSize = kSize;
    char magic[4] = {'0', '0', 'Q', 'Z'};
    uint32_t storageAndChannels = 0; // storageBits low 16 bits, channels high 16 bits
    uint32_t bitDepth = 0;
    uint32_t imageType = 0;
    uint32_t packedType = 0;
    uint32_t bayerPattern = 0;
    uint32_t reserved0 = 0;
    uint32_t reserved1 = 0;
    uint32_t width = 0;
    uint32_t height = 0;

    static VQtImageHeader fromParam(const VQtImageParam& param);
    // Layout recorded in the header (both swap flags false).
    VQtImageParam toParam() const;
    void toBytes(uint8_t out[kSize]) const;
    static VQtImageHeader fromBytes(const uint8_t in[kSize]);
    // Empty when the header can describe `dataBytes` frame bytes and the frame can be shown;
    // otherwise the reason (a phrase without the file's name).
    QString check(uint64_t dataBytes) const;

    // Last: the macro leaves the members after it private.
    Q_DECLARE_TR_FUNCTIONS(VQtImageHeader)
};

enum VQT_IMAGE_TYPE { VQT_IMAGE_IIM = 0, VQT_IMAGE_RAW = 1 };

class VQtSafeFile;

class VQtImageFile {
    Q_DECLARE_TR_FUNCTIONS(VQtImageFile)

public:
    static constexpr uint64_t kChunk = 0x6400000; // 100 MiB per write call

    VQtImageFile();
    // A file opened for writing and never closed is discarded: the target stays as it was.
    ~VQtImageFile();
    VQtImageFile(const VQtImageFile&) = delete;
    VQtImageFile& operator=(const VQtImageFile&) = delete;

    // mode is the C library's ("rb", "wb"). Reading refuses anything but a regular file.
    bool openImage(const QString& path, const char* mode, int kind);
    // Reading: closes the file (always true). Writing: commits the new file over the target;
    // false when that fails, and the old file is then untouched.
    bool closeImage();
    int64_t getFileSize();
    bool readImageHeader(VQtImageHeader& header);
    bool writeImageHeader(const VQtImageHeader& header);
    bool writeImageData(const void* data, uint64_t length);
    // Reads min(available, length) bytes from `offset` (past the header for ".iim"); clears the
    // rest of destination. False when the read comes up short.
    bool readImageData(void* destination, uint64_t length, uint64_t offset);
    // Number of write calls the last writeImageData made.
    int lastChunkCount() const { return m_chunks; }
    // Why the last call failed: "Cannot open PATH: REASON", "Cannot write PATH: REASON"...
    const QString& errorString() const { return m_error; }

private:
    uint64_t dataStart() const { return m_kind == VQT_IMAGE_IIM ? VQtImageHeader::kSize : 0; }
    bool failRead(const QString& reason);

    QString m_path;
    FILE* m_file = nullptr;
    std::unique_ptr<VQtSafeFile> m_writer;
    int64_t m_size = -1;
    int m_kind = VQT_IMAGE_IIM;
    int m_chunks = 0;
    QString m_error;
};
