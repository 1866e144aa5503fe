#pragma once

// The one image record of the program: an owned, row-packed pixel buffer with an OpenCV IplImage
// header pointing into it, plus the cvVQt... wrappers. The wrappers accept empty records (they do
// nothing) and switch to our own loops for images above 2 GiB, which OpenCV's 32-bit image size
// cannot describe.

#include <cstddef>
#include <cstdint>

#include <opencv2/core.hpp>
#include <opencv2/core/core_c.h>
#include <opencv2/core/types_c.h>
#include <opencv2/imgproc/imgproc_c.h>
#include <opencv2/imgproc/types_c.h>

class VQtIplImage {
public:
    // Largest byte count OpenCV's own functions can take; anything above is "big".
    static constexpr std::uint64_t kBigLimit = 0x7FFFFFFFull;

    VQtIplImage();
    ~VQtIplImage();
    VQtIplImage(const VQtIplImage&) = delete;
    VQtIplImage& operator=(const VQtIplImage&) = delete;

    // (Re)shapes the record. Same geometry: returns at once, pixels kept. Other geometry: zero-filled
    // image, buffer reused when the byte count is unchanged. On allocation failure the record is empty.
    void createImage(CvSize size, int depth, int channels);
    // Frees header and buffer; all fields back to zero.
    void releaseImage();

    bool isBig() const { return big; }
    IplImage* getIplImage() const { return header; }
    unsigned char* getAddress() const { return address; }

    // Views on the pixels without copying (valid until the next reshape). mat() covers the whole
    // image and ignores ROI/COI; roiMat() covers the header's ROI (whole image without one).
    // Both work for big images too; an empty record gives an empty matrix.
    cv::Mat mat() const;
    cv::Mat roiMat() const;
    // Row pointer for the program's own loops: no bounds check.
    template <typename T> T* row(int y) const {
        return reinterpret_cast<T*>(address + std::size_t(y) * std::size_t(widthStep));
    }

    // Fields, in record order (plain data: callers read them directly).
    unsigned char* address = nullptr; // first pixel byte == header->imageData
    std::uint64_t size = 0;           // height * widthStep bytes
    int width = 0;
    int height = 0;
    int depth = 0;     // 8 or 16 (IPL_DEPTH_8U / IPL_DEPTH_16U)
    int channels = 0;  // 1, 3 (B, G, R) or 4
    int widthStep = 0; // bytes per row, no padding
    IplImage* header = nullptr;
    unsigned char* buffer = nullptr; // malloc'd, owned
    bool big = false;                // size > 0x7FFFFFFF
};

// Record management. cvVQtCreateImage makes *image when absent; true when the record is usable.
bool cvVQtCreateImage(VQtIplImage** image, CvSize size, int depth, int channels);
void cvVQtReleaseImage(VQtIplImage** image);
bool cvVQtImageIsNull(const VQtIplImage* image);

// Pixel (row, column) as up to four samples; 2-channel or empty images give zeros. No bounds check.
CvScalar cvVQtGet2D(const VQtIplImage* image, int row, int column);
// Fills the whole image (ROI/COI honoured); skipped for big images.
void cvVQtSet(VQtIplImage* image, CvScalar value);
// Copies source into target honouring both ROIs and COIs (shapes must already agree).
void cvVQtCopy(VQtIplImage* source, VQtIplImage* target);
void cvVQtSetImageROI(VQtIplImage* image, CvRect rect);
void cvVQtResetImageROI(VQtIplImage* image);
// 0 = all channels, 1..4 = one channel.
void cvVQtSetImageCOI(VQtIplImage* image, int coi);
void cvVQtPutText(VQtIplImage* image, const char* text, CvPoint origin, const CvFont* font, CvScalar colour);
// OpenCV interpolation codes (CV_INTER_NN, CV_INTER_LINEAR, CV_INTER_AREA...). Depth and channels must
// match, else nothing happens. Big sources are resampled nearest-neighbour whatever the code.
void cvVQtResize(VQtIplImage* source, VQtIplImage* target, int interpolation);
// flipMode: 0 around the x axis, > 0 around the y axis, < 0 both. Empty/absent target: in place.
void cvVQtFlip(VQtIplImage* source, VQtIplImage* target, int flipMode = 0);
// Writes an image file by extension through the safe writer; params as cv::imwrite's (pairs
// ending with 0), may be absent.
bool cvVQtSaveImage(const char* fileName, VQtIplImage* image, const int* params = nullptr);
// Colour conversion. Bayer codes 46..49 demosaic (bits = camera bit depth, method = the
// "Bayer Interpolation" setting: 0 bilinear, 1 bicubic, others bilinear); other OpenCV codes
// are passed to OpenCV (bits and method ignored; callers pass 0, 0). Big images: Bayer codes,
// CV_BGR2RGB (4, may be in place) and CV_BGRA2BGR (1) only.
void cvVQtCvtColor(VQtIplImage* source, VQtIplImage* target, int code, unsigned bits = 0, int method = 0);
// Centred log-magnitude spectrum of a one-channel 8/16-bit record, scaled to 0 .. 2^bits - 1, as
// CV_32FC1. Empty or multi-channel source: spectrum is released.
void cvVQtFFT(VQtIplImage* source, cv::Mat& spectrum, int bits);

// The program's own resampling loops (used for big images; callable on any header). Both work
// between the two headers' ROIs (whole image without one), any channel count, 8 or 16 bit.
void reSizeForNearest(IplImage* source, IplImage* target);
// Box-filter (area) resampling; behaves as reSizeForNearest when neither dimension shrinks.
void reSizeArea(IplImage* source, IplImage* target);
// One target pixel of the area resampler: accumulates the source box [xEdges[column],
// xEdges[column+1]) x [yEdges[row], yEdges[row+1]) and writes channel results to targetRow
// (the pixel's first sample). Reference form; reSizeArea uses an equivalent table-driven loop.
template <typename T>
void sizeCalculatePointPixel(IplImage* source, T* targetRow, double area, int column, int row, double* xEdges,
                             double* yEdges, int maxValue);
