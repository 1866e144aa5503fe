// Public handles of the library surface: a backend's local handle with the backend's slot in
// the top byte. Routing a call is one shift and one table load; a handle whose slot holds no
// backend is refused before any backend sees it.
#ifndef VQTHANDLETAG_H
#define VQTHANDLETAG_H

#include <cstdint>

namespace VQtHandleTag {

constexpr unsigned kShift = 56;
constexpr uint64_t kLocalMask = (uint64_t(1) << kShift) - 1;
// Slots 1 .. kMaxSlot; 0 means "no backend" (a null or foreign handle). Board handles are
// signed, so the top bit stays clear.
constexpr unsigned kMaxSlot = 127;

inline unsigned slotOf(const void* handle) {
    return unsigned(reinterpret_cast<uintptr_t>(handle) >> kShift);
}
inline void* localOf(const void* handle) {
    return reinterpret_cast<void*>(reinterpret_cast<uintptr_t>(handle) & kLocalMask);
}
inline bool fitsLocal(const void* local) {
    return (reinterpret_cast<uintptr_t>(local) >> kShift) == 0;
}
inline void* tag(unsigned slot, void* local) {
    return reinterpret_cast<void*>((uint64_t(slot) << kShift) | reinterpret_cast<uintptr_t>(local));
}

inline unsigned slotOf(int64_t board) {
    return board < 0 ? 0u : unsigned(uint64_t(board) >> kShift);
}
inline int64_t localOf(int64_t board) {
    return int64_t(uint64_t(board) & kLocalMask);
}
inline bool fitsLocal(int64_t local) {
    return local >= 0 && (uint64_t(local) >> kShift) == 0;
}
inline int64_t tag(unsigned slot, int64_t local) {
    return int64_t((uint64_t(slot) << kShift) | uint64_t(local));
}

} // namespace VQtHandleTag

#endif // VQTHANDLETAG_H
