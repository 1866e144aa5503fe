#include "app/VQtOutputWidget.h"

#include <QAction>
#include <QCursor>
#include <QDateTime>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>

#include "core/QAutoAdjustDPI.h"

VQtOutputWidget::VQtOutputWidget(QWidget* parent) : QTableView(parent) {
    m_pModel = new VQtOutputModel(this);
    setModel(m_pModel);

    const double dpi = QAutoAdjustDPI::getDpi();
    verticalHeader()->hide();
    setIconSize(QSize(20, 20));
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(0, qRound(120 * dpi));
    setColumnWidth(1, qRound(170 * dpi));
    setShowGrid(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);

    m_pMenu = new QMenu(tr("Main"), this);
    //: 清除
    m_pActionClear = m_pMenu->addAction(tr("Clear"));
    connect(m_pActionClear, &QAction::triggered, this, &VQtOutputWidget::slotItemClear);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &VQtOutputWidget::slotContextMenu);

    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &VQtOutputWidget::slotScrollValueChanged);
    connect(this, &QAbstractItemView::pressed, this, &VQtOutputWidget::slotItemPressed);

    m_pTimer = new QTimer(this);
    m_pTimer->setInterval(RefreshPeriodMs);
    connect(m_pTimer, &QTimer::timeout, this, &VQtOutputWidget::slotRefresh);
    m_pTimer->start();
}

VQtOutputWidget::~VQtOutputWidget() = default;

void VQtOutputWidget::addInfo(const QString& message, VQT_OUTPUT_STATUS level) {
    if (m_pModel->isFull())
        return;
    VQtOutputMessage row;
    row.level = level;
    row.time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy.MM.dd hh:mm:ss.zzz"));
    row.message = message;
    if (m_pModel->addOutputMessage(row))
        m_bDirty = true;
}

void VQtOutputWidget::clear() {
    slotItemClear();
}

void VQtOutputWidget::slotItemClear() {
    m_pModel->clearMessages();
    m_bDirty = false;
    m_nSelectedRow = 0;
}

void VQtOutputWidget::retranslateUi(bool chinese) {
    m_pModel->setChinese(chinese);
    m_pMenu->setTitle(chinese ? QStringLiteral("主菜单") : tr("Main"));
    m_pActionClear->setText(chinese ? QStringLiteral("清除") : tr("Clear"));
}

void VQtOutputWidget::slotRefresh() {
    if (!m_bDirty)
        return;
    QScrollBar* bar = verticalScrollBar();
    // Taken before the reset: the reset may move the bar while the new range is laid out.
    m_nScrollValue = bar->value();
    const bool follow = m_bFollowTail;
    m_pModel->refresh();
    m_bDirty = false;

    // Lay the new rows out now so the bar has its new range before it is positioned.
    executeDelayedItemsLayout();
    updateGeometries();
    const int page = bar->pageStep();
    if (m_nSelectedRow >= m_nScrollValue && m_nSelectedRow < m_nScrollValue + page &&
        m_nSelectedRow < m_pModel->rowCount())
        selectRow(m_nSelectedRow);
    bar->setValue(m_nScrollValue);
    m_bFollowTail = follow;
    if (m_bFollowTail)
        scrollToBottom();
}

void VQtOutputWidget::slotScrollValueChanged(int value) {
    m_bFollowTail = value == verticalScrollBar()->maximum();
}

void VQtOutputWidget::slotItemPressed(const QModelIndex& index) {
    if (index.isValid())
        m_nSelectedRow = index.row();
}

void VQtOutputWidget::slotContextMenu(const QPoint&) {
    m_pMenu->exec(QCursor::pos());
}
