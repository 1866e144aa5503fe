// Plain-text reports of the device layer for the command line: the device tree as the
// device panel shows it (name, index, address, address-conflict code) followed by the probe
// errors, and an open camera's feature table.
#ifndef VQTDEVICEREPORT_H
#define VQTDEVICEREPORT_H

#include <QString>
#include <QStringList>
#include <cstdint>

class VQtManagerDeviceInfo;
class VQtAcqDeviceInfo;

class VQtDeviceReport {
public:
    static QStringList probeTree(const VQtManagerDeviceInfo& registry);
    // Address-conflict code of a camera under a network card: 1 outside the card's subnet,
    // 2 the card's own address, 3 shared with another camera of the card, 0 none.
    static int conflictCode(const VQtAcqDeviceInfo& entry, int cameraPosition);
    // Lists every feature of camera `index` of the camera library (name, type, access,
    // value). Returns 0 or the library status that stopped it.
    static uint32_t featureTable(uint32_t index, QStringList* lines);
    static QString typeName(uint32_t type);
    static QString accessName(uint32_t access);
};

#endif // VQTDEVICEREPORT_H
