#ifndef VQTSYSTEMCONFIGKEYS_H
#define VQTSYSTEMCONFIGKEYS_H

// The keys of the settings file, in the order both load and save handle them.

#include <QSettings>
#include <QStringList>

class VQtSystemParam;

// Every persisted key, "UI/" prefix included, in file order.
QStringList systemConfigKeys();
// Reads every key into `prm`; a missing key keeps the field's current value.
void readSystemConfig(QSettings& settings, VQtSystemParam& prm);
void writeSystemConfig(QSettings& settings, const VQtSystemParam& prm);

#endif // VQTSYSTEMCONFIGKEYS_H
