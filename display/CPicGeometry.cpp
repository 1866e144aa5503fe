#include "display/CPicGeometry.h"

#include <QSize>
#include <algorithm>
#include <cmath>

namespace CPicGeometry {

AxisSpan axisSpan(double offset, double zoom, int imageSize, int canvasSize) {
    AxisSpan s;
    if (offset < 0) {
        s.i0 = static_cast<int>(std::ceil(-offset / zoom));
        s.c0 = static_cast<int>(std::trunc(s.i0 * zoom + offset));
    } else {
        s.i0 = 0;
        s.c0 = static_cast<int>(std::trunc(offset));
    }
    if (imageSize * zoom + offset > canvasSize)
        s.i1 = static_cast<int>(std::trunc((canvasSize - offset) / zoom));
    else
        s.i1 = imageSize;
    s.c1 = static_cast<int>(std::trunc(s.c0 + (s.i1 - s.i0) * zoom));
    if (s.c1 == s.c0)
        s.c1 += 1;
    return s;
}

namespace {

bool validPair(const QRect& img, const QRect& cv, int w, int h, int cw, int ch) {
    if (img.width() <= 0 || img.height() <= 0 || cv.width() <= 0 || cv.height() <= 0)
        return false;
    if (img.x() < 0 || img.y() < 0 || cv.x() < 0 || cv.y() < 0)
        return false;
    return img.right() < w && img.bottom() < h && cv.right() < cw && cv.bottom() < ch;
}

QRect span2(int a0, int a1, int b0, int b1) {
    return QRect(a0, b0, a1 - a0, b1 - b0);
}

} // namespace

int visibleBlocks(const CPicPointDouble& offset, double zoom, int w, int h, int cw, int ch,
                  BlockPair out[9]) {
    if (zoom <= 0 || w <= 0 || h <= 0 || cw <= 0 || ch <= 0)
        return 0;
    const AxisSpan x = axisSpan(offset.x, zoom, w, cw);
    const AxisSpan y = axisSpan(offset.y, zoom, h, ch);
    // Image spans per band: before the block (one partly visible pixel), the block, after it.
    const int ix[3][2] = {{x.i0 - 1, x.i0}, {x.i0, x.i1}, {x.i1, x.i1 + 1}};
    const int cx[3][2] = {{0, x.c0}, {x.c0, x.c1}, {x.c1, cw}};
    const int iy[3][2] = {{y.i0 - 1, y.i0}, {y.i0, y.i1}, {y.i1, y.i1 + 1}};
    const int cy[3][2] = {{0, y.c0}, {y.c0, y.c1}, {y.c1, ch}};
    // Centre block first so callers can rely on out[0] being the main block when present.
    static const int order[9][2] = {{1, 1}, {0, 1}, {2, 1}, {1, 0}, {1, 2}, {0, 0}, {2, 0}, {0, 2}, {2, 2}};
    int n = 0;
    for (const auto& o : order) {
        const int bx = o[0], by = o[1];
        BlockPair p{span2(ix[bx][0], ix[bx][1], iy[by][0], iy[by][1]),
                    span2(cx[bx][0], cx[bx][1], cy[by][0], cy[by][1])};
        if (validPair(p.image, p.canvas, w, h, cw, ch))
            out[n++] = p;
    }
    return n;
}

double clampZoom(double zoom) {
    return std::min(kZoomMax, std::max(kZoomMin, zoom));
}

double wheelZoomIn(double z) {
    if (z >= 96)
        return 128;
    if (z >= 64)
        return 96;
    if (z >= 32)
        return 64;
    const double d = z * 2;
    return d >= 32 ? 32 : clampZoom(d);
}

double wheelZoomOut(double z) {
    if (z == 128)
        return 96;
    if (z == 96)
        return 64;
    if (z == 64)
        return 32;
    return clampZoom(z / 2);
}

void zoomFit(int iw, int ih, int w, int h, double* zoom, CPicPointDouble* offset) {
    if (iw <= 0 || ih <= 0 || w <= 0 || h <= 0)
        return;
    const double zx = double(w) / iw;
    const double zy = double(h) / ih;
    const double z = clampZoom(std::min(zx, zy));
    *zoom = z;
    if (zx <= zy) {
        offset->x = 0;
        offset->y = (h - ih * z) / 2;
    } else {
        offset->x = (w - iw * z) / 2;
        offset->y = 0;
    }
}

CPicPointDouble keepMarkerOffset(const QPoint& m, const CPicPointDouble& o, double r) {
    CPicPointDouble n;
    n.x = m.x() * (1 - r) + o.x * r;
    n.y = m.y() * (1 - r) + o.y * r;
    return n;
}

CPicPointDouble markerOffset(const QPoint& marker, QPoint pixel, int w, int h, double zoom) {
    pixel = clampToImage(pixel, w, h);
    CPicPointDouble o;
    o.x = marker.x() - (pixel.x() + 0.5) * zoom;
    o.y = marker.y() - (pixel.y() + 0.5) * zoom;
    return o;
}

QPoint pixelFromCanvas(const QPoint& p, const CPicPointDouble& o, double zoom) {
    return QPoint(static_cast<int>(std::trunc((p.x() - o.x) / zoom)),
                  static_cast<int>(std::trunc((p.y() - o.y) / zoom)));
}

QPoint clampToImage(QPoint p, int w, int h) {
    p.setX(std::max(0, std::min(p.x(), w - 1)));
    p.setY(std::max(0, std::min(p.y(), h - 1)));
    return p;
}

int pacingSleepMs(int t) {
    if (t < 16)
        return 33 - std::max(0, t);
    if (t <= 32)
        return 16;
    return 33;
}

bool opensContextMenu(qint64 elapsedMs, const QPoint& moved) {
    if (elapsedMs < 150)
        return true;
    return std::abs(moved.x()) < 2 && std::abs(moved.y()) < 2;
}

int bayerCode(int mode, bool fx, bool fy) {
    static const int table[4][4] = {{48, 49, 47, 46}, {46, 47, 49, 48}, {49, 48, 46, 47}, {47, 46, 48, 49}};
    if (mode < 1 || mode > 4)
        return 48;
    const int col = fx && fy ? 3 : fy ? 2 : fx ? 1 : 0;
    return table[mode - 1][col];
}

int correctCoiMode(int m, int channels, bool bayer) {
    if (m < 0 || m > 9)
        return 0;
    if (m >= CPIC_COI_ODD_ROW || m == CPIC_COI_ALL)
        return m;
    if (bayer)
        return m;
    if (m == CPIC_COI_GRAY || channels < 3)
        return 0;
    return (m - CPIC_COI_CHANNEL0) < channels ? m : 0;
}

QSize separatedSize(int m, int w, int h, int channels, bool bayer) {
    m = correctCoiMode(m, channels, bayer);
    if (m == CPIC_COI_ODD_ROW || m == CPIC_COI_EVEN_ROW)
        return QSize(w, h / 2);
    if (m == CPIC_COI_ODD_COLUMN || m == CPIC_COI_EVEN_COLUMN)
        return QSize(w / 2, h);
    if (bayer && m >= CPIC_COI_CHANNEL0 && m <= CPIC_COI_CHANNEL3)
        return QSize(w / 2, h / 2);
    return QSize(w, h);
}

bool isTextZoom(double z) {
    return z == 32.0 || z == 64.0 || z == 96.0 || z == 128.0;
}

} // namespace CPicGeometry
