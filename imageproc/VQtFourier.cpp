#include "imageproc/VQtFourier.h"

#include <cmath>
#include <utility>

#include <opencv2/core.hpp>

#include "imageproc/VQtIplImage.h"

int NumTo2Power(int count) {
    int n = 1;
    while (n < count && n < (1 << 30))
        n <<= 1;
    return n;
}

int Log2(int n) {
    int bits = 0;
    while ((1 << bits) < n)
        ++bits;
    return bits;
}

int Reverse(int index, int bits) {
    int r = 0;
    for (int b = 0; b < bits; ++b, index >>= 1)
        r = (r << 1) | (index & 1);
    return r;
}

void Ordina(std::complex<double>* data, int n) {
    const int bits = Log2(n);
    for (int i = 0; i < n; ++i) {
        const int j = Reverse(i, bits);
        if (j > i)
            std::swap(data[i], data[j]);
    }
}

void FFT(std::complex<double>* data, int n, double scale) {
    if (!data || n < 1 || (n & (n - 1)) != 0)
        return;
    Ordina(data, n);
    for (int len = 2; len <= n; len <<= 1) {
        const double angle = -2.0 * M_PI / len;
        const std::complex<double> step(std::cos(angle), std::sin(angle));
        for (int start = 0; start < n; start += len) {
            std::complex<double> w(1.0, 0.0);
            for (int k = 0; k < len / 2; ++k) {
                const std::complex<double> a = data[start + k];
                const std::complex<double> b = data[start + k + len / 2] * w;
                data[start + k] = a + b;
                data[start + k + len / 2] = a - b;
                w *= step;
            }
        }
    }
    for (int i = 0; i < n; ++i)
        data[i] *= scale;
}

void cvVQtFFT(VQtIplImage* source, cv::Mat& spectrum, int bits) {
    if (cvVQtImageIsNull(source) || source->channels != 1) {
        spectrum.release();
        return;
    }
    try {
        const cv::Mat image = source->mat();
        cv::Mat padded;
        const int rows = cv::getOptimalDFTSize(image.rows);
        const int cols = cv::getOptimalDFTSize(image.cols);
        cv::copyMakeBorder(image, padded, 0, rows - image.rows, 0, cols - image.cols, cv::BORDER_CONSTANT,
                           cv::Scalar::all(0));
        cv::Mat planes[2] = {cv::Mat(), cv::Mat::zeros(padded.size(), CV_32F)};
        padded.convertTo(planes[0], CV_32F, 1.0, 0.0);
        cv::Mat complexImage;
        cv::merge(planes, 2, complexImage);
        cv::dft(complexImage, complexImage);
        cv::split(complexImage, planes);
        cv::Mat mag;
        cv::magnitude(planes[0], planes[1], mag);
        mag += cv::Scalar::all(1);
        cv::log(mag, mag);
        cv::normalize(mag, mag, 0, 1.0, cv::NORM_MINMAX);
        mag = mag(cv::Rect(0, 0, mag.cols & -2, mag.rows & -2)).clone();
        // Zero frequency to the centre: swap the quadrants diagonally.
        const int cx = mag.cols / 2, cy = mag.rows / 2;
        if (cx > 0 && cy > 0) {
            cv::Mat q0(mag, cv::Rect(0, 0, cx, cy)), q1(mag, cv::Rect(cx, 0, cx, cy));
            cv::Mat q2(mag, cv::Rect(0, cy, cx, cy)), q3(mag, cv::Rect(cx, cy, cx, cy));
            cv::Mat tmp;
            q0.copyTo(tmp);
            q3.copyTo(q0);
            tmp.copyTo(q3);
            q1.copyTo(tmp);
            q2.copyTo(q1);
            tmp.copyTo(q2);
        }
        const double top = double((long long)std::pow(2.0, double(bits)) - 1);
        cv::normalize(mag, spectrum, 0, top, cv::NORM_MINMAX, CV_32F);
    } catch (const cv::Exception&) {
        spectrum.release();
    }
}
