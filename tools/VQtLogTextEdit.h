// Read-only text box of the service windows, with a context menu to copy, clear and select
// all.
#ifndef VQTLOGTEXTEDIT_H
#define VQTLOGTEXTEDIT_H

#include <QTextEdit>

class QAction;

class VQtLogTextEdit : public QTextEdit {
    Q_OBJECT

public:
    explicit VQtLogTextEdit(QWidget* parent = nullptr);
    // Appends a line at the end and keeps it in view.
    void addLine(const QString& text);
    // Appends text as it came (a terminal), keeping the end in view.
    void addText(const QString& text);
    void retranslateUi();
    // The terminal's menu starts with "Select All"; the logs' with "Copy".
    void setSelectAllFirst(bool first) { m_selectAllFirst = first; }
    QAction* copyAction() const { return m_copy; }
    QAction* clearAction() const { return m_clear; }
    QAction* selectAllAction() const { return m_selectAll; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QAction* m_copy = nullptr;
    QAction* m_clear = nullptr;
    QAction* m_selectAll = nullptr;
    bool m_selectAllFirst = false;
};

#endif // VQTLOGTEXTEDIT_H
