#include "display/VQtHistogramCurve.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <qcustomplot.h>

namespace {
const QColor kColours[VQtHistogramCurve::SlotCount] = {
    QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255), QColor(0, 0, 0), QColor(128, 128, 128)};
// Menu order: "Red", "Green", "Blue", "Gray", "Clear".
const int kMenuOrder[VQtHistogramCurve::SlotCount] = {
    VQtHistogramCurve::SlotRed, VQtHistogramCurve::SlotGreen, VQtHistogramCurve::SlotBlue,
    VQtHistogramCurve::SlotGray, VQtHistogramCurve::SlotClear};
} // namespace

VQtHistogramCurve::VQtHistogramCurve(QWidget* parent) : QWidget(parent) {
    for (auto& c : m_counts)
        c.assign(VQtHistogramCoordinate::kMaxBins, 0);
    m_plot = new QCustomPlot(this);
    m_plot->setObjectName(QStringLiteral("histogramPlot"));
    m_plot->setMinimumHeight(160);
    m_plot->setNoAntialiasingOnDrag(true);
    m_plot->setContextMenuPolicy(Qt::CustomContextMenu);
    m_plot->setMouseTracking(true);
    m_plot->installEventFilter(this);
    m_plot->yAxis->ticker()->setTickCount(m_coord.verticalTicks());
    m_plot->xAxis->ticker()->setTickCount(m_coord.horizontalTicks());
    for (int s = 0; s < SlotCount; ++s) {
        QCPGraph* g = m_plot->addGraph();
        g->setPen(QPen(kColours[s], 1));
        g->setAdaptiveSampling(true);
    }

    m_zoomIn = new QToolButton(this);
    m_zoomIn->setObjectName(QStringLiteral("toolButtonZoomIn"));
    m_zoomIn->setIcon(QIcon(QStringLiteral(":/Image/ZoomIn")));
    m_zoomOut = new QToolButton(this);
    m_zoomOut->setObjectName(QStringLiteral("toolButtonZoomOut"));
    m_zoomOut->setIcon(QIcon(QStringLiteral(":/Image/ZoomOut")));
    m_zoomLabel = new QLabel(this);
    m_zoomLabel->setObjectName(QStringLiteral("labelZoom"));
    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("horizontalScrollBar"));

    auto* controls = new QHBoxLayout;
    controls->addWidget(m_zoomIn);
    controls->addWidget(m_zoomOut);
    controls->addWidget(m_zoomLabel);
    controls->addWidget(m_scroll, 1);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(m_plot, 1);
    lay->addLayout(controls);

    m_menu = new QMenu(this);
    for (int i = 0; i < SlotCount; ++i) {
        const int slot = kMenuOrder[i];
        QAction* a = m_menu->addAction(QString());
        a->setCheckable(true);
        a->setChecked(true);
        a->setData(slot);
        connect(a, &QAction::toggled, this, &VQtHistogramCurve::slotActionHistogram);
        m_actions[slot] = a;
    }
    connect(m_plot, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { m_menu->popup(m_plot->mapToGlobal(p)); });
    connect(m_zoomIn, &QToolButton::clicked, this, &VQtHistogramCurve::slotBtnZoomIn);
    connect(m_zoomOut, &QToolButton::clicked, this, &VQtHistogramCurve::slotBtnZoomOut);
    connect(m_scroll, &QScrollBar::valueChanged, this, &VQtHistogramCurve::slotScrollValueChanged);
    retranslateUi();
    updateScrollRange();
    drawHistogram();
}

VQtHistogramCurve::~VQtHistogramCurve() = default;

void VQtHistogramCurve::retranslateUi() {
    m_zoomLabel->setText(tr("Zoom multiples: %1").arg(m_coord.zoom()));
    m_actions[SlotRed]->setText(tr("Red"));
    m_actions[SlotGreen]->setText(tr("Green"));
    m_actions[SlotBlue]->setText(tr("Blue"));
    m_actions[SlotGray]->setText(tr("Gray"));
    m_actions[SlotClear]->setText(tr("Clear"));
}

void VQtHistogramCurve::write(const uint64_t* counts, unsigned long byteCount, int slot) {
    if (slot < 0 || slot >= SlotCount || !counts)
        return;
    const size_t n = std::min<size_t>(byteCount / sizeof(uint64_t), VQtHistogramCoordinate::kMaxBins);
    std::memcpy(m_counts[slot].data(), counts, n * sizeof(uint64_t));
}

void VQtHistogramCurve::setBineSize(int e) {
    const int bins = VQtHistogramCoordinate::binsForExponent(e);
    if (bins == m_coord.bins())
        return;
    m_coord.setBins(bins);
    updateScrollRange();
}

void VQtHistogramCurve::setChannel(int channels) {
    m_channels = channels;
}

