#pragma once

// Saves frames to files, one call per file, keeping its intermediate pictures (the unpacked
// frame, the bit-range image, the converted image and the encoded bytes) from one call to the
// next: a sequence or a repeated save of same-sized frames allocates nothing after the first.
// Every file goes through the safe writer, so a failed save leaves the file it would have
// replaced untouched. Not thread-safe: each thread that saves owns its own saver.

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <vector>

#include <opencv2/core.hpp>

#include "acquisition/VQtImageFileIO.h"

class VQtIplImage;
class VQtPsCricleBuffer;
class VQtImageSaveParam;

class VQtImageSaver {
    Q_DECLARE_TR_FUNCTIONS(VQtImageSaver)

public:
    VQtImageSaver();
    ~VQtImageSaver();
    VQtImageSaver(const VQtImageSaver&) = delete;
    VQtImageSaver& operator=(const VQtImageSaver&) = delete;

    // Writes the frame of `buffer` (bytes from dataOffset) to `path`, the format chosen by the
    // ending (compared case-sensitively): a JPEG frame to ".jpg"/".jpeg" as is, ".raw" bytes
    // only, ".iim" header and bytes, anything else converted to a picture and encoded in the
    // format its suffix names. False with "Cannot write PATH: REASON" in *error.
    bool save(const QString& path, VQtPsCricleBuffer* buffer, const VQtImageSaveParam& save,
              const VQtPictureOptions& options, uint64_t dataOffset, QString* error = nullptr);

    // Gives the intermediate pictures back to the system.
    void release();

private:
    bool savePicture(const QString& path, VQtPsCricleBuffer* buffer, const VQtImageSaveParam& save,
                     const VQtPictureOptions& options, uint64_t dataOffset, QString* error);
    bool convert(VQtPsCricleBuffer* buffer, const VQtImageSaveParam& save, const VQtPictureOptions& options,
                 uint64_t dataOffset, cv::Mat& picture, QString* error);

    VQtIplImage* m_frame = nullptr;
    VQtIplImage* m_shifted = nullptr;
    VQtIplImage* m_converted = nullptr;
    std::vector<uchar> m_encoded;
};
