// The running viewer's simulator takes SimControl commands from "vionc sim" over a local
// socket, so that a user can try the error paths in the GUI. The socket is
// $VIONC_SIM_CONTROL, else $XDG_RUNTIME_DIR/vionc-sim.sock, else
// /tmp/vionc-sim-UID/control.sock in a folder only the user may enter. One command per
// connection: the words separated by tabs and ended by a newline; the reply is the text of
// SimControl::execute, "ok" or the reason, and the connection is closed.
#ifndef SIMCONTROLSERVER_H
#define SIMCONTROLSERVER_H

#include <QString>
#include <QStringList>

class SimControlServer {
public:
    // Listens on its own thread until stop() or the end of the program. False with the reason
    // when the socket cannot be made, e.g. because another viewer already listens there.
    static bool start(QString* error);
    static void stop();
    static QString socketPath();

    // The client: sends one command to the listening viewer and gives its reply. False when
    // nobody listens (the reason in *reply) or the command was refused.
    static bool send(const QStringList& words, QString* reply, int timeoutMs = 15000);
};

#endif // SIMCONTROLSERVER_H
