#pragma once

#include <QCoreApplication>
#include <QString>

// The colour calibration: a 3 x 3 integer colour matrix (1024 = 1.0, rows
// giving R, G, B from columns R, G, B) kept in a small text file of nine
// comma-separated integers next to the camera library.
class VQtColorCalibration {
public:
    enum Result { Loaded, Missing, Unreadable, Malformed };

    // Reads fileName into matrix (nine entries). The matrix is written only
    // when the file holds exactly nine comma-separated parts; a part that is
    // not a base-10 integer loads as 0. message receives one line for the log.
    static Result load(const QString& fileName, int* matrix, QString* message = nullptr);

    // Parses the file contents (bytes up to the first zero byte, Latin-1,
    // spaces removed); returns the number of comma-separated parts found and
    // fills matrix only when there are exactly nine.
    static int parse(const QByteArray& contents, int* matrix);

    // The calibration file named by the camera library's installation
    // record: its "Directory" value followed by "\bin\colorcal".
    static QString defaultFileName();

    Q_DECLARE_TR_FUNCTIONS(VQtColorCalibration)
};
