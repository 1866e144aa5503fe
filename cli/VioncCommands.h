#pragma once

// Commands of the vionc tool. Each command is one function in a file of its own; it receives
// the arguments after its name and returns the process exit code (0 success, 1 failure with a
// one-line message on stderr, 2 wrong usage).

#include <QString>
#include <QStringList>

#include <cstdint>

#include "acquisition/VQtImageParam.h"

enum VioncExit { VIONC_OK = 0, VIONC_FAILED = 1, VIONC_USAGE = 2 };

int cmdInfo(const QStringList& args);
int cmdConvert(const QStringList& args);
int cmdProbe(const QStringList& args);
int cmdFeatures(const QStringList& args);
int cmdGet(const QStringList& args);
int cmdSet(const QStringList& args);
int cmdParams(const QStringList& args);
int cmdConfig(const QStringList& args);
int cmdSim(const QStringList& args);
// Takes "--devices FILE" out of args and loads that device description (VioncDevices.cpp).
bool vioncUseDeviceOptions(QStringList& args, QString* error);

// Shared helpers (VioncOptions.cpp).
// One line "vionc: text" on stderr; returns code.
int vioncFail(const QString& text, int code = VIONC_FAILED);
void vioncPrint(const QString& line);

// Options that describe a headerless ".raw" file: --width --height --type --depth --packed
// --offset --bayer. Consumed options are removed from args.
struct VioncRawOptions {
    bool given = false;
    VQtImageParam param;
    uint64_t offset = 0;
};
// False (with *error set) on a malformed option value.
bool vioncTakeRawOptions(QStringList& args, VioncRawOptions& raw, QString* error);
// Takes "--name value" out of args; false when absent. *error set when the value is missing.
bool vioncTakeValue(QStringList& args, const QString& name, QString* value, QString* error);
bool vioncTakeFlag(QStringList& args, const QString& name);
bool vioncParseInt(const QString& text, long long low, long long high, long long* value);

// A device named on the command line, opened through the adapter the viewer uses (and, with a
// board, brought in line with its camera as the viewer does after opening). DEVICE is a
// camera (library index, model, serial number, user-defined name or IP address; a camera
// behind a board opens with its board) or a board ("board:N", its model name or its name in
// the device tree, e.g. "CoaXPress-Board #1", opened with its first camera) (VioncOpen.cpp).
class VQtDevice;
class VQtManagerDeviceInfo;
class VioncDevice {
public:
    VioncDevice();
    ~VioncDevice();
    // False with a one-line reason.
    bool open(const QString& key, QString* error);
    VQtDevice* device() const { return m_device; }
    // Lines the adapter reported for the output log since the last call.
    QStringList takeLines();

private:
    VQtManagerDeviceInfo* m_registry; // outlives the adapter: it terminates the library
    VQtDevice* m_device = nullptr;
    QStringList m_lines;
};
// A camera feature's value as the feature tree shows it ("------" when unreadable).
class VQtRemoteFeature;
class VQtAcqFeature;
QString vioncFeatureValue(const VQtRemoteFeature& feature);
QString vioncParamValue(const VQtAcqFeature& param);
// Writes a board parameter by its VNP_ name or display text, printing it and every other
// parameter the consistency rules changed; an exit code (VioncParams.cpp).
int vioncSetParam(VioncDevice& device, const QString& name, const QString& value);
