// What the board's signal check judges: two readings of the open board and its stream, one
// when the check started and one now, turned into rows of signal, value and verdict. Counters
// are judged by what they gained since the start, so old errors do not fail a new check.
#ifndef VQTSIGNALCHECK_H
#define VQTSIGNALCHECK_H

#include <QCoreApplication>
#include <QString>
#include <QVector>
#include <cstdint>

struct VQtSignalSample {
    bool board = false;
    bool cameraLink = false;
    bool coaXPress = false;
    bool grabbing = false;
    QString hostLink; // the host link as the board reports it; empty when unknown
    bool hostLinkWarning = false;
    int pixelClockMHz = -1; // Camera Link; -1 when not read
    QString power;          // CoaXPress power status entry ("On", "Over Current", ...)
    QString voltage;        // CoaXPress voltage supply entry
    uint64_t frames = 0, lost = 0, incomplete = 0, timeouts = 0, ignored = 0;
    float frameRate = 0.0f, lineRate = 0.0f;
    uint32_t overCurrent = 0, crcErrors = 0, transferErrors = 0;
};

struct VQtSignalRow {
    enum State { Ok, Warning, Missing, Idle };
    QString signal;
    QString value;
    State state;
};

class VQtSignalCheck {
    Q_DECLARE_TR_FUNCTIONS(VQtSignalCheck)

public:
    // Frames must have come within this long of a grab for the frame signal to count as present.
    static constexpr double kFrameWaitSeconds = 2.0;

    static QVector<VQtSignalRow> evaluate(const VQtSignalSample& start, const VQtSignalSample& now,
                                          double seconds);
    static QString stateText(VQtSignalRow::State state);
};

#endif // VQTSIGNALCHECK_H
