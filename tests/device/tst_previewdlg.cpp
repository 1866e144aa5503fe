// The preview dialogs of the board parameters chosen from methods: what each picture shows
// (readout corners, the order of the timed signals, the board's values in the labels) and the
// entry the user leaves the dialog with.
#include "device/VQtPreviewDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QtTest>

namespace {
// The board's values as the panel reports them.
QString boardValue(const QString& parameter) {
    if (parameter == QLatin1String("VNP_INTEGRATION_PARAM1"))
        return QStringLiteral("10 us");
    if (parameter == QLatin1String("VNP_INTEGRATION_PARAM3"))
        return QStringLiteral("5 us");
    if (parameter == QLatin1String("VNP_INTEGRATION_POLARITY2"))
        return QStringLiteral("Low");
    return QString();
}

const VQtTimingChart::Row* row(const VQtTimingChart& c, const QString& name) {
    for (const VQtTimingChart::Row& r : c.rows)
        if (r.name == name)
            return &r;
    return nullptr;
}

QStringList labels(const VQtTimingChart& c) {
    QStringList out;
    for (const VQtTimingChart::Span& s : c.spans)
        out << s.label;
    return out;
}

// Whether the region's first pixels (the tap colours) sit near the given corner of the region.
bool tapCellsNear(const QImage& image, const QRectF& region, Qt::Corner corner) {
    const bool right = corner == Qt::TopRightCorner || corner == Qt::BottomRightCorner;
    const bool bottom = corner == Qt::BottomLeftCorner || corner == Qt::BottomRightCorner;
    const int x = int(right ? region.right() - 8 : region.left() + 8);
    const int y = int(bottom ? region.bottom() - 8 : region.top() + 8);
    const QColor c = image.pixelColor(x, y);
    // The region's background is a pale tint; the tap cells are saturated.
    return c.saturation() > 100 && c.value() < 250;
}
} // namespace

class TstPreviewDlg : public QObject {
    Q_OBJECT

private slots:
    void kindsByParameter() {
        QCOMPARE(VQtPreviewDlg::kindOf("VNP_TAP_ARRANGEMENT"), VQtPreviewDlg::TapArrangement);
        QCOMPARE(VQtPreviewDlg::kindOf("VNP_INTEGRATION_METHOD"), VQtPreviewDlg::Integration);
        QCOMPARE(VQtPreviewDlg::kindOf("VNP_STROBE_METHOD"), VQtPreviewDlg::Strobe);
        QCOMPARE(VQtPreviewDlg::kindOf("VNP_SFOTWARE_TRIGGER_POLARITY"), VQtPreviewDlg::SoftwareTrigger);
        QCOMPARE(VQtPreviewDlg::kindOf("VNP_TIME_OUT"), VQtPreviewDlg::None);
    }

    void integrationSignalsInTheirOrder() {
        // Method 4 chains: signal 2 begins after signal 1 has ended, Delay2 measured from there.
        const VQtTimingChart chained = VQtPreviewDlg::integrationChart(4, boardValue);
        const auto* one = row(chained, "Integration 1");
        const auto* two = row(chained, "Integration 2");
        QVERIFY(one && two);
        QVERIFY(two->pulses.first().first > one->pulses.first().second);
        QVERIFY(!two->activeHigh && one->activeHigh);
        QVERIFY(labels(chained).contains("Delay1 = 10 us"));
        QVERIFY(labels(chained).contains("Delay2 = 5 us"));
        QVERIFY(labels(chained).contains("Width1")); // the board has no such value
        // Method 2: both from the trigger, overlapping.
        const VQtTimingChart both = VQtPreviewDlg::integrationChart(2, boardValue);
        QVERIFY(row(both, "Integration 2")->pulses.first().first <
                row(both, "Integration 1")->pulses.first().second);
        // Method 3: the signal lasts while the trigger does, so it has no width of its own.
        const VQtTimingChart level = VQtPreviewDlg::integrationChart(3, boardValue);
        QVERIFY(row(level, "Integration 1")->pulses.first().second >
                row(level, "Trigger")->pulses.first().second);
        QVERIFY(!labels(level).join(' ').contains("Width"));
        QVERIFY(!row(VQtPreviewDlg::integrationChart(1, boardValue), "Integration 2"));
    }

