#include "acquisition/VQtImageFileIO.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstring>
#include <vector>

#include "acquisition/VQtImageFile.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "core/VQtSystemParam.h"
#include "imageproc/VQtColorCorrection.h"
#include "imageproc/VQtFilters.h"
#include "imageproc/VQtIplImage.h"

namespace {

// The translation context of this file's messages, declared where lupdate can see it.
class Messages {
    Q_DECLARE_TR_FUNCTIONS(VQtImageFileIO)
};

bool fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

// Largest picture the conversion makes from one frame: a bad layout must not ask for more.
constexpr uint64_t kMaxPictureBytes = 8ull << 30;
constexpr uint32_t kMaxSide = 1u << 20;

// Frame bytes from the buffer's current data, under its lock, into a file of the given kind.
bool writeFrameBytes(const QString& path, VQtPsCricleBuffer* buffer, uint64_t offset, int kind,
                     const VQtImageHeader* header, QString* error) {
    VQtImageFile file;
    if (!file.openImage(path, "wb", kind))
        return fail(error, Messages::tr("Cannot open %1 for writing").arg(path));
    buffer->lock();
    const uint8_t* data = buffer->getBuffer();
    const uint64_t size = buffer->getBufferSize();
    const uint64_t n = size > offset ? size - offset : 0;
    bool ok =
        (!header || file.writeImageHeader(*header)) && file.writeImageData(n ? data + offset : nullptr, n);
    buffer->unlock();
    file.closeImage();
    return ok ? true : fail(error, Messages::tr("Failed to write %1").arg(path));
}

// Samples of a picture row by row (the picture may be any OpenCV matrix, the record is packed).
template <typename S, typename D, typename F> void mapSamples(const VQtIplImage* from, VQtIplImage* to, F f) {
    const size_t perRow = size_t(from->width) * size_t(from->channels);
    for (int y = 0; y < from->height; ++y) {
        const S* s = from->row<S>(y);
        D* d = to->row<D>(y);
        for (size_t i = 0; i < perRow; ++i)
            d[i] = f(s[i]);
    }
}

VQtIplImage* positionImage(VQtIplImage* image, VQtIplImage** converted, int rowOffset, int columnOffset) {
    const int w = image->width / 2, h = image->height / 2;
    if (w < 1 || h < 1 || !cvVQtCreateImage(converted, cvSize(w, h), image->depth, 1))
        return nullptr;
    VQtIplImage* out = *converted;
    for (int y = 0; y < h; ++y) {
        if (image->depth == 8) {
            const uint8_t* s = image->row<uint8_t>(2 * y + rowOffset) + columnOffset;
            uint8_t* d = out->row<uint8_t>(y);
            for (int x = 0; x < w; ++x)
                d[x] = s[2 * x];
        } else {
            const uint16_t* s = image->row<uint16_t>(2 * y + rowOffset) + columnOffset;
            uint16_t* d = out->row<uint16_t>(y);
            for (int x = 0; x < w; ++x)
                d[x] = s[2 * x];
        }
    }
    return out;
}

VQtIplImage* fourthChannel(VQtIplImage* image, VQtIplImage** converted) {
    if (!cvVQtCreateImage(converted, cvSize(image->width, image->height), image->depth, 1))
        return nullptr;
    cv::Mat target = (*converted)->mat();
    cv::extractChannel(image->mat(), target, 3);
    return *converted;
}

bool endsWith(const QString& path, const char* suffix) {
    return path.endsWith(QLatin1String(suffix));
}

} // namespace

VQtPictureOptions VQtPictureOptions::fromSettings() {
    VQtPictureOptions o;
    o.bayerMethod = g_sysPrm.general.BayerInterMethod;
    o.denoise = g_sysPrm.process.DenoiseThreshold;
    o.sharpen = g_sysPrm.process.SharpenImg;
    return o;
}

