#pragma once

// Reads parameters off the front of a fuzz input; past the end everything reads as zero.

#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint32_t take(int bytes) {
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= uint32_t(m_pos < m_size ? m_data[m_pos++] : 0) << (8 * i);
        return v;
    }
    const uint8_t* rest() const { return m_data + (m_pos < m_size ? m_pos : m_size); }
    size_t restSize() const { return m_pos < m_size ? m_size - m_pos : 0; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};
