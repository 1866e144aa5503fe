#pragma once

class VQtIplImage;

// Where the bad-pixel worker takes its frames from: the frame on show now, and a feed of the
// next frames of a running acquisition. The main window's displayed frames serve today; the
// live stream hands its frames over through the same calls.
class VQtFrameSource {
public:
    virtual ~VQtFrameSource() = default;

    // Frames keep arriving on their own (an acquisition is running).
    virtual bool isGrabbing() const = 0;
    // Copies the frame on show into *target (made when absent); false when there is none.
    virtual bool copyCurrentFrame(VQtIplImage** target) = 0;

    // Hand over the next `count` frames; earlier frames not taken are dropped.
    virtual void startStatistics(int count) = 0;
    // Frames are still to come.
    virtual bool isDelivering() const = 0;
    // Frames handed over and not yet taken.
    virtual int getRemainImageCount() const = 0;
    // Takes the oldest frame handed over into *target, waiting at most `timeoutMs` for one;
    // false when none came.
    virtual bool takeFrontFrame(VQtIplImage** target, int timeoutMs) = 0;
    // Ends the feed and drops the frames not taken.
    virtual void stop() = 0;
};
