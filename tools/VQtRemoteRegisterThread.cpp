#include "tools/VQtRemoteRegisterThread.h"

#include <cmath>
#include <cstring>

#include "core/VQtThreadGuard.h"
#include "core/VQtThreadMark.h"
#include "tools/VQtHexText.h"

VQtRemoteRegisterThread::VQtRemoteRegisterThread(QObject* parent) : QThread(parent) {}

VQtRemoteRegisterThread::~VQtRemoteRegisterThread() {
    wait();
    VQtThreadMark::seen(this);
}

bool VQtRemoteRegisterThread::valueWord(const QString& text, uint32_t* word) {
    bool ok = false;
    if (text.contains(QLatin1Char('.'))) {
        const float f = text.toFloat(&ok);
        if (!ok || !std::isfinite(f))
            return false;
        std::memcpy(word, &f, 4);
        return true;
    }
    const qlonglong v = text.toLongLong(&ok, 10);
    if (!ok || v < INT32_MIN || v > qlonglong(UINT32_MAX))
        return false;
    *word = uint32_t(v);
    return true;
}

bool VQtRemoteRegisterThread::readData(const QString& address) {
    if (!stopThread())
        return false;
    m_read = true;
    m_address = address;
    start();
    return true;
}

bool VQtRemoteRegisterThread::writeData(const QString& address, const QString& value) {
    if (!stopThread())
        return false;
    m_read = false;
    m_address = address;
    m_value = value;
    start();
    return true;
}

void VQtRemoteRegisterThread::run() {
    const VQtThreadMark::EndMark endMark(this);
    uint32_t word = 0;
    QString failure;
    if (!VQtThreadGuard::run(
            tr("Camera register access"), [this, &word] { work(&word); }, &failure)) {
        m_status = OXA_MAKE_STATUS(OXA_MODULE_PORT, OXA_ERR_IO);
        emit signalOutputInfo(failure, 2);
    }
    emit signalReadWriteStatus(m_read, int(word));
}

void VQtRemoteRegisterThread::work(uint32_t* word) {
    OXA_DEV_HANDLE h = cameraHandle();
    const uint64_t address = HexCharToLonglong(m_address);
    if (!h)
        m_status = OXA_MAKE_STATUS(OXA_MODULE_DEVICE, OXA_ERR_DEVICE_NOT_OPEN);
    else if (m_read)
        m_status = OxaDevPortRead(h, word, address, 4);
    else if (!valueWord(m_value, word))
        m_status = OXA_MAKE_STATUS(OXA_MODULE_PORT, OXA_ERR_INVALID_PARAMETER);
    else
        m_status = OxaDevPortWrite(h, word, address, 4);
}
