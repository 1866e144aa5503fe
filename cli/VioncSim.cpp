// vionc sim COMMAND [arguments]: run-time faults and frame pacing of the simulated devices of
// the running viewer, sent to its control socket (see docs/simulated-devices.md), e.g.
// "vionc sim unplug VG-2M-M" or "vionc sim fail VG-2M-M OxaDevPortWrite 3".
#include <QCoreApplication>

#include "cli/VioncCommands.h"
#include "device/sim/SimControl.h"
#include "device/sim/SimControlServer.h"

int cmdSim(const QStringList& args) {
    if (args.isEmpty() || args.first() == QLatin1String("--help"))
        return vioncFail(QStringLiteral("usage: vionc sim ") + SimControl::usage(), VIONC_USAGE);
    QString reply;
    if (!SimControlServer::send(args, &reply))
        return vioncFail(reply, reply.startsWith(QLatin1String("usage:")) ? VIONC_USAGE : VIONC_FAILED);
    vioncPrint(reply);
    return VIONC_OK;
}
