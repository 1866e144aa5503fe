#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "tools/VQtFrameSource.h"

class VQtImageLock;

// The frames the main window shows, as a frame source: the main window offers every newly
// displayed frame; while a feed is running, copies of them queue up for the worker.
class VQtDisplayedFrameSource : public VQtFrameSource {
public:
    // At most this many frames wait in the queue; a frame offered beyond is not taken.
    static constexpr int kMaxQueued = 4;

    VQtDisplayedFrameSource();
    ~VQtDisplayedFrameSource() override;

    // The main window's picture: the frame (read under `lock`) and the lock it is written under.
    using Picture = std::function<const VQtIplImage*()>;
    void setPicture(Picture frame, VQtImageLock* lock);
    void setGrabbing(bool grabbing);
    // A new frame is displayed (user-interface thread): copied when the feed wants one.
    // Returns whether it was taken.
    bool offerFrame();
    bool offerFrame(const VQtIplImage* frame);

    bool isGrabbing() const override;
    bool copyCurrentFrame(VQtIplImage** target) override;
    void startStatistics(int count) override;
    bool isDelivering() const override;
    int getRemainImageCount() const override;
    bool takeFrontFrame(VQtIplImage** target, int timeoutMs) override;
    void stop() override;

private:
    void dropQueue();

    Picture m_picture;
    VQtImageLock* m_pictureLock = nullptr;
    // Standard primitives so that the thread checker sees the hand-over of frames.
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<VQtIplImage*> m_queue;
    int m_wanted = 0;
    bool m_grabbing = false;
};
