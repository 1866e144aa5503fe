#include "display/QCPicScrollArea.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

#include "display/QCustomPictureWidget.h"

QCPicScrollArea::QCPicScrollArea(QCustomPictureWidget* picture, QWidget* parent)
    : QWidget(parent), m_picture(picture) {
    m_picture->setParent(this);
    m_h = new QScrollBar(Qt::Horizontal, this);
    m_v = new QScrollBar(Qt::Vertical, this);
    m_corner = new QWidget(this);
    m_h->hide();
    m_v->hide();
    m_corner->hide();
    setMinimumSize(40, 40);
}

void QCPicScrollArea::setInnerSize(int width, int height) {
    m_inner = QSize(width, height);
    layoutChildren();
}

void QCPicScrollArea::resizeEvent(QResizeEvent*) {
    layoutChildren();
}

void QCPicScrollArea::wheelEvent(QWheelEvent* e) {
    e->ignore();
}

void QCPicScrollArea::layoutChildren() {
    const int sbw = m_v->sizeHint().width(), sbh = m_h->sizeHint().height();
    bool needH = m_inner.width() > width();
    bool needV = m_inner.height() > height();
    // A bar for one axis narrows the other axis; check again with the space left.
    if (needH && !needV)
        needV = m_inner.height() > height() - sbh;
    if (needV && !needH)
        needH = m_inner.width() > width() - sbw;
    const int vw = width() - (needV ? sbw : 0), vh = height() - (needH ? sbh : 0);
    {
        const QSignalBlocker bh(m_h), bv(m_v);
        m_h->setVisible(needH);
        m_v->setVisible(needV);
        m_corner->setVisible(needH && needV);
        m_h->setGeometry(0, vh, vw, sbh);
        m_v->setGeometry(vw, 0, sbw, vh);
        m_corner->setGeometry(vw, vh, sbw, sbh);
        m_h->setRange(0, qMax(0, m_inner.width() - vw));
        m_v->setRange(0, qMax(0, m_inner.height() - vh));
        m_h->setPageStep(vw);
        m_v->setPageStep(vh);
        m_h->setSingleStep(qMax(1, vw / 20));
        m_v->setSingleStep(qMax(1, vh / 20));
    }
    // Last: a fitted picture refits when it is resized, which lays this area out again with the
    // new inner size; that inner layout must be the one that stays.
    m_picture->setGeometry(0, 0, qMax(1, vw), qMax(1, vh));
}
