#include "device/dispatch/VQtDiscoveryMap.h"

#include <mutex>

namespace {

struct Maps {
    std::mutex mutex;
    QVector<VQtDiscoveryMap::Range> cameras;
    QVector<VQtDiscoveryMap::Range> boards;
    bool boardsSet = false;
};

Maps& maps() {
    static Maps m;
    return m;
}

bool resolve(const QVector<VQtDiscoveryMap::Range>& ranges, uint32_t index, unsigned* slot, uint32_t* local) {
    for (const VQtDiscoveryMap::Range& r : ranges) {
        if (index < r.count) {
            *slot = r.slot;
            *local = index;
            return true;
        }
        index -= r.count;
    }
    return false;
}

} // namespace

void VQtDiscoveryMap::setCameras(const QVector<Range>& ranges) {
    Maps& m = maps();
    std::lock_guard<std::mutex> lock(m.mutex);
    m.cameras = ranges;
}

void VQtDiscoveryMap::setBoards(const QVector<Range>& ranges) {
    Maps& m = maps();
    std::lock_guard<std::mutex> lock(m.mutex);
    m.boards = ranges;
    m.boardsSet = true;
}

bool VQtDiscoveryMap::hasBoards() {
    Maps& m = maps();
    std::lock_guard<std::mutex> lock(m.mutex);
    return m.boardsSet;
}

bool VQtDiscoveryMap::camera(uint32_t index, unsigned* slot, uint32_t* local) {
    Maps& m = maps();
    std::lock_guard<std::mutex> lock(m.mutex);
    return resolve(m.cameras, index, slot, local);
}

bool VQtDiscoveryMap::board(uint32_t index, unsigned* slot, uint32_t* local) {
    Maps& m = maps();
    std::lock_guard<std::mutex> lock(m.mutex);
    return resolve(m.boards, index, slot, local);
}

int32_t VQtDiscoveryMap::boardOffset(unsigned slot) {
    Maps& m = maps();
    std::lock_guard<std::mutex> lock(m.mutex);
    int64_t first = 0;
    for (const Range& r : m.boards) {
        if (r.slot == slot)
            return int32_t(first);
        first += r.count;
    }
    return -1;
}
