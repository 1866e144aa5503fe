#pragma once

#include <QPoint>
#include <QSize>
#include <QVector>
#include <functional>

#include "display/CPicCanvasParam.h"
#include "display/VQtDrawPoint.h"

enum VQT_PROFILE_LINE_TYPE { VQT_PROFILE_HORIZONTAL = 0, VQT_PROFILE_VERTICAL = 1 };

// What a profile panel needs to know about the picture: its geometry on screen, the
// cross-hair and a way to read the image pixel under a widget point.
struct VQtProfileSource {
    int imageWidth = 0;
    int imageHeight = 0;
    int channels = 1;
    int bits = 8;
    double zoom = 1.0;
    CPicPointDouble offset;
    QSize widgetSize;
    QPoint canvasMarker; // widget point of the cross-hair
    QPoint marker;       // image pixel of the cross-hair (not clamped)
    std::function<void(const QPoint& canvasPoint, int values[4])> pixelAt;
};

// Result of a profile extraction.
struct VQtProfile {
    bool valid = false;
    QVector<VQtDrawPoint> points;
    int begin = 0; // widget-pixel extent of the image on the profiled axis
    int end = 0;
    double valueMax = 256; // 2^bits
    int channels = 1;
};

// One point per widget pixel along the cross-hair's row (horizontal) or column (vertical).
VQtProfile extractProfile(VQT_PROFILE_LINE_TYPE type, const VQtProfileSource& src);
