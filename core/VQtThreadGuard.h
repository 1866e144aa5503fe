#pragma once

// The boundary of every worker thread: one unit of work (a render, a saved frame, a computed
// spectrum) runs inside it, and an exception that escapes the work (OpenCV's, the standard
// library's, anyone's) becomes one line of text for the log instead of ending the program.
// The thread then goes on with its next unit.

#include <QCoreApplication>
#include <QString>

#include <functional>

class VQtThreadGuard {
    Q_DECLARE_TR_FUNCTIONS(VQtThreadGuard)

public:
    // Runs `work`; true when it returned normally. Otherwise false, and *message (when given)
    // is one line "WHAT failed: REASON".
    static bool run(const QString& what, const std::function<void()>& work, QString* message = nullptr);
};
