#include "goods/CSelectRadioDlg.h"

#include "shared/controls/FindControlById.h"
#include "testsupport/QtPrinters.h"

#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using brelkin::CSelectRadioDlg;

namespace {

struct Page
{
    Page()
    {
        for (int i = 0; i < 2; ++i) {
            radios[i] = new QRadioButton(QStringLiteral("choice %1").arg(i + 1), &page);
            SetControlId(radios[i], 23121 + i);
        }
        radios[0]->setChecked(true);
    }
    QWidget page;
    QRadioButton* radios[2];
};

TEST(CSelectRadioDlg, TabChoosesTheOtherRadioOfATwoChoiceGroup)
{
    Page page;
    CSelectRadioDlg popup;
    QSignalSpy closed(&popup, &CSelectRadioDlg::SelectRadioDlgClose);
    popup.Setup(nullptr, &page.page, page.radios[0], QStringLiteral("Usable"));
    popup.show();
    auto* second = qobject_cast<QRadioButton*>(FindControlById(&popup, 14058));
    EXPECT_EQ(second->text(), "choice 2");
    EXPECT_FALSE(FindControlById(&popup, 14059)->isVisible()); // two choices only
    EXPECT_TRUE(qobject_cast<QRadioButton*>(FindControlById(&popup, 14057))->isChecked());
    EXPECT_EQ(popup.windowTitle(), "Usable");
    second->setChecked(true);
    QTest::keyClick(second, Qt::Key_Tab);
    (void)QTest::qWaitFor([&] { return !popup.isVisible(); }, 5000);
    EXPECT_FALSE(popup.isVisible());
    EXPECT_TRUE(page.radios[1]->isChecked());
    EXPECT_FALSE(page.radios[0]->isChecked());
    ASSERT_EQ(closed.size(), 1);
    EXPECT_EQ(closed[0][0].toInt(), 0);
    EXPECT_EQ(closed[0][1].toInt(), int(CSelectRadioDlg::KeyTab));
}

TEST(CSelectRadioDlg, CancelLeavesThePageAndSaysSo)
{
    Page page;
    CSelectRadioDlg popup;
    QSignalSpy closed(&popup, &CSelectRadioDlg::SelectRadioDlgClose);
    popup.Setup(nullptr, &page.page, page.radios[0], QString());
    popup.show();
    qobject_cast<QRadioButton*>(FindControlById(&popup, 14058))->setChecked(true);
    popup.reject();
    EXPECT_TRUE(page.radios[0]->isChecked());
    ASSERT_EQ(closed.size(), 1);
    EXPECT_EQ(closed[0][0].toInt(), 1);
    EXPECT_EQ(closed[0][1].toInt(), 0);
}

} // namespace
