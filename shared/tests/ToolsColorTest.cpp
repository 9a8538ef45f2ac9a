#include "shared/controls/TabCtrlDrawItem.h"
#include "shared/controls/ToolsColor.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QTabBar>

#include <gtest/gtest.h>

namespace {

TEST(ToolsColor, FixedTableWithWhiteOutsideIt)
{
    const struct
    {
        int kind;
        QColor color;
    } cases[] = {
        {1, {191, 201, 255}},  {2, {255, 191, 191}},  {3, {211, 201, 255}},  {4, {214, 255, 189}},
        {5, {255, 224, 192}},  {6, {255, 200, 208}},  {7, {198, 212, 255}},  {8, {192, 255, 192}},
        {9, {255, 255, 191}},  {10, {255, 216, 216}}, {11, {255, 127, 39}},  {12, {255, 255, 191}},
        {13, {225, 255, 182}}, {14, {255, 255, 255}}, {-1, {255, 255, 255}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetToolsColorRGB(EnumColorNameTag(c.kind)), c.color) << c.kind;
    EXPECT_EQ(GetToolsColorRGB(TOOLCOLOR_BTNFACE),
              QGuiApplication::palette().color(QPalette::Button).toRgb());

    int red = 1, green = 2;
    GetToolsColor(TOOLCOLOR_ORANGE, &red, &green, nullptr);
    EXPECT_EQ(red, 1);
    EXPECT_EQ(green, 2);
}

class ToolsTabBar : public QTabBar
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        for (int i = 0; i < count(); ++i)
            TabCtrlDrawItem(this, &painter, i);
    }
};

TEST(TabCtrlDrawItem, CurrentTabIsYellowWithAnOrangeBarOthersGreen)
{
    ToolsTabBar bar;
    bar.addTab(QStringLiteral("First"));
    bar.addTab(QStringLiteral("Second"));
    bar.setCurrentIndex(0);
    bar.show();
    const QImage picture = bar.grab().toImage();
    const QRect current = bar.tabRect(0);
    const QRect other = bar.tabRect(1);
    ASSERT_GT(current.height(), 12);

    const QColor face = bar.palette().color(QPalette::Button);
    EXPECT_EQ(QColor(picture.pixel(current.x(), current.y() + 5)), face);
    // The current tab's face starts 3 pixels in, the others' 1 pixel in.
    EXPECT_EQ(QColor(picture.pixel(current.x() + 3, current.y() + 3)), QColor(255, 255, 191));
    EXPECT_EQ(QColor(picture.pixel(current.x() + 2, current.y() + 3)), face);
    EXPECT_EQ(QColor(picture.pixel(other.x() + 1, other.y() + 3)), QColor(225, 255, 182));
    // The bar: 2 pixels high, its lower row 4 pixels above the face's bottom.
    const int faceBottom = current.y() + current.height() + 1;
    EXPECT_EQ(QColor(picture.pixel(current.x() + 7, faceBottom - 5)), QColor(255, 127, 39));
    EXPECT_EQ(QColor(picture.pixel(current.x() + 7, faceBottom - 4)), QColor(255, 127, 39));
    EXPECT_EQ(QColor(picture.pixel(current.x() + 7, faceBottom - 6)), QColor(255, 255, 191));
}

} // namespace
