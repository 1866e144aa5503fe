// Compiled-in resources: every picture the program names exists and has a usable size, the
// embedded font registers, the style sheet carries its palette colour and parses without a
// warning, and both translation catalogues load and agree with their sources.
#include <algorithm>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QTranslator>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QXmlStreamReader>

namespace {

// Every icon the windows refer to; a missing one shows as an empty button, not as an error.
const char* const kIcons[] = {"AdvancedHistogram",
                              "BadPixel",
                              "Board",
                              "Calibration",
                              "Camera",
                              "Connect",
                              "DataGrad",
                              "Disconnect",
                              "Error",
                              "FullScreen",
                              "GrabContinuous",
                              "GrabOne",
                              "GrabStop",
                              "Histogram",
                              "HorLine",
                              "Information",
                              "Marker",
                              "Measure",
                              "OpenBoard",
                              "OpenCamera",
                              "OpenFile",
                              "OpenImage",
                              "OpenZbcf",
                              "PixelCapture",
                              "ProbeDevice",
                              "RoiHistigram",
                              "SaveImage",
                              "SaveSequence",
                              "SaveZbcf",
                              "SendBoardCommand",
                              "SendCommand",
                              "SendTables",
                              "SerialPort",
                              "SoftwareTrigger",
                              "Stretch",
                              "VerLine",
                              "View1X1",
                              "View1X2",
                              "View2X2",
                              "View3X2",
                              "View3X3",
                              "Warning",
                              "ZoomFit",
                              "ZoomIn",
                              "ZoomOriginal",
                              "ZoomOut"};

const char kStyleSheet[] = ":/Style/VQtResource/VQtStyle/Style/style.qss";

QStringList g_warnings;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings << text;
}

