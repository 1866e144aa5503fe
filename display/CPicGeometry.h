#pragma once

// Zoom, scroll and block geometry of the picture canvas, and the timing rules of the
// picture widget. Pure functions so the numbers can be checked without a window.

#include <QPoint>
#include <QRect>

#include "display/CPicCanvasParam.h"

namespace CPicGeometry {

constexpr double kZoomMin = 1.0 / 128.0;
constexpr double kZoomMax = 128.0;

// One axis of the render: the fully visible image span [i0, i1) lands on canvas span [c0, c1).
struct AxisSpan {
    int i0 = 0;
    int i1 = 0;
    int c0 = 0;
    int c1 = 0;
};
AxisSpan axisSpan(double offset, double zoom, int imageSize, int canvasSize);

// A source rectangle of the image and where it goes in the canvas.
struct BlockPair {
    QRect image;
    QRect canvas;
};
// The fully visible block first, then the one-pixel margin strips and corners that are
// only partly visible. Only valid pairs (non-empty, inside image and canvas) are returned.
int visibleBlocks(const CPicPointDouble& offset, double zoom, int imageWidth, int imageHeight,
                  int canvasWidth, int canvasHeight, BlockPair out[9]);

double clampZoom(double zoom);
double wheelZoomIn(double zoom);
double wheelZoomOut(double zoom);

// Zoom z and offset that fit an image of w x h into W x H, centred on the loose axis.
void zoomFit(int imageWidth, int imageHeight, int width, int height, double* zoom, CPicPointDouble* offset);

// New offset that keeps the canvas point `marker` over the same image point after the zoom
// changed by `ratio`.
CPicPointDouble keepMarkerOffset(const QPoint& marker, const CPicPointDouble& offset, double ratio);

// Offset that puts the centre of image pixel `pixel` (clamped into the image) under `marker`.
CPicPointDouble markerOffset(const QPoint& marker, QPoint pixel, int imageWidth, int imageHeight,
                             double zoom);

// Image pixel under a widget point (not clamped) and its clamped variant.
QPoint pixelFromCanvas(const QPoint& point, const CPicPointDouble& offset, double zoom);
QPoint clampToImage(QPoint pixel, int imageWidth, int imageHeight);

// Pause after a render of `renderMs` milliseconds, capping the display at about 30 renders/s.
int pacingSleepMs(int renderMs);

// Right-button release: true when it opens the context menu rather than ending a pan.
bool opensContextMenu(qint64 elapsedMs, const QPoint& moved);
// Right-button drag: pan moves are applied only this long after the press.
constexpr int kPanDelayMs = 150;

// Bayer demosaicing code for a mosaic phase and the two flip flags.
int bayerCode(int bayerMode, bool flipX, bool flipY);

// Display mode corrected to what exists for an image: modes that do not apply fall back to 0.
int correctCoiMode(int coiMode, int channels, bool bayer);

// Width and height of the working image after separation.
QSize separatedSize(int coiMode, int width, int height, int channels, bool bayer);

// Zoom factors that show pixel coordinates and values.
bool isTextZoom(double zoom);

} // namespace CPicGeometry
