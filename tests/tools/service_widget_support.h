// Support of the service windows' QtTests: simulated devices opened through their adapters,
// and an answerer that reads and answers every message box as it appears.
#ifndef SERVICE_WIDGET_SUPPORT_H
#define SERVICE_WIDGET_SUPPORT_H

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstring>
#include <memory>

#include "core/QBaseMessageBox.h"
#include "device/VQtDevice.h"
#include "device/sim/SimDeviceSet.h"
#include "device/sim/SimLibrary.h"

inline bool useSimDeviceSet(const QByteArray& json = QByteArray()) {
    SimDeviceSet set = SimDeviceSet::defaultSet();
    QString error;
    if (!json.isEmpty() && !SimDeviceSet::fromJson(json, &set, &error))
        return false;
    SimLibrary::instance().setDeviceSet(set);
    return OxaManInitialize() == OXA_STATUS_SUCCESS;
}

inline std::unique_ptr<VQtDevice> openSimCamera(const char* model, VQT_DEVICE_VAR_TYPE type, int board = -1) {
    uint32_t count = 0;
    OxaManGetDeviceCount(&count);
    for (uint32_t i = 0; i < count; ++i) {
        OXA_DEVICE_INFO info;
        if (OxaManGetDeviceInfo(i, &info) != OXA_STATUS_SUCCESS || std::strcmp(info.deviceName, model) != 0)
            continue;
        std::unique_ptr<VQtDevice> dev(VQtDevice::createDevice(type));
        if (dev && dev->open(board, int(i)))
            return dev;
    }
    return nullptr;
}

// Answers every message box that opens: the next queued answer, else "Yes".
class BoxAnswerer : public QObject {
public:
    BoxAnswerer() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, this, &BoxAnswerer::check);
        m_timer.start();
    }
    QStringList texts;
    QList<int> answers;

    void check() {
        auto* box = qobject_cast<QBaseMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        texts << box->textLabel()->text();
        const int answer = answers.isEmpty() ? QBaseMessageBox::Yes : answers.takeFirst();
        (answer == QBaseMessageBox::Yes ? box->yesButton() : box->noButton())->click();
    }

private:
    QTimer m_timer;
};

#endif // SERVICE_WIDGET_SUPPORT_H
