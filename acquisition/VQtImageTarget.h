#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "acquisition/VQtPictureTarget.h"
#include "core/VQtImageLock.h"

class VQtIplImage;

// A picture without a window: the stream unpacks frames into it exactly as into the main
// picture widget. "vionc grab" shows its frames here; tests and benchmarks watch the frames
// arrive. Every redraw request is counted; an optional hook runs on the stream's thread after
// each one (it must not block).
class VQtImageTarget : public VQtPictureTarget {
public:
    VQtImageTarget();
    ~VQtImageTarget() override;
    VQtImageTarget(const VQtImageTarget&) = delete;
    VQtImageTarget& operator=(const VQtImageTarget&) = delete;

    VQtImageLock& getImageLock() override { return m_lock; }
    VQtIplImage* getEntireImage() override { return m_image; }
    bool createImage(int width, int height, int depth, int channels) override;
    void setFrameFormat(int bayerMode, int bitDepth) override;
    void updateEntireImage() override;

    uint64_t updates() const { return m_updates.load(); }
    int bayerMode() const { return m_bayerMode; }
    int bitDepth() const { return m_bitDepth; }
    // Set before the grab starts.
    void setUpdateHook(std::function<void()> hook) { m_hook = std::move(hook); }

private:
    VQtImageLock m_lock;
    VQtIplImage* m_image = nullptr;
    std::atomic<uint64_t> m_updates{0};
    std::atomic<int> m_bayerMode{0};
    std::atomic<int> m_bitDepth{8};
    std::function<void()> m_hook;
};
