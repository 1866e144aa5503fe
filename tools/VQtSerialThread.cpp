#include "tools/VQtSerialThread.h"

#include <cstring>

VQtSerialThread::VQtSerialThread(QObject* parent) : QThread(parent), m_buffer(int(kBufferBytes), '\0') {}

VQtSerialThread::~VQtSerialThread() {
    stopThread();
}

void VQtSerialThread::startThread(OXA_DEV_HANDLE camera) {
    stopThread();
    m_camera = camera;
    m_stop = false;
    start();
}

void VQtSerialThread::stopThread() {
    m_stop = true;
    wait();
}

QString VQtSerialThread::textOf(const char* bytes, uint32_t count) {
    const void* zero = std::memchr(bytes, 0, count);
    const int n = zero ? int(static_cast<const char*>(zero) - bytes) : int(count);
    return QString::fromLatin1(bytes, n);
}

void VQtSerialThread::run() {
    while (!m_stop) {
        m_buffer.fill('\0');
        uint32_t count = kBufferBytes;
        if (OxaDevSerialPortRead(m_camera, m_buffer.data(), &count, kReadTimeoutMs) == OXA_STATUS_SUCCESS &&
            count != 0) {
            const QString text = textOf(m_buffer.constData(), std::min(count, kBufferBytes));
            if (!text.isEmpty())
                emit signalGetData(text);
        }
        msleep(10);
    }
}
