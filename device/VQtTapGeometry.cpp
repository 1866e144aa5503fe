#include "device/VQtTapGeometry.h"

#include <QRegularExpression>

bool VQtTapGeometry::parse(const QString& name, VQtTapGeometry* geometry) {
    static const QRegularExpression pattern(QStringLiteral("^Geometry_(\\d+)X(\\d*)([EM]?)_(\\d+)Y(E?)$"));
    const QRegularExpressionMatch m = pattern.match(name.trimmed());
    if (!m.hasMatch())
        return false;
    VQtTapGeometry g;
    g.regionsX = m.captured(1).toInt();
    g.tapsPerRegion = m.captured(2).isEmpty() ? 1 : m.captured(2).toInt();
    g.across = m.captured(3) == QLatin1String("E")   ? FromEnd
               : m.captured(3) == QLatin1String("M") ? FromMiddle
                                                     : Forward;
    g.regionsY = m.captured(4).toInt();
    g.bottomUp = !m.captured(5).isEmpty();
    // Up to 16 regions and 16 taps each way: more is no camera, and nothing to draw.
    if (g.regionsX < 1 || g.regionsX > 16 || g.tapsPerRegion < 1 || g.tapsPerRegion > 16 || g.regionsY < 1 ||
        g.regionsY > 16)
        return false;
    *geometry = g;
    return true;
}
