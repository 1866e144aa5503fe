#ifndef VQTOUTPUTWIDGET_H
#define VQTOUTPUTWIDGET_H

#include <QTableView>

#include "app/VQtOutputModel.h"

class QAction;
class QMenu;
class QTimer;

// Table of log lines. Lines are appended cheaply and shown by a 200 ms refresh, which keeps
// the user's selection and scroll position and follows the newest line while the view stands
// at the bottom.
class VQtOutputWidget : public QTableView {
    Q_OBJECT
public:
    static constexpr int RefreshPeriodMs = 200;

    explicit VQtOutputWidget(QWidget* parent = nullptr);
    ~VQtOutputWidget() override;

    // Time-stamps and stores one line; dropped silently once the log is full.
    void addInfo(const QString& message, VQT_OUTPUT_STATUS level);
    void clear();
    void retranslateUi(bool chinese);

    VQtOutputModel* outputModel() const { return m_pModel; }
    bool isFollowingTail() const { return m_bFollowTail; }
    bool isDirty() const { return m_bDirty; }
    int selectedRow() const { return m_nSelectedRow; }
    QAction* clearAction() const { return m_pActionClear; }
    QMenu* contextMenu() const { return m_pMenu; }

public slots:
    void slotItemClear();
    void slotRefresh();

private:
    void slotScrollValueChanged(int value);
    void slotItemPressed(const QModelIndex& index);
    void slotContextMenu(const QPoint& pos);

    VQtOutputModel* m_pModel = nullptr;
    QMenu* m_pMenu = nullptr;
    QAction* m_pActionClear = nullptr;
    QTimer* m_pTimer = nullptr;
    bool m_bDirty = false;
    bool m_bFollowTail = true;
    int m_nSelectedRow = 0;
    int m_nScrollValue = 0;
};

#endif // VQTOUTPUTWIDGET_H
