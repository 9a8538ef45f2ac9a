#include "shared/controls/CMinusPriceEdit.h"
#include "shared/controls/CNumZeroEdit.h"
#include "shared/controls/CPriceEdit.h"
#include "shared/tests/EditTestHost.h"
#include "testsupport/QtPrinters.h"

namespace {

using CAmountEditTest = EditTestHost;

TEST_F(CAmountEditTest, EnteringAnAmountShowsPlainDigitsAllSelected)
{
    auto& edit = Add<CPriceEdit>();
    EXPECT_TRUE(edit.SetPrice64(1234));
    EXPECT_EQ(edit.text(), "1,234");
    Enter(edit);
    EXPECT_EQ(edit.text(), "1234");
    EXPECT_EQ(edit.selectedText(), "1234");
    EXPECT_TRUE(edit.SetPrice64(5678)); // plain while focused
    EXPECT_EQ(edit.text(), "5678");

    Leave(); // the plain digits stay
    EXPECT_EQ(edit.text(), "5678");
    qint64 amount = 0;
    quint32 amount32 = 0;
    EXPECT_TRUE(edit.GetPrice64(&amount));
    EXPECT_TRUE(edit.GetPrice(&amount32));
    EXPECT_EQ(amount, 5678);
    EXPECT_EQ(amount32, 5678u);
    EXPECT_FALSE(edit.GetPrice64(nullptr));
}

TEST_F(CAmountEditTest, AClickIntoAnAmountKeepsTheCaretWhereClicked)
{
    auto& edit = Add<CPriceEdit>();
    edit.SetPrice64(1234);
    QTest::mouseClick(&edit, Qt::LeftButton, {}, QPoint(1, edit.height() / 2));
    ASSERT_TRUE(edit.hasFocus());
    EXPECT_EQ(edit.text(), "1234");
    EXPECT_FALSE(edit.hasSelectedText());
    EXPECT_EQ(edit.cursorPosition(), 0);
}

TEST_F(CAmountEditTest, TheDigitLimitStopsTypingButKeepsALongerAmount)
{
    auto& edit = Add<CPriceEdit>();
    edit.SetDigits(4);
    edit.SetPrice64(123456);
    Enter(edit);
    EXPECT_EQ(edit.text(), "123456");
    edit.end(false);
    QTest::keyClicks(&edit, "7");
    EXPECT_EQ(edit.text(), "123456");

    edit.SetText("");
    QTest::keyClicks(&edit, "98765");
    EXPECT_EQ(edit.text(), "9876");
}

TEST_F(CAmountEditTest, SignedAmountsHaveOneLeadingMinus)
{
    auto& edit = Add<CMinusPriceEdit>();
    Enter(edit);
    edit.SetText("12");
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "-");
    EXPECT_EQ(edit.text(), "-12");
    QTest::keyClicks(&edit, "-"); // already there
    EXPECT_EQ(edit.text(), "-12");

    edit.SetText("12");
    edit.setCursorPosition(1);
    QTest::keyClicks(&edit, "-a.");
    EXPECT_EQ(edit.text(), "12");

    edit.SetText("");
    SetClipboard("1-2");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "12");

    // Without the number style a set text is filtered all the same.
    edit.SetNumberStyle(false);
    edit.SetText("x-3-4,5");
    EXPECT_EQ(edit.text(), "-345");
}

TEST_F(CAmountEditTest, SignedAmountsInAndOutOfTheField)
{
    auto& edit = Add<CMinusPriceEdit>();
    EXPECT_TRUE(edit.SetPrice64(-1234567));
    EXPECT_EQ(edit.text(), "-1234567"); // no separators get through
    qint64 amount = 0;
    EXPECT_TRUE(edit.GetPrice64(&amount));
    EXPECT_EQ(amount, -1234567);

    // With the integrity switch off, entering leaves the text alone.
    edit.SetIngtegrity(0);
    edit.SetText("");
    Enter(edit);
    EXPECT_EQ(edit.text(), "");
    Leave();
    edit.SetIngtegrity(1);
    Enter(edit);
    EXPECT_EQ(edit.text(), "0");
}

TEST_F(CAmountEditTest, ZeroFilledCodesArePaddedOnLeaving)
{
    auto& edit = Add<CNumZeroEdit>();
    const struct
    {
        int digits;
        const char* typed;
        const char* shown;
    } cases[] = {
        {4, "12", "0012"},
        {4, "12345", "12345"},
        {4, "", "0000"},
        {0, "12", "12"},
        {16, "9876543210123", "0009876543210123"},
    };
    for (const auto& c : cases) {
        edit.SetDigits(c.digits);
        Enter(edit);
        edit.SetText(c.typed);
        Leave();
        EXPECT_EQ(edit.text(), QString::fromUtf8(c.shown)) << c.typed << " to " << c.digits;
    }
}

} // namespace
