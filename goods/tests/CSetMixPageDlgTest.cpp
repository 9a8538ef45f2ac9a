// The child rows of a set menu or mix & match offer on the editor's page:
// where new rows go, the caps, the choosers, the field rules and the save.
#include "goods/CSetMixPageDlg.h"
#include "goods/UsePriceTypeTable.h"

#include "goods/tests/SetMixFixture.h"
#include "shared/controls/CEcrEdit.h"
#include "shared/controls/CItemSelectButton.h"
#include "shared/controls/CReadOnlyCombo.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/CProgramLang.h"
#include "testsupport/DialogCheck.h"
#include "testsupport/FixedClock.h"
#include "shared/dialogs/CInputValueDlg.h"

#include <QPushButton>
#include <QTreeWidget>

using namespace brelkin;

namespace {

class CSetMixPageDlgTest : public SetMixFixture
{
protected:
    // A set menu with children "01".. of the items given.
    void MakeSetMenu(const QString& code, const QStringList& children,
                     const QString& usePrice = QStringLiteral("00"))
    {
        Exec(QStringLiteral("INSERT INTO CIB001 (SETITEMCODE, SETITEMNAME, SETTYPE) VALUES "
                            "('%1', 'Lunch', '0')")
                 .arg(QString(code).replace("'", "''")));
        for (int n = 1; n <= children.size(); ++n)
            Exec(QStringLiteral("INSERT INTO CIB002 (SETITEMCODE, LISTNUMBER, ITEMCODE, "
                                "ITEMCODETYPE, UNITPRICECODE) VALUES ('%1', '%2', '%3', '0', "
                                "'%4')")
                     .arg(QString(code).replace("'", "''"))
                     .arg(n, 2, 10, QChar('0'))
                     .arg(children[n - 1], usePrice));
    }
    void MakeOffer(const QString& kind, int children, const QString& target = "0")
    {
        Exec(QStringLiteral("INSERT INTO CSA004 (MMCODE, MMNAME, MMDISCOUNTTYPE, CONDITIONTYPE, "
                            "DISCOUNTTYPE, DISCOUNTAMT, DISCOUNTRATE, TARGETITEMTYPE, "
                            "TARGETITEMCODE) VALUES ('000001', 'Two teas', '%1', '0', '1', '50', "
                            "'10', '%2', '0003')")
                 .arg(kind, target));
        for (int n = 1; n <= children; ++n)
            Exec(QStringLiteral("INSERT INTO CSA006 (MMCODE, LISTNUMBER, ITEMTYPE, ITEMCODE, QTY, "
                                "CREATEDATETIME, UPDATEDATETIME) VALUES ('000001', '%1', '0', "
                                "'000%2', '2', 'made %1', 'old')")
                     .arg(n, 2, 10, QChar('0'))
                     .arg(1 + (n - 1) % 3));
    }
    static QStringList Column(const CSetMixPageDlg& page, int column)
    {
        QStringList texts;
        for (int i = 0; i < page.ChildList()->topLevelItemCount(); ++i)
            texts << page.ChildList()->topLevelItem(i)->text(column);
        return texts;
    }
    static QStringList Codes(const CSetMixPageDlg& page)
    {
        QStringList codes;
        for (const QStringList* row : page.ChildRows())
            codes << row->value(0);
        return codes;
    }
    static CReadOnlyCombo* Combo(CSetMixPageDlg& page, unsigned id)
    {
        return qobject_cast<CReadOnlyCombo*>(FindControlById(&page, id));
    }
    static CEcrEdit* Edit(CSetMixPageDlg& page, unsigned id)
    {
        return qobject_cast<CEcrEdit*>(FindControlById(&page, id));
    }
    // Questions are answered Yes; the keys shown are recorded as before.
    void AnswerYes()
    {
        platform::setMessageResponder([this](const platform::MessageRequest& request) {
            m_suite.messages() << request.key;
            return int(request.buttons == platform::MessageButtons::YesNo ? platform::IDYES
                                                                          : platform::IDOK);
        });
    }
    // Picks a combo's entry as the user does.
    static void Activate(CSetMixPageDlg& page, unsigned id, int index)
    {
        CReadOnlyCombo* combo = Combo(page, id);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
};

TEST_F(CSetMixPageDlgTest, SetMenuPageShowsItsChildrenAndKeepsItsKeys)
{
    MakeSetMenu("S1", {"0001", "0003", "0009"});
    Open(kSetMenuEntry);
    auto page = OpenPage();
    EXPECT_TRUE(korvane::test::DialogFaults(page.get(), CSarvikApp::Instance().LangDatas(),
                                            QStringLiteral("Brelkin"))
                    .isEmpty());
    EXPECT_EQ(Column(*page, 0), (QStringList{"1", "2", "3"}));
    // The child that no longer exists shows its number only.
    EXPECT_EQ(Column(*page, 1), (QStringList{"Soup", "Tea", ""}));
    const QString standard = GetLangString("CRDC_PR_LABEL_USEPRICETP00");
    EXPECT_EQ(Column(*page, 2), (QStringList{standard, standard, ""}));
    EXPECT_EQ(page->ChildList()->currentItem(), page->ChildList()->topLevelItem(0));
    EXPECT_TRUE(FindControlById(page.get(), CSetMixPageDlg::IDC_DELETECHILD)->isEnabled());
}

TEST_F(CSetMixPageDlgTest, AddGoesAfterTheSelectedRowInsertBeforeIt)
{
    MakeSetMenu("S1", {"0001", "0002", "0003"});
    Open(kSetMenuEntry);
    auto page = OpenPage();
    page->ChildList()->clearSelection();
    ChooseItem(1, 0); // Drinks: Tea
    page->OnAddChild();
    EXPECT_EQ(Codes(*page), (QStringList{"0001", "0003", "0002", "0003"}));
    EXPECT_EQ(Column(*page, 0), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(page->GetSelectedChildRow(), 1);
    page->ChildList()->clearSelection();
    ChooseOther(0); // a set menu: the page's own
    page->OnInsertChild();
    EXPECT_EQ(Codes(*page), (QStringList{"S1", "0001", "0003", "0002", "0003"}));
    EXPECT_EQ(page->ChildRows().GetHead()->value(1), "1");
    // A new set-menu child is charged the standard price.
    EXPECT_EQ(*page->ChildRows().GetHead(), (QStringList{"S1", "1", "00"}));
    EXPECT_EQ(page->ChildList()->topLevelItem(0)->text(2),
              GetLangString("CRDC_PR_LABEL_USEPRICETP00"));
    EXPECT_EQ(page->ChildList()->topLevelItem(0)->text(1), "Lunch");
}

TEST_F(CSetMixPageDlgTest, AnEmptyListTakesItsFirstChildByAddAndByDoubleClick)
{
    MakeSetMenu("S1", {});
    Open(kSetMenuEntry);
    auto page = OpenPage();
    EXPECT_FALSE(FindControlById(page.get(), CSetMixPageDlg::IDC_DELETECHILD)->isEnabled());
    ChooseItem(0, 1);
    page->OnAddChild();
    EXPECT_EQ(Codes(*page), QStringList{"0002"});
    page->DeleteChildRow(0, true);
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_PR_DELETE_CHILDITEM"});
    ChooseItem(0, 0);
    page->OnChildDblClk(-1, 0);
    EXPECT_EQ(Codes(*page), QStringList{"0001"});
    EXPECT_EQ(Column(*page, 0), QStringList{"1"});
}

TEST_F(CSetMixPageDlgTest, ACancelledChooserAddsNothing)
{
    MakeSetMenu("S1", {"0001"});
    Open(kSetMenuEntry);
    auto page = OpenPage();
    korvane::test::WhenModal<CSelectItemDlg>([](CSelectItemDlg& dialog) {
        dialog.ListCtrl()->selectRow(0);
        dialog.accept();
        korvane::test::WhenModal<CSelectCustomItemDlg>(
            [](CSelectCustomItemDlg& dept) { dept.reject(); });
    });
    EXPECT_FALSE(page->InsertChildRow(0));
    EXPECT_EQ(Codes(*page), QStringList{"0001"});
    EXPECT_EQ(page->ChildList()->topLevelItemCount(), 1);
}

TEST_F(CSetMixPageDlgTest, TwentyChildrenAreTheCapOfASetMenu)
{
    QStringList twenty;
    for (int i = 0; i < 20; ++i)
        twenty << "0001";
    MakeSetMenu("S1", twenty);
    Open(kSetMenuEntry);
    auto page = OpenPage();
    page->OnAddChild();
    page->OnInsertChild();
    page->OnChildDblClk(-1, 0);
    EXPECT_EQ(m_suite.messages(), QStringList(3, "CRDS_PR_CHILDITEM_CNTMAX"));
    EXPECT_EQ(page->ChildRows().GetCount(), 20);
    EXPECT_EQ(page->ChildList()->topLevelItemCount(), 20);
}

TEST_F(CSetMixPageDlgTest, SavingRenumbersTheChildrenWithoutGaps)
{
    QStringList twenty;
    for (int i = 0; i < 20; ++i)
        twenty << QStringLiteral("000%1").arg(1 + i % 3);
    MakeSetMenu("S1", twenty);
    Exec("INSERT INTO CIB002 (SETITEMCODE, LISTNUMBER, ITEMCODE) VALUES ('S2', '01', '0001')");
    korvane::test::FixedClock clock(QDateTime(QDate(2026, 5, 6), QTime(7, 8, 9)));
    Open(kSetMenuEntry);
    auto page = OpenPage();
    int err = 0;
    ASSERT_TRUE(page->SaveData(nullptr, err)) << err;
    QStringList numbers;
    for (const QStringList& row : Rows("CIB002", {"LISTNUMBER"}, "SETITEMCODE = 'S1'", "1"))
        numbers << row[0];
    EXPECT_EQ(numbers.size(), 20);
    EXPECT_EQ(numbers.first(), "01");
    EXPECT_EQ(numbers.last(), "20");
    EXPECT_EQ(Rows("CIB002",
                   {"ITEMCODE", "ITEMCODETYPE", "UNITPRICECODE", "REMARKS", "CREATEDATETIME",
                    "UPDATEDATETIME"},
                   "SETITEMCODE = 'S1' AND LISTNUMBER = '02'"),
              (QList<QStringList>{{"0002", "0", "00", "", "", ""}})); // unchanged: not written

    page->ChildList()->clearSelection();
    page->ChildList()->topLevelItem(4)->setSelected(true);
    page->OnDeleteChild();
    ASSERT_TRUE(page->SaveData(nullptr, err)) << err;
    const QList<QStringList> rows =
        Rows("CIB002", {"LISTNUMBER", "ITEMCODE"}, "SETITEMCODE = 'S1'", "1");
    ASSERT_EQ(rows.size(), 19);
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(rows[i][0], QStringLiteral("%1").arg(i + 1, 2, 10, QChar('0')));
        EXPECT_EQ(rows[i][1], twenty[i < 4 ? i : i + 1]);
    }
    // Another set menu's children are not touched.
    EXPECT_EQ(Rows("CIB002", {"ITEMCODE"}, "SETITEMCODE = 'S2'").size(), 1);
}

TEST_F(CSetMixPageDlgTest, AnUnknownUsePriceShowsEmptyAndIsWrittenBack)
{
    MakeSetMenu("S1", {"0001"}, "11");
    Open(kSetMenuEntry);
    auto page = OpenPage();
    EXPECT_EQ(Column(*page, 2), QStringList{""});
    int err = 0;
    ASSERT_TRUE(page->SaveData(nullptr, err));
    EXPECT_EQ(Value("CIB002", "UNITPRICECODE", "SETITEMCODE = 'S1'"), "11");
    // Changed in its chooser, by the number cell as by the value cell.
    Pick<CSelectItemDlg>(1);
    page->OnChildDblClk(0, 0);
    EXPECT_EQ(page->ChildRows().GetHead()->value(2), "20");
    EXPECT_EQ(Column(*page, 2), QStringList{GetLangString("CRDC_PR_LABEL_USEPRICETP20")});
    Pick<CSelectItemDlg>(2);
    page->OnChildDblClk(0, 2);
    EXPECT_EQ(page->ChildRows().GetHead()->value(2), "01");
}

TEST_F(CSetMixPageDlgTest, TheUsePriceChooserOffersOnlyPricesAnItemHas)
{
    MakeSetMenu("S1", {"0001"});
    Open(kSetMenuEntry);
    auto page = OpenPage();
    QStringList offered;
    korvane::test::WhenModal<CSelectItemDlg>([&](CSelectItemDlg& dialog) {
        const QAbstractItemModel* model = dialog.ListCtrl()->model();
        for (int r = 0; r < model->rowCount(); ++r)
            offered << model->index(r, 1).data().toString();
        dialog.reject();
    });
    QString value, text;
    EXPECT_FALSE(page->SelectUsePrice(value, text));
    // The standard price, the set price and prices 2 to 10.
    ASSERT_EQ(offered.size(), 11);
    EXPECT_EQ(offered.last(), GetLangString("CRDC_PR_LABEL_USEPRICETP09"));
    EXPECT_FALSE(offered.contains(GetLangString("CRDC_PR_LABEL_USEPRICETP10")));
}

TEST_F(CSetMixPageDlgTest, ACodeWithAnApostropheReadsOnlyItsOwnChildren)
{
    MakeSetMenu("A'B", {"0001", "0002"});
    MakeSetMenu("A", {"0003"});
    Open(kSetMenuEntry);
    // Sorted by code: "A" is record 1.
    auto page = OpenPage(2);
    EXPECT_EQ(Codes(*page), (QStringList{"0001", "0002"}));
}

TEST_F(CSetMixPageDlgTest, UsePriceTextsFollowTheTable)
{
    LoadUsePriceTexts();
    EXPECT_EQ(GetUsePriceText("00"), GetLangString("CRDC_PR_LABEL_USEPRICETP00"));
    EXPECT_EQ(GetUsePriceText("10"), GetLangString("CRDC_PR_LABEL_USEPRICETP10"));
    EXPECT_EQ(QString(UsePriceTypeTable[1].value), "20");
    EXPECT_EQ(GetUsePriceText("11"), "");
    EXPECT_EQ(GetUsePriceText("0"), "");
}

TEST_F(CSetMixPageDlgTest, ItemNetDiscountOnTheCheapestItemKeepsOnlyTheFirstChild)
{
    MakeOffer("0", 5);
    Open(kMixMatchEntry);
    auto page = OpenPage();
    ASSERT_EQ(page->ChildRows().GetCount(), 5);
    EXPECT_EQ(Column(*page, 2), QStringList(5, "2"));
    Activate(*page, CSetMixPageDlg::IDC_MMDISCOUNTTYPE, 2); // item net discount
    EXPECT_FALSE(Combo(*page, CSetMixPageDlg::IDC_TARGETITEMTYPE)->IsCmbReadOnly());
    AnswerYes();
    Activate(*page, CSetMixPageDlg::IDC_TARGETITEMTYPE, 1); // the cheapest item
    EXPECT_EQ(Codes(*page), QStringList{"0001"});
    EXPECT_EQ(page->MaxChildRows(), 1);
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_PR_MIXMATCH_DROP_CHILDITEMS"});
    // At the cap a new child is refused with a message.
    EXPECT_FALSE(page->InsertChildRow(1));
    EXPECT_EQ(m_suite.messages(),
              (QStringList{"CRDS_PR_MIXMATCH_DROP_CHILDITEMS", "CRDS_PR_MIXMATCH_ITEM_CNTMAX"}));
    // All items again: six may be added, the dropped ones do not come back.
    Activate(*page, CSetMixPageDlg::IDC_TARGETITEMTYPE, 0);
    EXPECT_EQ(page->MaxChildRows(), 6);
    EXPECT_EQ(page->ChildRows().GetCount(), 1);
}

TEST_F(CSetMixPageDlgTest, AStoredCheapestItemOfferKeepsEveryChild)
{
    MakeOffer("3", 3, "1");
    korvane::test::FixedClock clock(QDateTime(QDate(2026, 5, 6), QTime(7, 8, 9)));
    Open(kMixMatchEntry);
    auto page = OpenPage();
    EXPECT_EQ(Codes(*page), (QStringList{"0001", "0002", "0003"}));
    EXPECT_EQ(Column(*page, 0), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(Combo(*page, CSetMixPageDlg::IDC_TARGETITEMTYPE)->currentIndex(), 1);
    // Over the cap already: a new child is refused, none is dropped.
    EXPECT_FALSE(page->InsertChildRow(3));
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_PR_MIXMATCH_ITEM_CNTMAX"});
    EXPECT_EQ(page->ChildRows().GetCount(), 3);
    int err = 0;
    ASSERT_TRUE(page->SaveData(nullptr, err)) << err;
    // Unchanged children are not written again.
    EXPECT_EQ(Rows("CSA006", {"LISTNUMBER", "ITEMCODE", "CREATEDATETIME", "UPDATEDATETIME"}, "1",
                   "LISTNUMBER"),
              (QList<QStringList>{{"01", "0001", "made 01", "old"},
                                  {"02", "0002", "made 02", "old"},
                                  {"03", "0003", "made 03", "old"}}));
    // A child that moves up keeps its creation time.
    page->DeleteChildRow(0, false);
    ASSERT_TRUE(page->SaveData(nullptr, err)) << err;
    EXPECT_EQ(Rows("CSA006", {"LISTNUMBER", "ITEMCODE", "CREATEDATETIME", "UPDATEDATETIME"}, "1",
                   "LISTNUMBER"),
              (QList<QStringList>{{"01", "0002", "made 02", "20260506070809"},
                                  {"02", "0003", "made 03", "20260506070809"}}));
}

TEST_F(CSetMixPageDlgTest, ATargetThatWouldDropChildrenAsksFirst)
{
    MakeOffer("3", 3, "0");
    Open(kMixMatchEntry);
    auto page = OpenPage();
    QStringList texts;
    int answer = platform::IDNO;
    platform::setMessageResponder([&](const platform::MessageRequest& request) {
        texts << request.text;
        return answer;
    });
    Activate(*page, CSetMixPageDlg::IDC_TARGETITEMTYPE, 2); // the dearest item
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].contains("2")) << texts[0].toStdString(); // two rows would go
    // No: the old target and every child stay.
    EXPECT_EQ(Combo(*page, CSetMixPageDlg::IDC_TARGETITEMTYPE)->currentIndex(), 0);
    EXPECT_EQ(page->ChildRows().GetCount(), 3);
    EXPECT_EQ(page->MaxChildRows(), 6);
    answer = platform::IDYES;
    Activate(*page, CSetMixPageDlg::IDC_TARGETITEMTYPE, 2);
    EXPECT_EQ(Codes(*page), QStringList{"0001"});
    EXPECT_EQ(Combo(*page, CSetMixPageDlg::IDC_TARGETITEMTYPE)->currentIndex(), 2);
}

TEST_F(CSetMixPageDlgTest, SetPriceForcesAnAmountAndClearsTheTarget)
{
    MakeOffer("0", 1);
    Open(kMixMatchEntry);
    auto page = OpenPage();
    auto* target = qobject_cast<CItemSelectButton*>(
        FindControlById(page.get(), CSetMixPageDlg::IDC_TARGETITEM));
    EXPECT_EQ(target->m_strSelectCode, "0003");
    // Kind 0 forces "all items" and locks it; the rate is the discount here.
    EXPECT_TRUE(Combo(*page, CSetMixPageDlg::IDC_TARGETITEMTYPE)->IsCmbReadOnly());
    EXPECT_TRUE(Edit(*page, CSetMixPageDlg::IDC_DISCOUNTAMOUNT)->isReadOnly());
    EXPECT_FALSE(Edit(*page, CSetMixPageDlg::IDC_DISCOUNTRATE)->isReadOnly());

    Activate(*page, CSetMixPageDlg::IDC_MMDISCOUNTTYPE, 1); // set price
    CReadOnlyCombo* discount = Combo(*page, CSetMixPageDlg::IDC_DISCOUNTTYPE);
    EXPECT_EQ(discount->currentIndex(), 0);
    EXPECT_TRUE(discount->IsCmbReadOnly());
    EXPECT_FALSE(Edit(*page, CSetMixPageDlg::IDC_DISCOUNTAMOUNT)->isReadOnly());
    EXPECT_TRUE(Edit(*page, CSetMixPageDlg::IDC_DISCOUNTRATE)->isReadOnly());
    EXPECT_EQ(Edit(*page, CSetMixPageDlg::IDC_DISCOUNTRATE)->text(), "0");
    CReadOnlyCombo* type = Combo(*page, CSetMixPageDlg::IDC_TARGETITEMTYPE);
    EXPECT_EQ(type->currentIndex(), 0);
    EXPECT_EQ(type->currentText(), "");
    EXPECT_TRUE(type->IsCmbReadOnly());
    EXPECT_EQ(target->m_strSelectCode, "");
    EXPECT_EQ(target->text(), "");
    EXPECT_TRUE(target->m_bReadOnly);
    int err = 0;
    ASSERT_TRUE(page->SaveData(nullptr, err));
    EXPECT_EQ(Rows("CSA004", {"MMDISCOUNTTYPE", "DISCOUNTTYPE", "DISCOUNTRATE", "TARGETITEMCODE"}),
              (QList<QStringList>{{"2", "0", "0", ""}}));

    // Back to kind 0: the first target type's text returns.
    Activate(*page, CSetMixPageDlg::IDC_MMDISCOUNTTYPE, 0);
    EXPECT_EQ(type->itemText(0), GetLangString("CRDS_PR_MIXMATCH_DISCOUNT_ALLITEMS"));
}

TEST_F(CSetMixPageDlgTest, ANewOfferChildCountsOneAndItsQuantityIsAsked)
{
    MakeOffer("0", 0);
    Open(kMixMatchEntry);
    auto page = OpenPage();
    ChooseOther(1); // a department: Drinks
    page->OnAddChild();
    EXPECT_EQ(*page->ChildRows().GetHead(), (QStringList{"02", "1", "1"}));
    EXPECT_EQ(Column(*page, 1), QStringList{"Drinks"});
    EXPECT_EQ(Column(*page, 2), QStringList{"1"});
    korvane::test::WhenModal<CInputValueDlg>([](CInputValueDlg& dialog) {
        auto* edit = qobject_cast<CEcrEdit*>(FindControlById(&dialog, CInputValueDlg::IDC_VALUE));
        edit->setText("12");
        dialog.accept();
    });
    page->OnChildDblClk(0, 2);
    EXPECT_EQ(Column(*page, 2), QStringList{"12"});
    int err = 0;
    ASSERT_TRUE(page->SaveData(nullptr, err));
    EXPECT_EQ(Rows("CSA006", {"MMCODE", "LISTNUMBER", "ITEMTYPE", "ITEMCODE", "QTY", "VALUE"}),
              (QList<QStringList>{{"000001", "01", "1", "02", "12", ""}}));
}

TEST_F(CSetMixPageDlgTest, SetTypesThatCountTheirChoicesUnlockTheLimits)
{
    MakeSetMenu("S1", {});
    Open(kSetMenuEntry);
    auto page = OpenPage();
    auto* type = qobject_cast<QComboBox*>(FindControlById(page.get(), CSetMixPageDlg::IDC_SETTYPE));
    EXPECT_TRUE(Edit(*page, CSetMixPageDlg::IDC_LISTMIN)->isReadOnly());
    EXPECT_FALSE(FindControlById(page.get(), CSetMixPageDlg::IDC_LISTMAX_LABEL)->isEnabled());
    type->setCurrentIndex(2);
    EXPECT_FALSE(Edit(*page, CSetMixPageDlg::IDC_LISTMIN)->isReadOnly());
    EXPECT_FALSE(Edit(*page, CSetMixPageDlg::IDC_LISTMAX)->isReadOnly());
    EXPECT_TRUE(FindControlById(page.get(), CSetMixPageDlg::IDC_LISTMAX_LABEL)->isEnabled());
    type->setCurrentIndex(1);
    EXPECT_TRUE(Edit(*page, CSetMixPageDlg::IDC_LISTMAX)->isReadOnly());
}

} // namespace
