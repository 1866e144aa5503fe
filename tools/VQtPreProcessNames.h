// The camera features the correction-table transfer uses, one per role. Cameras name them in
// different ways; each role takes the first of its candidates that the open camera has, or
// the first candidate when it has none (the transfer then fails on that feature).
#ifndef VQTPREPROCESSNAMES_H
#define VQTPREPROCESSNAMES_H

#include <QString>
#include <QStringList>
#include <functional>

#include "device/VQtPreProcessEnable.h"

class VQtPreProcessNames {
public:
    enum Role {
        LutEnable,
        LutReadOut,
        LutCount,
        LutWrite,
        LutWriteIndex, // index and value of a write
        LutWriteValue,
        LutIndex, // index and value of the other operations
        LutValue,
        LutSelector,
        DefectEnable,
        DefectReadOut,
        DefectCount,
        DefectSelector,
        DefectReadX,
        DefectReadY,
        DefectWriteX,
        DefectWriteY,
        DefectRemoveX,
        DefectRemoveY,
        DefectAdd,
        DefectRemove,
        DefectSave,
        DefectClear,
        FfcReadOut,
        FfcEnable,
        FfcCount,
        FfcIndex,
        FfcValue,
        FfcWrite,
        RoleCount
    };

    static QStringList candidates(Role role);
    // Chooses every role's name; `has` tells whether the camera has a feature. Publishes the
    // three enable names in g_preEnable.
    void choose(const std::function<bool(const QString&)>& has);
    QString name(Role role) const { return m_names[role]; }

private:
    QString m_names[RoleCount];
};

#endif // VQTPREPROCESSNAMES_H
