#include "tools/VQtRedBlackTreeArray.h"

#include <algorithm>
#include <new>

bool VQtRedBlackTreeArray::init(int64_t capacity) {
    deleteAll();
    if (capacity <= 0 || capacity >= INT32_MAX)
        return false;
    try {
        m_nodes.resize(size_t(capacity) + 1);
    } catch (const std::bad_alloc&) {
        std::vector<Node>().swap(m_nodes);
        return false;
    }
    m_capacity = capacity;
    clear();
    return true;
}

void VQtRedBlackTreeArray::clear() {
    m_used = 0;
    m_root = 0;
    if (!m_nodes.empty())
        m_nodes[0] = Node(); // black sentinel
}

void VQtRedBlackTreeArray::deleteAll() {
    std::vector<Node>().swap(m_nodes);
    m_capacity = 0;
    m_used = 0;
    m_root = 0;
}

const VQtRedBlackTreeArray::Node* VQtRedBlackTreeArray::getAt(int64_t i) const {
    return i >= 0 && i < m_used ? &m_nodes[size_t(i) + 1] : nullptr;
}

int32_t VQtRedBlackTreeArray::minimum(int32_t x) const {
    while (m_nodes[x].left)
        x = m_nodes[x].left;
    return x;
}

const VQtRedBlackTreeArray::Node* VQtRedBlackTreeArray::getMinRbt() const {
    return m_root ? &m_nodes[minimum(m_root)] : nullptr;
}

const VQtRedBlackTreeArray::Node* VQtRedBlackTreeArray::nextRbt(const Node* node) const {
    if (!node)
        return nullptr;
    int32_t x = indexOf(node);
    if (m_nodes[x].right)
        return &m_nodes[minimum(m_nodes[x].right)];
    int32_t p = m_nodes[x].parent;
    while (p && x == m_nodes[p].right) {
        x = p;
        p = m_nodes[p].parent;
    }
    return p ? &m_nodes[p] : nullptr;
}

bool VQtRedBlackTreeArray::setAt(int64_t key, int64_t count, uint16_t v0, uint16_t v1, uint16_t v2,
                                 uint16_t v3) {
    if (m_capacity == 0)
        return false;
    int32_t parent = 0, x = m_root;
    while (x) {
        Node& n = m_nodes[x];
        if (key == n.key) {
            n.count = std::max(n.count, count);
            return true;
        }
        parent = x;
        x = key < n.key ? n.left : n.right;
    }
    if (m_used >= m_capacity)
        return false;
    const int32_t z = int32_t(++m_used);
    Node& n = m_nodes[z];
    n = Node();
    n.key = key;
    n.count = count;
    n.values[0] = v0;
    n.values[1] = v1;
    n.values[2] = v2;
    n.values[3] = v3;
    n.parent = parent;
    n.red = true;
    if (!parent)
        m_root = z;
    else if (key < m_nodes[parent].key)
        m_nodes[parent].left = z;
    else
        m_nodes[parent].right = z;
    insertFixup(z);
    return true;
}

void VQtRedBlackTreeArray::rotateLeft(int32_t x) {
    const int32_t y = m_nodes[x].right;
    m_nodes[x].right = m_nodes[y].left;
    if (m_nodes[y].left)
        m_nodes[m_nodes[y].left].parent = x;
    m_nodes[y].parent = m_nodes[x].parent;
    const int32_t p = m_nodes[x].parent;
    if (!p)
        m_root = y;
    else if (x == m_nodes[p].left)
        m_nodes[p].left = y;
    else
        m_nodes[p].right = y;
    m_nodes[y].left = x;
    m_nodes[x].parent = y;
}

void VQtRedBlackTreeArray::rotateRight(int32_t x) {
    const int32_t y = m_nodes[x].left;
    m_nodes[x].left = m_nodes[y].right;
    if (m_nodes[y].right)
        m_nodes[m_nodes[y].right].parent = x;
    m_nodes[y].parent = m_nodes[x].parent;
    const int32_t p = m_nodes[x].parent;
    if (!p)
        m_root = y;
    else if (x == m_nodes[p].right)
        m_nodes[p].right = y;
    else
        m_nodes[p].left = y;
    m_nodes[y].right = x;
    m_nodes[x].parent = y;
}

void VQtRedBlackTreeArray::insertFixup(int32_t z) {
    while (m_nodes[m_nodes[z].parent].red) {
        const int32_t p = m_nodes[z].parent;
        const int32_t g = m_nodes[p].parent;
        const bool leftSide = p == m_nodes[g].left;
        const int32_t uncle = leftSide ? m_nodes[g].right : m_nodes[g].left;
        if (m_nodes[uncle].red) {
            m_nodes[p].red = false;
            m_nodes[uncle].red = false;
            m_nodes[g].red = true;
            z = g;
            continue;
        }
        if (leftSide) {
            if (z == m_nodes[p].right) {
                z = p;
                rotateLeft(z);
            }
            m_nodes[m_nodes[z].parent].red = false;
            m_nodes[m_nodes[m_nodes[z].parent].parent].red = true;
            rotateRight(m_nodes[m_nodes[z].parent].parent);
        } else {
            if (z == m_nodes[p].left) {
                z = p;
                rotateRight(z);
            }
            m_nodes[m_nodes[z].parent].red = false;
            m_nodes[m_nodes[m_nodes[z].parent].parent].red = true;
            rotateLeft(m_nodes[m_nodes[z].parent].parent);
        }
    }
    m_nodes[m_root].red = false;
    m_nodes[0] = Node(); // rotations may have written the sentinel's parent
}
