#include "tools/VQtMeasureLengthWidget.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <cmath>
#include <cstdlib>

namespace {
enum { PixelLength, Start, Stop, Horizontal, Vertical, Cartesian };
} // namespace

VQtMeasureLengthWidget::VQtMeasureLengthWidget(QWidget* parent) : QBaseWidget(parent) {
    setObjectName(QStringLiteral("VQtMeasureLengthWidget"));
    const char* names[6] = {"labelPixelLenght", "labelStart",  "labelStop",
                            "labelHorLen",      "labelVerLen", "labelCarLen"};
    const char* initial[6] = {"1 mm", "(0,0)", "(0,0)", "0.0", "0.0", "0.0"};
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < 6; ++i) {
        m_captions[i] = new QLabel(this);
        m_values[i] = new QLabel(QLatin1String(initial[i]), this);
        m_values[i]->setObjectName(QLatin1String(names[i]));
        m_values[i]->setMinimumWidth(120);
        m_values[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(m_captions[i], i, 0);
        grid->addWidget(m_values[i], i, 1);
    }
    grid->setColumnStretch(1, 1);
    resize(320, 200);
    retranslateUi();
}

void VQtMeasureLengthWidget::retranslateUi() {
    setTitleContent(tr("Measure Length"));
    m_captions[PixelLength]->setText(tr("Pixel Length:"));
    m_captions[Start]->setText(tr("Pixel Start Point:"));
    m_captions[Stop]->setText(tr("Pixel Stop Point:"));
    m_captions[Horizontal]->setText(tr("Horizontal Length:"));
    m_captions[Vertical]->setText(tr("Vertical Length:"));
    m_captions[Cartesian]->setText(tr("Cartesian Length:"));
}

void VQtMeasureLengthWidget::setMeasurePoint(const QPoint& start, const QPoint& stop) {
    m_start = start;
    m_stop = stop;
    showLengths(true);
}

void VQtMeasureLengthWidget::setMeasurePixelLenght(int length, int unit) {
    m_pixelLength = length;
    m_unit = unit;
    const char* formats[3] = {"%d um", "%d mm", "%d cm"};
    if (unit >= 0 && unit <= 2)
        m_values[PixelLength]->setText(QString::asprintf(formats[unit], length));
    showLengths(false);
}

void VQtMeasureLengthWidget::showLengths(bool coveredPixels) {
    m_values[Start]->setText(QString::asprintf("(%d,%d)", m_start.x(), m_start.y()));
    m_values[Stop]->setText(QString::asprintf("(%d,%d)", m_stop.x(), m_stop.y()));
    const int extra = coveredPixels ? 1 : 0;
    const double h = std::abs(m_start.x() - m_stop.x()) + extra;
    const double v = std::abs(m_start.y() - m_stop.y()) + extra;
    m_values[Horizontal]->setText(QString::asprintf("%.2f", m_pixelLength * h));
    m_values[Vertical]->setText(QString::asprintf("%.2f", m_pixelLength * v));
    m_values[Cartesian]->setText(QString::asprintf("%.2f", std::sqrt(h * h + v * v)));
}

QString VQtMeasureLengthWidget::pixelLengthText() const {
    return m_values[PixelLength]->text();
}
QString VQtMeasureLengthWidget::startText() const {
    return m_values[Start]->text();
}
QString VQtMeasureLengthWidget::stopText() const {
    return m_values[Stop]->text();
}
QString VQtMeasureLengthWidget::horizontalText() const {
    return m_values[Horizontal]->text();
}
QString VQtMeasureLengthWidget::verticalText() const {
    return m_values[Vertical]->text();
}
QString VQtMeasureLengthWidget::cartesianText() const {
    return m_values[Cartesian]->text();
}

void VQtMeasureLengthWidget::closeEvent(QCloseEvent* e) {
    QBaseWidget::closeEvent(e);
}

void VQtMeasureLengthWidget::hideEvent(QHideEvent* e) {
    QBaseWidget::hideEvent(e);
    emit signalClose();
}
