#pragma once

// The main window probes for devices as it starts, on its control worker. A test that then
// sets up and opens devices of its own waits for that probe first: the probe re-reads the
// device list, and would pull it from under the test.
#include <QTest>

#include "app/MainWindow.h"
#include "device/VQtDeviceControl.h"
#include "device/VQtDeviceWidget.h"

inline bool startupProbeDone(const MainWindow& window, int deadlineMs = 15000) {
    const VQtDeviceWidget* panel = window.getDeviceWidget();
    return QTest::qWaitFor([panel] { return !panel->isBusy() && !panel->getControl()->isRunning(); },
                           deadlineMs);
}
