#include "tools/VQtSendTablesThread.h"

#include <QFile>

#include "core/VQtThreadGuard.h"
#include "core/VQtThreadMark.h"
#include "tools/VQtCodingTable.h"

VQtSendTablesThread::VQtSendTablesThread(QObject* parent) : QThread(parent) {}

VQtSendTablesThread::~VQtSendTablesThread() {
    m_running = false;
    wait();
    VQtThreadMark::seen(this);
}

bool VQtSendTablesThread::startThread() {
    if (!stopThread())
        return false;
    m_running = true;
    m_ok = false;
    start();
    return true;
}

bool VQtSendTablesThread::stopThread(int deadlineMs) {
    m_running = false;
    return VQtWorkerJoin::join(this, deadlineMs);
}

void VQtSendTablesThread::run() {
    const VQtThreadMark::EndMark endMark(this);
    QString failure;
    if (!VQtThreadGuard::run(
            tr("Sending the coding tables"), [this] { m_ok = send(); }, &failure)) {
        m_ok = false;
        emit signalMessage(failure, 2);
    }
    m_running = false;
    emit signalThreadExit();
}

bool VQtSendTablesThread::send() {
    // Every file is read and checked before the first entry goes out.
    QVector<QVector<uint32_t>> tables;
    for (int t = 1; t <= VQtCodingTable::kTables; ++t) {
        const QString path = VQtCodingTable::findFile(t);
        QFile file(path);
        if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
            emit signalMessage(tr("File %1.csv does not exist").arg(t), 2);
            return false;
        }
        const VQtCodingTable::Content content = VQtCodingTable::parse(file.read(1 << 20));
        if (!content.ok) {
            emit signalMessage(tr("%1.csv，Error code:0xF002").arg(t) + QLatin1Char('\n') + content.reason,
                               2);
            return false;
        }
        tables << content.words;
    }
    OXA_DEV_HANDLE h = cameraHandle();
    for (int t = 1; t <= VQtCodingTable::kTables; ++t) {
        emit signalProgress(t - 1);
        for (int i = 0; i < VQtCodingTable::kLines; ++i) {
            if (!m_running || !h)
                return false;
            const uint32_t select = (uint32_t(i) << 16) + uint32_t(t - 1);
            const uint32_t word = tables[t - 1][i];
            if (OxaDevPortWrite(h, &select, kSelect, 4) != OXA_STATUS_SUCCESS) {
                emit signalMessage(tr("Write address : 0XA870，value %1 error").arg(select), 2);
                return false;
            }
            if (OxaDevPortWrite(h, &word, kData, 4) != OXA_STATUS_SUCCESS) {
                emit signalMessage(tr("Write address : 0XA874，value %1 error").arg(word), 2);
                return false;
            }
            uint32_t back = 0;
            if (OxaDevPortRead(h, &back, kData, 4) != OXA_STATUS_SUCCESS) {
                emit signalMessage(tr("Read address : 0XA874 error"), 2);
                return false;
            }
            if (back != word) {
                emit signalMessage(QStringLiteral("0xF003\n") +
                                       tr("%1.csv line %2: 0x%3 was written, 0x%4 read back")
                                           .arg(t)
                                           .arg(i + 2)
                                           .arg(word, 8, 16, QLatin1Char('0'))
                                           .arg(back, 8, 16, QLatin1Char('0')),
                                   2);
                return false;
            }
        }
    }
    const uint32_t done = 0;
    if (OxaDevPortWrite(h, &done, kComplete, 4) != OXA_STATUS_SUCCESS) {
        emit signalMessage(tr("Write address : 0XA878，value %1 error").arg(done), 2);
        return false;
    }
    emit signalProgress(VQtCodingTable::kTables);
    emit signalMessage(tr("Write tables ok"), 0);
    return true;
}
