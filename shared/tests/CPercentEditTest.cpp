#include "shared/controls/CPercentEdit.h"
#include "shared/tests/EditTestHost.h"
#include "testsupport/QtPrinters.h"

#include <QInputMethodEvent>

namespace {

class CPercentEditTest : public EditTestHost
{
protected:
    CPercentEdit& Edit(int integers, int decimals)
    {
        auto& edit = Add<CPercentEdit>();
        EXPECT_TRUE(edit.SetDigits(integers, decimals));
        Enter(edit);
        return edit;
    }
};

TEST_F(CPercentEditTest, TypingKeepsTheDigitCounts)
{
    auto& edit = Edit(3, 2);
    QTest::keyClicks(&edit, "12.5");
    EXPECT_EQ(edit.text(), "12.5");
    QTest::keyClicks(&edit, "5");
    QTest::keyClicks(&edit, "6"); // a third decimal
    EXPECT_EQ(edit.text(), "12.55");
    QTest::keyClicks(&edit, ".x");
    EXPECT_EQ(edit.text(), "12.55");

    edit.SetText("123");
    edit.setCursorPosition(0);
    QTest::keyClick(&edit, Qt::Key_4);
    EXPECT_EQ(edit.text(), "123");
}

TEST_F(CPercentEditTest, LeavingTheFieldTidiesAFittingText)
{
    auto& edit = Edit(3, 2);
    QTest::keyClicks(&edit, "12.50");
    EXPECT_EQ(edit.text(), "12.50");
    Leave();
    EXPECT_EQ(edit.text(), "12.5");
    qint64 value = 0;
    EXPECT_TRUE(edit.GetPercent(&value));
    EXPECT_EQ(value, 1250);

    // 12.5 typed and left stays 12.5
    Enter(edit);
    edit.SetText("");
    QTest::keyClicks(&edit, "12.5");
    Leave();
    EXPECT_EQ(edit.text(), "12.5");
}

TEST_F(CPercentEditTest, PastedDigitsGetTheirPoint)
{
    auto& edit = Edit(3, 2);
    SetClipboard("12345");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "123.45");
    EXPECT_EQ(edit.cursorPosition(), 6);
}

TEST_F(CPercentEditTest, ATextSetFromCodeStaysUntilLeftAndThenWhenItDoesNotFit)
{
    auto& edit = Edit(3, 2);
    edit.SetText("12345");
    EXPECT_EQ(edit.text(), "12345");
    Leave();
    EXPECT_EQ(edit.text(), "12345");
    qint64 value = 0;
    EXPECT_FALSE(edit.GetPercent(&value));
}

TEST_F(CPercentEditTest, ATextSetFromCodeKeepsItsPointWhateverTheSelection)
{
    auto& edit = Edit(3, 2);
    edit.SetText("3.2");
    edit.end(false); // the old point lies outside the selection
    edit.SetText("45.6");
    EXPECT_EQ(edit.text(), "45.6");
    edit.SetText("4a5.6.7");
    EXPECT_EQ(edit.text(), "45.67");
}

TEST_F(CPercentEditTest, NoDecimalsKeepsATrailingPoint)
{
    auto& edit = Edit(3, 0);
    QTest::keyClicks(&edit, "12.");
    EXPECT_EQ(edit.text(), "12.");
    Leave();
    EXPECT_EQ(edit.text(), "12.");
}

TEST_F(CPercentEditTest, SetPercentShowsAndKeepsTheValue)
{
    auto& edit = Edit(3, 2);
    EXPECT_TRUE(edit.SetPercent(1200));
    EXPECT_EQ(edit.text(), "12");
    edit.SetText("99");
    EXPECT_TRUE(edit.SetTrueValue());
    EXPECT_EQ(edit.text(), "12");
    EXPECT_FALSE(edit.GetPercent(nullptr));
}

TEST_F(CPercentEditTest, InputMethodCommitsPassTheTypingRules)
{
    auto& edit = Edit(3, 2);
    QInputMethodEvent commit;
    commit.setCommitString("1a2.345");
    QApplication::sendEvent(&edit, &commit);
    EXPECT_EQ(edit.text(), "12.34");
}

} // namespace
