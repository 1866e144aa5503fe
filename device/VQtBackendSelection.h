// Which camera and board backends a program uses: the simulated devices ("sim") and real
// cameras through Aravis ("aravis"), both by default. The command line (--backends sim,aravis)
// wins over the environment (VIONC_BACKENDS), which wins over the settings file's
// "DeviceBackends" key; the Preferences switch a backend off with setEnabled and probe again.
#ifndef VQTBACKENDSELECTION_H
#define VQTBACKENDSELECTION_H

#include <QString>
#include <QStringList>

class VQtBackendSelection {
public:
    // Settings key: the enabled backends, comma-separated; empty enables every one.
    static constexpr const char* kSettingsKey = "DeviceBackends";
    static constexpr const char* kOption = "--backends";

    // Takes "--backends LIST" out of args wherever it stands. False when absent; error is set
    // when the option has no value.
    static bool takeOption(QStringList& args, QString* list, QString* error);
    // Applies the command line's list, else the environment's, else the setting's. False, with
    // one line saying why, for a name no backend has (nothing changes then).
    static bool apply(const QString& commandLine, const QString& setting, QString* error);
    // The Preferences' call: enables exactly these backends (names as in backendNames()).
    static bool setEnabled(const QStringList& names, QString* error);
    static QStringList available();
    static QStringList enabled();
};

#endif // VQTBACKENDSELECTION_H
