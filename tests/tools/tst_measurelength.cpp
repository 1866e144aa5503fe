// Length measurement: the two pixel-count rules and the unit label.
#include <QtTest>

#include "tools/VQtMeasureLengthWidget.h"

class TstMeasureLength : public QObject {
    Q_OBJECT

private slots:
    void startsWithItsInitialTexts() {
        VQtMeasureLengthWidget w;
        QCOMPARE(w.pixelLengthText(), QStringLiteral("1 mm"));
        QCOMPARE(w.startText(), QStringLiteral("(0,0)"));
        QCOMPARE(w.horizontalText(), QStringLiteral("0.0"));
    }

    void lengths_data() {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("stop");
        QTest::addColumn<int>("pixel");
        QTest::addColumn<QString>("horizontal");
        QTest::addColumn<QString>("vertical");
        QTest::addColumn<QString>("cartesian");
        QTest::newRow("same pixel") << QPoint(4, 4) << QPoint(4, 4) << 1 << "1.00"
                                    << "1.00"
                                    << "1.41";
        QTest::newRow("known line") << QPoint(10, 5) << QPoint(13, 9) << 2 << "8.00"
                                    << "10.00"
                                    << "6.40";
        QTest::newRow("backwards") << QPoint(13, 9) << QPoint(10, 5) << 3 << "12.00"
                                   << "15.00"
                                   << "6.40";
    }
    void lengths() {
        QFETCH(QPoint, start);
        QFETCH(QPoint, stop);
        QFETCH(int, pixel);
        VQtMeasureLengthWidget w;
        w.setMeasurePixelLenght(pixel, 0);
        w.setMeasurePoint(start, stop);
        QTEST(w.horizontalText(), "horizontal");
        QTEST(w.verticalText(), "vertical");
        QTEST(w.cartesianText(), "cartesian");
        QCOMPARE(w.startText(), QStringLiteral("(%1,%2)").arg(start.x()).arg(start.y()));
    }

    void newPixelSizeUsesTheBareDifferences() {
        VQtMeasureLengthWidget w;
        w.setMeasurePoint(QPoint(7, 7), QPoint(7, 7));
        w.setMeasurePixelLenght(5, 2);
        QCOMPARE(w.pixelLengthText(), QStringLiteral("5 cm"));
        QCOMPARE(w.horizontalText(), QStringLiteral("0.00"));
        QCOMPARE(w.verticalText(), QStringLiteral("0.00"));
        QCOMPARE(w.cartesianText(), QStringLiteral("0.00"));
        w.setMeasurePixelLenght(3, 9); // unknown unit: the label keeps its text
        QCOMPARE(w.pixelLengthText(), QStringLiteral("5 cm"));
        w.setMeasurePixelLenght(3, 0);
        QCOMPARE(w.pixelLengthText(), QStringLiteral("3 um"));
    }
};

QTEST_MAIN(TstMeasureLength)
#include "tst_measurelength.moc"