// Placeholders a translation must keep: %1..%99, printf conversions, and "%%" as a literal.
QStringList placeholders(const QString& text) {
    static const QRegularExpression re(QStringLiteral("%(?:L?\\d{1,2}|[-+ #0]*\\d*(?:\\.\\d+)?(?:ll|l|h)?"
                                                      "[diouxXcsfeEgGp])"));
    QStringList found;
    for (auto it = re.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

struct Entry {
    QString context;
    QString source;
    QString translation;
    bool finished = false;
    bool numerus = false;
};

// The live entries of a .ts catalogue (entries of removed texts are skipped).
QVector<Entry> readCatalogue(const QString& path) {
    QVector<Entry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString context;
    Entry entry;
    bool live = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            entry = Entry{context,
                          {},
                          {},
                          false,
                          xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes")};
        } else if (name == QLatin1String("source")) {
            entry.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            live = type != QLatin1String("vanished") && type != QLatin1String("obsolete");
            entry.finished = type.isEmpty();
            entry.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (live)
                entries << entry;
        }
    }
    return entries;
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT

private slots:
    void iconsLoadAtToolBarSize_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("size");
        for (const char* name : kIcons) {
            const QString path = QStringLiteral(":/Image/") + QLatin1String(name);
            QTest::newRow(qPrintable(path)) << path << 32;
        }
        for (const char* name : {"Information", "Warning", "Error"}) {
            const QString path = QStringLiteral(":/Resource/") + QLatin1String(name);
            QTest::newRow(qPrintable(path)) << path << 48;
        }
    }

    void iconsLoadAtToolBarSize() {
        QFETCH(QString, path);
        QFETCH(int, size);
        const QPixmap pixmap(path);
        QVERIFY2(!pixmap.isNull(), qPrintable(path));
        QCOMPARE(pixmap.size(), QSize(size, size));
        QVERIFY(!QIcon(path).isNull());
        // On high-density screens QIcon and QPixmap pick the "@2x" twin by its name.
        QCOMPARE(QPixmap(path + QStringLiteral("@2x")).size(), QSize(2 * size, 2 * size));
        // Not a blank square: some pixel must be drawn.
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += qAlpha(image.pixel(x, y)) > 128;
        QVERIFY2(drawn > size, qPrintable(path));
    }

    // The layout icons are drawn as grids: each one must differ from the others.
    void layoutIconsDiffer() {
        QList<QImage> images;
        for (const char* name : {"View1X1", "View1X2", "View2X2", "View3X2", "View3X3"})
            images << QImage(QStringLiteral(":/Image/") + QLatin1String(name));
        for (int i = 0; i < images.size(); ++i)
            for (int j = i + 1; j < images.size(); ++j)
                QVERIFY2(images[i] != images[j], qPrintable(QStringLiteral("%1 == %2").arg(i).arg(j)));
    }

    // The background is written to a BMP file and opened like a user's image; the splash shows
    // before any window.
    void backgroundAndSplashPictures() {
        const QImage background(QStringLiteral(":/Image/Background"));
        QVERIFY(!background.isNull());
        QVERIFY(background.width() >= 1024 && background.width() <= 1920);
        QVERIFY(background.height() >= 640 && background.height() <= 1200);
        const QString path = QDir::tempPath() + QStringLiteral("/VionCViewer.bmp");
        QVERIFY(background.save(path, "BMP"));
        const QImage reread(path);
        QCOMPARE(reread.size(), background.size());
        QVERIFY(QFile::remove(path));

        const QPixmap splash(QStringLiteral(":/Image/StartInterface"));
        QVERIFY(!splash.isNull());
        QVERIFY(splash.width() >= 400 && splash.width() <= 1024);
        QVERIFY(splash.width() > splash.height());
    }

    void fontRegistersItsFamily() {
        const int id =
            QFontDatabase::addApplicationFont(QStringLiteral(":/VQtResource/BaseFont/Roboto-Medium.ttf"));
        QVERIFY(id >= 0);
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        QVERIFY(!families.isEmpty());
        QVERIFY2(families.first().startsWith(QLatin1String("Roboto")), qPrintable(families.first()));
    }

    // The program reads 7 characters at index 20 of the Latin-1 text as the palette colour.
    void styleSheetCarriesPaletteColour() {
        QFile file(QString::fromLatin1(kStyleSheet));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        for (const char c : bytes)
            QVERIFY2(static_cast<unsigned char>(c) < 0x80,
                     "the style sheet is read as Latin-1: keep it ASCII");
        const QString text = QString::fromLatin1(bytes);
        QVERIFY(text.indexOf(QLatin1Char('\n')) > 27); // the colour sits on the first line
        const QString name = text.mid(20, 7);
        QVERIFY2(QRegularExpression(QStringLiteral("^#[0-9A-Fa-f]{6}$")).match(name).hasMatch(),
                 qPrintable(name));
        const QColor colour(name);
        QVERIFY(colour.isValid());
        // A palette built from it must give readable text on the window colour.
        const QPalette palette(colour);
        QVERIFY(qAbs(qGray(palette.color(QPalette::WindowText).rgb()) -
                     qGray(palette.color(QPalette::Window).rgb())) > 128);
    }

    // A picture the sheet names but the resources lack is silently not drawn (arrows vanish).
    void styleSheetPicturesExist() {
        QFile file(QString::fromLatin1(kStyleSheet));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromLatin1(file.readAll());
        static const QRegularExpression url(QStringLiteral("url\\(([^)]*)\\)"));
        int count = 0;
        for (auto it = url.globalMatch(text); it.hasNext(); ++count) {
            const QString path = it.next().captured(1).trimmed();
            QVERIFY2(path.startsWith(QLatin1String(":/")), qPrintable(path));
            QVERIFY2(!QImage(path).isNull(), qPrintable(path));
        }
        QVERIFY(count > 0);
    }

    // Qt reports a style sheet it cannot parse only as a warning when a widget is polished:
    // apply it to a window with every kind of widget the program uses and listen.
    void styleSheetParsesOnEveryWidgetKind() {
        QFile file(QString::fromLatin1(kStyleSheet));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromLatin1(file.readAll());

        g_warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
        qApp->setStyleSheet(text);
        {
            QMainWindow window;
            window.menuBar()->addMenu(QStringLiteral("File(F)"))->addAction(QStringLiteral("Open Image"));
            window.addToolBar(QStringLiteral("tools"))
                ->addAction(QIcon(QStringLiteral(":/Image/ZoomIn")), QStringLiteral("Zoom In"));
            window.statusBar()->addWidget(new QLabel(QStringLiteral("Frame Rate:0 fps")));
            auto* central = new QSplitter(Qt::Vertical);
            auto* tabs = new QTabWidget;
            auto* group = new QGroupBox(QStringLiteral("Group"));
            auto* layout = new QVBoxLayout(group);
            layout->addWidget(new QLineEdit(QStringLiteral("text")));
            layout->addWidget(new QSpinBox);
            layout->addWidget(new QDoubleSpinBox);
            auto* combo = new QComboBox;
            combo->addItems({QStringLiteral("Beginner"), QStringLiteral("Expert")});
            layout->addWidget(combo);
            layout->addWidget(new QCheckBox(QStringLiteral("Feature ToolTip")));
            layout->addWidget(new QPushButton(QStringLiteral("Open")));
            layout->addWidget(new QSlider(Qt::Horizontal));
            tabs->addTab(group, QStringLiteral("Feature Tree"));
            auto* tree = new QTreeWidget;
            tree->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("Board"), QStringLiteral("1")}));
            tabs->addTab(tree, QStringLiteral("Common Feature"));
            central->addWidget(tabs);
            auto* table = new QTableWidget(50, 3);
            table->setAlternatingRowColors(true);
            central->addWidget(table);
            window.setCentralWidget(central);
            window.resize(640, 480);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(!window.grab().isNull());
            // The scroll bars are styled, so they take the style sheet's width.
            QCOMPARE(table->verticalScrollBar()->sizeHint().width(), 12);
        }
        qApp->setStyleSheet(QString());
        qInstallMessageHandler(previous);
        const QStringList styleWarnings = g_warnings.filter(QStringLiteral("style"), Qt::CaseInsensitive);
        QVERIFY2(styleWarnings.isEmpty(), qPrintable(styleWarnings.join(QLatin1Char('\n'))));
    }

    void translatorsLoadAndTranslate() {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/Language/VionEnglish")));
        QTranslator chinese;
        QVERIFY(chinese.load(QStringLiteral(":/Language/VionChinese")));
        QVERIFY(!chinese.isEmpty());

        for (const char* text : {"File(F)", "Open Image", "Camera(C)", "Help(H)"}) {
            QCOMPARE(english.translate("MainWindow", text), QString::fromLatin1(text));
            const QString zh = chinese.translate("MainWindow", text);
            QVERIFY2(!zh.isEmpty() && zh != QLatin1String(text), text);
        }
        // Installed, the catalogue switches what tr() returns, and removing it switches back.
        QCoreApplication::installTranslator(&chinese);
        const QString zh = QCoreApplication::translate("MainWindow", "Open Image");
        QCoreApplication::removeTranslator(&chinese);
        QVERIFY(zh != QLatin1String("Open Image"));
        QCOMPARE(QCoreApplication::translate("MainWindow", "Open Image"), QStringLiteral("Open Image"));
    }

    // Each finished Chinese text keeps the source's placeholders (a lost "%1" silently drops a
    // number from a message) and is what the compiled catalogue returns.
    void chineseCatalogueMatchesItsSources() {
        const QString path = QFINDTESTDATA("../../resources/translations/VionChinese.ts");
        if (path.isEmpty())
            QSKIP("translation sources not found next to the tests");
        const QVector<Entry> entries = readCatalogue(path);
        QVERIFY(!entries.isEmpty());
        QTranslator chinese;
        QVERIFY(chinese.load(QStringLiteral(":/Language/VionChinese")));
        QStringList broken;
        for (const Entry& e : entries) {
            if (!e.finished || e.numerus)
                continue;
            if (placeholders(e.source) != placeholders(e.translation))
                broken << e.context + QStringLiteral(": ") + e.source + QStringLiteral(" -> ") +
                              e.translation;
            else if (chinese.translate(e.context.toUtf8().constData(), e.source.toUtf8().constData()) !=
                     e.translation)
                broken << e.context + QStringLiteral(": not compiled: ") + e.source;
        }
        QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1Char('\n'))));
    }

    // Feature and value names are read with QSettings: spaced keys must survive and every value
    // must be Chinese text, not a mis-decoded byte string.
    void featureAndValueNamesReadAsIni() {
        for (const char* path : {":/Language/Feature", ":/Language/Value"}) {
            QSettings names(QString::fromLatin1(path), QSettings::IniFormat);
            names.setIniCodec("UTF-8");
            QCOMPARE(names.status(), QSettings::NoError);
            const QStringList keys = names.allKeys();
            QVERIFY2(keys.size() > 20, path);
            for (const QString& key : keys) {
                const QString text = names.value(key).toString();
                QVERIFY2(std::any_of(text.begin(), text.end(),
                                     [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; }),
                         qPrintable(key + QStringLiteral("=") + text));
            }
        }
        QSettings features(QStringLiteral(":/Language/Feature"), QSettings::IniFormat);
        features.setIniCodec("UTF-8");
        QCOMPARE(features.value(QStringLiteral("Exposure Time")).toString(), QStringLiteral("曝光时间"));
        QCOMPARE(features.value(QStringLiteral("ExposureTime")).toString(), QStringLiteral("曝光时间"));
        QSettings values(QStringLiteral(":/Language/Value"), QSettings::IniFormat);
        values.setIniCodec("UTF-8");
        QCOMPARE(values.value(QStringLiteral("Continuous")).toString(), QStringLiteral("连续"));
    }

    void placeholderPatternFindsArgumentsAndConversions() {
        QCOMPARE(placeholders(QStringLiteral("Frame is lost,Block_Id: from %1 to %2")),
                 QStringList({QStringLiteral("%1"), QStringLiteral("%2")}));
        QCOMPARE(placeholders(QStringLiteral("CRC check error:stream channel %c , error count = %d")),
                 QStringList({QStringLiteral("%c"), QStringLiteral("%d")}));
        QCOMPARE(placeholders(QStringLiteral("Pixel Clock:%d MHz 100%")),
                 QStringList({QStringLiteral("%d")}));
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
