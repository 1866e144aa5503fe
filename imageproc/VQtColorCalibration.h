#pragma once

#include <QCoreApplication>
#include <QString>

// The colour calibration: a 3 x 3 integer colour matrix (1024 = 1.0, rows
// giving R, G, B from columns R, G, B) kept in a small text file of nine
// comma-separated integers next to the camera library.
class VQtColorCalibration {
public:
    enum Result { Loaded, Missing, Unreadable, Malformed };

    // Reads fileName into matrix (nine entries); the matrix is written only
    // when the whole file is usable. message receives one line for the log
    // saying what was loaded or why nothing was; it stays empty when no file
    // name is given (no installation names one).
    static Result load(const QString& fileName, int* matrix, QString* message = nullptr);

    // Parses the file contents (bytes up to the first zero byte, Latin-1,
    // spaces removed): exactly nine comma-separated base-10 integers within
    // 32 bits. Fills matrix and returns true when they are; otherwise leaves
    // it and puts the reason in *reason.
    static bool parse(const QByteArray& contents, int* matrix, QString* reason = nullptr);

    // The calibration file named by the camera library's installation
    // record: its "Directory" value followed by "\bin\colorcal".
    static QString defaultFileName();

    Q_DECLARE_TR_FUNCTIONS(VQtColorCalibration)
};
