// Messages of the camera backend for the log: one line each, about what the program cannot do
// with a camera (pixel formats it cannot show, settings files it refuses).
#ifndef VQTARVLOG_H
#define VQTARVLOG_H

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(vqtArvLog)

#endif // VQTARVLOG_H
