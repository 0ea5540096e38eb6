#include "ProgramState.h"

#include "resources/Strings.h"
#include "windows/Twips.h"

#include <QScrollBar>

#include <limits>

namespace {

using windows::isShown;

class ReferenceWindows : public ProgramTest {
protected:
    static void setPerson(float weight, float height)
    {
        Module1::Hmotnost = weight;
        Module1::Vyska = height;
    }
};

TEST_F(ReferenceWindows, AreFixedToolWindowsOfTheirPictureSize)
{
    Form2& table = Form2::instance();
    Form5& chart = Form5::instance();
    EXPECT_EQ(table.windowTitle(), QStringLiteral("Hmotnost u mužů a žen"));
    EXPECT_EQ(chart.windowTitle(), QStringLiteral("Hmotnost podle výšky"));
    for (QWidget* window : {static_cast<QWidget*>(&table), static_cast<QWidget*>(&chart)}) {
        EXPECT_EQ(window->windowType(), Qt::Tool);
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
    }
    EXPECT_EQ(table.size(), QSize(431, 481));
    EXPECT_EQ(chart.size(), QSize(800, 444));
    EXPECT_EQ(table.Image1.geometry(), QRect(0, 0, 431, 481));
}

TEST_F(ReferenceWindows, FrameFollowsHeightWithoutTouchingItsVisibility)
{
    setPerson(70, 151);
    Form2& table = Form2::instance();
    EXPECT_EQ(table.Shape1.Top(), 1290); // placed by its own load
    EXPECT_EQ(table.Shape1.geometry(), twips::toPixels(15, 1290, 6440, 255));
    table.Shape1.hide();
    for (const auto& [height, top] : {std::pair{146.f, 800.f},
                                      {146.5f, 800.f},
                                      {149.f, 1045.f},
                                      {191.f, 6190.f},
                                      {191.5f, 6435.f},
                                      {300.f, 6435.f}}) {
        Module1::Vyska = height;
        table.Zobrazeni();
        EXPECT_EQ(table.Shape1.Top(), top) << height;
    }
    EXPECT_FALSE(isShown(table.Shape1));
    Module1::Vyska = std::numeric_limits<float>::quiet_NaN();
    table.Zobrazeni();
    EXPECT_EQ(table.Shape1.Top(), 6435); // no number: the frame stays
}

TEST_F(ReferenceWindows, CrossSitsOnThePersonsPoint)
{
    setPerson(70, 176);
    Form5& chart = Form5::instance();
    EXPECT_NEAR(chart.Line2.X1(), 5528.4, 0.05);
    EXPECT_NEAR(chart.Line1.Y1(), 4033.4, 0.05);
    EXPECT_TRUE(isShown(chart.Line1));
    EXPECT_TRUE(isShown(chart.Line2));
    EXPECT_FALSE(isShown(chart.Label1));
    EXPECT_FALSE(isShown(chart.Image2));
    EXPECT_FALSE(chart.Timer1.isActive());
    // The crossing point in pixels, where the chart draws 176 cm and 70 kg.
    EXPECT_EQ(chart.Line2.geometry().center().x(), 369);
    EXPECT_EQ(chart.Line1.geometry().center().y(), 269);
}

TEST_F(ReferenceWindows, WarningBlinksWhileThePointIsOffTheChart)
{
    setPerson(70, 176);
    Form5& chart = Form5::instance();
    setPerson(39.9f, 176);
    chart.Zobrazeni1();
    EXPECT_TRUE(chart.Timer1.isActive());
    EXPECT_EQ(chart.Timer1.interval(), 250);
    EXPECT_FALSE(isShown(chart.Line1));
    EXPECT_FALSE(isShown(chart.Line2));
    EXPECT_FALSE(isShown(chart.Label1)); // the first tick shows the warning
    chart.Timer1_Timer();
    EXPECT_TRUE(isShown(chart.Label1));
    EXPECT_TRUE(isShown(chart.Image2));

    setPerson(70, 210.1f); // still off: the warning keeps its phase
    chart.Zobrazeni1();
    EXPECT_TRUE(isShown(chart.Label1));
    chart.Timer1_Timer();
    EXPECT_FALSE(isShown(chart.Label1));
    EXPECT_FALSE(isShown(chart.Image2));
    chart.Timer1_Timer();

    setPerson(130, 210); // back on the chart while the warning is shown
    chart.Zobrazeni1();
    EXPECT_FALSE(chart.Timer1.isActive());
    EXPECT_FALSE(isShown(chart.Label1));
    EXPECT_FALSE(isShown(chart.Image2));
    EXPECT_TRUE(isShown(chart.Line1));
    EXPECT_TRUE(isShown(chart.Line2));
}

TEST_F(ReferenceWindows, ExtremeValuesStayWithinIntegerGeometry)
{
    setPerson(3e38f, std::numeric_limits<float>::infinity());
    Form5& chart = Form5::instance();
    EXPECT_TRUE(chart.Timer1.isActive());
    for (const QWidget* arm : {static_cast<QWidget*>(&chart.Line1), static_cast<QWidget*>(&chart.Line2)}) {
        EXPECT_LE(std::abs(arm->geometry().left()), twips::PixelLimit + 10);
        EXPECT_LE(std::abs(arm->geometry().top()), twips::PixelLimit + 10);
    }
    setPerson(-3e38f, -std::numeric_limits<float>::infinity());
    chart.Zobrazeni1();
    EXPECT_FALSE(isShown(chart.Line1));
}

TEST_F(ReferenceWindows, ClosedChartComesBackInItsDesignState)
{
    setPerson(35, 176);
    Form5& chart = Form5::instance();
    chart.Timer1_Timer();
    EXPECT_TRUE(isShown(chart.Label1));
    chart.show();
    chart.close();
    EXPECT_EQ(Form5::existing(), nullptr);
    Form5& again = Form5::instance();
    EXPECT_FALSE(isShown(again.Label1)); // design state: warning hidden until its first tick
    EXPECT_TRUE(again.Timer1.isActive());
    EXPECT_FALSE(again.isVisible());
}

TEST_F(ReferenceWindows, HelpWindowShowsTheWholeTextFromTheTop)
{
    Form4& help = Form4::instance();
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Nápověda"));
    help.show();
    EXPECT_EQ(help.Text1.toPlainText(), strings::forDisplay(strings::load(strings::HelpText)));
    EXPECT_EQ(help.Text1.verticalScrollBar()->value(), 0);
    EXPECT_EQ(help.Text1.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(help.Text1.lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_TRUE(help.Text1.isReadOnly());
    EXPECT_EQ(help.Text1.geometry(), help.rect());
    help.resize(200, 90);
    EXPECT_EQ(help.Text1.geometry(), QRect(0, 0, 200, 90));
    help.showMinimized();
    help.showNormal();
    EXPECT_EQ(help.Text1.geometry(), help.rect());
}

} // namespace
