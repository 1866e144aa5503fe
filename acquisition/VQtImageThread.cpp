#include "acquisition/VQtImageThread.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <new>

#include "acquisition/VQtImageFileIO.h"
#include "acquisition/VQtMemoryInfo.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "core/VQtThreadGuard.h"
#include "core/VQtThreadMark.h"

namespace {
constexpr int kMemoryLimitPercent = 89;
// Recycled buffers kept for the next frames: up to 1 GiB, or a quarter of physical memory on
// smaller machines.
uint64_t poolBudget() {
    static const uint64_t budget = [] {
        const uint64_t total = VQtMemoryInfo::totalBytes();
        const uint64_t gib = uint64_t(1) << 30;
        return total ? std::min(gib, total / 4) : gib / 4;
    }();
    return budget;
}
} // namespace

VQtImageThread::VQtImageThread(QObject* parent) : QThread(parent) {}

VQtImageThread::~VQtImageThread() {
    stop();
    std::lock_guard<std::mutex> l(m_poolMutex);
    for (VQtPsCricleBuffer* b : m_pool)
        delete b;
    m_pool.clear();
}

void VQtImageThread::setImageParam(const VQtImageParam& param, const VQtImageSaveParam& saveParam) {
    m_added = 0;
    m_processed = 0;
    m_param = param;
    m_saveParam = saveParam;
    if (!m_saveParam.sequenceMode)
        m_saveParam.ImageCount = 1;
}

bool VQtImageThread::saveImage(const QString& path) {
    // A run still draining its last frames finishes first.
    wait();
    VQtThreadMark::seen(this);
    m_savePath = path;
    m_saving = true;
    start();
    return true;
}

int VQtImageThread::memoryUsePercent() {
    return VQtMemoryInfo::usePercent();
}

int VQtImageThread::queueLength() {
    std::lock_guard<std::mutex> l(m_queueLock);
    return int(m_queue.size());
}

int VQtImageThread::pooledBuffers() {
    std::lock_guard<std::mutex> l(m_poolMutex);
    return int(m_pool.size());
}

VQtPsCricleBuffer* VQtImageThread::takeBuffer(uint64_t length) {
    VQtPsCricleBuffer* b = nullptr;
    {
        std::lock_guard<std::mutex> l(m_poolMutex);
        if (!m_pool.empty()) {
            b = m_pool.back();
            m_pool.pop_back();
        }
    }
    if (!b)
        b = new (std::nothrow) VQtPsCricleBuffer;
    if (!b)
        return nullptr;
    // A recycled buffer of the right size is reused as it is; the frame overwrites it.
    if (b->getCapacity() != length + 1024 && !b->flush(length, false)) {
        delete b;
        return nullptr;
    }
    return b;
}

void VQtImageThread::recycle(VQtPsCricleBuffer* buffer) {
    if (!buffer)
        return;
    std::lock_guard<std::mutex> l(m_poolMutex);
    uint64_t pooled = buffer->getCapacity();
    for (VQtPsCricleBuffer* b : m_pool)
        pooled += b->getCapacity();
    if (pooled <= poolBudget())
        m_pool.push_back(buffer);
    else
        delete buffer;
}

void VQtImageThread::addBuffer(const void* data, uint64_t length, uint64_t offset) {
    m_dataOffset = offset;
    if (!m_saving || int(m_added) >= wantedCount())
        return;
    const int memory = m_memoryProbe ? m_memoryProbe() : memoryUsePercent();
    VQtPsCricleBuffer* buffer = nullptr;
    if (memory <= kMemoryLimitPercent || queueLength() == 0)
        buffer = takeBuffer(length);
    {
        std::lock_guard<std::mutex> l(m_queueLock);
        if (buffer) {
            buffer->setImageParam(m_param);
            buffer->write(static_cast<const uint8_t*>(data), length, false);
            m_queue.push_back(buffer);
        } else if (!m_queue.empty()) {
            // No memory for another copy: the newest queued frame is replaced.
            m_queue.back()->write(static_cast<const uint8_t*>(data), length, false);
        }
    }
    ++m_added;
    std::lock_guard<std::mutex> l(m_wakeMutex);
    m_wake.notify_all();
}

void VQtImageThread::clearImageBuffer() {
    std::deque<VQtPsCricleBuffer*> old;
    {
        std::lock_guard<std::mutex> l(m_queueLock);
        old.swap(m_queue);
    }
    for (VQtPsCricleBuffer* b : old)
        recycle(b);
}

void VQtImageThread::stop() {
    m_saving = false;
    {
        std::lock_guard<std::mutex> l(m_wakeMutex);
        m_wake.notify_all();
    }
    wait();
    VQtThreadMark::seen(this);
    std::lock_guard<std::mutex> joined(m_wakeMutex);
    clearImageBuffer();
}

bool VQtImageThread::join(unsigned long ms) {
    if (!wait(ms))
        return false;
    VQtThreadMark::seen(this);
    return true;
}

void VQtImageThread::startStatistics(int count) {
    m_saveParam.ImageCount = count;
    m_added = 0;
    m_processed = 0;
    m_saving = true;
}

