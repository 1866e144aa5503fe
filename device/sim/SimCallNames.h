// The library calls the simulator can inject faults into, by name. Calls that release
// something (closing, freeing, unregistering) always work, so that an application can clean
// up after any fault; they are not among them.
#ifndef SIMCALLNAMES_H
#define SIMCALLNAMES_H

#include <QString>
#include <QStringList>

class SimCallNames {
public:
    static const QStringList& all();
    // A call name, or "*" for every call.
    static bool isCall(const QString& name);
    static bool isCameraCall(const QString& name) { return name.startsWith(QLatin1String("Oxa")); }
    // Calls whose value can be made to differ from the device's ("readBackDiffers").
    static bool isRead(const QString& name);
};

#endif // SIMCALLNAMES_H
