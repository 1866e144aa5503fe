#include "tools/VQtLogTextEdit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>

VQtLogTextEdit::VQtLogTextEdit(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setAcceptRichText(false);
    m_copy = new QAction(this);
    m_clear = new QAction(this);
    m_selectAll = new QAction(this);
    connect(m_copy, &QAction::triggered, this, &QTextEdit::copy);
    connect(m_clear, &QAction::triggered, this, &QTextEdit::clear);
    connect(m_selectAll, &QAction::triggered, this, &QTextEdit::selectAll);
    retranslateUi();
}

void VQtLogTextEdit::retranslateUi() {
    m_copy->setText(tr("Copy"));
    m_clear->setText(tr("Clear"));
    m_selectAll->setText(tr("Select All"));
}

void VQtLogTextEdit::addLine(const QString& text) {
    moveCursor(QTextCursor::End);
    append(text);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void VQtLogTextEdit::addText(const QString& text) {
    moveCursor(QTextCursor::End);
    insertPlainText(text);
    moveCursor(QTextCursor::End);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void VQtLogTextEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    m_copy->setEnabled(textCursor().hasSelection());
    if (m_selectAllFirst)
        menu.addActions({m_selectAll, m_copy, m_clear});
    else
        menu.addActions({m_copy, m_clear, m_selectAll});
    menu.exec(event->globalPos());
}
