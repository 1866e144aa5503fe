#pragma once

#include <QString>

class MainWindow;

// Hidden option "--screenshots DIR" of the viewer: the pictures of the documentation, made the
// same way on every run. Returns the program's exit code (0 when every picture was written).
int vqtWriteScreenshots(MainWindow& window, const QString& dir);
