// The preview list boxes as widgets: scroll range and position kept across
// rebuilds, the horizontal box stretching its whole canvas.
#include "bases/CReceipt80ListBox.h"
#include "bases/CRyoushuuListBox.h"
#include "bases/CYokoRyoushuListBox.h"
#include "bases/PreviewBand.h"

#include "bases/tests/CanvasTestSupport.h"

#include <QScrollBar>

using namespace dunmarel;

TEST_F(CanvasTest, ListBoxKeepsItsScrollPositionAcrossRebuilds)
{
    CRyoushuuListBox box;
    int lines = 100;
    box.SetDraw([&lines](CRyoushuuCanvas& canvas) { canvas.Create(lines); });
    box.resize(240, 300);
    box.show();
    box.Refresh();
    const QSize client = box.viewport()->size();
    // 100 lines: 448 x 1456 pixels.
    EXPECT_EQ(box.ItemCount(), PreviewItemCount(QSize(448, 1456), client.width()));
    EXPECT_TRUE(box.verticalScrollBar()->isEnabled());
    box.verticalScrollBar()->setValue(3);
    lines = 101;
    box.Refresh();
    EXPECT_EQ(box.ScrollPos(), 3);
    // Nothing to scroll: the bar stays, disabled.
    lines = 2;
    box.Refresh();
    EXPECT_EQ(box.ScrollPos(), 0);
    EXPECT_FALSE(box.verticalScrollBar()->isEnabled());
    EXPECT_TRUE(box.verticalScrollBar()->isVisible());
}

TEST_F(CanvasTest, HorizontalBoxStretchesTheWholeCanvas)
{
    CYokoRyoushuListBox box;
    box.setFrameShape(QFrame::NoFrame);
    box.SetDraw([](CYokoRyoushuCanvas& canvas) {
        QImage black(96, 96, QImage::Format_RGB32);
        black.fill(Qt::black);
        canvas.DrawImage(0, 0, black); // 24..119 x 30..125
    });
    box.resize(563, 220); // half size
    box.Refresh();
    const QImage shown = box.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(563, 220));
    EXPECT_LT(qGray(shown.pixel(30, 40)), 60);
    EXPECT_GT(qGray(shown.pixel(80, 40)), 200);
    EXPECT_LT(qGray(shown.pixel(281, 217)), 200); // the bottom edge at y 434 / 2
    EXPECT_EQ(BlackIn(shown, QRect(100, 100, 300, 80)), 0);
}
