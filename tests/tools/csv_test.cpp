// Correction-table CSV files and the check of a table against the camera before it is sent:
// what reading keeps and where it stops (with the line and the reason), and which tables a
// camera's limits refuse.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "tools/VQtCsvFile.h"
#include "tools/VQtTableCheck.h"

TEST(CsvFile, ReadsPairsAfterTheHeadingsWithAnyLineEnds) {
    for (const char* text :
         {"comment line\r\ninput,output\r\n0,5\r\n1,-6\r\n", "comment line\ninput,output\n0,5\n1,-6",
          "comment line x\rinput,output\r0, 5\r1 ,-6\r\n\r\n"}) {
        const VQtCsvFile::Content c = VQtCsvFile::parse(text);
        EXPECT_TRUE(c.valid) << text;
        EXPECT_EQ(c.entries, (QVector<QPoint>{{0, 5}, {1, -6}})) << text;
        EXPECT_EQ(c.lines, (QVector<int>{3, 4})) << text;
        EXPECT_EQ(c.stopLine, 0) << text;
    }
    // Written as read, CR LF ends.
    const QVector<QPoint> entries{{0, 0}, {1, 4095}, {-3, 2147483647}};
    EXPECT_EQ(VQtCsvFile::format(entries),
              QByteArray("comment line\r\ninput,output\r\n0,0\r\n1,4095\r\n-3,2147483647\r\n"));
    EXPECT_EQ(VQtCsvFile::parse(VQtCsvFile::format(entries)).entries, entries);
}

TEST(CsvFile, StopsAtTheFirstBadLineKeepingWhatCameBefore) {
    struct Case {
        const char* text;
        int kept;
        int stopLine;
        const char* reasonPart;
    } cases[] = {
        {"comment line\r\ninput,output\r\n0,1\r\n1,2\r\n2,3,4\r\n3,4\r\n", 2, 5, "3 fields"},
        {"comment line\r\ninput,output\r\n0,1\r\nabc,2\r\n", 1, 4, "\"abc\""},
        {"comment line\r\ninput,output\r\n0,1\r\n\r\n5,5\r\n", 1, 4, "1 fields"},
        {"comment line\r\ninput,output\r\n0,99999999999\r\n", 0, 3, "99999999999"},
        {"comment line\r\ninput,output\r\n0,1.5\r\n", 0, 3, "1.5"},
        {"comment line\r\ninput,output\r\n-,1\r\n", 0, 3, "\"-\""},
    };
    for (const Case& c : cases) {
        const VQtCsvFile::Content content = VQtCsvFile::parse(c.text);
        EXPECT_TRUE(content.valid);
        EXPECT_EQ(content.entries.size(), c.kept) << c.text;
        EXPECT_EQ(content.stopLine, c.stopLine) << c.text;
        EXPECT_TRUE(content.reason.contains(QLatin1String(c.reasonPart))) << content.reason.toStdString();
        EXPECT_TRUE(VQtCsvFile::stopText(content).startsWith(QStringLiteral("line %1:").arg(c.stopLine)));
    }
}

TEST(CsvFile, RefusesFilesWithoutTheHeadings) {
    EXPECT_FALSE(VQtCsvFile::parse("input,output\r\n0,1\r\n").valid);
    EXPECT_FALSE(VQtCsvFile::parse("comment line\r\n0,1\r\n").valid);
    EXPECT_FALSE(VQtCsvFile::parse("").valid);
    QTemporaryDir dir;
    VQtCsvFile::Content content;
    QString why;
    EXPECT_FALSE(VQtCsvFile::read(dir.filePath("missing.csv"), &content, &why));
    EXPECT_TRUE(why.contains(QLatin1String("missing.csv")));
}

TEST(CsvFile, WritesWholeFilesAndNamesFailures) {
    QTemporaryDir dir;
    QString why;
    ASSERT_TRUE(VQtCsvFile::write(dir.filePath("t.csv"), {{1, 2}}, &why));
    VQtCsvFile::Content content;
    ASSERT_TRUE(VQtCsvFile::read(dir.filePath("t.csv"), &content, &why));
    EXPECT_EQ(content.entries, QVector<QPoint>{QPoint(1, 2)});
    EXPECT_FALSE(VQtCsvFile::write(dir.filePath("no/such/folder/t.csv"), {{1, 2}}, &why));
    EXPECT_TRUE(why.contains(QLatin1String("no/such/folder")));
}

TEST(TableCheck, LookUpTablesMustMatchTheCameraExactly) {
    VQtTableLimits lut;
    lut.kind = VQT_TABLE_LUT;
    lut.count = 4;
    lut.valueMin = 0;
    lut.valueMax = 4095;
    const QVector<QPoint> good{{0, 0}, {1, 100}, {2, 4095}, {3, 7}};
    EXPECT_TRUE(VQtTableCheck::check(lut, good).isEmpty());
    EXPECT_TRUE(VQtTableCheck::check(lut, {{0, 0}, {1, 1}}).contains(QLatin1String("2 entries")));
    EXPECT_TRUE(VQtTableCheck::check(lut, {{0, 0}, {1, 1}, {1, 2}, {3, 3}})
                    .contains(QLatin1String("index 1 appears")));
    EXPECT_TRUE(VQtTableCheck::check(lut, {{0, 0}, {1, 1}, {2, 2}, {4, 3}})
                    .contains(QLatin1String("index 4 is outside 0 ~ 3")));
    // A value out of range names the file line it came from.
    const QString why = VQtTableCheck::check(lut, {{0, 0}, {1, 5000}, {2, 2}, {3, 3}}, {3, 4, 5, 6});
    EXPECT_TRUE(why.startsWith(QLatin1String("line 4: value 5000 is outside 0 ~ 4095"))) << why.toStdString();
    EXPECT_TRUE(
        VQtTableCheck::check(lut, {{0, -1}, {1, 1}, {2, 2}, {3, 3}}).startsWith(QLatin1String("entry 1")));
    // A single entry (flat-field "Modify") is checked for its range only.
    VQtTableLimits ffc = lut;
    ffc.kind = VQT_TABLE_FFC;
    ffc.valueMax = 2147483647;
    EXPECT_TRUE(VQtTableCheck::check(ffc, {{2, 2147483647}}, {}, false).isEmpty());
    EXPECT_FALSE(VQtTableCheck::check(ffc, {{4, 1}}, {}, false).isEmpty());
}

TEST(TableCheck, DefectListsMustFitTheSensorAndTheList) {
    VQtTableLimits d;
    d.kind = VQT_TABLE_DEFECT;
    d.columnMax = 2047;
    d.rowMax = 1087;
    d.maxEntries = 3;
    EXPECT_TRUE(VQtTableCheck::check(d, {{0, 0}, {2047, 1087}}).isEmpty());
    EXPECT_TRUE(VQtTableCheck::check(d, {{0, 0}, {2048, 5}}).contains(QLatin1String("column 2048")));
    EXPECT_TRUE(VQtTableCheck::check(d, {{0, 1088}}).contains(QLatin1String("row 1088")));
    EXPECT_TRUE(VQtTableCheck::check(d, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}).contains(QLatin1String("holds 3")));
}
