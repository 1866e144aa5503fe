#include "tools/VQtPixelViewWidget.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QRadioButton>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent>

#include "core/VQtThreadMark.h"
#include "tools/VQtComputingImage.h"
#include "tools/VQtPixelViewModel.h"

VQtPixelViewWidget::VQtPixelViewWidget(QWidget* parent) : QBaseWidget(parent) {
    setObjectName(QStringLiteral("VQtPixelViewWidget"));
    m_model = new VQtPixelViewModel(this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("tableView"));
    m_view->setModel(m_model);
    m_view->setWordWrap(false);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Fixed section sizes: measuring contents would format every cell of the image.
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setDefaultSectionSize(120);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(22);
    m_view->verticalHeader()->setMinimumWidth(70);
    m_decimal = new QRadioButton(this);
    m_decimal->setObjectName(QStringLiteral("radioButtonDecimal"));
    m_decimal->setChecked(true);
    m_hexadecimal = new QRadioButton(this);
    m_hexadecimal->setObjectName(QStringLiteral("radioButtonHexadecimal"));
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    m_group->addButton(m_decimal, 0);
    m_group->addButton(m_hexadecimal, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(m_decimal);
    row->addWidget(m_hexadecimal);
    row->addStretch(1);
    auto* lay = new QVBoxLayout(this);
    lay->addLayout(row);
    lay->addWidget(m_view, 1);
    resize(900, 560);
    connect(m_group, &QButtonGroup::idClicked, this, &VQtPixelViewWidget::slotGroupDecimal);
    connect(this, &VQtPixelViewWidget::signalView, m_model, &VQtPixelViewModel::updateView,
            Qt::QueuedConnection);
    m_retry = new QTimer(this);
    m_retry->setSingleShot(true);
    m_retry->setInterval(20);
    connect(m_model, &VQtPixelViewModel::signalBusy, m_retry, [this] {
        if (!m_retry->isActive())
            m_retry->start();
    });
    connect(m_retry, &QTimer::timeout, this, [this] {
        if (m_model->resetPending())
            m_model->updateView();
        m_view->viewport()->update();
    });
    retranslateUi();
}

VQtPixelViewWidget::~VQtPixelViewWidget() {
    stopRefresh();
}

void VQtPixelViewWidget::retranslateUi() {
    setTitleContent(tr("Pixel Viewer"));
    m_decimal->setText(tr("Decimal"));
    m_hexadecimal->setText(tr("Hexadecimal"));
}

void VQtPixelViewWidget::updateImage() {
    m_dirty = true;
}

void VQtPixelViewWidget::setDecimal(bool decimal) {
    m_model->setDecimal(decimal);
}

void VQtPixelViewWidget::slotGroupDecimal(int id) {
    setDecimal(id == 0);
}

void VQtPixelViewWidget::showPixel(const QPoint& pixel) {
    const QModelIndex index = m_model->index(pixel.y(), pixel.x());
    if (!index.isValid())
        return;
    m_view->scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_view->setCurrentIndex(index);
}

void VQtPixelViewWidget::refreshLoop() {
    const VQtThreadMark::EndMark endMark(this);
    while (m_running) {
        if (m_dirty.exchange(false)) {
            VQtComputingImage::update();
            emit signalView();
            for (int i = 0; i < 10 && m_running; ++i)
                QThread::msleep(10);
            continue;
        }
        for (int i = 0; i < 10 && m_running && !m_dirty; ++i)
            QThread::msleep(10);
    }
}

void VQtPixelViewWidget::stopRefresh() {
    m_running = false;
    while (m_task.isRunning())
        QThread::usleep(100);
    VQtThreadMark::seen(this);
}

void VQtPixelViewWidget::showEvent(QShowEvent* e) {
    QBaseWidget::showEvent(e);
    if (m_task.isRunning())
        return;
    m_running = true;
    m_dirty = true;
    m_task = QtConcurrent::run([this] { refreshLoop(); });
}

void VQtPixelViewWidget::hideEvent(QHideEvent* e) {
    QBaseWidget::hideEvent(e);
    stopRefresh();
    emit signalClose();
}
