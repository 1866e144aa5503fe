// "Pre-Processing": reads, edits and writes the three correction tables the camera applies
// itself (look-up table, defect pixel list, flat-field coefficients), switches the three
// corrections on and off, selects the active look-up table, computes a gamma look-up table,
// saves the defect list in the camera and exchanges each table with a CSV file. Tables are
// checked against the camera before the first entry is sent.
#ifndef VQTPREPROCESSWIDGET_H
#define VQTPREPROCESSWIDGET_H

#include <QPoint>

#include "core/QBaseWidget.h"
#include "tools/VQtPreProcessThread.h"
#include "tools/VQtToolDevice.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressDialog;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;
class VQtCurveWidget;
class VQtRemoteFeature;
class VQtTableViewModel;

class VQtPreProcessWidget : public QBaseWidget, public VQtToolDevice {
    Q_OBJECT

public:
    explicit VQtPreProcessWidget(QWidget* parent = nullptr);
    ~VQtPreProcessWidget() override;

    void retranslateUi();
    // Enable boxes and the look-up table selector as the camera has them.
    void refreshControls();
    VQtPreProcessThread* thread() const { return m_thread; }
    VQtCurveWidget* curve() const { return m_curve; }
    VQtTableViewModel* defectModel() const { return m_defectModel; }
    VQtTableViewModel* ffcModel() const { return m_ffcModel; }
    // The entries of the current tab, as the write and export buttons take them.
    QVector<QPoint> currentEntries() const;
    // Imports and exports without the file dialogs.
    bool importFile(const QString& path);
    bool exportFile(const QString& path);

signals:
    void signalUpdateRemoteFeature(VQtRemoteFeature* feature);
    void signalOutputInfo(QString text, int level);
    void signalClose();

public slots:
    void slotImportClicked();
    void slotExpertClicked();
    void slotReadClicked();
    void slotWriteClicked();
    void slotSaveClicked();
    void slotRemoveallClicked();
    void slotEnableClicked();
    void slotSelectLut(int index);
    void slotCalcClicked();
    void slotAddClicked();
    void slotRemoveClicked();
    void slotBadpixelClicked(const QModelIndex& index);
    void slotFfcClicked(const QModelIndex& index);
    // A correction's enable feature changed elsewhere (the device panel tells).
    void slotRefreshEnable();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildUi();
    void slotTabChanged(int tab);
    void slotThreadExit(bool ok);
    void slotAddRemoveSuccess(bool ok, QPoint point);
    void slotMessagebox(QString text);
    bool checkCamera();
    void information(const QString& text);
    // Checks a table against the camera; shows why it does not fit.
    bool tableFits(int kind, const QVector<QPoint>& entries, const QVector<int>& lines, bool whole,
                   const QString& failure);
    void startWorker(int kind, VQT_PREPROCESS_TYPE operation, const QVector<QPoint>& entries);
    bool setLutEnable(bool on);
    QString enableName(QCheckBox* box) const;

    VQtPreProcessThread* m_thread = nullptr;
    QTabWidget* m_tabs = nullptr;
    VQtCurveWidget* m_curve = nullptr;
    QTableView* m_defectView = nullptr;
    QTableView* m_ffcView = nullptr;
    VQtTableViewModel* m_defectModel = nullptr;
    VQtTableViewModel* m_ffcModel = nullptr;
    QCheckBox* m_lutEnable = nullptr;
    QCheckBox* m_defectEnable = nullptr;
    QCheckBox* m_ffcEnable = nullptr;
    QLabel* m_selectLabel = nullptr;
    QComboBox* m_selectLut = nullptr;
    QLabel* m_gammaLabel = nullptr;
    QDoubleSpinBox* m_gamma = nullptr;
    QPushButton* m_calc = nullptr;
    QLabel* m_columnLabel = nullptr;
    QLabel* m_rowLabel = nullptr;
    QSpinBox* m_column = nullptr;
    QSpinBox* m_row = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_removeAll = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_read = nullptr;
    QPushButton* m_write = nullptr;
    QProgressDialog* m_progress = nullptr;
    bool m_restoreLutEnable = false; // LUT enable was switched off for a write
    bool m_modify = false;           // the running write is a single flat-field entry
};

#endif // VQTPREPROCESSWIDGET_H
