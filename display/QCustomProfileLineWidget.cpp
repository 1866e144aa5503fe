#include "display/QCustomProfileLineWidget.h"

#include <QBoxLayout>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "display/QCustomPictureWidget.h"

QCustomProfileLineWidget::QCustomProfileLineWidget(QWidget* parent) : QWidget(parent) {
    m_label = new QLabel(this);
    m_close = new QToolButton(this);
    m_close->setText(QStringLiteral("x"));
    m_close->setAutoRaise(true);
    m_label->setWordWrap(true);
    m_plot = new VQtPlot(this);
    auto* head = new QHBoxLayout;
    head->setContentsMargins(4, 0, 0, 0);
    head->addWidget(m_label, 1);
    head->addWidget(m_close);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    lay->addLayout(head);
    lay->addWidget(m_plot, 1);
    connect(m_close, &QToolButton::clicked, this, [this] {
        hide();
        emit signalClosed();
    });

    m_menu = new QMenu(this);
    m_red = m_menu->addAction(QString());
    m_green = m_menu->addAction(QString());
    m_blue = m_menu->addAction(QString());
    m_clear = m_menu->addAction(QString());
    for (QAction* a : {m_red, m_green, m_blue, m_clear}) {
        a->setCheckable(true);
        a->setChecked(true);
        connect(a, &QAction::toggled, this, [this] { updateMenu(m_channels); });
    }
    setType(VQT_PROFILE_HORIZONTAL);
    retranslateUi();
}

void QCustomProfileLineWidget::retranslateUi() {
    m_label->setText(m_type == VQT_PROFILE_HORIZONTAL ? tr("Horizontal Profile Line")
                                                      : tr("Vertical Profile Line"));
    m_red->setText(tr("Red"));
    m_green->setText(tr("Green"));
    m_blue->setText(tr("Blue"));
    m_clear->setText(tr("Clear"));
}

void QCustomProfileLineWidget::setType(VQT_PROFILE_LINE_TYPE type) {
    m_type = type;
    m_plot->setHorizontal(type == VQT_PROFILE_HORIZONTAL);
    m_plot->setTickCount(type == VQT_PROFILE_HORIZONTAL ? 5 : 2);
    retranslateUi();
}

void QCustomProfileLineWidget::setCoordinateType(bool visibleCoordinate, bool lineProfile) {
    m_plot->setVisibleCoordinate(visibleCoordinate);
    m_plot->setLineProfile(lineProfile);
    m_plot->update();
}

void QCustomProfileLineWidget::updateMenu(int channels) {
    m_channels = channels;
    VQtLineCurve& c = m_plot->curve();
    c.setVisibleRed(channels < 3 || m_red->isChecked());
    c.setVisibleGreen(channels >= 3 && m_green->isChecked());
    c.setVisibleBlue(channels >= 3 && m_blue->isChecked());
    c.setVisibleClear(channels >= 4 && m_clear->isChecked());
    m_red->setVisible(channels >= 3);
    m_green->setVisible(channels >= 3);
    m_blue->setVisible(channels >= 3);
    m_clear->setVisible(channels >= 4);
    m_plot->update();
}

void QCustomProfileLineWidget::contextMenuEvent(QContextMenuEvent* e) {
    if (m_channels >= 3)
        m_menu->popup(e->globalPos());
}

void QCustomProfileLineWidget::showProfile(const VQtProfile& profile) {
    if (!profile.valid) {
        m_plot->rePlot(false);
        return;
    }
    const bool hor = m_type == VQT_PROFILE_HORIZONTAL;
    m_plot->curve().setData(profile.points);
    if (hor) {
        m_plot->setXAxisRange(profile.begin, profile.end);
        m_plot->setYAxisRange(0, profile.valueMax);
    } else {
        m_plot->setXAxisRange(0, profile.valueMax);
        m_plot->setYAxisRange(profile.begin, profile.end);
    }
    m_plot->setImageRange(profile.begin, profile.end);
    m_plot->setChannel(profile.channels);
    updateMenu(profile.channels);
    m_plot->rePlot(true);
}

void QCustomProfileLineWidget::slotUpdateProfileLine(QCustomPictureWidget* picture) {
    if (!picture)
        return;
    const VQtProfileSource src = picture->profileSource();
    const VQtProfile profile = extractProfile(m_type, src);
    if (profile.valid) {
        // Position axis labels in image coordinates.
        const bool hor = m_type == VQT_PROFILE_HORIZONTAL;
        const QPoint a =
            picture->getPixelPtInImageFromCanvasPt(hor ? QPoint(profile.begin, 0) : QPoint(0, profile.begin));
        const QPoint b = picture->getPixelPtInImageFromCanvasPt(hor ? QPoint(profile.end - 1, 0)
                                                                    : QPoint(0, profile.end - 1));
        m_plot->setCoordinateRange(hor ? a.x() : a.y(), hor ? b.x() : b.y());
    }
    showProfile(profile);
}
