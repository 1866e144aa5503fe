#pragma once

#include <QString>

class MainWindow;

// Hidden option "--service-screenshots DIR" of the viewer: the service tools at work on a
// simulated camera, for the documentation. Returns the program's exit code.
int vqtWriteServiceScreenshots(MainWindow& window, const QString& dir);
