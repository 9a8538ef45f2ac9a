// The picture preview's geometry, the template rules of every window of the
// program, and the item-image rows of a display archive.
#include "monitor/CButtonPreview.h"
#include "monitor/CColumnDataListMoLocal.h"
#include "monitor/CFullDataDlg.h"
#include "monitor/CHalfDataDlg.h"
#include "monitor/CItemImageSource.h"
#include "monitor/CMainDlg.h"
#include "monitor/CMonMenuDlg.h"
#include "monitor/CMonProgressDlg.h"
#include "monitor/tests/MediaWindowFixture.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CDataManager.h"
#include "testsupport/DialogCheck.h"
#include "testsupport/QtPrinters.h"

#include <QCoreApplication>

#include <atomic>
#include <functional>
#include <memory>

namespace mervolt {
namespace {

using test::MediaWindowFixture;

TEST(CButtonPreviewTest, PictureIsScaledToFitInsideTheFrame)
{
    const struct
    {
        QSize button, picture;
        QRect drawn;
    } cases[] = {
        {{202, 202}, {100, 50}, {1, 50, 200, 100}},
        {{202, 202}, {50, 100}, {50, 1, 100, 200}},
        {{202, 102}, {1000, 1000}, {50, 1, 100, 100}}, // reduced
        {{52, 52}, {3, 3}, {1, 1, 50, 50}},            // enlarged
    };
    for (const auto& c : cases)
        EXPECT_EQ(CButtonPreview::PictureRect(c.button, c.picture), c.drawn)
            << c.picture.width() << "x" << c.picture.height();
}

using MonWindowTest = MediaWindowFixture;

TEST_F(MonWindowTest, EveryWindowKeepsTheTemplateRules)
{
    std::atomic<int> abort{0};
    const std::function<std::unique_ptr<QDialog>()> makers[] = {
        [] { return std::make_unique<CMonMenuDlg>(); },
        [] { return std::make_unique<CFullDataDlg>(); },
        [] { return std::make_unique<CHalfDataDlg>(); },
        [&abort] { return std::make_unique<CMonProgressDlg>(nullptr, abort); },
    };
    for (const auto& make : makers) {
        const std::unique_ptr<QDialog> dialog = make();
        EXPECT_EQ(korvane::test::DialogFaults(dialog.get(), CProgramLang::LangDatas(), "Mervolt"),
                  QStringList())
            << dialog->metaObject()->className();
    }
}

TEST_F(MonWindowTest, DisplayArchiveRowsComeFromTheNonEmptySlotsInNumberOrder)
{
    CXmlDataArray items;
    items.Add("string", "transaction_item3_file", "00000000000000334455.png");
    items.Add("string", "transaction_item3_name", "Tea");
    items.Add("string", "transaction_item1_file", "0000000000000012.png");
    items.Add("string", "transaction_item2_file", "");
    items.Add("string", "transaction_item2_name", "Empty");
    items.Add("string", "recommend_item1_file", "0000000000000099.png");
    for (const int mode : {1, 0}) {
        // The manager frees the columns.
        CColumnData* columns[] = {new CColumnData("ITEMCODE", "CRDS_MO_CLMN_PLUCODE", 23019, 0),
                                  nullptr};
        CColumnDataListMoLocal list("CIA001", columns);
        CDataManager manager("P", 3001, 3004, 0, "CRDS_MO_WINNAME_ITEMIMAGE", nullptr, 0, &list);
        list.m_nListMode = mode;
        list.m_nRegistered = 0;
        list.m_pDataManager = &manager;
        list.m_pItems = &items;
        list.m_nMaxRows = 4;
        int err = -1;
        ASSERT_TRUE(list.ReadRecords(err, "ignored"));
        EXPECT_EQ(err, 0);
        QStringList rows;
        for (qsizetype i = 0; i < manager.m_arrRecords.GetSize(); ++i)
            rows << manager.m_arrRecords.GetAt(i)->toList().join(u',');
        if (mode == 1)
            EXPECT_EQ(rows, QStringList({"0000000000000012,-,,-,", "0000000000000033,-,Tea,-,"}));
        else
            EXPECT_EQ(rows, QStringList{"0000000000000099,-,,-,"});
    }
}

TEST_F(MonWindowTest, ItemOperationsMoveValuesBetweenTheMenuAndTheOwnItems)
{
    CXmlDataArray menuItems;
    menuItems.Add("string", "recommend_item1_file", "a.png");
    CMainDlg window(nullptr, 3001, 0);
    window.SetMenuItems(&menuItems);
    QString out;
    window.TakeMenuItem(out, "string", "recommend_item1_file");
    EXPECT_EQ(out, "a.png");
    window.OwnItems().FindOrAddItem("string", "recommend_item1_file")->m_strValue = "b.png";
    EXPECT_EQ(value(menuItems, "recommend_item1_file"), "a.png"); // a copy until put back
    window.GetOwnItemValue(out, "string", "recommend_item1_file");
    EXPECT_EQ(out, "b.png");
    window.PutOwnItemToMenu("string", "recommend_item1_file");
    EXPECT_EQ(value(menuItems, "recommend_item1_file"), "b.png");
    window.TakeMenuItem(out, "string", "recommend_item9_name"); // a lookup adds the key
    EXPECT_EQ(value(menuItems, "recommend_item9_name"), "");

    // Without the menu's items a window does nothing and closes itself.
    CMainDlg orphan(nullptr, 3001, 0);
    orphan.show();
    orphan.TakeMenuItem(out, "string", "recommend_item1_file");
    EXPECT_EQ(out, "");
    EXPECT_EQ(orphan.OwnItems().GetSize(), 0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(orphan.isVisible());
}

TEST_F(MonWindowTest, ItemImageSourceIsModePOverCIA001WithItsFiveColumns)
{
    for (const int mode : {1, 0}) {
        CItemImageSource source(mode);
        CDataManager& manager = source.Manager();
        EXPECT_STREQ(manager.m_pszModeKey, "P");
        EXPECT_EQ(manager.m_nListDlgID, 3001u);
        EXPECT_EQ(manager.m_nTabDlgID, 3004u);
        EXPECT_EQ(manager.m_nPageCount, 1);
        EXPECT_EQ(manager.m_pPageDlgIDs[0], 3003u);
        EXPECT_EQ(manager.m_strWindowNameKey,
                  mode ? "CRDS_MO_WINNAME_ITEMIMAGE" : "CRDS_MO_WINNAME_RECOMMEND");
        EXPECT_EQ(source.List().m_strTableName, "CIA001");
        QStringList columns;
        for (int i = 0; i < manager.GetColumnDataCount(); ++i)
            columns << manager.GetColumnData(i)->m_strColumnName;
        EXPECT_EQ(columns,
                  QStringList({"ITEMCODE", "SCANCODE1", "ITEMNAME", "ITEMDEPTCODE", "REMARKS"}));
        EXPECT_EQ(manager.GetColumnData(3)->GetDescriptWidth(), 10);
    }
}

} // namespace
} // namespace mervolt
