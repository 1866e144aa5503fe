// Shared set-up of the service-tool tests: a simulated device set, a camera or board opened
// through its adapter, the simulated camera behind it, files in a temporary folder, and waits
// with deadlines.
#ifndef SERVICE_HELPERS_H
#define SERVICE_HELPERS_H

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

#include "device/VQtDevice.h"

class SimCamera;

// Replaces the device set with the default one (or the given JSON) and initialises.
void useSimDevices(const QByteArray& json = QByteArray());
// Opens the listed camera with that model through the adapter of `type` (a board adapter
// opens board `board` with it). Fails the test when it does not open.
std::unique_ptr<VQtDevice> openCamera(const char* model, VQT_DEVICE_VAR_TYPE type = VQT_DEVICE_GIGEVISION,
                                      int board = -1);
// The simulated camera behind an open adapter.
std::shared_ptr<SimCamera> simCamera(const VQtDevice* device);
// Polls (processing events) until the condition holds or the deadline passes.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 10000);
// Writes a file (folders made as needed); fails the test when it cannot.
void writeFile(const QString& path, const QByteArray& bytes);

#endif // SERVICE_HELPERS_H