bool vqtReadFrame(VQtPsCricleBuffer* buffer, uint64_t dataOffset, VQtIplImage** image, QString* error) {
    const VQtImageParam p = buffer->getImageParam();
    int width = int(std::min(p.width, kMaxSide + 1)), height = int(std::min(p.height, kMaxSide + 1));
    int depth = int(p.storageBits), channels = int(p.channels);
    if (p.packedType == VQT_PACKED_JPEG) {
        int components = 0;
        if (!buffer->jpegGeometry(&width, &height, &components))
            return fail(error, Messages::tr("The frame is not a readable JPEG image"));
        depth = 8;
        channels = components;
    }
    if (width < 1 || height < 1 || uint32_t(width) > kMaxSide || uint32_t(height) > kMaxSide)
        return fail(error, Messages::tr("Frame size %1 x %2 cannot be converted").arg(p.width).arg(p.height));
    if ((depth != 8 && depth != 16) || (channels != 1 && channels != 3 && channels != 4))
        return fail(error, Messages::tr("Frame of %1-bit samples with %2 channels cannot be converted")
                               .arg(depth)
                               .arg(channels));
    // A truncated frame still converts (the missing part reads as black), but a layout claiming
    // far more than its bytes can fill is a damaged header, not a picture worth gigabytes.
    const uint64_t pictureBytes = uint64_t(width) * height * channels * (depth / 8);
    const uint64_t frameBytes = buffer->getBufferSize();
    if (pictureBytes > kMaxPictureBytes ||
        pictureBytes >
            std::max<uint64_t>(frameBytes * (p.packedType == VQT_PACKED_JPEG ? 1024 : 64), 32ull << 20))
        return fail(error, Messages::tr("Frame size %1 x %2 does not fit its %3 bytes of data")
                               .arg(width)
                               .arg(height)
                               .arg(frameBytes));
    if (!cvVQtCreateImage(image, cvSize(width, height), depth, channels))
        return fail(error, Messages::tr("Failed to allocate memory"));
    if (!buffer->read((*image)->getAddress(), (*image)->size, dataOffset))
        return fail(error, Messages::tr("The frame holds no image data"));
    return true;
}

VQtIplImage* vqtShiftImage(VQtIplImage* image, VQtIplImage** converted, bool stretch, int shift,
                           int frameBits, int* bits) {
    *bits = frameBits;
    if (!stretch && shift == -1)
        return image;
    const int s = std::clamp(shift, 0, 15);
    const CvSize size = cvSize(image->width, image->height);
    if (stretch) {
        if (!cvVQtCreateImage(converted, size, 16, image->channels))
            return image;
        if (image->depth == 8)
            mapSamples<uint8_t, uint16_t>(image, *converted, [s](uint8_t v) { return uint16_t(v << s); });
        else
            mapSamples<uint16_t, uint16_t>(image, *converted, [s](uint16_t v) { return uint16_t(v << s); });
        *bits = 16;
        return *converted;
    }
    if (!cvVQtCreateImage(converted, size, 8, image->channels))
        return image;
    // Samples above the chosen range saturate instead of wrapping round to dark values.
    if (image->depth == 8)
        mapSamples<uint8_t, uint8_t>(image, *converted, [s](uint8_t v) { return uint8_t(v >> s); });
    else
        mapSamples<uint16_t, uint8_t>(image, *converted,
                                      [s](uint16_t v) { return uint8_t(std::min(v >> s, 255)); });
    *bits = 8;
    return *converted;
}

VQtIplImage* calcImage(VQtIplImage* image, VQtIplImage** converted, int bits, int switchType,
                       const VQtPictureOptions& options) {
    if (cvVQtImageIsNull(image))
        return nullptr;
    VQtIplImage* out = nullptr;
    if (image->channels == 3) {
        out = image;
    } else if (image->channels == 4) {
        if (switchType == 0) {
            if (cvVQtCreateImage(converted, cvSize(image->width, image->height), image->depth, 3)) {
                cv::Mat target = (*converted)->mat();
                cv::cvtColor(image->mat(), target, cv::COLOR_BGRA2BGR);
                out = *converted;
            }
        } else if (switchType == 1) {
            out = fourthChannel(image, converted);
        } else if (switchType == 2) {
            out = image;
        }
    } else if (image->channels == 1) {
        static const int codes[4] = {48, 46, 49, 47};
        if (switchType == 0) {
            out = image;
        } else if (switchType >= 1 && switchType <= 4) {
            if (image->width >= 2 && image->height >= 2 &&
                cvVQtCreateImage(converted, cvSize(image->width, image->height), image->depth, 3)) {
                cvVQtCvtColor(image, *converted, codes[switchType - 1], unsigned(bits), options.bayerMethod);
                out = *converted;
            }
        } else if (switchType >= 5 && switchType <= 8) {
            const int position = switchType - 5;
            out = positionImage(image, converted, position >> 1, position & 1);
        }
    }
    if (!out)
        return nullptr;
    if (options.denoise > 0 && (out->channels == 1 || out->channels == 3))
        cvVQtDenoise(out, out, options.denoise, unsigned(bits));
    if (options.sharpen > 0 && (out->channels == 1 || out->channels == 3))
        cvVQtSharpen(out, out, options.sharpen, unsigned(bits));
    return out;
}

