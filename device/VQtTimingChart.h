// A timing chart as the preview dialogs draw it: signal rows with their pulses over a common
// time axis, and labelled spans between two moments (a delay, a width). Times are nominal
// units that only set the shape; the labels carry the real values.
#ifndef VQTTIMINGCHART_H
#define VQTTIMINGCHART_H

#include <QImage>
#include <QString>
#include <QVector>

struct VQtTimingChart {
    struct Row {
        QString name;
        QVector<QPair<double, double>> pulses; // active from first to second
        bool activeHigh = true;
    };
    struct Span {
        int row;
        double from, to;
        QString label;
    };

    QVector<Row> rows;
    QVector<Span> spans;
    double end = 10.0; // the time axis runs from 0 to here

    QImage render(const QSize& size) const;
};

#endif // VQTTIMINGCHART_H