std::vector<int> VQtHistogramCurve::drawnSlots() const {
    std::vector<int> drawn;
    if (m_channels == 1)
        drawn = {SlotGray};
    else if (m_channels == 3)
        drawn = {SlotRed, SlotGreen, SlotBlue};
    else if (m_channels == 4)
        drawn = {SlotRed, SlotGreen, SlotBlue, SlotClear};
    drawn.erase(std::remove_if(drawn.begin(), drawn.end(), [this](int s) { return !m_visible[s]; }),
                drawn.end());
    return drawn;
}

void VQtHistogramCurve::drawHistogram() {
    const std::vector<int> drawn = drawnSlots();
    const int bins = m_coord.bins();
    std::vector<const uint64_t*> arrays;
    for (int s : drawn)
        arrays.push_back(m_counts[s].data());
    m_coord.setMaximum(VQtHistogramCoordinate::maximumCount(arrays.data(), int(arrays.size()), bins));
    const int first = m_coord.firstBin(), end = m_coord.endBin();
    for (int s = 0; s < SlotCount; ++s) {
        QCPGraph* g = m_plot->graph(s);
        const bool shown = std::find(drawn.begin(), drawn.end(), s) != drawn.end();
        g->setVisible(shown);
        if (!shown) {
            g->data()->clear();
            continue;
        }
        QVector<QCPGraphData> points(end - first);
        const uint64_t* c = m_counts[s].data();
        for (int b = first; b < end; ++b)
            points[b - first] = QCPGraphData(b, double(c[b]));
        g->data()->set(points, true);
    }
    m_plot->xAxis->setRange(first, first + double(bins) / m_coord.zoom());
    m_plot->yAxis->setRange(0, double(m_coord.maximum()));
    m_coord.setDrawingRect(m_plot->axisRect()->rect());
    m_plot->replot(QCustomPlot::rpQueuedReplot);
}

void VQtHistogramCurve::updateScrollRange() {
    m_coord.setCurveWidth(std::max(1, m_plot->axisRect()->width()));
    const QSignalBlocker block(m_scroll);
    m_scroll->setRange(0, m_coord.scrollMaximum());
    m_scroll->setPageStep(m_coord.pageStep());
    m_scroll->setValue(-m_coord.offset());
}

void VQtHistogramCurve::slotBtnZoomIn() {
    m_coord.zoomIn();
    m_zoomLabel->setText(tr("Zoom multiples: %1").arg(m_coord.zoom()));
    updateScrollRange();
    drawHistogram();
}

void VQtHistogramCurve::slotBtnZoomOut() {
    m_coord.zoomOut();
    m_zoomLabel->setText(tr("Zoom multiples: %1").arg(m_coord.zoom()));
    updateScrollRange();
    drawHistogram();
}

void VQtHistogramCurve::slotScrollValueChanged(int value) {
    m_coord.setScrollValue(value);
    drawHistogram();
}

void VQtHistogramCurve::slotActionHistogram(bool checked) {
    auto* a = qobject_cast<QAction*>(sender());
    if (!a)
        return;
    const int slot = a->data().toInt();
    if (slot >= 0 && slot < SlotCount)
        m_visible[slot] = checked;
    drawHistogram();
}

void VQtHistogramCurve::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    updateScrollRange();
}

QString VQtHistogramCurve::toolTipText(int bin) const {
    if (bin < 0 || bin >= m_coord.bins())
        return QString();
    QString text = QStringLiteral("X:%1").arg(bin);
    for (int s : drawnSlots()) {
        const char* names[SlotCount] = {QT_TR_NOOP("Red"), QT_TR_NOOP("Green"), QT_TR_NOOP("Blue"),
                                        QT_TR_NOOP("Clear"), QT_TR_NOOP("Gray")};
        text += QStringLiteral("\n") + tr(names[s]) + QStringLiteral(":") + QString::number(m_counts[s][bin]);
    }
    return text;
}

void VQtHistogramCurve::showToopTip(const QPoint& pos) {
    if (!m_plot->axisRect()->rect().contains(pos)) {
        QToolTip::hideText();
        return;
    }
    const int bin = int(std::floor(m_plot->xAxis->pixelToCoord(pos.x()) + 0.5));
    const QString text = toolTipText(bin);
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(m_plot->mapToGlobal(pos + QPoint(12, 12)), text, m_plot);
}

bool VQtHistogramCurve::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_plot) {
        if (event->type() == QEvent::MouseMove)
            showToopTip(static_cast<QMouseEvent*>(event)->pos());
        else if (event->type() == QEvent::Resize)
            QMetaObject::invokeMethod(
                this,
                [this] {
                    updateScrollRange();
                    drawHistogram();
                },
                Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}