bool vqtSaveImage(const QString& path, VQtPsCricleBuffer* buffer, const VQtImageSaveParam& save,
                  uint64_t dataOffset, QString* error) {
    return vqtSaveImage(path, buffer, save, VQtPictureOptions::fromSettings(), dataOffset, error);
}

bool vqtSaveImage(const QString& path, VQtPsCricleBuffer* buffer, const VQtImageSaveParam& save,
                  const VQtPictureOptions& options, uint64_t dataOffset, QString* error) {
    if (!buffer)
        return fail(error, Messages::tr("No frame to save"));
    const VQtImageParam p = buffer->getImageParam();
    if (p.packedType == VQT_PACKED_JPEG && (endsWith(path, ".jpg") || endsWith(path, ".jpeg")))
        return writeFrameBytes(path, buffer, dataOffset, VQT_IMAGE_RAW, nullptr, error);
    if (endsWith(path, ".raw"))
        return writeFrameBytes(path, buffer, 0, VQT_IMAGE_RAW, nullptr, error);
    if (endsWith(path, ".iim")) {
        const VQtImageHeader header = VQtImageHeader::fromParam(p);
        return writeFrameBytes(path, buffer, 0, VQT_IMAGE_IIM, &header, error);
    }

    VQtIplImage *frame = nullptr, *shifted = nullptr, *converted = nullptr;
    bool ok = vqtReadFrame(buffer, dataOffset, &frame, error);
    if (ok) {
        int bits = int(p.bitDepth);
        if (p.packedType == VQT_PACKED_JPEG || frame->depth == 8)
            bits = std::min(bits, 8);
        VQtIplImage* image = vqtShiftImage(frame, &shifted, save.StretchImage, save.Shift, bits, &bits);
        image = calcImage(image, &converted, bits, save.SwitchType, options);
        if (!image) {
            ok = fail(error, Messages::tr("The data format chosen does not apply to this frame"));
        } else {
            if (options.colourCorrection)
                cvVQtCalcColorAndGamma(image, image);
            std::vector<int> params;
            if (endsWith(path.toLower(), ".jpg") || endsWith(path.toLower(), ".jpeg"))
                params = {cv::IMWRITE_JPEG_QUALITY, std::clamp(save.JpegQuality, 0, 100), 0};
            ok = cvVQtSaveImage(QFile::encodeName(path).constData(), image,
                                params.empty() ? nullptr : params.data());
            if (!ok)
                fail(error, Messages::tr("Failed to write %1").arg(path));
        }
    }
    cvVQtReleaseImage(&frame);
    cvVQtReleaseImage(&shifted);
    cvVQtReleaseImage(&converted);
    return ok;
}

bool vqtOpenImage(const QString& path, VQtPsCricleBuffer* buffer, const VQtImageParam* rawParam,
                  uint64_t rawStart, QString* error) {
    const QString suffix = path.right(4).toLower();
    if (suffix == QLatin1String(".iim"))
        return vqtOpenIimImage(path, buffer, error);
    if (suffix == QLatin1String(".raw")) {
        if (!rawParam)
            return fail(error, Messages::tr("A raw file needs its width, height and pixel format"));
        return vqtOpenRawImage(path, buffer, *rawParam, rawStart, error);
    }
    return vqtOpenCommonImage(path, buffer, error);
}

bool vqtOpenIimImage(const QString& path, VQtPsCricleBuffer* buffer, QString* error) {
    VQtImageFile file;
    if (!file.openImage(path, "rb", VQT_IMAGE_IIM))
        return fail(error, Messages::tr("Cannot open %1").arg(path));
    const int64_t size = file.getFileSize();
    VQtImageHeader header;
    if (size < int64_t(VQtImageHeader::kSize) || !file.readImageHeader(header))
        return fail(error, Messages::tr("%1 is too short for an image file header").arg(path));
    const uint64_t n = uint64_t(size) - VQtImageHeader::kSize;
    const QString problem = header.check(n);
    if (!problem.isEmpty())
        return fail(error, problem);
    if (!buffer->flush(n, false))
        //: 分配内存失败
        return fail(error, Messages::tr("Failed to allocate memory"));
    buffer->lock();
    buffer->setImageParam(header.toParam());
    const bool ok = file.readImageData(buffer->getBuffer(), n, 0);
    buffer->setBufferSize(ok ? n : 0);
    buffer->unlock();
    return ok ? true : fail(error, Messages::tr("Failed to read the data of %1").arg(path));
}

