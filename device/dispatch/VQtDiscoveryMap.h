// Which backend holds a device index of the merged lists. Each device count (cameras) or
// board count (boards) replaces the list of that kind: the backends' devices one after the
// other, in registry order.
#ifndef VQTDISCOVERYMAP_H
#define VQTDISCOVERYMAP_H

#include <QVector>
#include <cstdint>

class VQtDiscoveryMap {
public:
    struct Range {
        unsigned slot;
        uint32_t count;
    };
    static void setCameras(const QVector<Range>& ranges);
    static void setBoards(const QVector<Range>& ranges);
    static bool hasBoards();
    // Backend slot and local index of a merged index; false when past the end.
    static bool camera(uint32_t index, unsigned* slot, uint32_t* local);
    static bool board(uint32_t index, unsigned* slot, uint32_t* local);
    // First merged board index of a backend's boards, -1 when it has none listed.
    static int32_t boardOffset(unsigned slot);
};

#endif // VQTDISCOVERYMAP_H
