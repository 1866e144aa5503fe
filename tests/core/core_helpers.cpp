#include "core_helpers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

namespace {

// Widget tests of this executable share one application object.
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_core";
        static char* argv[] = {name, nullptr};
        // Kept until the process ends: the offscreen platform leaves its screen objects behind
        // when the application is destroyed, which the leak checker would report.
        static QApplication* app = new QApplication(argc, argv);
        Q_UNUSED(app);
    }
};

const auto* g_environment = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

void poll(const std::function<void(QWidget*)>& act, int deadlineMs, const QElapsedTimer& clock) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal) {
        act(modal);
        return;
    }
    if (clock.elapsed() > deadlineMs)
        return;
    QTimer::singleShot(10, [act, deadlineMs, clock] { poll(act, deadlineMs, clock); });
}

} // namespace

void whenModalShown(const std::function<void(QWidget*)>& act, int deadlineMs) {
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(0, [act, deadlineMs, clock] { poll(act, deadlineMs, clock); });
    QTimer::singleShot(deadlineMs, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
}
