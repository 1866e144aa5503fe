#pragma once

#include <QString>

class MainWindow;

// Hidden option "--device-screenshots DIR" of the viewer: the device panel after the start-up
// probe, an open camera's features at Guru level, a live colour stream with the rates in the
// status bar, and the forced-address dialog of a GigE Vision camera outside its card's subnet.
// Runs on the simulator's default devices. Returns the program's exit code.
int vqtWriteDeviceScreenshots(MainWindow& window, const QString& dir);
