#pragma once

#include <cstdint>
#include <vector>

// An ordered set of keyed entries whose nodes live in one array allocated up front: no
// allocation happens per entry, and a full tree drops further entries silently. Entries are
// reachable in insertion order (getAt) and in key order (getMinRbt / nextRbt).
class VQtRedBlackTreeArray {
public:
    struct Node {
        int64_t key = 0;
        int64_t count = 0;
        uint16_t values[4] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
        int32_t left = 0, right = 0, parent = 0; // 0 is the sentinel
        bool red = false;
    };

    // Room for `capacity` entries; false (and an unusable tree) when the memory is not there.
    bool init(int64_t capacity);
    // Adds an entry, or raises an existing key's count to max(old, count) keeping its values.
    // False when the entry was dropped (tree full or unusable).
    bool setAt(int64_t key, int64_t count, uint16_t v0 = 0xFFFF, uint16_t v1 = 0xFFFF, uint16_t v2 = 0xFFFF,
               uint16_t v3 = 0xFFFF);
    int64_t getCurrentCount() const { return m_used; }
    int64_t getMaxCount() const { return m_capacity; }
    bool isFull() const { return m_capacity > 0 && m_used >= m_capacity; }
    // The i-th inserted entry (0-based); null outside the range.
    const Node* getAt(int64_t i) const;
    // Key order: the smallest entry, then each next one; null at the end.
    const Node* getMinRbt() const;
    const Node* nextRbt(const Node* node) const;
    // Forgets every entry but keeps the room.
    void clear();
    // Frees the room; the tree is unusable until the next init.
    void deleteAll();

private:
    int32_t indexOf(const Node* n) const { return int32_t(n - m_nodes.data()); }
    void rotateLeft(int32_t x);
    void rotateRight(int32_t x);
    void insertFixup(int32_t z);
    int32_t minimum(int32_t x) const;

    std::vector<Node> m_nodes; // [0] sentinel, [1..capacity] entries in insertion order
    int64_t m_capacity = 0;
    int64_t m_used = 0;
    int32_t m_root = 0;
};
