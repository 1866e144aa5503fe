#include "tools/VQtSignalCheckDlg.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
QColor stateColour(VQtSignalRow::State state) {
    switch (state) {
    case VQtSignalRow::Ok:
        return QColor(0, 140, 0);
    case VQtSignalRow::Warning:
        return QColor(220, 120, 0);
    case VQtSignalRow::Missing:
        return QColor(210, 0, 0);
    case VQtSignalRow::Idle:
        break;
    }
    return QColor(110, 110, 110);
}
} // namespace

VQtSignalCheckDlg::VQtSignalCheckDlg(QWidget* parent) : QBaseDialog(parent) {
    auto* layout = new QVBoxLayout(this);
    m_table = new QTableWidget(0, 3);
    m_table->setObjectName(QStringLiteral("tableWidgetSignals"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->verticalHeader()->hide();
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    layout->addWidget(m_table, 1);
    auto* row = new QHBoxLayout;
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("labelSignalCheckStatus"));
    row->addWidget(m_status, 1);
    m_startStop = new QPushButton;
    m_startStop->setObjectName(QStringLiteral("pushButtonSignalCheck"));
    connect(m_startStop, &QPushButton::clicked, this, [this] { isChecking() ? stopCheck() : startCheck(); });
    row->addWidget(m_startStop);
    layout->addLayout(row);
    m_timer = new QTimer(this);
    m_timer->setInterval(kPeriodMs);
    connect(m_timer, &QTimer::timeout, this, &VQtSignalCheckDlg::refresh);
    resize(480, 500);
    retranslateUi();
}

void VQtSignalCheckDlg::retranslateUi() {
    setWindowTitle(tr("Check Signal"));
    m_table->setHorizontalHeaderLabels({tr("Signal"), tr("Value"), tr("State")});
    m_startStop->setText(isChecking() ? tr("Stop") : tr("Start"));
    if (!isChecking())
        m_status->setText(m_elapsed.isValid() ? tr("Stopped")
                                              : tr("Press Start to check the board's signals."));
}

bool VQtSignalCheckDlg::isChecking() const {
    return m_timer->isActive();
}

void VQtSignalCheckDlg::startCheck() {
    if (!m_sampler)
        return;
    m_start = m_sampler();
    m_elapsed.start();
    m_timer->start();
    retranslateUi();
    refresh();
}

void VQtSignalCheckDlg::stopCheck() {
    if (!isChecking())
        return;
    m_timer->stop();
    retranslateUi();
}

void VQtSignalCheckDlg::refresh() {
    if (!m_sampler || !m_elapsed.isValid())
        return;
    const VQtSignalSample now = m_sampler();
    const double seconds = m_elapsed.elapsed() / 1000.0;
    if (!now.board) {
        // The board went away under the check.
        stopCheck();
        showRows({});
        m_status->setText(tr("No board is open."));
        return;
    }
    showRows(VQtSignalCheck::evaluate(m_start, now, seconds));
    if (isChecking())
        m_status->setText(tr("Checking for %1 s").arg(seconds, 0, 'f', 1));
}

void VQtSignalCheckDlg::showRows(const QVector<VQtSignalRow>& rows) {
    m_table->setRowCount(rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        const VQtSignalRow& r = rows[i];
        const QString texts[] = {r.signal, r.value, VQtSignalCheck::stateText(r.state)};
        for (int c = 0; c < 3; ++c) {
            QTableWidgetItem* item = m_table->item(i, c);
            if (!item) {
                item = new QTableWidgetItem;
                m_table->setItem(i, c, item);
            }
            item->setText(texts[c]);
        }
        m_table->item(i, 2)->setForeground(stateColour(r.state));
    }
}

void VQtSignalCheckDlg::closeEvent(QCloseEvent* e) {
    stopCheck();
    QBaseDialog::closeEvent(e);
}
