#include "device/sim/SimFrameSource.h"

#include <cstring>
#include <new>

#include "device/sim/SimFrameEncoder.h"
#include "device/sim/SimScene.h"

SimFrameSource::SimFrameSource() = default;
SimFrameSource::~SimFrameSource() = default;

size_t SimFrameSource::scene(uint64_t frame, const SimFrameFormat& f, uint8_t* dst, size_t capacity) {
    if (!m_scene || m_scene->width() != int(f.width) || m_scene->height() != int(f.height))
        m_scene.reset(new SimScene(int(f.width), int(f.height), false));
    return SimFrameEncoder::encode(*m_scene, frame, f, dst, capacity);
}

bool SimFrameSource::cacheMatches(const SimFrameFormat& f, uint64_t revision, int frames) const {
    const SimFrameFormat& c = m_cacheLayout;
    return int(m_cache.size()) == frames && revision == m_cacheRevision && c.imageType == f.imageType &&
           c.packedType == f.packedType && c.bayerPattern == f.bayerPattern && c.bitDepth == f.bitDepth &&
           c.width == f.width && c.height == f.height && c.jpegQuality == f.jpegQuality;
}

size_t SimFrameSource::fill(uint64_t frame, const SimFrameFormat& f, uint64_t revision, int prerendered,
                            const Render& render, uint8_t* dst, size_t capacity) {
    if (prerendered <= 0) {
        m_cache.clear();
        m_cacheBytes.clear();
        return render(frame, dst, capacity);
    }
    if (!cacheMatches(f, revision, prerendered)) {
        m_cache.clear();
        m_cacheBytes.clear();
        const size_t bound = size_t(f.frameBytes()) + 1024;
        try {
            for (int k = 0; k < prerendered; ++k) {
                m_cache.emplace_back(bound);
                m_cacheBytes.push_back(render(uint64_t(k), m_cache.back().data(), bound));
            }
        } catch (const std::bad_alloc&) {
            m_cache.clear();
            m_cacheBytes.clear();
            return render(frame, dst, capacity);
        }
        m_cacheLayout = f;
        m_cacheRevision = revision;
    }
    const size_t k = size_t(frame % uint64_t(m_cache.size()));
    const size_t n = m_cacheBytes[k];
    if (n == 0 || n > capacity)
        return 0;
    std::memcpy(dst, m_cache[k].data(), n);
    return n;
}
