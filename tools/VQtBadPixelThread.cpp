#include "tools/VQtBadPixelThread.h"

#include "core/VQtThreadMark.h"
#include "imageproc/VQtIplImage.h"
#include "tools/VQtFrameSource.h"
#include "tools/VQtImageView.h"

namespace {
constexpr int kWaitMs = 20;
} // namespace

VQtBadPixelThread::VQtBadPixelThread(QObject* parent) : QThread(parent) {}

VQtBadPixelThread::~VQtBadPixelThread() {
    stopThread();
}

void VQtBadPixelThread::setSettings(const VQtBadPixelSettings& settings) {
    stopThread();
    m_settings = settings;
}

void VQtBadPixelThread::startStatistical(bool currentOnly) {
    stopThread();
    m_currentOnly = currentOnly;
    m_running = true;
    start();
}

void VQtBadPixelThread::stopThread() {
    m_running = false;
    wait();
    VQtThreadMark::seen(this);
}

QVector<VQtBadPixelInfor> VQtBadPixelThread::results(List list) const {
    std::lock_guard<std::mutex> l(m_resultMutex);
    return m_results[list];
}

int VQtBadPixelThread::resultChannels() const {
    std::lock_guard<std::mutex> l(m_resultMutex);
    return m_channels;
}

bool VQtBadPixelThread::evaluate(VQtIplImage* frame, VQtBadPixelSearch::Results& results, int* channels) {
    const VQtImageView img = VQtImageView::of(frame);
    if (img.empty())
        return false;
    *channels = img.step;
    return m_search.evaluate(img, m_settings, results, &m_running);
}

void VQtBadPixelThread::run() {
    const VQtThreadMark::EndMark endMark(this);
    VQtBadPixelSearch::Results results;
    VQtIplImage* frame = nullptr;
    int channels = 1;
    const int frames = m_currentOnly ? 1 : std::max(1, m_settings.frames);
    if (m_currentOnly) {
        if (m_source && m_source->copyCurrentFrame(&frame)) {
            results.init(int64_t(frame->width) * frame->height);
            evaluate(frame, results, &channels);
        }
    } else if (m_source) {
        bool sized = false;
        int done = 0;
        m_source->startStatistics(frames);
        while (m_running && done < frames &&
               (m_source->isDelivering() || m_source->getRemainImageCount() > 0)) {
            if (!m_source->takeFrontFrame(&frame, kWaitMs))
                continue;
            ++done;
            emit signalRemainingFrame(frames - done, false);
            if (!sized) {
                results.init(int64_t(frames) * frame->width * frame->height);
                sized = true;
            }
            evaluate(frame, results, &channels);
        }
        m_source->stop();
    }
    cvVQtReleaseImage(&frame);
    publish(results, channels);
    emit signalRemainingFrame(0, results.overflowed());
    m_running = false;
    emit signalThreadExit();
}

void VQtBadPixelThread::publish(const VQtBadPixelSearch::Results& results, int channels) {
    const VQtRedBlackTreeArray* trees[3] = {&results.single, &results.horizontal, &results.vertical};
    QVector<VQtBadPixelInfor> lists[3];
    for (int t = 0; t < 3; ++t) {
        const VQtRedBlackTreeArray& tree = *trees[t];
        lists[t].reserve(int(tree.getCurrentCount()));
        for (int64_t i = 0; i < tree.getCurrentCount(); ++i) {
            const VQtRedBlackTreeArray::Node* n = tree.getAt(i);
            VQtBadPixelInfor row;
            const int high = int(n->key >> 16), low = int(n->key & 0xFFFF);
            // Row-major keys hold the row high; the column-major key of the vertical list
            // holds the column high.
            row.first = t == Vertical ? high : low;
            row.second = t == Vertical ? low : high;
            row.count = int(n->count);
            for (int k = 0; k < 4; ++k)
                row.values[k] = n->values[k];
            lists[t].append(row);
        }
    }
    std::lock_guard<std::mutex> l(m_resultMutex);
    for (int t = 0; t < 3; ++t)
        m_results[t] = std::move(lists[t]);
    m_channels = channels;
}
