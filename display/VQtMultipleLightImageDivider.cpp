#include "display/VQtMultipleLightImageDivider.h"

#include <cstring>

int VQtMultipleLightImageDivider::destinationRow(int row, int height, int n) {
    if (n <= 1 || height <= 0)
        return row;
    const int band = height / n;
    // The last rows that do not make a full group of n stay put; moving them would land on
    // rows already taken by the bands.
    if (row >= band * n)
        return row;
    const int dst = (row % n) * band + row / n;
    return dst >= height ? row : dst;
}

void VQtMultipleLightImageDivider::divide(uint8_t* data, int height, size_t rowBytes, int n) {
    if (!data || n <= 1 || height <= 1 || rowBytes == 0 || height / n == 0)
        return;
    if (m_rowA.size() != rowBytes) {
        m_rowA.assign(rowBytes, 0);
        m_rowB.assign(rowBytes, 0);
    }
    m_visited.assign(height, 0);
    // Follow each permutation cycle, carrying one row forward at a time.
    for (int start = 0; start < height; ++start) {
        if (m_visited[start])
            continue;
        int cur = start;
        std::memcpy(m_rowA.data(), data + size_t(cur) * rowBytes, rowBytes);
        while (!m_visited[cur]) {
            m_visited[cur] = 1;
            const int dst = destinationRow(cur, height, n);
            if (dst == cur)
                break;
            uint8_t* d = data + size_t(dst) * rowBytes;
            std::memcpy(m_rowB.data(), d, rowBytes);
            std::memcpy(d, m_rowA.data(), rowBytes);
            m_rowA.swap(m_rowB);
            cur = dst;
        }
    }
}
