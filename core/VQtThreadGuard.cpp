#include "core/VQtThreadGuard.h"

#include <exception>

bool VQtThreadGuard::run(const QString& what, const std::function<void()>& work, QString* message) {
    QString reason;
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        // OpenCV's texts span several lines (file, function, condition): the log takes one.
        reason = QString::fromLocal8Bit(e.what()).simplified();
    } catch (...) {
        reason = tr("unknown error");
    }
    if (message)
        *message = tr("%1 failed: %2").arg(what, reason.isEmpty() ? tr("unknown error") : reason);
    return false;
}
