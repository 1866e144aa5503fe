// The lock of a shown picture. Readers (the render, the tools, saving, the stream's copies)
// share it; whoever replaces or refills the picture takes it alone. A thread that holds it may
// take it again. Qt's read-write lock does the locking; the marks tell ThreadSanitizer about
// it, since the checker cannot see inside the uninstrumented Qt library.
#pragma once

#include <QReadWriteLock>

class VQtImageLock {
public:
    VQtImageLock() = default;
    VQtImageLock(const VQtImageLock&) = delete;
    VQtImageLock& operator=(const VQtImageLock&) = delete;

    void lockForRead();
    void lockForWrite();
    bool tryLockForRead();
    void unlock();

private:
    QReadWriteLock m_lock{QReadWriteLock::Recursive};
};

// Scoped holders; a null lock is not taken.
class VQtImageReadLocker {
public:
    explicit VQtImageReadLocker(VQtImageLock* lock) : m_lock(lock) {
        if (m_lock)
            m_lock->lockForRead();
    }
    ~VQtImageReadLocker() {
        if (m_lock)
            m_lock->unlock();
    }
    VQtImageReadLocker(const VQtImageReadLocker&) = delete;
    VQtImageReadLocker& operator=(const VQtImageReadLocker&) = delete;

private:
    VQtImageLock* m_lock;
};

class VQtImageWriteLocker {
public:
    explicit VQtImageWriteLocker(VQtImageLock* lock) : m_lock(lock) {
        if (m_lock)
            m_lock->lockForWrite();
    }
    ~VQtImageWriteLocker() {
        if (m_lock)
            m_lock->unlock();
    }
    VQtImageWriteLocker(const VQtImageWriteLocker&) = delete;
    VQtImageWriteLocker& operator=(const VQtImageWriteLocker&) = delete;

private:
    VQtImageLock* m_lock;
};
