// The enable features of the three camera corrections (lookup table, defect pixels, flat
// field). The pre-processing window chooses them for the open camera; the device panel
// compares every changed camera feature with them to keep that window's boxes current.
#ifndef VQTPREPROCESSENABLE_H
#define VQTPREPROCESSENABLE_H

#include <QString>

struct VQtPreProcessEnable {
    QString lut = QStringLiteral("LUTEnable");
    QString defect = QStringLiteral("DefectPixelCorrectionEnable");
    QString ffc = QStringLiteral("FlatFieldCorrectionEnable");

    bool contains(const QString& feature) const {
        return !feature.isEmpty() && (feature == lut || feature == defect || feature == ffc);
    }
};
extern VQtPreProcessEnable g_preEnable;

#endif
