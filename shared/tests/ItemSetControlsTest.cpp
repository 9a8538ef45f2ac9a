#include "shared/controls/CItemSetButton.h"
#include "shared/controls/CItemSetStatic.h"
#include "shared/controls/ItemSetDraw.h"

#include <QImage>
#include <QPalette>
#include <QWidget>

#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(ItemSetDraw, ImageKeepsItsProportionsInsideTheSmallerSide)
{
    const QImage wide(40, 20, QImage::Format_RGB32);
    const QImage tall(20, 40, QImage::Format_RGB32);
    const QImage none;
    EXPECT_EQ(ItemImageRect(&wide, 30, 50, {0, 0}), QRect(0, 0, 30, 15));
    EXPECT_EQ(ItemImageRect(&tall, 50, 30, {2, 3}), QRect(2, 3, 15, 30));
    EXPECT_TRUE(ItemImageRect(&wide, 0, 30, {0, 0}).isEmpty());
    EXPECT_TRUE(ItemImageRect(&wide, 30, -1, {0, 0}).isEmpty());
    EXPECT_TRUE(ItemImageRect(&none, 30, 30, {0, 0}).isEmpty());
    EXPECT_TRUE(ItemImageRect(nullptr, 30, 30, {0, 0}).isEmpty());
}

// A subclass that keeps an image, as the key-layout program's button does.
template <class Base> class ImageHolder : public Base
{
public:
    using Base::Base;
    QImage* GetImageData() override { return m_image.isNull() ? nullptr : &m_image; }
    void SetImageData(QImage* image) override { m_image = image ? *image : QImage(); }
    QImage m_image;
};

const QColor kParentColor(0, 0, 128);
const QColor kBase(250, 240, 200);
const QColor kButton(100, 200, 100);

// A parent of a known colour with the control at (10, 10); sampled on the
// parent's picture so that what the control leaves undrawn shows.
template <class Control> struct Scene
{
    Scene()
    {
        parent.resize(200, 100);
        parent.setAutoFillBackground(true);
        QPalette pal = parent.palette();
        pal.setColor(QPalette::Window, kParentColor);
        pal.setColor(QPalette::Base, kBase);
        pal.setColor(QPalette::Button, kButton);
        parent.setPalette(pal);
        control = new Control(&parent);
        control->setGeometry(10, 10, 120, 40);
        control->setText(QStringLiteral("Item"));
        parent.show();
    }
    QColor at(int x, int y) { return QColor(parent.grab().toImage().pixel(10 + x, 10 + y)); }

    QWidget parent;
    Control* control = nullptr;
};

TEST(CItemSetButton, TextFieldFaceFollowsEnabledAndReadOnly)
{
    Scene<CItemSetButton> scene;
    EXPECT_EQ(scene.at(3, 3), kBase);
    scene.control->SetReadOnly(true);
    EXPECT_EQ(scene.at(3, 3), kButton);
    scene.control->SetReadOnly(false);
    scene.control->setEnabled(false);
    EXPECT_EQ(scene.at(3, 3), kButton);
}

TEST(CItemSetStatic, TextFieldFaceFollowsEnabledOnly)
{
    Scene<CItemSetStatic> scene;
    EXPECT_EQ(scene.at(3, 3), kBase);
    scene.control->setEnabled(false);
    EXPECT_EQ(scene.at(3, 3), kButton);
}

template <class Control> void checkImageMode()
{
    Scene<ImageHolder<Control>> scene;
    scene.control->m_bImageMode = true;
    scene.control->m_nImageWidth = 30;
    scene.control->m_nImageHeight = 30;
    // Without an image nothing is drawn, not even a background.
    EXPECT_EQ(scene.at(5, 5), kParentColor);

    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    scene.control->SetImageData(&red);
    EXPECT_EQ(scene.at(5, 5), QColor(Qt::red));
    EXPECT_EQ(scene.at(5, 20), kParentColor) << "below the 30 x 15 picture";

    scene.control->m_nImageHeight = 0;
    EXPECT_EQ(scene.at(5, 5), kParentColor) << "a zero box draws nothing";
}

TEST(CItemSetButton, ImageModeDrawsOnlyTheImage)
{
    checkImageMode<CItemSetButton>();
}

TEST(CItemSetStatic, ImageModeDrawsOnlyTheImage)
{
    checkImageMode<CItemSetStatic>();
}

} // namespace
