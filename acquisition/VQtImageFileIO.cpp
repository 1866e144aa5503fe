#include "acquisition/VQtImageFileIO.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <vector>

#include "acquisition/VQtFrameLayout.h"
#include "acquisition/VQtImageFile.h" // its tr(): the file routines' messages belong with the file class
#include "acquisition/VQtImageSaver.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "core/VQtSystemParam.h"
#include "imageproc/VQtColorCorrection.h"
#include "imageproc/VQtFilters.h"
#include "imageproc/VQtIplImage.h"

namespace {

bool fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

// Largest picture the conversion makes from one frame: a bad layout must not ask for more.
constexpr uint64_t kMaxPictureBytes = 8ull << 30;
constexpr uint32_t kMaxSide = 1u << 20;

} // namespace

QString vqtFileProblem(const QString& path) {
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (S_ISDIR(st.st_mode))
        return VQtImageFile::tr("it is a folder, not an image file");
    if (!S_ISREG(st.st_mode))
        return VQtImageFile::tr("it is not a regular file");
    return QString();
}

namespace {

// Whether the file starts like a picture of the formats this program reads (BMP, JPEG, PNG,
// TIFF). The picture library picks its decoder from the content, not the name, and some of its
// other decoders stop the whole process on a malformed file; those formats never reach it.
bool isReadablePicture(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(8);
    static const char* const marks[] = {"BM",    "\xFF\xD8\xFF", "\x89PNG\r\n\x1A\n", "II*\0", "MM\0*",
                                        "II+\0", "MM\0+"};
    static const int lengths[] = {2, 3, 8, 4, 4, 4, 4};
    for (int i = 0; i < 7; ++i)
        if (head.size() >= lengths[i] && std::memcmp(head.constData(), marks[i], size_t(lengths[i])) == 0)
            return true;
    return false;
}

QString cannotOpen(const QString& path, const QString& reason) {
    return VQtImageFile::tr("Cannot open %1: %2").arg(path, reason);
}

// Whether unpacking `bytes` frame bytes writes every sample of the image; when not, a reused
// image is cleared first so that no part of an earlier frame shows through.
bool readCoversImage(const VQtImageParam& p, uint64_t bytes) {
    if (p.channels != VQtImageParam::channelsFor(p.imageType) ||
        p.storageBits != VQtImageParam::storageFor(p.bitDepth) || p.imageType > VQT_FRAME_BGRA)
        return false;
    const bool mono = p.imageType <= VQT_FRAME_BAYER;
    switch (p.packedType) {
    case VQT_PACKED_NONE:
        break;
    case VQT_PACKED_PAIRS:
        if ((p.bitDepth != 10 && p.bitDepth != 12) ||
            !(mono || p.imageType == VQT_FRAME_RGB || p.imageType == VQT_FRAME_BGR))
            return false;
        break;
    case VQT_PACKED_MSB:
    case VQT_PACKED_LSB:
        // Whole groups only: 4 samples at 10 and 14 bits, 2 at 12.
        if ((p.bitDepth != 10 && p.bitDepth != 12 && p.bitDepth != 14) ||
            uint64_t(p.width) * p.height * p.channels % (p.bitDepth == 12 ? 2 : 4) != 0)
            return false;
        break;
    default:
        return false;
    }
    return bytes >= vqtPackedFrameSize(p);
}

// One row of samples, shifted: right into 8 bits (saturating), or left into 16. The pointers
// never overlap; saying so lets the compiler vectorise the loops (byte stores may otherwise
// alias the 16-bit source), which makes the bit-range step cost a fraction of the encoding.
template <typename S> void shiftRowRight(const S* __restrict s, uint8_t* __restrict d, size_t n, int shift) {
    for (size_t i = 0; i < n; ++i) {
        const S v = S(s[i] >> shift);
        d[i] = uint8_t(v > 255 ? 255 : v);
    }
}

template <typename S> void shiftRowLeft(const S* __restrict s, uint16_t* __restrict d, size_t n, int shift) {
    for (size_t i = 0; i < n; ++i)
        d[i] = uint16_t(s[i] << shift);
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
    uint32_t depth = p.storageBits, channels = p.channels;
    if (p.packedType == VQT_PACKED_JPEG) {
        int components = 0;
        if (!buffer->jpegGeometry(&width, &height, &components))
            return fail(error, VQtImageFile::tr("the frame is not a readable JPEG image"));
        depth = 8;
        channels = uint32_t(components);
    }
    if (width < 1 || height < 1 || uint32_t(width) > kMaxSide || uint32_t(height) > kMaxSide)
        return fail(
            error,
            VQtImageFile::tr("a frame of %1 x %2 pixels cannot be converted").arg(p.width).arg(p.height));
    const QString layout = VQtFrameLayout::layoutProblem(depth, channels);
    if (!layout.isEmpty())
        return fail(error, layout);
    // A truncated frame still converts (the missing part reads as black), but a layout claiming
    // far more than its bytes can fill is a damaged header, not a picture worth gigabytes.
    const uint64_t pictureBytes = uint64_t(width) * uint64_t(height) * channels * (depth / 8);
    const uint64_t frameBytes = buffer->getBufferSize();
    if (pictureBytes > kMaxPictureBytes ||
        pictureBytes >
            std::max<uint64_t>(frameBytes * (p.packedType == VQT_PACKED_JPEG ? 1024 : 64), 32ull << 20))
        return fail(error, VQtImageFile::tr("a frame of %1 x %2 pixels does not fit its %3 bytes of data")
                               .arg(width)
                               .arg(height)
                               .arg(frameBytes));
    const QString memory = VQtFrameLayout::memoryProblem(uint64_t(width), uint64_t(height), pictureBytes);
    if (!memory.isEmpty())
        return fail(error, memory);
    VQtIplImage* old = *image;
    const bool reused = !cvVQtImageIsNull(old) && old->width == width && old->height == height &&
                        old->depth == int(depth) && old->channels == int(channels);
    if (!cvVQtCreateImage(image, cvSize(width, height), int(depth), int(channels)))
        return fail(error, VQtImageFile::tr("failed to allocate %1 bytes").arg(pictureBytes));
    if (reused && (p.packedType == VQT_PACKED_JPEG ||
                   !readCoversImage(p, frameBytes > dataOffset ? frameBytes - dataOffset : 0)))
        std::memset((*image)->getAddress(), 0, size_t((*image)->size));
    if (!buffer->read((*image)->getAddress(), (*image)->size, dataOffset))
        return fail(error, VQtImageFile::tr("the frame holds no image data"));
    return true;
}

bool vqtShiftSamples(const cv::Mat& from, VQtIplImage** to, bool stretch, int shift) {
    const int s = std::clamp(shift, 0, 15);
    if (!cvVQtCreateImage(to, cvSize(from.cols, from.rows), stretch ? 16 : 8, from.channels()))
        return false;
    cv::Mat target = (*to)->mat();
    const size_t perRow = size_t(from.cols) * size_t(from.channels());
    const bool eight = from.depth() == CV_8U;
    for (int y = 0; y < from.rows; ++y) {
        if (stretch && eight)
            shiftRowLeft(from.ptr<uint8_t>(y), target.ptr<uint16_t>(y), perRow, s);
        else if (stretch)
            shiftRowLeft(from.ptr<uint16_t>(y), target.ptr<uint16_t>(y), perRow, s);
        else if (eight)
            shiftRowRight(from.ptr<uint8_t>(y), target.ptr<uint8_t>(y), perRow, s);
        else
            // Samples above the chosen range saturate instead of wrapping round to dark values.
            shiftRowRight(from.ptr<uint16_t>(y), target.ptr<uint8_t>(y), perRow, s);
    }
    return true;
}

VQtIplImage* vqtShiftImage(VQtIplImage* image, VQtIplImage** converted, bool stretch, int shift,
                           int frameBits, int* bits) {
    *bits = frameBits;
    if (!stretch && shift == -1)
        return image;
    if (!vqtShiftSamples(image->mat(), converted, stretch, shift))
        return image;
    *bits = stretch ? 16 : 8;
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
    VQtImageSaver saver;
    return saver.save(path, buffer, save, options, dataOffset, error);
}

bool vqtOpenImage(const QString& path, VQtPsCricleBuffer* buffer, const VQtImageParam* rawParam,
                  uint64_t rawStart, QString* error) {
    const QString suffix = path.right(4).toLower();
    if (suffix == QLatin1String(".iim"))
        return vqtOpenIimImage(path, buffer, error);
    if (suffix == QLatin1String(".raw")) {
        if (!rawParam)
            return fail(error, cannotOpen(path, VQtImageFile::tr(
                                                    "a raw file needs its width, height and pixel format")));
        return vqtOpenRawImage(path, buffer, *rawParam, rawStart, error);
    }
    return vqtOpenCommonImage(path, buffer, error);
}

bool vqtOpenIimImage(const QString& path, VQtPsCricleBuffer* buffer, QString* error) {
    VQtImageFile file;
    if (!file.openImage(path, "rb", VQT_IMAGE_IIM))
        return fail(error, file.errorString());
    const int64_t size = file.getFileSize();
    VQtImageHeader header;
    if (size < int64_t(VQtImageHeader::kSize) || !file.readImageHeader(header))
        return fail(
            error,
            cannotOpen(path, VQtImageFile::tr("%1 bytes are too few for an image file header").arg(size)));
    const uint64_t n = uint64_t(size) - VQtImageHeader::kSize;
    const QString problem = header.check(n);
    if (!problem.isEmpty())
        return fail(error, cannotOpen(path, problem));
    if (!buffer->flush(n, false))
        return fail(error, cannotOpen(path, VQtImageFile::tr("failed to allocate %1 bytes").arg(n)));
    buffer->lock();
    buffer->setImageParam(header.toParam());
    const bool ok = file.readImageData(buffer->getBuffer(), n, 0);
    buffer->setBufferSize(ok ? n : 0);
    buffer->unlock();
    return ok ? true : fail(error, file.errorString());
}

bool vqtOpenRawImage(const QString& path, VQtPsCricleBuffer* buffer, const VQtImageParam& param,
                     uint64_t start, QString* error) {
    VQtImageFile file;
    if (!file.openImage(path, "rb", VQT_IMAGE_RAW))
        return fail(error, file.errorString());
    const int64_t size = file.getFileSize();
    if (size < 0 || uint64_t(size) <= start)
        return fail(error, cannotOpen(path, VQtImageFile::tr("it holds no data after byte %1").arg(start)));
    const uint64_t n = uint64_t(size) - start;
    VQtImageParam p = param;
    p.sourceSwapped = false;
    p.rgbConversion = false;
    // The frame's bytes and its unpacked picture must both fit; asked before allocating either.
    QString problem = VQtFrameLayout::problem(p);
    if (problem.isEmpty())
        problem = VQtFrameLayout::memoryProblem(p.width, p.height, n);
    if (!problem.isEmpty())
        return fail(error, cannotOpen(path, problem));
    if (!buffer->flush(n, false))
        return fail(error, cannotOpen(path, VQtImageFile::tr("failed to allocate %1 bytes").arg(n)));
    buffer->lock();
    buffer->setImageParam(p);
    const bool ok = file.readImageData(buffer->getBuffer(), n, start);
    buffer->setBufferSize(ok ? n : 0);
    buffer->unlock();
    return ok ? true : fail(error, file.errorString());
}

bool vqtOpenCommonImage(const QString& path, VQtPsCricleBuffer* buffer, QString* error) {
    const QString problem = vqtFileProblem(path);
    if (!problem.isEmpty())
        return fail(error, cannotOpen(path, problem));
    if (!isReadablePicture(path))
        return fail(error, cannotOpen(path, VQtImageFile::tr("it is not a BMP, JPEG, PNG or TIFF picture")));
    // The decoder allocates what the header says before it reads a pixel: the header is read
    // first and a picture larger than memory refused.
    QImageReader header(path);
    header.setDecideFormatFromContent(true);
    const QSize size = header.size();
    if (size.isValid()) {
        const QImage::Format format = header.imageFormat();
        const int bits = format == QImage::Format_Invalid ? 64 : QImage::toPixelFormat(format).bitsPerPixel();
        const uint64_t bytes =
            uint64_t(size.width()) * uint64_t(size.height()) * uint64_t(std::max(bits, 8) / 8);
        const QString memory =
            VQtFrameLayout::memoryProblem(uint64_t(size.width()), uint64_t(size.height()), bytes);
        if (!memory.isEmpty())
            return fail(error, cannotOpen(path, memory));
    }
    cv::Mat picture;
    try {
        picture =
            cv::imread(QFile::encodeName(path).toStdString(), cv::IMREAD_ANYDEPTH | cv::IMREAD_ANYCOLOR);
        if (!picture.empty() && picture.depth() != CV_8U && picture.depth() != CV_16U) {
            cv::Mat converted;
            picture.convertTo(converted, CV_16U);
            picture = converted;
        }
        if (picture.channels() == 2) {
            cv::Mat first;
            cv::extractChannel(picture, first, 0);
            picture = first;
        }
    } catch (const std::exception& e) {
        return fail(error, cannotOpen(path, QString::fromLocal8Bit(e.what()).simplified()));
    }
    if (picture.empty())
        return fail(error,
                    cannotOpen(path, VQtImageFile::tr("it is not a picture in a format that can be read")));
    const uint64_t rowBytes = uint64_t(picture.cols) * picture.elemSize();
    const uint64_t n = rowBytes * uint64_t(picture.rows);
    if (!buffer->flush(n, false))
        return fail(error, cannotOpen(path, VQtImageFile::tr("failed to allocate %1 bytes").arg(n)));
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

uint64_t vqtMissingBytes(const VQtImageParam& param, uint64_t dataBytes) {
    const uint64_t expected = vqtPackedFrameSize(param);
    return expected > dataBytes ? expected - dataBytes : 0;
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
