#include "imageproc/VQtIplImage.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <QFile>

#include "core/VQtSafeFile.h"
#include "imageproc/Demosaicing.h"
#include "imageproc/VQtImageLoops.h"

namespace {

// Header filled by hand: cvCreateImageHeader refuses images whose byte count overflows int.
IplImage* makeHeader(CvSize size, int depth, int channels, unsigned char* data, int rowBytes,
                     std::uint64_t bytes) {
    auto* h = static_cast<IplImage*>(cvAlloc(sizeof(IplImage)));
    std::memset(h, 0, sizeof(IplImage));
    h->nSize = sizeof(IplImage);
    h->nChannels = channels;
    h->depth = depth;
    h->dataOrder = IPL_DATA_ORDER_PIXEL;
    h->origin = IPL_ORIGIN_TL;
    h->align = IPL_ALIGN_4BYTES;
    h->width = size.width;
    h->height = size.height;
    h->imageSize = bytes > VQtIplImage::kBigLimit ? INT_MAX : int(bytes);
    h->widthStep = rowBytes;
    h->imageData = reinterpret_cast<char*>(data);
    h->imageDataOrigin = h->imageData;
    return h;
}

bool sameLayout(const VQtIplImage* a, const VQtIplImage* b) {
    return a->depth == b->depth && a->channels == b->channels;
}

} // namespace

VQtIplImage::VQtIplImage() = default;

VQtIplImage::~VQtIplImage() {
    releaseImage();
}

void VQtIplImage::createImage(CvSize sz, int d, int ch) {
    if (header && header->width == sz.width && header->height == sz.height && header->depth == d &&
        header->nChannels == ch)
        return;
    if (sz.width <= 0 || sz.height <= 0 || (d != IPL_DEPTH_8U && d != IPL_DEPTH_16U) || ch < 1 || ch > 4) {
        releaseImage();
        return;
    }
    const std::uint64_t rowBytes = std::uint64_t(d / 8) * std::uint64_t(sz.width) * std::uint64_t(ch);
    if (rowBytes > std::uint64_t(INT_MAX)) {
        releaseImage();
        return;
    }
    const std::uint64_t bytes = std::uint64_t(sz.height) * rowBytes;
    if (bytes != size || !buffer) {
        std::free(buffer);
        // calloc: a fresh block arrives zeroed without touching every page now.
        buffer = static_cast<unsigned char*>(std::calloc(std::size_t(bytes), 1));
        size = buffer ? bytes : 0;
        if (!buffer) {
            releaseImage();
            return;
        }
    } else {
        std::memset(buffer, 0, std::size_t(bytes));
    }
    big = false;
    if (header)
        cvReleaseImageHeader(&header);
    header = makeHeader(sz, d, ch, buffer, int(rowBytes), bytes);
    width = header->width;
    height = header->height;
    depth = header->depth;
    channels = header->nChannels;
    widthStep = header->widthStep;
    address = reinterpret_cast<unsigned char*>(header->imageData);
    size = bytes;
    big = bytes > kBigLimit;
}

void VQtIplImage::releaseImage() {
    if (header)
        cvReleaseImageHeader(&header);
    std::free(buffer);
    buffer = nullptr;
    header = nullptr;
    address = nullptr;
    size = 0;
    width = height = depth = channels = widthStep = 0;
    big = false;
}

cv::Mat VQtIplImage::mat() const {
    if (!header || !buffer)
        return cv::Mat();
    const int type = CV_MAKETYPE(depth == IPL_DEPTH_8U ? CV_8U : CV_16U, channels);
    return cv::Mat(height, width, type, address, std::size_t(widthStep));
}

cv::Mat VQtIplImage::roiMat() const {
    cv::Mat whole = mat();
    if (whole.empty() || !header->roi)
        return whole;
    const CvRect r = imageRegion(header);
    return whole(cv::Rect(r.x, r.y, r.width, r.height));
}

bool cvVQtCreateImage(VQtIplImage** image, CvSize size, int depth, int channels) {
    if (!image)
        return false;
    if (!*image)
        *image = new VQtIplImage;
    (*image)->createImage(size, depth, channels);
    return !cvVQtImageIsNull(*image);
}

void cvVQtReleaseImage(VQtIplImage** image) {
    if (!image || !*image)
        return;
    delete *image;
    *image = nullptr;
}

bool cvVQtImageIsNull(const VQtIplImage* image) {
    return !image || !image->buffer || !image->header;
}

