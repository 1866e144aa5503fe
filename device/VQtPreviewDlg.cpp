#include "device/VQtPreviewDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "device/VQtTapGeometry.h"

namespace {
const QSize kPictureSize(560, 300);

// "Method3" is method 3; anything else is method 1.
int methodOf(const QString& entry) {
    static const QRegularExpression digits(QStringLiteral("(\\d+)$"));
    const QRegularExpressionMatch m = digits.match(entry);
    return m.hasMatch() ? qMax(1, m.captured(1).toInt()) : 1;
}

// "Delay1 = 10 us", or the bare name when the board has no such row.
QString spanLabel(const QString& name, const VQtPreviewDlg::ValueText& values, const QString& row) {
    const QString value = values ? values(row) : QString();
    return value.isEmpty() ? name : QStringLiteral("%1 = %2").arg(name, value);
}

bool activeHigh(const VQtPreviewDlg::ValueText& values, const QString& row) {
    return !values || values(row).compare(QLatin1String("Low"), Qt::CaseInsensitive) != 0;
}

const QColor kTapColours[] = {QColor(120, 170, 240), QColor(250, 180, 90), QColor(140, 210, 130),
                              QColor(230, 130, 170)};
} // namespace

VQtPreviewDlg::Kind VQtPreviewDlg::kindOf(const QString& feature) {
    if (feature == QLatin1String("VNP_TAP_ARRANGEMENT"))
        return TapArrangement;
    if (feature == QLatin1String("VNP_INTEGRATION_METHOD"))
        return Integration;
    if (feature == QLatin1String("VNP_STROBE_METHOD"))
        return Strobe;
    if (feature == QLatin1String("VNP_SFOTWARE_TRIGGER_POLARITY"))
        return SoftwareTrigger;
    return None;
}

