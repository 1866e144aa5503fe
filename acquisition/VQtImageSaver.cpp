#include "acquisition/VQtImageSaver.h"

#include <QFileInfo>

#include <opencv2/imgcodecs.hpp>

#include <algorithm>
#include <exception>

#include "acquisition/VQtFrameLayout.h"
#include "acquisition/VQtImageFile.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "core/VQtSafeFile.h"
#include "core/VQtSystemParam.h"
#include "imageproc/VQtColorCorrection.h"
#include "imageproc/VQtIplImage.h"

namespace {

bool fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

QString cannotWrite(const QString& path, const QString& reason) {
    return VQtImageSaver::tr("Cannot write %1: %2").arg(path, reason);
}

bool endsWith(const QString& path, const char* suffix) {
    return path.endsWith(QLatin1String(suffix));
}

// Frame bytes from the buffer's current data, under its lock, into a file of the given kind.
bool writeFrameBytes(const QString& path, VQtPsCricleBuffer* buffer, uint64_t offset, int kind,
                     const VQtImageHeader* header, QString* error) {
    VQtImageFile file;
    if (!file.openImage(path, "wb", kind))
        return fail(error, file.errorString());
    buffer->lock();
    const uint8_t* data = buffer->getBuffer();
    const uint64_t size = buffer->getBufferSize();
    const uint64_t n = size > offset ? size - offset : 0;
    const bool ok =
        (!header || file.writeImageHeader(*header)) && file.writeImageData(n ? data + offset : nullptr, n);
    buffer->unlock();
    if (!ok)
        return fail(error, file.errorString()); // the file is discarded, the old one stays
    return file.closeImage() ? true : fail(error, file.errorString());
}

// The frame bytes themselves as the unpacked picture, when they already are one: no packing, no
// red/blue exchange, every sample present. Empty otherwise.
cv::Mat directView(VQtPsCricleBuffer* buffer, const VQtImageParam& p, uint64_t offset) {
    const bool colour = p.imageType >= VQT_FRAME_RGB && p.imageType <= VQT_FRAME_BGRA;
    if (p.packedType != VQT_PACKED_NONE || (p.imageType > VQT_FRAME_BAYER && !colour) ||
        (colour && p.swapRedBlue()) || p.channels != VQtImageParam::channelsFor(p.imageType) ||
        p.storageBits != VQtImageParam::storageFor(p.bitDepth) ||
        !VQtFrameLayout::isShowable(p.storageBits, p.channels) || p.width == 0 || p.height == 0 ||
        p.width > (1u << 20) || p.height > (1u << 20))
        return cv::Mat();
    const uint64_t size = buffer->getBufferSize();
    // 16-bit samples must start on an even address.
    if (size < offset || size - offset < p.unpackedBytes() || (p.storageBits == 16 && offset % 2))
        return cv::Mat();
    const int type = CV_MAKETYPE(p.storageBits == 16 ? CV_16U : CV_8U, int(p.channels));
    return cv::Mat(int(p.height), int(p.width), type, buffer->getBuffer() + offset);
}

// Whether the conversion leaves a picture of these channels as it is.
bool conversionKeeps(int depth, int channels, int switchType, const VQtPictureOptions& o) {
    if (o.denoise > 0 || o.sharpen > 0)
        return false;
    if (o.colourCorrection && depth == 8 && channels == 3 && isRunColorAndGamma())
        return false;
    return channels == 3 || (channels == 1 && switchType == 0) || (channels == 4 && switchType == 2);
}

class BufferLock {
public:
    explicit BufferLock(VQtPsCricleBuffer* b) : m_b(b) { m_b->lock(); }
    ~BufferLock() { m_b->unlock(); }

private:
    VQtPsCricleBuffer* m_b;
};

} // namespace

VQtImageSaver::VQtImageSaver() = default;

VQtImageSaver::~VQtImageSaver() {
    release();
}

void VQtImageSaver::release() {
    cvVQtReleaseImage(&m_frame);
    cvVQtReleaseImage(&m_shifted);
    cvVQtReleaseImage(&m_converted);
    std::vector<uchar>().swap(m_encoded);
}