CvScalar cvVQtGet2D(const VQtIplImage* image, int row, int column) {
    CvScalar s = cvScalar(0.0, 0.0, 0.0, 0.0);
    if (cvVQtImageIsNull(image))
        return s;
    const int ch = image->channels;
    if (ch != 1 && ch != 3 && ch != 4)
        return s;
    const std::size_t at = std::size_t(column) * std::size_t(ch);
    for (int c = 0; c < ch; ++c) {
        if (image->depth == IPL_DEPTH_8U)
            s.val[c] = image->row<const unsigned char>(row)[at + c];
        else
            s.val[c] = image->row<const unsigned short>(row)[at + c];
    }
    return s;
}

void cvVQtSet(VQtIplImage* image, CvScalar value) {
    if (cvVQtImageIsNull(image) || image->big)
        return;
    try {
        cvSet(image->header, value, nullptr);
    } catch (const cv::Exception&) {
    }
}

void cvVQtCopy(VQtIplImage* source, VQtIplImage* target) {
    if (cvVQtImageIsNull(source) || cvVQtImageIsNull(target))
        return;
    if (!source->big && !target->big) {
        try {
            cvCopy(source->header, target->header, nullptr);
        } catch (const cv::Exception&) {
            // Mismatching shapes: nothing copied, as for an empty record.
        }
        return;
    }
    copyImageOwn(source->header, target->header);
}

void cvVQtSetImageROI(VQtIplImage* image, CvRect rect) {
    if (cvVQtImageIsNull(image))
        return;
    try {
        cvSetImageROI(image->header, rect);
    } catch (const cv::Exception&) {
    }
}

void cvVQtResetImageROI(VQtIplImage* image) {
    if (cvVQtImageIsNull(image))
        return;
    cvResetImageROI(image->header);
}

void cvVQtSetImageCOI(VQtIplImage* image, int coi) {
    if (cvVQtImageIsNull(image))
        return;
    try {
        cvSetImageCOI(image->header, coi);
    } catch (const cv::Exception&) {
    }
}

void cvVQtPutText(VQtIplImage* image, const char* text, CvPoint origin, const CvFont* font, CvScalar colour) {
    if (cvVQtImageIsNull(image) || !text || !font || image->big)
        return;
    try {
        cvPutText(image->header, text, origin, font, colour);
    } catch (const cv::Exception&) {
    }
}

void cvVQtResize(VQtIplImage* source, VQtIplImage* target, int interpolation) {
    if (cvVQtImageIsNull(source) || cvVQtImageIsNull(target) || !sameLayout(source, target))
        return;
    if (source->big) {
        reSizeForNearest(source->header, target->header);
        return;
    }
    cv::Mat from = source->roiMat();
    cv::Mat to = target->roiMat();
    if (from.empty() || to.empty())
        return;
    try {
        cv::resize(from, to, to.size(), 0, 0, interpolation);
    } catch (const cv::Exception&) {
    }
}

void cvVQtFlip(VQtIplImage* source, VQtIplImage* target, int flipMode) {
    if (cvVQtImageIsNull(source))
        return;
    if (cvVQtImageIsNull(target))
        target = source;
    if (source->big || target->big) {
        flipOwn(source, target, flipMode);
        return;
    }
    try {
        cvFlip(source->header, target->header, flipMode);
    } catch (const cv::Exception&) {
    }
}

bool cvVQtSaveImage(const char* fileName, VQtIplImage* image, const int* params) {
    if (!fileName || cvVQtImageIsNull(image))
        return false;
    std::vector<int> list;
    for (int i = 0; params && params[i] != 0; i += 2) {
        list.push_back(params[i]);
        list.push_back(params[i + 1]);
    }
    // Encoded in memory and written through the safe writer: a failed write leaves the file it
    // would have replaced untouched.
    try {
        const std::string name(fileName);
        const size_t dot = name.find_last_of('.');
        std::vector<uchar> bytes;
        if (dot == std::string::npos || !cv::imencode(name.substr(dot), image->roiMat(), bytes, list))
            return false;
        return VQtSafeFile::writeFile(QFile::decodeName(fileName), bytes.data(), bytes.size());
    } catch (const cv::Exception&) {
        return false;
    }
}

void cvVQtCvtColor(VQtIplImage* source, VQtIplImage* target, int code, unsigned bits, int method) {
    if (cvVQtImageIsNull(source) || cvVQtImageIsNull(target))
        return;
    if (code >= CV_BayerBG2BGR && code <= CV_BayerGR2BGR) {
        cvtColorBayer(source, target, code, bits, method);
        return;
    }
    if (source->big || target->big) {
        cvtColorOwn(source, target, code);
        return;
    }
    cv::Mat from = source->roiMat();
    cv::Mat to = target->roiMat();
    try {
        cv::Mat out = to;
        cv::cvtColor(from, out, code, to.channels());
        // OpenCV reallocates when the target does not fit: such a result is dropped.
        if (out.data != to.data && !out.empty() && out.size() == to.size() && out.type() == to.type())
            out.copyTo(to);
    } catch (const cv::Exception&) {
    }
}
