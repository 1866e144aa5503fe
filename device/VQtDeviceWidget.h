#pragma once

#include <QWidget>

namespace Ui {
class VQtDeviceWidget;
}

// Left-hand pane of the main window: the device list (probe, open, close) and the feature
// trees of the opened device with search, user level and a tool-tip pane.
class VQtDeviceWidget : public QWidget {
    Q_OBJECT

public:
    explicit VQtDeviceWidget(QWidget* parent = nullptr);
    ~VQtDeviceWidget() override;

    // Shows the feature trees at this visibility level (0 Beginner, 1 Expert, 2 Guru) and
    // takes the tool-tip switch from the settings.
    void setUserLevel(int level);
    void retranslateUi();

    // Busy indicator shown while a device request runs.
    void showBusy(bool busy);
    bool isBusy() const;

    // Closes the opened device, if any (at shutdown).
    void closeDevice();

signals:
    void signalOutputInfo(QString text, int level);
    void signalUpdateDevOpenStatus();

private slots:
    void slotLineEditSearchTextChanged();
    void slotFeatureToolTipClicked(bool checked);

private:
    void initDeviceTree();

    Ui::VQtDeviceWidget* ui;
};
