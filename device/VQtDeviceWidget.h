#pragma once

#include <QStringList>
#include <QWidget>

#include "device/VQtDeviceType.h"
#include "device/VQtPreviewDlg.h"

namespace Ui {
class VQtDeviceWidget;
}
class QButtonGroup;
class QTreeWidgetItem;
class VQtAcqFeature;
class VQtDeviceControl;
class VQtDeviceStream;
class VQtRemoteFeature;
class VQtTreeWidget;
class VQtTreeWidgetItem;

// Left-hand pane of the main window: the device list (probe, open, close) and the feature
// trees of the opened device with search, user level and a tool-tip pane. Every request to a
// device goes through the control worker; the panel reacts to its completion signal.
class VQtDeviceWidget : public QWidget {
    Q_OBJECT

public:
    // Columns of the device list: name, type or index, address, address conflict, probe button.
    enum Column { NameColumn = 0, IndexColumn = 1, AddressColumn = 2, ConflictColumn = 3, ButtonColumn = 4 };

    explicit VQtDeviceWidget(QWidget* parent = nullptr);
    // The open board's parameter values with their units, for the preview dialogs.
    VQtPreviewDlg::ValueText boardValues() const;
    ~VQtDeviceWidget() override;

    // The acquisition stream the worker stops around closes and format edits.
    void setStream(VQtDeviceStream* stream);
    VQtDeviceStream* getStreamThread() const;
    VQtDeviceControl* getControl() const { return m_control; }
    VQtTreeWidget* acqTree() const;
    VQtTreeWidget* remoteTree() const;
    // The "Common Feature" tab: the frequently used rows of both trees.
    VQtTreeWidget* commonTree() const;
    // Names of the camera features and board parameters the common tab shows, in its order,
    // when the open device has them.
    static const QStringList& commonRemoteFeatures();
    static const QStringList& commonAcqFeatures();
    QTreeWidgetItem* findDeviceRow(const QString& text) const;

    // Shows the feature trees at this visibility level (0 Beginner, 1 Expert, 2 Guru) and
    // takes the tool-tip switch from the settings.
    void setUserLevel(int level);
    void retranslateUi();

    // Busy indicator shown while a device request runs.
    void showBusy(bool busy);
    bool isBusy() const;

    // Closes the opened device, if any (at shutdown).
    void closeDevice();

    // Configuration files of the open board (.zbcf) or camera (.ccf); the trees follow a load.
    bool loadConfigFile(bool board, const QString& path);
    bool saveConfigFile(bool board, const QString& path);

    // Address conflict of a GigE Vision camera with its network card: 0 none, 1 another
    // subnet, 2 the card's own address, 3 another camera under the card has it.
    static int conflictCode(const QString& cameraIp, const QString& nicIp, const QStringList& otherCameraIps);
    // A free address in the card's subnet: not the card's, no camera's, never ending in 0 or 255.
    static QString autoIpAdress(const QString& nicIp, const QStringList& usedIps, uint seed);
    static QString getSubNetIP(const QString& address);

signals:
    void signalOutputInfo(QString text, int level);
    void signalUpdateDevOpenStatus();
    // A probe, open or close has started: actions that need the device wait for its end.
    void signalDeviceBusy();
    // A correction's enable feature (g_preEnable) changed: the pre-processing window re-reads
    // its enable boxes.
    void signalUpdatePreEnable();

public slots:
    void slotProbeDevice();
    void slotBtnGroupProbe(int id);
    void slotOpenDevice();
    void slotCloseDevice();
    void slotDeviceRemove();
    void slotThreadExit(int code);
    // A camera feature changed (the worker, an event or a service window reports it): its
    // row in the camera tree shows the new value.
    void slotUpdateRemoteFeature(VQtRemoteFeature* feature);

private slots:
    void slotLineEditSearchTextChanged();
    void slotFeatureToolTipClicked(bool checked);
    void slotUpdateAcqFeature(VQtAcqFeature* feature);
    void slotDeviceItemPressed(QTreeWidgetItem* item);
    void slotDeviceItemActivated(QTreeWidgetItem* item);
    // The "..." button of a board parameter chosen from methods: its preview dialog.
    void slotPreviewItem(VQtTreeWidgetItem* item);

private:
    void initDeviceTree();
    void loadAllDevice();
    void combDeviceTree();
    void loadFeatureTrees();
    void unloadFeatureTrees();
    void loadCommonTree();
    // Type, acquisition index and camera index of the selected row; false with no usable row.
    bool getDevIndex(VQT_DEVICE_VAR_TYPE* type, int* acqIndex, int* cameraIndex) const;
    // False when the user abandoned the open or giving the camera a new address failed.
    bool forceToIpAddress();
    void showToolTip(VQtTreeWidgetItem* item, bool board);
    // Whether a worker report about a feature may be read: no open, close or probe runs and
    // the feature belongs to the device open now.
    bool isCurrentFeature(const void* feature, bool board) const;
    void modifyDeviceDisplayName(const QString& name);
    bool refuseWhileBusy();

    Ui::VQtDeviceWidget* ui;
    VQtDeviceControl* m_control;
    VQtDeviceStream* m_stream = nullptr;
    QButtonGroup* m_probeButtons;
};