VQtPreviewDlg::VQtPreviewDlg(Kind kind, const QStringList& entries, const QString& current, ValueText values,
                             QWidget* parent)
    : QDialog(parent), m_kind(kind), m_values(std::move(values)) {
    const QString titles[] = {QString(), tr("Tap Arrangement"), tr("Integration Trigger Method"),
                              tr("Strobe Trigger Method"), tr("Software Trigger Polarity")};
    setWindowTitle(titles[kind]);
    auto* layout = new QVBoxLayout(this);
    m_entries = new QComboBox;
    m_entries->setObjectName(QStringLiteral("comboBoxPreviewEntry"));
    m_entries->addItems(entries);
    m_entries->setCurrentIndex(qMax(0, entries.indexOf(current)));
    layout->addWidget(m_entries);
    m_picture = new QLabel;
    m_picture->setObjectName(QStringLiteral("labelPreviewPicture"));
    m_picture->setFixedSize(kPictureSize);
    layout->addWidget(m_picture);
    m_caption = new QLabel;
    m_caption->setObjectName(QStringLiteral("labelPreviewCaption"));
    m_caption->setWordWrap(true);
    layout->addWidget(m_caption);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(tr("Ok"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_entries, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &VQtPreviewDlg::showEntry);
    showEntry();
}

QString VQtPreviewDlg::selectedEntry() const {
    return m_entries->currentText();
}

void VQtPreviewDlg::showEntry() {
    const QString entry = selectedEntry();
    QImage picture;
    switch (m_kind) {
    case TapArrangement:
        picture = tapPicture(entry, kPictureSize);
        break;
    case Integration:
        picture = integrationChart(methodOf(entry), m_values).render(kPictureSize);
        break;
    case Strobe:
        picture = strobeChart(methodOf(entry), m_values).render(kPictureSize);
        break;
    case SoftwareTrigger:
        picture =
            softwareTriggerChart(entry.compare(QLatin1String("Low"), Qt::CaseInsensitive) != 0, m_values)
                .render(kPictureSize);
        break;
    case None:
        break;
    }
    m_picture->setPixmap(QPixmap::fromImage(picture));
    m_caption->setText(caption(m_kind, entry));
}

QString VQtPreviewDlg::caption(Kind kind, const QString& entry) {
    const int method = methodOf(entry);
    switch (kind) {
    case TapArrangement: {
        VQtTapGeometry g;
        if (!VQtTapGeometry::parse(entry, &g))
            return tr("\"%1\" is no tap geometry this preview knows.").arg(entry);
        return tr("%1 taps: %2 region(s) across, each read by %3 adjacent tap(s), and %4 region(s) down. "
                  "The arrows show where each region's readout starts and which way it runs.")
            .arg(g.taps())
            .arg(g.regionsX)
            .arg(g.tapsPerRegion)
            .arg(g.regionsY);
    }
    case Integration:
        switch (method) {
        case 2:
            return tr("Both signals start from the trigger: signal 1 after Delay1 for Width1, signal 2 after "
                      "Delay2 for Width2.");
        case 3:
            return tr("Integration signal 1 starts Delay1 after the trigger and lasts as long as the trigger "
                      "input stays active.");
        case 4:
            return tr("Signal 1 starts Delay1 after the trigger and lasts Width1; signal 2 starts Delay2 "
                      "after signal 1 ends and lasts Width2.");
        default:
            return tr("Integration signal 1 starts Delay1 after the trigger and lasts Width1.");
        }
    case Strobe:
        switch (method) {
        case 1:
            return tr("The strobe starts Delay after the trigger and lasts Width.");
        case 2:
            return tr("The strobe starts Delay after the integration begins and lasts Width.");
        default:
            return tr("The strobe starts Delay after the integration ends and lasts Width.");
        }
    case SoftwareTrigger:
        return tr("Count pulses of Width, one every Period, the first Delay after the command; the active "
                  "level is the selected polarity.");
    case None:
        break;
    }
    return QString();
}

VQtTimingChart VQtPreviewDlg::integrationChart(int method, const ValueText& values) {
    VQtTimingChart c;
    c.end = 12;
    const double triggerEnd = method == 3 ? 7 : 1.5;
    c.rows.append({tr("Trigger"), {{1, triggerEnd}}, true});
    const bool high1 = activeHigh(values, QStringLiteral("VNP_INTEGRATION_POLARITY1"));
    const bool high2 = activeHigh(values, QStringLiteral("VNP_INTEGRATION_POLARITY2"));
    const QString delay1 = spanLabel(tr("Delay1"), values, QStringLiteral("VNP_INTEGRATION_PARAM1"));
    const QString width1 = spanLabel(tr("Width1"), values, QStringLiteral("VNP_INTEGRATION_PARAM2"));
    const double start1 = 3, end1 = method == 3 ? triggerEnd + 2 : 6;
    c.rows.append({tr("Integration 1"), {{start1, end1}}, high1});
    c.spans.append({1, 1, start1, delay1});
    if (method != 3)
        c.spans.append({1, start1, end1, width1});
    if (method == 2 || method == 4) {
        const double start2 = method == 2 ? 4.5 : end1 + 1.5, end2 = start2 + 3;
        c.rows.append({tr("Integration 2"), {{start2, end2}}, high2});
        c.spans.append({2, method == 2 ? 1 : end1, start2,
                        spanLabel(tr("Delay2"), values, QStringLiteral("VNP_INTEGRATION_PARAM3"))});
        c.spans.append(
            {2, start2, end2, spanLabel(tr("Width2"), values, QStringLiteral("VNP_INTEGRATION_PARAM4"))});
    }
    return c;
}

VQtTimingChart VQtPreviewDlg::strobeChart(int method, const ValueText& values) {
    VQtTimingChart c;
    c.end = 12;
    c.rows.append({tr("Trigger"), {{1, 1.5}}, true});
    const double integrationStart = 2.5, integrationEnd = 6;
    if (method > 1)
        c.rows.append({tr("Integration"), {{integrationStart, integrationEnd}}, true});
    const double from = method == 1 ? 1 : method == 2 ? integrationStart : integrationEnd;
    const double start = from + 1.5, end = start + 3;
    const bool high = activeHigh(values, QStringLiteral("VNP_STROBE_POLARITY"));
    c.rows.append({tr("Strobe"), {{start, end}}, high});
    const int row = c.rows.size() - 1;
    c.spans.append({row, from, start, spanLabel(tr("Delay"), values, QStringLiteral("VNP_STROBE_PARAM1"))});
    c.spans.append({row, start, end, spanLabel(tr("Width"), values, QStringLiteral("VNP_STROBE_PARAM2"))});
    return c;
}

VQtTimingChart VQtPreviewDlg::softwareTriggerChart(bool high, const ValueText& values) {
    VQtTimingChart c;
    c.end = 12;
    c.rows.append({tr("Command"), {{0.5, 0.8}}, true});
    VQtTimingChart::Row pulses{tr("Trigger"), {}, high};
    for (int i = 0; i < 3; ++i)
        pulses.pulses.append({2.5 + 3 * i, 3.5 + 3 * i});
    c.rows.append(pulses);
    c.spans.append(
        {1, 0.5, 2.5, spanLabel(tr("Delay"), values, QStringLiteral("VNP_SOFTWARE_TRIGGER_DELAY"))});
    c.spans.append(
        {1, 2.5, 3.5, spanLabel(tr("Width"), values, QStringLiteral("VNP_SOFTWARE_TRIGGER_WIDTH"))});
    c.spans.append(
        {0, 2.5, 5.5, spanLabel(tr("Period"), values, QStringLiteral("VNP_SOFTWARE_TRIGGER_PERIOD"))});
    const QString count = values ? values(QStringLiteral("VNP_SOFTWARE_TRIGGER_COUNT")) : QString();
    c.rows[1].name = count.isEmpty() ? tr("Trigger") : tr("Trigger (x%1)").arg(count);
    return c;
}

QImage VQtPreviewDlg::tapPicture(const QString& geometry, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    VQtTapGeometry g;
    if (!VQtTapGeometry::parse(geometry, &g))
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(20, 20, size.width() - 40, size.height() - 40);
    const double w = frame.width() / g.regionsX, h = frame.height() / g.regionsY;
    for (int ry = 0; ry < g.regionsY; ++ry)
        for (int rx = 0; rx < g.regionsX; ++rx)
            paintTapRegion(p, QRectF(frame.left() + rx * w, frame.top() + ry * h, w, h), g, rx, ry);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(frame);
    return image;
}

void VQtPreviewDlg::paintTapRegion(QPainter& p, const QRectF& r, const VQtTapGeometry& g, int rx, int ry) {
    const int region = ry * g.regionsX + rx;
    const int firstTap = region * g.tapsPerRegion + 1;
    const QColor colour = kTapColours[region % 4];
    p.fillRect(r.adjusted(1, 1, -1, -1), colour.lighter(150));
    p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
    p.drawRect(r);
    // Which corner the readout starts in: the far end across for "E" regions on the right and for
    // "M" regions on the left, the last line for the lower "YE" regions.
    const bool rightHalf = rx >= (g.regionsX + 1) / 2 && g.regionsX > 1;
    const bool leftward = (g.across == VQtTapGeometry::FromEnd && rightHalf) ||
                          (g.across == VQtTapGeometry::FromMiddle && !rightHalf && g.regionsX > 1);
    const bool upward = g.bottomUp && ry >= (g.regionsY + 1) / 2 && g.regionsY > 1;
    const double cell = qBound(4.0, r.width() / 24, 12.0);
    const double x0 = leftward ? r.right() - cell * g.tapsPerRegion * 2 - 4 : r.left() + 4;
    const double y0 = upward ? r.bottom() - cell - 4 : r.top() + 4;
    // The first pixels of the first line read: adjacent taps side by side, twice over.
    for (int i = 0; i < g.tapsPerRegion * 2; ++i) {
        const int tap = leftward ? g.tapsPerRegion - 1 - i % g.tapsPerRegion : i % g.tapsPerRegion;
        p.fillRect(QRectF(x0 + i * cell, y0, cell - 1, cell), kTapColours[tap % 4].darker(100 + 40 * tap));
    }
    // Readout along the line, then line after line.
    p.setPen(QPen(Qt::black, 2));
    const double ya = upward ? y0 - 8 : y0 + cell + 8;
    const double xs = leftward ? r.right() - 8 : r.left() + 8, xe = leftward ? r.left() + 8 : r.right() - 8;
    p.drawLine(QPointF(xs, ya), QPointF(xe, ya));
    const double dx = leftward ? 1 : -1;
    p.drawLine(QPointF(xe, ya), QPointF(xe + dx * 8, ya - 4));
    p.drawLine(QPointF(xe, ya), QPointF(xe + dx * 8, ya + 4));
    const double yEnd = upward ? r.top() + 10 : r.bottom() - 10, dy = upward ? 1 : -1;
    p.drawLine(QPointF(xs, ya), QPointF(xs, yEnd));
    p.drawLine(QPointF(xs, yEnd), QPointF(xs - 4, yEnd + dy * 8));
    p.drawLine(QPointF(xs, yEnd), QPointF(xs + 4, yEnd + dy * 8));
    const QString taps = g.tapsPerRegion == 1
                             ? tr("Tap %1").arg(firstTap)
                             : tr("Taps %1-%2").arg(firstTap).arg(firstTap + g.tapsPerRegion - 1);
    p.drawText(r, Qt::AlignCenter, taps);
}
