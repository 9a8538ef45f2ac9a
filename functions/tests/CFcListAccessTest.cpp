#include "functions/CFcColumnDataCSB011.h"
#include "functions/CFcColumnDataCSB022.h"
#include "functions/CFcColumnDataList.h"

#include "testsupport/WorkDbFixture.h"

#include <gtest/gtest.h>

namespace kesmond {
namespace {

class CFcListAccessTest : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override
    {
        WorkDbFixture::SetUp();
        CreateTables({"CSB002", "CSB011", "CSB022"});
        Exec(QStringLiteral("INSERT INTO CSB002 (FUNCKEYCODE) VALUES ('000001'), ('000002'), "
                            "('000003')"));
    }
    static QStringList ListIds(const std::vector<FcListType>& types)
    {
        QStringList ids;
        for (const FcListType& type : types)
            ids << type.listId;
        return ids;
    }
};

TEST_F(CFcListAccessTest, OldLayoutListIdsPerTypeAMissingListStaysEmpty)
{
    Exec(QStringLiteral("INSERT INTO CSB011 (VIEWID, CONTROLTYPE, CODE) VALUES "
                        "('700', 'PopupListAdapter', '5'), ('300', 'PopupListAdapter', '3'), "
                        "('900', 'PopupListItem', '4'), ('950', 'PopupListAdapter', '9')"));
    CFcColumnDataCSB011 access(m_db.get());
    std::vector<FcListType> types = FcListTypes(false);
    types[1].listId = QStringLiteral("stale");
    int err = -7;
    ASSERT_TRUE(access.ReadListIds(err, types));
    EXPECT_EQ(err, 0);
    EXPECT_EQ(ListIds(types), QStringList({"300", "", "700"}));
}

TEST_F(CFcListAccessTest, NewLayoutListIdIsTheSheetNumber)
{
    Exec(QStringLiteral(
        "INSERT INTO CSB022 (SHEETTYPE, SHEETNUMBER, SHEETSEQCODE, CONTROLTYPE) "
        "VALUES ('POPUPLIST', 0, 0, 'ListDialog'), ('POPUPLIST', 2, 0, 'ListDialog'), "
        "('POPUPLIST', 1, 1, 'PopupListItem'), ('KEYSHEET', 1, 0, 'ListDialog')"));
    CFcColumnDataCSB022 access(m_db.get());
    std::vector<FcListType> types = FcListTypes(true);
    int err = 0;
    ASSERT_TRUE(access.ReadListIds(err, types));
    EXPECT_EQ(ListIds(types), QStringList({"0", "", "2"}));
}

TEST_F(CFcListAccessTest, FailedReadReportsItsCode)
{
    Exec(QStringLiteral("DROP TABLE CSB011"));
    CFcColumnDataCSB011 access(m_db.get());
    std::vector<FcListType> types = FcListTypes(false);
    int err = 0;
    EXPECT_FALSE(access.ReadListIds(err, types));
    EXPECT_NE(err, 0);
    CFcColumnDataCSB022 closed(nullptr);
    EXPECT_FALSE(closed.ReadListIds(err, types));
    EXPECT_NE(err, 0);
}

// The keys of each item read, in order.
QStringList ItemKeys(CFcListAccess& access, const QString& listId, int keyColumn)
{
    access.SetCurrentList(listId);
    QList<QStringList> rows;
    int err = 0;
    EXPECT_TRUE(access.ReadItems(err, rows));
    QStringList keys;
    for (const QStringList& row : rows) {
        EXPECT_EQ(row.size(), 11);
        keys << row.value(keyColumn);
    }
    return keys;
}

TEST_F(CFcListAccessTest, ItemsOfTheCurrentListByPositionWithTheirKeys)
{
    Exec(QStringLiteral(
        "INSERT INTO CSB011 (VIEWID, PARENTVIEWID, CONTROLTYPE, CODE, POSITIONY) VALUES "
        "('300', '', 'PopupListAdapter', '3', '0'), ('301', '300', 'PopupListItem', '000002', "
        "'1'), "
        "('302', '300', 'PopupListItem', '000001', '2'), ('303', '300', 'PopupListItem', '000099', "
        "'3'), ('304', '400', 'PopupListItem', '000003', '1'), ('305', '300', 'Other', '000003', "
        "'4')"));
    CFcColumnDataCSB011 old(m_db.get());
    EXPECT_EQ(ItemKeys(old, QStringLiteral("300"), 4), QStringList({"000002", "000001"}));
    EXPECT_EQ(ItemKeys(old, QStringLiteral("300' OR '1'='1"), 4), QStringList());
    EXPECT_EQ(ItemKeys(old, QString(), 4), QStringList());

    Exec(QStringLiteral("INSERT INTO CSB022 (SHEETTYPE, SHEETNUMBER, SHEETSEQCODE, CONTROLTYPE, "
                        "CODE, POSITIONY) VALUES ('POPUPLIST', 1, 0, 'ListDialog', '', 0), "
                        "('POPUPLIST', 1, 9, 'PopupListItem', '000003', 9), "
                        "('POPUPLIST', 1, 5, 'PopupListItem', '000001', 5), "
                        "('POPUPLIST', 2, 1, 'PopupListItem', '000002', 1)"));
    CFcColumnDataCSB022 fresh(m_db.get());
    EXPECT_EQ(ItemKeys(fresh, QStringLiteral("1"), 6), QStringList({"000001", "000003"}));
}

TEST_F(CFcListAccessTest, RecordListChoosesTheNewLayoutOnceItHoldsAnyRow)
{
    Exec(QStringLiteral("INSERT INTO CSB011 (VIEWID, CONTROLTYPE, CODE) VALUES "
                        "('300', 'PopupListAdapter', '3')"));
    CColumnData* noColumns[] = {nullptr};
    CFcColumnDataList list(QStringLiteral("CSB002"), noColumns, 0);
    list.SetSQliteDB(m_db.get(), nullptr);
    list.SetCurrentList(QStringLiteral("300"));
    int err = 0;
    ASSERT_TRUE(list.ReadListIds(err));
    EXPECT_EQ(list.GetFunctionListTable(), QStringLiteral("CSB011"));
    EXPECT_NE(dynamic_cast<CFcColumnDataCSB011*>(list.ListAccess()), nullptr);
    EXPECT_EQ(list.ListAccess()->CurrentList(), QStringLiteral("300"));
    EXPECT_EQ(ListIds(list.ListTypes()), QStringList({"300", "", ""}));

    Exec(QStringLiteral("INSERT INTO CSB022 (SHEETTYPE, SHEETNUMBER, SHEETSEQCODE, CONTROLTYPE) "
                        "VALUES ('KEYSHEET', 1, 0, 'Sheet')"));
    list.ChooseTables();
    ASSERT_TRUE(list.ReadListIds(err));
    EXPECT_EQ(list.GetFunctionListTable(), QStringLiteral("CSB022"));
    EXPECT_NE(dynamic_cast<CFcColumnDataCSB022*>(list.ListAccess()), nullptr);
    EXPECT_EQ(list.ListTypes()[0].code, QStringLiteral("0"));
    EXPECT_EQ(ListIds(list.ListTypes()), QStringList({"", "", ""}));
}

} // namespace
} // namespace kesmond
