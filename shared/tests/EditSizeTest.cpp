#include "shared/controls/EditSize.h"
#include "shared/tests/EditTestHost.h"

#include <QFontMetrics>

namespace {

using EditSizeTest = EditTestHost;

TEST_F(EditSizeTest, SizesAnEditToShowItsCharactersWhole)
{
    auto& edit = Add<QLineEdit>();
    m_layout->removeWidget(&edit); // sized by hand, not by the layout
    edit.move(7, 9);
    const QFont font = edit.font();
    SetEditSize(font, &edit, 1, 5, EDITSIZE_WIDTH | EDITSIZE_HEIGHT);

    EXPECT_EQ(edit.pos(), QPoint(7, 9));
    EXPECT_GE(edit.height(), edit.minimumSizeHint().height());

    // Five X fit without scrolling; the width is no wider than that plus 4.
    edit.setText("XXXXX");
    edit.end(false);
    const int middle = edit.height() / 2;
    EXPECT_EQ(edit.cursorPositionAt(QPoint(1, middle)), 0);
    EXPECT_EQ(edit.cursorPositionAt(QPoint(edit.width() - 1, middle)), 5);
    const int fiveX = edit.width();

    SetEditSize(font, &edit, 0, 10, EDITSIZE_WIDTH); // the height stays
    EXPECT_EQ(edit.width() - fiveX, QFontMetrics(font).horizontalAdvance("XXXXX"));
    const int height = edit.height();
    SetEditSize(font, &edit, 3, 0, EDITSIZE_HEIGHT); // the width stays
    EXPECT_EQ(edit.height() - height, 2 * GetEditOneCharRect(font, &edit).height());
    EXPECT_EQ(edit.width() - fiveX, QFontMetrics(font).horizontalAdvance("XXXXX"));
}

TEST_F(EditSizeTest, OneCharRectIsTheSizeOfAZero)
{
    QFont font;
    font.setPixelSize(20);
    const QRect rect = GetEditOneCharRect(font, &m_window);
    EXPECT_EQ(rect.topLeft(), QPoint(0, 0));
    EXPECT_EQ(rect.width(), QFontMetrics(font).horizontalAdvance(u'0'));
    EXPECT_GE(rect.height(), 20);
}

} // namespace
