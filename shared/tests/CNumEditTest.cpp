#include "shared/controls/CNumEdit.h"
#include "shared/tests/EditTestHost.h"
#include "testsupport/QtPrinters.h"

#include <QAction>
#include <QMenu>
#include <QMimeData>

namespace {

class CNumEditTest : public EditTestHost
{
protected:
    // Drags `text` over the left edge of the edit and drops it there; true
    // when the edit took the drag. Straight to the widget: QApplication would
    // need a platform drag behind it.
    static bool Drop(QWidget& edit, const QString& text)
    {
        QMimeData data;
        data.setText(text);
        const QPoint at(2, edit.height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        static_cast<QObject&>(edit).event(&enter);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        static_cast<QObject&>(edit).event(&drop);
        return enter.isAccepted();
    }
};

TEST_F(CNumEditTest, OnlyDigitsEnterByAnyWay)
{
    auto& edit = Add<CNumEdit>();
    Enter(edit);
    QTest::keyClicks(&edit, "1a-2.");
    EXPECT_EQ(edit.text(), "12");

    SetClipboard("3x4");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "1234");

    SetClipboard("5y");
    std::unique_ptr<QMenu> menu = edit.CreateContextMenu();
    ASSERT_TRUE(menu);
    QAction* paste = CEcrEdit::FindPasteAction(*menu);
    ASSERT_TRUE(paste);
    paste->trigger();
    EXPECT_EQ(edit.text(), "12345");

    EXPECT_TRUE(Drop(edit, "z9"));
    EXPECT_EQ(edit.text(), "912345"); // at the drop point

    edit.SetText("7-8");
    EXPECT_EQ(edit.text(), "78");
    edit.setText("a6"); // the edit's own type filters QLineEdit's name too
    EXPECT_EQ(edit.text(), "6");
}

TEST_F(CNumEditTest, WithoutNumberStyleTextsFromOutsideStayAsTheyAre)
{
    auto& edit = Add<CNumEdit>();
    edit.SetNumberStyle(false);
    edit.SetText("1a2");
    EXPECT_EQ(edit.text(), "1a2");
}

TEST_F(CNumEditTest, PasteDisabledLetsNothingIn)
{
    auto& edit = Add<CNumEdit>();
    EXPECT_TRUE(edit.SetPasteEnable(false));
    EXPECT_FALSE(edit.GetPasteEnable());
    Enter(edit);
    edit.SetText("1");
    edit.end(false);

    EXPECT_EQ(edit.CreateContextMenu(), nullptr);
    SetClipboard("23");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_FALSE(Drop(edit, "45"));
    EXPECT_EQ(edit.text(), "1");

    QTest::keyClicks(&edit, "6"); // typing still works
    EXPECT_EQ(edit.text(), "16");
}

TEST_F(CNumEditTest, TabCharactersNeverEnter)
{
    auto& edit = Add<CEcrEdit>();
    Enter(edit);
    QInputMethodEvent commit;
    commit.setCommitString("a\tb");
    QApplication::sendEvent(&edit, &commit);
    QTest::keyClick(&edit, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "ab");
}

} // namespace
