#pragma once

#include "core/QBaseDialog.h"

class QButtonGroup;
class QLineEdit;

namespace Ui {
class VQtPreferenceDlg;
}

// Modal editor of the persisted settings. It only changes g_sysPrm in memory (on "Ok");
// the caller applies the new settings and the file is written when the program closes.
class VQtPreferenceDlg : public QBaseDialog {
    Q_OBJECT

public:
    explicit VQtPreferenceDlg(QWidget* parent = nullptr);
    ~VQtPreferenceDlg() override;

    void loadParamterToUI();
    void setParamterFromUI();

private slots:
    void slotBtnOkClicked();
    void slotBtnCancelClicked();
    void slotListWidgetItemSelectionChanged();
    void slotCheckBoardBufferCount();
    void slotCheckRemoteTimeout();
    void slotCheckRemoteBufferCount();
    void slotCheckExtractFrame();
    void slotCheckOpenFromXml();
    void slotPushButtonSelectDirectory();
    void slotPushButtonSelectFile();

private:
    void initRanges();
    void initButtonGroups();
    void initPathFields();
    void updateStreamUiStatus();
    static void checkGroupButton(QButtonGroup* group, int id);

    Ui::VQtPreferenceDlg* ui;
    QButtonGroup* groupUserLevel;
    QButtonGroup* groupBayer;
    QButtonGroup* groupResize;
    QButtonGroup* groupProfileShape;
};