    void strobeFollowsItsReference() {
        const VQtTimingChart afterTrigger = VQtPreviewDlg::strobeChart(1, boardValue);
        QVERIFY(!row(afterTrigger, "Integration"));
        const VQtTimingChart afterIntegration = VQtPreviewDlg::strobeChart(3, boardValue);
        QVERIFY(row(afterIntegration, "Strobe")->pulses.first().first >
                row(afterIntegration, "Integration")->pulses.first().second);
        const VQtTimingChart duringIntegration = VQtPreviewDlg::strobeChart(2, boardValue);
        QVERIFY(row(duringIntegration, "Strobe")->pulses.first().first <
                row(duringIntegration, "Integration")->pulses.first().second);
        const VQtTimingChart low = VQtPreviewDlg::softwareTriggerChart(false, boardValue);
        QVERIFY(!row(low, "Trigger")->activeHigh);
        QCOMPARE(row(low, "Trigger")->pulses.size(), 3);
    }

    void tapPicturesStartWhereTheReadoutStarts() {
        const QSize size(400, 300);
        const QRectF frame(20, 20, 360, 260);
        // Two regions down, the lower read from its last line upwards.
        const QImage down = VQtPreviewDlg::tapPicture("Geometry_1X2_2YE", size);
        const QRectF top(frame.left(), frame.top(), frame.width(), frame.height() / 2);
        const QRectF lower = top.translated(0, frame.height() / 2);
        QVERIFY(tapCellsNear(down, top, Qt::TopLeftCorner));
        QVERIFY(!tapCellsNear(down, top, Qt::BottomLeftCorner));
        QVERIFY(tapCellsNear(down, lower, Qt::BottomLeftCorner));
        QVERIFY(!tapCellsNear(down, lower, Qt::TopLeftCorner));
        // Two regions across, the right one read from its right end.
        const QImage across = VQtPreviewDlg::tapPicture("Geometry_2XE_1Y", size);
        const QRectF left(frame.left(), frame.top(), frame.width() / 2, frame.height());
        const QRectF right = left.translated(frame.width() / 2, 0);
        QVERIFY(tapCellsNear(across, left, Qt::TopLeftCorner));
        QVERIFY(tapCellsNear(across, right, Qt::TopRightCorner));
        QVERIFY(!tapCellsNear(across, right, Qt::TopLeftCorner));
        // Not a geometry: a blank picture, and the caption says so.
        QCOMPARE(VQtPreviewDlg::tapPicture("Geometry_X", size).pixelColor(200, 150), QColor(Qt::white));
        QVERIFY(VQtPreviewDlg::caption(VQtPreviewDlg::TapArrangement, "Geometry_X").contains("Geometry_X"));
    }

    void dialogFollowsTheChosenEntry() {
        const QStringList methods{"Method1", "Method2", "Method3", "Method4"};
        VQtPreviewDlg dialog(VQtPreviewDlg::Integration, methods, "Method2", boardValue);
        auto* entries = dialog.findChild<QComboBox*>("comboBoxPreviewEntry");
        auto* caption = dialog.findChild<QLabel*>("labelPreviewCaption");
        auto* picture = dialog.findChild<QLabel*>("labelPreviewPicture");
        QCOMPARE(dialog.selectedEntry(), QStringLiteral("Method2"));
        QCOMPARE(caption->text(), VQtPreviewDlg::caption(VQtPreviewDlg::Integration, "Method2"));
        const QImage before = picture->pixmap(Qt::ReturnByValue).toImage();
        entries->setCurrentIndex(3);
        QCOMPARE(dialog.selectedEntry(), QStringLiteral("Method4"));
        QCOMPARE(caption->text(), VQtPreviewDlg::caption(VQtPreviewDlg::Integration, "Method4"));
        QVERIFY(picture->pixmap(Qt::ReturnByValue).toImage() != before);
        // A value the list lacks starts at the first entry.
        VQtPreviewDlg unknown(VQtPreviewDlg::Strobe, {"Method1", "Method2"}, "------", boardValue);
        QCOMPARE(unknown.selectedEntry(), QStringLiteral("Method1"));
    }
};

QTEST_MAIN(TstPreviewDlg)
#include "tst_previewdlg.moc"
