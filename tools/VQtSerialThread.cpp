#include "tools/VQtSerialThread.h"

#include <cstring>

#include "core/VQtThreadGuard.h"
#include "core/VQtThreadMark.h"

VQtSerialThread::VQtSerialThread(QObject* parent) : QThread(parent), m_buffer(int(kBufferBytes), '\0') {}

VQtSerialThread::~VQtSerialThread() {
    m_stop = true;
    wait();
    VQtThreadMark::seen(this);
}

bool VQtSerialThread::startThread(OXA_DEV_HANDLE camera) {
    if (!stopThread())
        return false;
    m_camera = camera;
    m_stop = false;
    start();
    return true;
}

bool VQtSerialThread::stopThread(int deadlineMs) {
    m_stop = true;
    return VQtWorkerJoin::join(this, deadlineMs);
}

QString VQtSerialThread::textOf(const char* bytes, uint32_t count) {
    const void* zero = std::memchr(bytes, 0, count);
    const int n = zero ? int(static_cast<const char*>(zero) - bytes) : int(count);
    return QString::fromLatin1(bytes, n);
}

void VQtSerialThread::run() {
    const VQtThreadMark::EndMark endMark(this);
    const QString what = tr("Reading the serial port");
    QString failure;
    while (!m_stop) {
        if (!VQtThreadGuard::run(
                what, [this] { readOnce(); }, &failure)) {
            emit signalOutputInfo(failure, 2);
            return;
        }
        msleep(10);
    }
}

void VQtSerialThread::readOnce() {
    m_buffer.fill('\0');
    uint32_t count = kBufferBytes;
    if (OxaDevSerialPortRead(m_camera, m_buffer.data(), &count, kReadTimeoutMs) == OXA_STATUS_SUCCESS &&
        count != 0) {
        const QString text = textOf(m_buffer.constData(), std::min(count, kBufferBytes));
        if (!text.isEmpty())
            emit signalGetData(text);
    }
}
