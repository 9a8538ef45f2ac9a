#include "functions/keylayout/CNinePatchButton.h"

#include "testsupport/SuiteFixture.h"

#include <QPainter>

#include <gtest/gtest.h>

using kesmond::CNinePatchButton;

namespace {

// 48 x 48: red 8 x 8 corners, green edges, blue centre.
QImage SliceImage()
{
    QImage image(48, 48, QImage::Format_RGB32);
    image.fill(Qt::green);
    QPainter painter(&image);
    painter.fillRect(8, 8, 32, 32, Qt::blue);
    for (const QPoint corner : {QPoint(0, 0), QPoint(40, 0), QPoint(0, 40), QPoint(40, 40)})
        painter.fillRect(QRect(corner, QSize(8, 8)), Qt::red);
    return image;
}

QImage Drawn(CNinePatchButton& button)
{
    button.resize(100, 50);
    return button.grab().toImage();
}

// The content font's face comes from the suite's settings.
class NinePatchButton : public testing::Test
{
protected:
    void SetUp() override { m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n"); }
    SuiteFixture m_suite;
};

} // namespace

TEST_F(NinePatchButton, DrawsTheImageAroundItsCorners)
{
    const QImage image = SliceImage();
    CNinePatchButton button;
    button.SetImage(&image);
    const QImage drawn = Drawn(button);
    for (const QPoint corner : {QPoint(0, 0), QPoint(99, 0), QPoint(0, 49), QPoint(99, 49)})
        EXPECT_EQ(drawn.pixelColor(corner), QColor(Qt::red)) << corner.x() << "," << corner.y();
    EXPECT_EQ(drawn.pixelColor(50, 25), QColor(Qt::blue));
    EXPECT_EQ(drawn.pixelColor(50, 2), QColor(Qt::green));
}

TEST_F(NinePatchButton, DecorationsAreLaidOverTheRectangle)
{
    const QImage image = SliceImage();
    CNinePatchButton button;
    button.SetImage(&image);
    button.m_bTint = true;
    button.SetSelected(true);
    const QColor tinted = Drawn(button).pixelColor(50, 25);
    EXPECT_GT(tinted.red(), 30);
    EXPECT_LT(tinted.blue(), 255);

    button.m_bTint = false;
    button.m_bInvert = true;
    EXPECT_EQ(Drawn(button).pixelColor(50, 25), QColor(Qt::yellow)); // blue inverted

    button.m_bInvert = false;
    button.SetSelected(false);
    button.m_bVeil = true;
    button.setEnabled(false);
    const QColor veiled = Drawn(button).pixelColor(50, 25);
    EXPECT_GT(veiled.red(), 100);
    EXPECT_GT(veiled.green(), 100);
}

TEST_F(NinePatchButton, WithoutImageOrRoomOnlyFills)
{
    CNinePatchButton button;
    const QImage face = Drawn(button);
    EXPECT_EQ(face.pixelColor(50, 25), button.palette().color(QPalette::Button));

    const QImage small = SliceImage().scaled(16, 16);
    button.SetImage(&small);
    EXPECT_EQ(Drawn(button).pixelColor(0, 0), QColor(Qt::white));
    const QImage none; // a record whose picture did not load
    button.SetImage(&none);
    EXPECT_EQ(Drawn(button).pixelColor(50, 25), QColor(Qt::white));
}
