#include "display/QCustomPictureView.h"

#include <QGridLayout>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>

#include "display/QCPicScrollArea.h"
#include "display/QCustomPictureWidget.h"
#include "display/QCustomProfileLineWidget.h"

QCustomPictureView::QCustomPictureView(QWidget* parent) : QWidget(parent) {
    m_picture = new QCustomPictureWidget;
    m_area = new QCPicScrollArea(m_picture, this);
    m_profileX = new QCustomProfileLineWidget(this);
    m_profileX->setType(VQT_PROFILE_HORIZONTAL);
    m_profileX->setMinimumHeight(120);
    m_profileX->setMaximumHeight(180);
    m_profileY = new QCustomProfileLineWidget(this);
    m_profileY->setType(VQT_PROFILE_VERTICAL);
    m_profileY->setMinimumWidth(120);
    m_profileY->setMaximumWidth(180);
    m_profileX->hide();
    m_profileY->hide();
    m_thumbnail = new QToolButton(this);
    m_thumbnail->setCheckable(true);
    m_thumbnail->hide();
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    grid->addWidget(m_area, 0, 0);
    grid->addWidget(m_profileY, 0, 1);
    grid->addWidget(m_profileX, 1, 0);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);

    connect(m_picture, &QCustomPictureWidget::signalUpdateScrollBarRange, this,
            &QCustomPictureView::slotUpdateScrollBarRange);
    connect(m_picture, &QCustomPictureWidget::signalUpdateScrollbarPos, this,
            &QCustomPictureView::slotUpdateScrollbarPos);
    connect(m_picture, &QCustomPictureWidget::signalZoomFit, this, &QCustomPictureView::slotZoomFit);
    connect(m_picture, &QCustomPictureWidget::signalUpdateMarker, this,
            &QCustomPictureView::slotUpdateMarker);
    connect(m_area->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &QCustomPictureView::slotValueChangedHorizontal);
    connect(m_area->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &QCustomPictureView::slotValueChangedVertical);
    connect(m_profileX, &QCustomProfileLineWidget::signalClosed, this,
            &QCustomPictureView::signalProfileXClosed);
    connect(m_profileY, &QCustomProfileLineWidget::signalClosed, this,
            &QCustomPictureView::signalProfileYClosed);
    retranslateUi();
}

void QCustomPictureView::retranslateUi() {
    m_thumbnail->setText(tr("Thumbnail"));
    m_profileX->retranslateUi();
    m_profileY->retranslateUi();
    m_picture->retranslateUi();
}

void QCustomPictureView::setProfileCoordinateType(bool visibleCoordinate, bool lineProfile) {
    m_profileX->setCoordinateType(visibleCoordinate, lineProfile);
    m_profileY->setCoordinateType(visibleCoordinate, lineProfile);
}

void QCustomPictureView::setVisibleProfileX(bool visible) {
    m_profileX->setVisible(visible);
    if (visible)
        m_profileX->slotUpdateProfileLine(m_picture);
}

void QCustomPictureView::setVisibleProfileY(bool visible) {
    m_profileY->setVisible(visible);
    if (visible)
        m_profileY->slotUpdateProfileLine(m_picture);
}

bool QCustomPictureView::getVisibleProfileX() const {
    return m_profileX->isVisibleTo(this);
}
bool QCustomPictureView::getVisibleProfileY() const {
    return m_profileY->isVisibleTo(this);
}
void QCustomPictureView::setDockWidget(bool docked) {
    m_docked = docked;
}

void QCustomPictureView::slotUpdateScrollBarRange(int width, int height) {
    m_area->setInnerSize(width, height);
    const CPicPointDouble o = m_picture->getOffset();
    slotUpdateScrollbarPos(int(-o.x), int(-o.y));
}

void QCustomPictureView::slotUpdateScrollbarPos(int x, int y) {
    QScrollBar *h = m_area->horizontalScrollBar(), *v = m_area->verticalScrollBar();
    const QSignalBlocker bh(h), bv(v);
    h->setValue(qBound(0, x, h->maximum()));
    v->setValue(qBound(0, y, v->maximum()));
}

void QCustomPictureView::slotValueChangedHorizontal(int value) {
    m_picture->setOffset(-value, m_picture->getOffset().y);
}

void QCustomPictureView::slotValueChangedVertical(int value) {
    m_picture->setOffset(m_picture->getOffset().x, -value);
}

void QCustomPictureView::slotZoomFit() {
    m_picture->zoomFitTo(m_area->fullViewportSize());
}

void QCustomPictureView::slotUpdateMarker() {
    if (m_profileX->isVisibleTo(this))
        m_profileX->slotUpdateProfileLine(m_picture);
    if (m_profileY->isVisibleTo(this))
        m_profileY->slotUpdateProfileLine(m_picture);
}