VQtPsCricleBuffer* VQtImageThread::getFrontPsBuffer() {
    std::lock_guard<std::mutex> l(m_queueLock);
    if (m_queue.empty())
        return nullptr;
    VQtPsCricleBuffer* b = m_queue.front();
    m_queue.pop_front();
    ++m_processed;
    return b;
}

QString VQtImageThread::sequenceExtension(int imageType) {
    static const char* ext[6] = {"bmp", "jpg", "png", "tif", "raw", "iim"};
    return QString::fromLatin1(ext[imageType >= 0 && imageType < 6 ? imageType : 0]);
}

QString VQtImageThread::frameFileName(uint32_t index) const {
    if (!m_saveParam.sequenceMode)
        return m_savePath;
    return m_savePath + QString::asprintf("-%04d.", int(index) + m_saveParam.BeginNumber) +
           sequenceExtension(m_saveParam.ImageType);
}

bool VQtImageThread::writeFrame(const QString& fileName, VQtPsCricleBuffer* buffer) {
    QString error;
    bool ok = false;
    QString failure;
    // The boundary of this thread: whatever a conversion throws ends that frame only.
    if (!VQtThreadGuard::run(
            tr("Saving %1").arg(fileName),
            [&] {
                ok = m_saver.save(fileName, buffer, m_saveParam, VQtPictureOptions::fromSettings(),
                                  m_dataOffset, &error);
            },
            &failure))
        error = failure;
    if (!ok)
        emit signalOutputInfo(tr("Failed to save image: %1").arg(error), 2);
    return ok;
}

void VQtImageThread::drainQueue(int wanted, bool* done) {
    while (m_saving) {
        if (int(m_processed) >= wanted) {
            *done = true;
            return;
        }
        VQtPsCricleBuffer* buffer = nullptr;
        {
            std::lock_guard<std::mutex> l(m_queueLock);
            if (m_queue.empty())
                return;
            buffer = m_queue.front();
            m_queue.pop_front();
        }
        // A failed file does not end the run; it is counted, and the run reports a failure.
        if (!writeFrame(frameFileName(m_processed), buffer))
            ++m_failed;
        ++m_processed;
        recycle(buffer);
    }
}

QString VQtImageThread::savedFiles() const {
    const uint32_t n = m_processed;
    if (!m_saveParam.sequenceMode || n <= 1)
        return frameFileName(0);
    return tr("%1 ... %2 (%3 images)").arg(frameFileName(0), frameFileName(n - 1)).arg(n);
}

void VQtImageThread::run() {
    const VQtThreadMark::EndMark endMark(this);
    const int wanted = wantedCount();
    m_failed = 0;
    bool done = false;
    while (!done && int(m_processed) < wanted) {
        if (!m_saving)
            break;
        if (queueLength() == 0) {
            std::unique_lock<std::mutex> l(m_wakeMutex);
            m_wake.wait_for(l, std::chrono::milliseconds(10));
        }
        drainQueue(wanted, &done);
    }
    const bool complete = int(m_processed) == wanted && m_failed == 0;
    emit signalSaveImageStatus(complete ? 1 : -1, savedFiles());
    clearImageBuffer();
    // The last word under the lock stop() takes after waiting: what the run did is seen by
    // whoever stopped it (the thread checker cannot see into QThread::wait).
    std::lock_guard<std::mutex> l(m_wakeMutex);
    m_saving = false;
}

bool VQtImageThread::openImage(const QString& path, VQtPsCricleBuffer* buffer) {
    const QString suffix = path.right(4).toLower();
    bool ok = false;
    QString error;
    if (suffix == QLatin1String(".iim")) {
        ok = vqtOpenIimImage(path, buffer, &error);
    } else if (suffix == QLatin1String(".raw")) {
        VQtImageParam raw;
        uint64_t start = 0;
        // Nobody is asked to describe what is not a file. Without someone to describe the file
        // (or when the user cancels) nothing is opened.
        const QString problem = vqtFileProblem(path);
        if (!problem.isEmpty())
            error = tr("Cannot open %1: %2").arg(path, problem);
        else if (!m_rawProvider || !m_rawProvider(path, raw, start))
            return false;
        else
            ok = vqtOpenRawImage(path, buffer, raw, start, &error);
    } else {
        ok = vqtOpenCommonImage(path, buffer, &error);
    }
    if (!ok) {
        emit signalOutputInfo(tr("Failed to load image: %1").arg(error), 2);
        return false;
    }
    m_param = buffer->getImageParam();
    // A short file opens; the missing tail shows black, and the log says how much is missing.
    const uint64_t missing = vqtMissingBytes(m_param, buffer->getBufferSize());
    if (missing > 0 && suffix == QLatin1String(".iim"))
        emit signalOutputInfo(tr("%1 holds %2 bytes of frame data, %3 bytes fewer than its header describes; "
                                 "the missing part is shown black")
                                  .arg(path)
                                  .arg(buffer->getBufferSize())
                                  .arg(missing),
                              1);
    return true;
}