bool VQtImageSaver::save(const QString& path, VQtPsCricleBuffer* buffer, const VQtImageSaveParam& save,
                         const VQtPictureOptions& options, uint64_t dataOffset, QString* error) {
    if (!buffer)
        return fail(error, cannotWrite(path, tr("there is no frame to save")));
    const VQtImageParam p = buffer->getImageParam();
    if (p.packedType == VQT_PACKED_JPEG && (endsWith(path, ".jpg") || endsWith(path, ".jpeg")))
        return writeFrameBytes(path, buffer, dataOffset, VQT_IMAGE_RAW, nullptr, error);
    if (endsWith(path, ".raw"))
        return writeFrameBytes(path, buffer, 0, VQT_IMAGE_RAW, nullptr, error);
    if (endsWith(path, ".iim")) {
        const VQtImageHeader header = VQtImageHeader::fromParam(p);
        return writeFrameBytes(path, buffer, 0, VQT_IMAGE_IIM, &header, error);
    }
    try {
        return savePicture(path, buffer, save, options, dataOffset, error);
    } catch (const std::exception& e) {
        // OpenCV's encoders throw on what they cannot write (sizes, depths).
        return fail(error, cannotWrite(path, QString::fromLocal8Bit(e.what()).simplified()));
    }
}

bool VQtImageSaver::savePicture(const QString& path, VQtPsCricleBuffer* buffer, const VQtImageSaveParam& save,
                                const VQtPictureOptions& options, uint64_t dataOffset, QString* error) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const std::string extension = "." + suffix.toStdString();
    if (suffix.isEmpty() || !cv::haveImageWriter(extension))
        return fail(error,
                    cannotWrite(path, tr("no picture format goes with the suffix \"%1\"").arg(suffix)));
    std::vector<int> params;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        params = {cv::IMWRITE_JPEG_QUALITY, std::clamp(save.JpegQuality, 0, 100)};
    {
        // The picture may be a view of the frame bytes: encoded before the buffer is let go.
        BufferLock lock(buffer);
        cv::Mat picture;
        QString reason;
        if (!convert(buffer, save, options, dataOffset, picture, &reason))
            return fail(error, cannotWrite(path, reason));
        if (!cv::imencode(extension, picture, m_encoded, params))
            return fail(error, cannotWrite(path, tr("the picture could not be encoded")));
    }
    return VQtSafeFile::writeFile(path, m_encoded.data(), m_encoded.size(), error);
}

bool VQtImageSaver::convert(VQtPsCricleBuffer* buffer, const VQtImageSaveParam& save,
                            const VQtPictureOptions& options, uint64_t dataOffset, cv::Mat& picture,
                            QString* error) {
    const VQtImageParam p = buffer->getImageParam();
    const cv::Mat view = directView(buffer, p, dataOffset);
    const bool jpeg = p.packedType == VQT_PACKED_JPEG;
    const int sourceDepth = jpeg ? 8 : int(p.storageBits);
    int bits = int(p.bitDepth);
    if (jpeg || sourceDepth == 8)
        bits = std::min(bits, 8);
    // Shifting 8-bit samples right by nothing is a copy: skipped.
    const bool shift = save.StretchImage || (save.Shift != -1 && !(sourceDepth == 8 && save.Shift <= 0));
    const bool keeps =
        !view.empty() && conversionKeeps(sourceDepth, view.channels(), save.SwitchType, options);
    if (!shift && keeps) {
        picture = view;
        return true;
    }
    cv::Mat source = view;
    VQtIplImage* image = nullptr;
    if (view.empty() || !shift) {
        if (!vqtReadFrame(buffer, dataOffset, &m_frame, error))
            return false;
        source = m_frame->mat();
        image = m_frame;
    }
    if (shift) {
        if (vqtShiftSamples(source, &m_shifted, save.StretchImage, save.Shift)) {
            image = m_shifted;
            bits = save.StretchImage ? 16 : 8;
        } else if (!image) {
            // No memory for the bit-range image: the frame is saved unconverted.
            if (!vqtReadFrame(buffer, dataOffset, &m_frame, error))
                return false;
            image = m_frame;
        }
    }
    VQtIplImage* out = calcImage(image, &m_converted, bits, save.SwitchType, options);
    if (!out)
        return fail(error, tr("the data format chosen does not apply to this frame"));
    if (options.colourCorrection)
        cvVQtCalcColorAndGamma(out, out);
    picture = out->roiMat();
    return true;
}
