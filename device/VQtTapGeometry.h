// A camera's tap geometry as its standard name gives it ("Geometry_1X2_2YE"): how many regions
// the frame is cut into across and down, how many adjacent taps read each region, and which
// regions are read from their far end.
#ifndef VQTTAPGEOMETRY_H
#define VQTTAPGEOMETRY_H

#include <QString>

struct VQtTapGeometry {
    // How the regions across are read: all left to right, the right half from the right end
    // ("E"), or both halves from the middle outwards ("M").
    enum Across { Forward, FromEnd, FromMiddle };

    int regionsX = 1;
    int tapsPerRegion = 1; // adjacent pixels of one region read at once
    Across across = Forward;
    int regionsY = 1;
    bool bottomUp = false; // "YE": the lower region is read from the last line upwards

    int taps() const { return regionsX * tapsPerRegion * regionsY; }

    // False for a text that is no tap geometry name; `geometry` is then left as it was.
    static bool parse(const QString& name, VQtTapGeometry* geometry);
};

#endif // VQTTAPGEOMETRY_H
