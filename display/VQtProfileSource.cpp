#include "display/VQtProfileSource.h"

#include <algorithm>
#include <cmath>

VQtProfile extractProfile(VQT_PROFILE_LINE_TYPE type, const VQtProfileSource& src) {
    VQtProfile out;
    const bool hor = type == VQT_PROFILE_HORIZONTAL;
    if (src.imageWidth <= 0 || src.imageHeight <= 0 || !src.pixelAt)
        return out;
    const int across = hor ? src.marker.y() : src.marker.x();
    const int limit = hor ? src.imageHeight : src.imageWidth;
    if (across < 0 || across >= limit)
        return out;
    const double off = hor ? src.offset.x : src.offset.y;
    const int size = hor ? src.imageWidth : src.imageHeight;
    const int wsize = hor ? src.widgetSize.width() : src.widgetSize.height();
    out.begin = static_cast<int>(std::max(off, 0.0));
    out.end = static_cast<int>(std::min(off + size * src.zoom, double(wsize)));
    if (out.end <= out.begin)
        return out;
    out.points.resize(out.end - out.begin);
    for (int p = out.begin; p < out.end; ++p) {
        VQtDrawPoint& d = out.points[p - out.begin];
        d.pos = p;
        const QPoint at = hor ? QPoint(p, src.canvasMarker.y()) : QPoint(src.canvasMarker.x(), p);
        src.pixelAt(at, d.value);
    }
    out.valueMax = std::ldexp(1.0, std::max(8, src.bits) - 8) * 256;
    out.channels = src.channels;
    out.valid = true;
    return out;
}
