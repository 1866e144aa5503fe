#pragma once

// One raw frame exactly as the acquisition library delivered it, with its pixel layout, and the
// "read" that unpacks it into a display or processing image. Despite the name it holds a single
// frame: a newer frame overwrites the older one.
//
// In share mode write() only records the library's pointer; switchBuffer() makes the one copy
// right before the library takes its buffer back. Every operation on the bytes takes the lock
// exclusively, so the callback thread, the display thread and file loaders may all use it.

#include <cstdint>
#include <memory>
#include <mutex>

#include "acquisition/VQtImageParam.h"

class VQtJpegDecoder;

class VQtPsCricleBuffer {
public:
    // Extra bytes carried beyond every frame.
    static constexpr uint64_t kSlack = 1024;

    VQtPsCricleBuffer();
    ~VQtPsCricleBuffer();
    VQtPsCricleBuffer(const VQtPsCricleBuffer&) = delete;
    VQtPsCricleBuffer& operator=(const VQtPsCricleBuffer&) = delete;

    // Prepares for frames of frameSize bytes: (re)allocates frameSize + 1024 bytes when the
    // capacity differs, clears them, empties the frame. False (and an empty buffer) when the
    // memory cannot be had.
    bool flush(uint64_t frameSize, bool share);
    // Stores a frame: in share mode the pointer only, otherwise a copy of at most capacity bytes
    // (the rest cleared when zeroFill). False when no array exists.
    bool write(const void* data, uint64_t length, bool zeroFill);
    // Share mode: copies the referenced frame into the own array. True when nothing had to be
    // copied (not in share mode, or already switched).
    bool switchBuffer();
    // Unpacks the frame from byte `offset` into destination by packedType. False when no array
    // exists or no frame bytes lie past offset.
    bool read(void* destination, uint64_t destinationLength, uint64_t offset);
    // Like read, but always the plain copy path and no record copy.
    bool readThumbnail(void* destination, uint64_t destinationLength, uint64_t offset);

    void setImageParam(const VQtImageParam& param);
    VQtImageParam getImageParam();
    // Frame bytes (the library's buffer in share mode before switchBuffer).
    uint8_t* getBuffer();
    uint64_t getBufferSize();
    void setBufferSize(uint64_t size);
    uint64_t getCapacity();
    bool isShare();

    // Exclusive access for callers that fill getBuffer() directly (file loaders, callbacks that
    // render into the frame); the same thread may call the other members meanwhile.
    void lock() { m_lock.lock(); }
    void unlock() { m_lock.unlock(); }

    // Copy of every frame read kept aside while pixel capture runs (see setRecording).
    void bufferToRecordBuffer(uint64_t offset);
    // Puts the recorded frame back as the current one and releases the record copy.
    void recordBufferToBuffer();
    bool hasRecordBuffer();
    // Process-wide: frames read are also copied into each buffer's record copy.
    static void setRecording(bool on);
    static bool isRecording();

    // Size of the image a JPEG frame decodes to; false when the header cannot be read.
    bool jpegGeometry(int* width, int* height, int* components);

private:
    void convert(const uint8_t* source, uint64_t sourceLength, uint8_t* destination,
                 uint64_t destinationLength);
    void recordLocked(uint64_t offset);

    // Recursive so that a loader holding lock() can still use the accessors. A standard mutex:
    // the callback and display threads meet here, and ThreadSanitizer must see them do so.
    std::recursive_mutex m_lock;
    std::shared_ptr<uint8_t[]> m_buffer;
    uint64_t m_capacity = 0;
    std::shared_ptr<uint8_t[]> m_recordBuffer;
    bool m_share = false;
    bool m_zeroFill = false;
    uint8_t* m_current = nullptr;
    uint64_t m_size = 0;
    VQtImageParam m_param;
    std::unique_ptr<VQtJpegDecoder> m_jpeg;
};
