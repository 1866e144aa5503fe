#pragma once

#include <QString>

class MainWindow;

// Hidden option "--tool-screenshots DIR": pictures of the analysis windows for the
// documentation, taken on the picture given on the command line (or the built-in one) and on
// sensor-like pictures written to the temporary folder and opened as files.
int writeToolScreenshots(MainWindow& window, const QString& dir);
