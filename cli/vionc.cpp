// vionc: the viewer's frame and file routines from the command line.
//
// Adding a command: declare `int cmdName(const QStringList &args)` in cli/VioncCommands.h,
// define it in a file of its own (cli/VioncName.cpp; args are the words after the command
// name, the return value is the exit code), and add one line to kCommands below. Nothing
// else needs to change: the help text is built from the table.

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

#include "cli/VioncCommands.h"

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& args);
};

const Command kCommands[] = {
    {"info", QT_TRANSLATE_NOOP("vionc", "FILE [raw options]  frame layout of an .iim, .raw or picture file"),
     cmdInfo},
    {"convert",
     QT_TRANSLATE_NOOP("vionc", "IN OUT [options]  write a frame to another format through the save path"),
     cmdConvert},
    {"probe", QT_TRANSLATE_NOOP("vionc", "[--type N] [--devices FILE]  device tree and probe errors"), cmdProbe},
    {"features", QT_TRANSLATE_NOOP("vionc", "DEVICE [get FEATURE | set FEATURE VALUE] [--devices FILE]  a camera's features, type, access, value"),
     cmdFeatures},
    {"get", QT_TRANSLATE_NOOP("vionc", "DEVICE FEATURE  one camera feature's (or board parameter's) value"),
     cmdGet},
    {"set",
     QT_TRANSLATE_NOOP("vionc", "DEVICE FEATURE VALUE  writes it; the status text and exit 1 on failure"),
     cmdSet},
    {"params",
     QT_TRANSLATE_NOOP("vionc",
                       "BOARD [get NAME | set NAME VALUE]  board parameters: type, state, value, range"),
     cmdParams},
    {"config",
     QT_TRANSLATE_NOOP("vionc", "save|load DEVICE FILE  board (.zbcf) or camera (.ccf) configuration file"),
     cmdConfig},
    {"grab",
     QT_TRANSLATE_NOOP("vionc", "DEVICE [-n N] [--out PATTERN] [--format F] [--backends LIST]  grabs N frames "
                                "through the live stream, saves them, prints rates and lost frames"),
     cmdGrab},
    {"sim",
     QT_TRANSLATE_NOOP("vionc", "COMMAND [arguments]  faults and frame pacing of the running viewer's simulated "
                                "devices (vionc sim --help)"),
     cmdSim},
};

void printHelp() {
    vioncPrint(QCoreApplication::translate("vionc", "usage: vionc COMMAND [arguments]"));
    vioncPrint(QString());
    for (const Command& c : kCommands)
        vioncPrint(QStringLiteral("  %1 %2").arg(QLatin1String(c.name),
                                                 QCoreApplication::translate("vionc", c.summary)));
    vioncPrint(QString());
    vioncPrint(QCoreApplication::translate(
        "vionc", "raw options: --width W --height H --type mono|bayer|rgb|rgba|bgr|bgra|yuyv|uyvy "
                 "--depth 8..16 --packed none|pairs|msb|lsb|jpeg --offset BYTES --bayer 0..4"));
    vioncPrint(QCoreApplication::translate(
        "vionc", "convert options: --shift -1..15 --stretch --switch 0..8 --bayer-method linear|bicubic "
                 "--quality 0..100 --denoise N --sharpen N --colour-correction"));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return vioncFail(
            QCoreApplication::translate("vionc", "usage: vionc COMMAND [arguments] (see vionc --help)"),
            VIONC_USAGE);
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h") ||
        args.first() == QLatin1String("help")) {
        printHelp();
        return VIONC_OK;
    }
    const QString name = args.takeFirst();
    for (const Command& c : kCommands)
        if (name == QLatin1String(c.name))
            return c.run(args);
    return vioncFail(QCoreApplication::translate("vionc", "unknown command %1 (see vionc --help)").arg(name),
                     VIONC_USAGE);
}
