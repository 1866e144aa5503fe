#pragma once

#include <functional>
#include <shared_mutex>

class VQtIplImage;

// The computing image: the one snapshot of the displayed image that every analysis window
// reads. Readers take m_imgComputingLock for reading and, when they need their own counter
// lock as well, take it after this one. Only the refresh writes it. A standard lock, so that
// the thread checker sees who reads the snapshot after whom.
extern VQtIplImage* m_imgComputing;
extern std::shared_mutex m_imgComputingLock;

class VQtComputingImage {
public:
    // The main window's refresh (copy the shown picture when a new one is displayed); safe to
    // call from any thread. Tests and the offline tools install their own.
    using Refresh = std::function<void()>;
    static void setRefresh(Refresh refresh);
    // Runs the installed refresh; does nothing without one.
    static void update();

    // Replaces the computing image by a copy of `source` under the write lock (an empty
    // source empties it). Returns whether the computing image now holds pixels.
    static bool copyFrom(const VQtIplImage* source);
    static void clear();
};
