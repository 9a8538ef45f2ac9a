#include "goods/CMainListCtrlEasy.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

namespace brelkin::test {

namespace {

constexpr int kRowHeight = 20;
constexpr int kColumnWidth = 60;

class CMainListCtrlEasyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_model.setRowCount(50);
        m_model.setColumnCount(4);
        for (int row = 0; row < 50; ++row)
            for (int column = 0; column < 4; ++column)
                m_model.setItem(row, column, new QStandardItem(QStringLiteral("x")));
        m_list.setModel(&m_model);
        m_list.SetRowHeight(kRowHeight);
        for (int column = 0; column < 4; ++column)
            m_list.setColumnWidth(column, kColumnWidth);
        m_list.resize(300, 200);
        m_list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_list));
    }

    QPoint Cell(int column, int row) const
    {
        return {column * kColumnWidth + kColumnWidth / 2,
                (row - m_list.rowAt(0)) * kRowHeight + kRowHeight / 2};
    }

    // The colour in the middle of a cell, off its text.
    QColor ColourAt(int column, int row)
    {
        const QImage image = m_list.viewport()->grab().toImage();
        return image.pixelColor(Cell(column, row) + QPoint(kColumnWidth / 2 - 6, 0));
    }

    QColor Highlight() const
    {
        return m_list.palette().color(QPalette::Active, QPalette::Highlight);
    }

    QStandardItemModel m_model;
    CMainListCtrlEasy m_list;
};

TEST_F(CMainListCtrlEasyTest, ADragSelectsTheBlockItCovers)
{
    QSignalSpy current(&m_list, &CMainListCtrlEasy::currentCellChanged);
    QWidget* viewport = m_list.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, Cell(1, 1));
    QTest::mouseMove(viewport, Cell(2, 3));
    QMouseEvent move(QEvent::MouseMove, Cell(2, 3), viewport->mapToGlobal(Cell(2, 3)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, Cell(2, 3));
    EXPECT_EQ(m_list.CellSelection(), (CellRange{1, 1, 2, 3}));
    ASSERT_FALSE(current.isEmpty());
    EXPECT_EQ(current.last(), (QList<QVariant>{1, 1}));

    EXPECT_EQ(ColourAt(1, 1), Highlight());
    EXPECT_EQ(ColourAt(2, 3), Highlight());
    EXPECT_NE(ColourAt(3, 3), Highlight());
    EXPECT_NE(ColourAt(0, 1), Highlight());
}

TEST_F(CMainListCtrlEasyTest, TheEditorOptionHighlightsTheFirstSelectedRowOnly)
{
    m_list.SetCellSelection({0, 0, 3, 4});
    m_list.SetDblClkAction(CMainListCtrlEasy::ACTION_RECORD_EDITOR);
    m_list.selectRow(3);
    m_list.selectionModel()->select(m_model.index(5, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(ColourAt(0, 3), Highlight());
    EXPECT_EQ(ColourAt(3, 3), Highlight());
    EXPECT_NE(ColourAt(0, 5), Highlight());
    EXPECT_NE(ColourAt(0, 0), Highlight());
}

TEST_F(CMainListCtrlEasyTest, ADisabledListIsGrey)
{
    m_list.SetCellSelection({0, 0, 3, 4});
    m_list.setEnabled(false);
    const QColor grey = m_list.palette().color(QPalette::Button);
    EXPECT_EQ(ColourAt(0, 0), grey);
    EXPECT_EQ(ColourAt(3, 6), grey);
}

// Digits set to the right stand clear of the grid line as the texts on the
// left do: no text pixel in the three columns before the line.
TEST_F(CMainListCtrlEasyTest, RightAlignedDigitsStandClearOfTheCellsEdge)
{
    auto* price = new QStandardItem(QStringLiteral("88,888"));
    price->setTextAlignment(Qt::AlignRight);
    m_model.setItem(0, 1, price);
    const QImage image = m_list.viewport()->grab().toImage();
    const QColor base = m_list.palette().color(QPalette::Base);
    const int line = 2 * kColumnWidth - 1;
    int clear = 0;
    for (int x = line - 1; x > line - 8 && clear == 0; --x)
        for (int y = 1; y < kRowHeight - 2; ++y)
            if (image.pixelColor(x, y) != base) {
                clear = line - 1 - x;
                break;
            }
    EXPECT_GE(clear, 2);
}

TEST_F(CMainListCtrlEasyTest, ADragBelowTheListScrollsItDown)
{
    QWidget* viewport = m_list.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, Cell(1, 1));
    const QPoint below(Cell(1, 1).x(), viewport->height() + 30);
    QMouseEvent move(QEvent::MouseMove, below, viewport->mapToGlobal(below), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    // The timer keeps scrolling while the pointer rests below.
    (void)QTest::qWaitFor([&] { return m_list.verticalScrollBar()->value() > 0; }, 5000);
    EXPECT_GT(m_list.verticalScrollBar()->value(), 0);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, below);
    EXPECT_GT(m_list.CellSelection().bottom, 8);
    EXPECT_FALSE(m_list.DragTimerRunning());
}

TEST_F(CMainListCtrlEasyTest, PageDownMovesByAPageAndScrolls)
{
    m_list.SetCellSelection({1, 0, 1, 0});
    const int page = m_list.RowsPerPage();
    ASSERT_TRUE(m_list.MoveCellCursor(Qt::Key_PageDown));
    EXPECT_EQ(m_list.CellSelection(), (CellRange{1, page, 1, page}));
    for (int i = 0; i < 20; ++i)
        m_list.MoveCellCursor(Qt::Key_PageDown);
    EXPECT_EQ(m_list.CellSelection().top, 49);
    EXPECT_GT(m_list.verticalScrollBar()->value(), 40);
    EXPECT_FALSE(m_list.MoveCellCursor(Qt::Key_Left) && m_list.MoveCellCursor(Qt::Key_Left));
}

} // namespace

} // namespace brelkin::test