bool vqtOpenRawImage(const QString& path, VQtPsCricleBuffer* buffer, const VQtImageParam& param,
                     uint64_t start, QString* error) {
    VQtImageFile file;
    if (!file.openImage(path, "rb", VQT_IMAGE_RAW))
        return fail(error, Messages::tr("Cannot open %1").arg(path));
    const int64_t size = file.getFileSize();
    if (size < 0 || uint64_t(size) <= start)
        return fail(error, Messages::tr("%1 holds no data after byte %2").arg(path).arg(start));
    const uint64_t n = uint64_t(size) - start;
    if (!buffer->flush(n, false))
        //: 分配内存失败
        return fail(error, Messages::tr("Failed to allocate memory"));
    VQtImageParam p = param;
    p.sourceSwapped = false;
    p.rgbConversion = false;
    buffer->lock();
    buffer->setImageParam(p);
    const bool ok = file.readImageData(buffer->getBuffer(), n, start);
    buffer->setBufferSize(ok ? n : 0);
    buffer->unlock();
    return ok ? true : fail(error, Messages::tr("Failed to read the data of %1").arg(path));
}

bool vqtOpenCommonImage(const QString& path, VQtPsCricleBuffer* buffer, QString* error) {
    if (!QFileInfo(path).isFile())
        return fail(error, Messages::tr("Cannot open %1").arg(path));
    cv::Mat picture;
    try {
        picture =
            cv::imread(QFile::encodeName(path).toStdString(), cv::IMREAD_ANYDEPTH | cv::IMREAD_ANYCOLOR);
    } catch (const cv::Exception&) {
        picture.release();
    }
    if (picture.empty())
        return fail(error, Messages::tr("%1 is not a readable picture").arg(path));
    if (picture.depth() != CV_8U && picture.depth() != CV_16U) {
        cv::Mat converted;
        picture.convertTo(converted, CV_16U);
        picture = converted;
    }
    const int channels = picture.channels();
    if (channels == 2) {
        cv::Mat first;
        cv::extractChannel(picture, first, 0);
        picture = first;
    }
    const uint64_t rowBytes = uint64_t(picture.cols) * picture.elemSize();
    const uint64_t n = rowBytes * uint64_t(picture.rows);
    if (!buffer->flush(n, false))
        //: 分配内存失败
        return fail(error, Messages::tr("Failed to allocate memory"));
    VQtImageParam p;
    p.imageType = picture.channels() == 3   ? VQT_FRAME_BGR
                  : picture.channels() == 4 ? VQT_FRAME_BGRA
                                            : VQT_FRAME_MONO;
    p.bitDepth = picture.depth() == CV_16U ? 16 : 8;
    p.width = uint32_t(picture.cols);
    p.height = uint32_t(picture.rows);
    p.deriveLayout();
    buffer->lock();
    buffer->setImageParam(p);
    uint8_t* d = buffer->getBuffer();
    for (int y = 0; y < picture.rows; ++y)
        std::memcpy(d + uint64_t(y) * rowBytes, picture.ptr(y), size_t(rowBytes));
    buffer->setBufferSize(n);
    buffer->unlock();
    return true;
}

uint64_t vqtPackedFrameSize(const VQtImageParam& p) {
    const uint64_t pixels = uint64_t(p.width) * p.height;
    const uint64_t samples = pixels * VQtImageParam::channelsFor(p.imageType);
    switch (p.packedType) {
    case VQT_PACKED_NONE:
        if (p.imageType == VQT_FRAME_YUYV || p.imageType == VQT_FRAME_UYVY)
            return pixels * 2;
        return samples * (p.bitDepth > 8 ? 2 : 1);
    case VQT_PACKED_PAIRS:
        if (p.bitDepth == 10 && (p.imageType == VQT_FRAME_RGB || p.imageType == VQT_FRAME_BGR))
            return pixels * 4;
        return (samples * 3 + 1) / 2;
    case VQT_PACKED_MSB:
    case VQT_PACKED_LSB:
        return (samples * p.bitDepth + 7) / 8;
    default:
        return 0;
    }
}

uint64_t vqtRawUnpackedSize(uint64_t n, const VQtImageParam& p) {
    const bool colour = p.imageType != VQT_FRAME_MONO && p.imageType != VQT_FRAME_BAYER;
    switch (p.packedType) {
    case VQT_PACKED_PAIRS:
        if (colour && p.bitDepth == 10)
            return n / 4 * 6;
        // A trailing partial group still gives one sample.
        return n / 3 * 4 + (n % 3 ? 2 : 0);
    case VQT_PACKED_MSB:
    case VQT_PACKED_LSB:
        if (p.bitDepth == 10 || p.bitDepth == 12 || p.bitDepth == 14)
            return n * 8 / p.bitDepth * 2;
        return n;
    default:
        return n;
    }
}
