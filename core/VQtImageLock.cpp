
#include "core/VQtImageLock.h"

#include "core/VQtThreadMark.h"

// Every holder sees what every earlier holder did: a little stronger than a read-write lock
// promises between two readers, which never write the picture.
void VQtImageLock::lockForRead() {
    m_lock.lockForRead();
    VQtThreadMark::seen(this);
}

void VQtImageLock::lockForWrite() {
    m_lock.lockForWrite();
    VQtThreadMark::seen(this);
}

bool VQtImageLock::tryLockForRead() {
    if (!m_lock.tryLockForRead())
        return false;
    VQtThreadMark::seen(this);
    return true;
}

void VQtImageLock::unlock() {
    VQtThreadMark::ended(this);
    m_lock.unlock();
}
