// Shared set-up of the device tests: a device set from inline JSON, the library initialised,
// and a wait with a deadline.
#ifndef DEVICE_TEST_HELPERS_H
#define DEVICE_TEST_HELPERS_H

#include <QByteArray>
#include <functional>

#include "device/OxaApi.h"

// Replaces the simulated device set (fails the test on a parse error) and, unless told
// otherwise, initialises the camera library.
void useDeviceSet(const QByteArray& json, bool initialise = true);
// The embedded default set.
void useDefaultSet();
// Polls until the condition holds or the deadline passes; returns the condition.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
// Library index of the first listed camera with that model name, -1 when none.
int cameraIndex(const char* model);

#endif // DEVICE_TEST_HELPERS_H
