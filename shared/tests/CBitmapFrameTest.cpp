#include "shared/controls/CBitmapFrame.h"
#include "shared/lang/CSarvikApp.h"

#include "testsupport/SuiteFixture.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

TEST(CBitmapFrame, FontHeightShrinksFrom32UntilTheTextFitsButNotBelowOne)
{
    const auto fivePerPixel = [](int h) { return h * 5; };
    EXPECT_EQ(CBitmapFrame::GetCustomFontHeight(400, fivePerPixel), 32);
    EXPECT_EQ(CBitmapFrame::GetCustomFontHeight(140, fivePerPixel), 20);
    EXPECT_EQ(CBitmapFrame::GetCustomFontHeight(10, fivePerPixel), 1);
}

TEST(CBitmapFrame, TextDarkensThePictureAndLeavesTheRestAsItWas)
{
    SuiteFixture suite;
    suite.writeIni("[PRODUCT]\nPRODUCTKEY=ABC\n");
    ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
    QImage picture(200, 40, QImage::Format_RGB32);
    picture.fill(QColor(200, 230, 250));
    CBitmapFrame frame;
    frame.setPixmap(QPixmap::fromImage(picture));
    EXPECT_TRUE(frame.SetFrameText(QStringLiteral("CRDS_CMN_LABEL_DEPT")));

    const QImage after = frame.pixmap().toImage();
    int darkened = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (QColor(after.pixel(x, y)).lightness() < 150)
                ++darkened;
    EXPECT_GT(darkened, 20);
    // The text starts at (13, 8): the band above it keeps the picture.
    for (int x = 0; x < after.width(); x += 7)
        EXPECT_EQ(QColor(after.pixel(x, 3)), QColor(200, 230, 250)) << x;

    CBitmapFrame empty;
    EXPECT_TRUE(empty.SetFrameText(QStringLiteral("CRDS_CMN_LABEL_DEPT")));
    EXPECT_TRUE(empty.pixmap().isNull());
    EXPECT_TRUE(suite.messages().isEmpty());
}

} // namespace
