#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <cmath>
#include <limits>

#include "core/QAutoAdjustDPI.h"
#include "core/QBaseDialog.h"
#include "core/QBaseMessageBox.h"
#include "core/QBaseWidget.h"
#include "core_helpers.h"

namespace {

TEST(ScreenScaleTest, LogicalDpiSnapsToTheFiveSteps) {
    const std::pair<double, double> cases[] = {
        {96, 1.0},   {105, 1.0},  {106, 1.25},
        {120, 1.25}, {134, 1.25}, {135, 1.5},
        {144, 1.5},  {153, 1.5},  {154, 1.75},
        {168, 1.75}, {172, 1.75}, {173, 2.0},
        {192, 2.0},  {400, 2.0},  {72, 1.0},
        {0, 1.0},    {-96, 1.0},  {std::numeric_limits<double>::quiet_NaN(), 1.0}};
    for (const auto& [dpi, factor] : cases)
        EXPECT_DOUBLE_EQ(QAutoAdjustDPI::snapDpi(dpi), factor) << dpi;
}

TEST(ScreenScaleTest, FactorComesFromThePrimaryScreenAndIsCached) {
    const double first = QAutoAdjustDPI::getDpi();
    EXPECT_DOUBLE_EQ(first, QAutoAdjustDPI::snapDpi(QGuiApplication::primaryScreen()->logicalDotsPerInch()));
    EXPECT_DOUBLE_EQ(QAutoAdjustDPI::getDpi(), first);
}

class ScaleWidgetsTest : public ::testing::Test {
protected:
    void TearDown() override { QAutoAdjustDPI::setDpi(1.0); }
};

TEST_F(ScaleWidgetsTest, SizesOfTheTreeAreScaledAndRoundedUp) {
    QAutoAdjustDPI::setDpi(1.25);
    QWidget top;
    top.setMinimumSize(11, 10);
    top.setMaximumSize(101, 200);
    top.setGeometry(5, 6, 51, 40);
    auto* child = new QWidget(&top);
    child->setGeometry(1, 2, 30, 21);
    auto* grandChild = new QWidget(child);
    grandChild->setFixedSize(7, 8);
    auto* childOfNoWidget = new QObject(&top); // not a widget: skipped without harm
    Q_UNUSED(childOfNoWidget);

    QAutoAdjustDPI::autoAdjustDpi(&top);
    EXPECT_EQ(top.minimumSize(), QSize(14, 13)); // 13.75 and 12.5 rounded up
    EXPECT_EQ(top.maximumSize(), QSize(127, 250));
    EXPECT_EQ(top.geometry(), QRect(5, 6, 64, 50));
    EXPECT_EQ(child->geometry(), QRect(1, 2, 38, 27));
    EXPECT_EQ(grandChild->size(), QSize(9, 10));
    // An unbounded maximum stays unbounded rather than overflowing.
    EXPECT_EQ(child->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

TEST_F(ScaleWidgetsTest, NothingChangesAtScaleOneOrForNonWidgets) {
    QAutoAdjustDPI::setDpi(1.0);
    QWidget w;
    w.setGeometry(0, 0, 33, 17);
    QAutoAdjustDPI::autoAdjustDpi(&w);
    EXPECT_EQ(w.size(), QSize(33, 17));

    QAutoAdjustDPI::setDpi(2.0);
    QObject plain;
    QAutoAdjustDPI::autoAdjustDpi(&plain);
    QAutoAdjustDPI::autoAdjustDpi(nullptr);
    QAutoAdjustDPI::setDpi(0.0); // ignored
    EXPECT_DOUBLE_EQ(QAutoAdjustDPI::getDpi(), 2.0);
}

TEST_F(ScaleWidgetsTest, IconsScaleOnceWhetherOnAToolBarOrAButton) {
    QAutoAdjustDPI::setDpi(1.5);
    QWidget top;
    auto* bar = new QToolBar(&top);
    bar->setIconSize(QSize(24, 24));
    QAction* action = bar->addAction(QIcon(QPixmap(8, 8)), QStringLiteral("a"));
    auto* inBar = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    auto* button = new QPushButton(QIcon(QPixmap(8, 8)), QStringLiteral("b"), &top);
    button->setIconSize(QSize(16, 16));
    auto* plain = new QPushButton(QStringLiteral("c"), &top);
    const QSize plainIcon = plain->iconSize();
    QAutoAdjustDPI::autoAdjustDpi(&top);
    EXPECT_EQ(bar->iconSize(), QSize(36, 36));
    ASSERT_TRUE(inBar);
    EXPECT_EQ(inBar->iconSize(), QSize(36, 36)); // from its tool bar, not scaled a second time
    EXPECT_EQ(button->iconSize(), QSize(24, 24));
    EXPECT_EQ(plain->iconSize(), plainIcon); // no icon, nothing to scale
}

// Window bases scale their form once it is built.
TEST_F(ScaleWidgetsTest, WindowBasesScaleTheirFormWhenItIsBuilt) {
    QAutoAdjustDPI::setDpi(2.0);
    QBaseDialog dialog;
    auto* fixed = new QLabel(&dialog);
    fixed->setFixedSize(40, 10);
    dialog.initWindow();
    EXPECT_EQ(fixed->size(), QSize(80, 20));
}

TEST(StyleSheetScaleTest, PixelLengthsGrowWithTheScreen) {
    const QString sheet = QStringLiteral("QScrollBar:vertical { width: 12px; margin: -1px 0px 3px; }\n"
                                         "QLabel { font-size: 9pt; border: 1px solid #AABBCC; }");
    EXPECT_EQ(QAutoAdjustDPI::scaleStyleSheet(sheet, 1.0), sheet);
    EXPECT_EQ(QAutoAdjustDPI::scaleStyleSheet(sheet, 1.5),
              QStringLiteral("QScrollBar:vertical { width: 18px; margin: -2px 0px 5px; }\n"
                             "QLabel { font-size: 9pt; border: 2px solid #AABBCC; }"));
    // A thin line stays visible at small factors.
    EXPECT_EQ(QAutoAdjustDPI::scaleStyleSheet(QStringLiteral("border: 1px;"), 1.25),
              QStringLiteral("border: 1px;"));
    EXPECT_EQ(QAutoAdjustDPI::scaleStyleSheet(QStringLiteral("w: 2px;"), 1.25), QStringLiteral("w: 3px;"));
}

TEST(WindowBaseTest, ToolWindowsStretchAndDialogsDoNot) {
    QBaseWidget tool;
    EXPECT_TRUE(tool.isStretch());
    EXPECT_TRUE(tool.windowFlags() & Qt::Dialog); // a top-level window even with a parent
    QBaseDialog dialog;
    EXPECT_FALSE(dialog.isStretch());
}

TEST(MessageBoxTest, ButtonCodesChooseTheVisibleButtons) {
    struct Case {
        int buttons;
        bool yes, no;
    };
    const Case cases[] = {{QBaseMessageBox::NoButton, false, false},
                          {QBaseMessageBox::Yes, true, false},
                          {QBaseMessageBox::No, false, true},
                          {QBaseMessageBox::YesNo, true, true},
                          {QBaseMessageBox::Yes | QBaseMessageBox::No, true, true}};
    for (const Case& c : cases) {
        QBaseMessageBox box(nullptr, QBaseMessageBox::Information, "t", "x", c.buttons, QBaseMessageBox::No);
        EXPECT_EQ(box.yesButton()->isVisibleTo(&box), c.yes) << c.buttons;
        EXPECT_EQ(box.noButton()->isVisibleTo(&box), c.no) << c.buttons;
        EXPECT_EQ(box.resultCode(), QBaseMessageBox::No); // until a button says otherwise
    }
    QBaseMessageBox box(nullptr, QBaseMessageBox::Warning, "Warning", "text", QBaseMessageBox::YesNo,
                        QBaseMessageBox::Yes);
    EXPECT_TRUE(box.yesButton()->isDefault());
    EXPECT_FALSE(box.noButton()->isDefault());
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Warning"));
    EXPECT_EQ(box.textLabel()->text(), QStringLiteral("text"));
}

TEST(MessageBoxTest, ResultCodesOfYesNoAndClosing) {
    const auto click = [](const char* which) {
        return [which](QWidget* w) {
            auto* box = qobject_cast<QBaseMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            (QByteArray(which) == "yes" ? box->yesButton() : box->noButton())->click();
        };
    };
    whenModalShown(click("yes"));
    EXPECT_EQ(QBaseMessageBox::information(nullptr, "Information", "q", QBaseMessageBox::YesNo,
                                           QBaseMessageBox::Yes),
              512);
    whenModalShown(click("no"));
    EXPECT_EQ(QBaseMessageBox::warning(nullptr, "Warning", "q", QBaseMessageBox::YesNo, QBaseMessageBox::Yes),
              1024);
    // The window's close button.
    whenModalShown([](QWidget* w) { w->close(); });
    EXPECT_EQ(QBaseMessageBox::information(nullptr, "Information", "q"), 1024);
    // Escape, even when only "Yes" is offered.
    whenModalShown([](QWidget* w) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(w, &esc);
    });
    EXPECT_EQ(QBaseMessageBox::warning(nullptr, "Warning", "q", QBaseMessageBox::Yes, QBaseMessageBox::Yes),
              1024);
}

} // namespace
