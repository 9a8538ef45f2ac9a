#include "functions/CFcColumnDataCSB011.h"
#include "functions/CFcColumnDataCSB022.h"
#include "functions/CFcColumnDataList.h"

#include "testsupport/FixedClock.h"
#include "testsupport/QtPrinters.h"
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

// Writes: the items a list gets, their numbers and moves, and failures that
// leave the list as it was.
class CFcListWriteTest : public CFcListAccessTest
{
protected:
    void SetUp() override
    {
        CFcListAccessTest::SetUp();
        PutOldList({"1", "2", "3"});
        Exec(QStringLiteral("INSERT INTO CSB022 (SHEETTYPE, SHEETNUMBER, SHEETSEQCODE, "
                            "CONTROLTYPE, CODE, POSITIONY) VALUES "
                            "('POPUPLIST', 1, 0, 'ListDialog', '', 0), "
                            "('POPUPLIST', 1, 5, 'PopupListItem', '000001', 5), "
                            "('POPUPLIST', 1, 9, 'PopupListItem', '000002', 9), "
                            "('POPUPLIST', 1, 12, 'PopupListItem', '000003', 12), "
                            "('POPUPLIST', 2, 1, 'PopupListItem', '000001', 1)"));
    }
    // The old list 300 with its items at these positions.
    void PutOldList(const QStringList& positions)
    {
        Exec(QStringLiteral("DELETE FROM CSB011"));
        Exec(QStringLiteral(
                 "INSERT INTO CSB011 (VIEWID, PARENTVIEWID, CONTROLTYPE, CODE, POSITIONY) VALUES "
                 "('300', '', 'PopupListAdapter', '3', 0), ('310', '300', 'PopupListItem', "
                 "'000001', "
                 "%1), ('305', '300', 'PopupListItem', '000002', %2), "
                 "('320', '300', 'PopupListItem', '000003', %3)")
                 .arg(positions[0], positions[1], positions[2]));
    }
    // "code:position" of the old list's items, by position.
    QStringList OldItems()
    {
        QStringList items;
        for (const QStringList& row :
             Rows(QStringLiteral("CSB011"), {QStringLiteral("CODE"), QStringLiteral("POSITIONY")},
                  QStringLiteral("PARENTVIEWID='300'"), QStringLiteral("POSITIONY, VIEWID")))
            items << row.join(u':');
        return items;
    }
    // "code:sequence:position" of the new list 1's items, by sequence.
    QStringList NewItems()
    {
        QStringList items;
        for (const QStringList& row :
             Rows(QStringLiteral("CSB022"),
                  {QStringLiteral("CODE"), QStringLiteral("SHEETSEQCODE"),
                   QStringLiteral("POSITIONY")},
                  QStringLiteral("SHEETNUMBER=1 AND CONTROLTYPE='PopupListItem'"),
                  QStringLiteral("SHEETSEQCODE")))
            items << row.join(u':');
        return items;
    }

    korvane::test::FixedClock m_clock{QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9))};
};

TEST_F(CFcListWriteTest, ANewItemCarriesItsLayoutsValuesAtTheEnd)
{
    CFcColumnDataCSB011 old(m_db.get());
    old.SetCurrentList(QStringLiteral("300"));
    EXPECT_EQ(old.NewItemId(), "321");
    int err = 0;
    ASSERT_TRUE(old.AddItem(err, QStringLiteral("321"), QStringLiteral("000004")));
    EXPECT_EQ(Rows(QStringLiteral("CSB011"), {}, QStringLiteral("VIEWID='321'")).value(0),
              QStringList({"321", "300", "PopupListItem", "User", "000004", "4", "-16777216", "-1",
                           "0", "20240506070809", "20240506070809"}));

    CFcColumnDataCSB022 fresh(m_db.get());
    fresh.SetCurrentList(QStringLiteral("1"));
    EXPECT_EQ(fresh.NewItemId(), "13");
    ASSERT_TRUE(fresh.AddItem(err, QStringLiteral("13"), QStringLiteral("000004")));
    EXPECT_EQ(Rows(QStringLiteral("CSB022"),
                   {"SHEETTYPE", "SHEETNUMBER", "SHEETSEQCODE", "SHEETARRANGE", "CONTROLTYPE",
                    "THEME", "CODE", "POSITIONY", "REMARKS", "CREATEDATETIME", "UPDATEDATETIME"},
                   QStringLiteral("SHEETNUMBER=1 AND SHEETSEQCODE=13"))
                  .value(0),
              QStringList({"POPUPLIST", "1", "13", "0", "PopupListItem", "Standard", "000004", "13",
                           "-", "20240506070809", "20240506070809"}));
    // A list of its own numbers: list 2 goes on from its own highest.
    fresh.SetCurrentList(QStringLiteral("2"));
    EXPECT_EQ(fresh.NewItemId(), "2");

    // A list without its list row takes no item.
    const QList<QStringList> before = Rows(QStringLiteral("CSB022"));
    fresh.SetCurrentList(QString());
    EXPECT_FALSE(fresh.AddItem(err, QStringLiteral("1"), QStringLiteral("000004")));
    EXPECT_NE(err, 0);
    EXPECT_EQ(Rows(QStringLiteral("CSB022")), before);
}

TEST_F(CFcListWriteTest, NewLayoutNumbersAreRenumberedWhenTheyDifferFromTheirPlaces)
{
    CFcColumnDataCSB022 fresh(m_db.get());
    fresh.SetCurrentList(QStringLiteral("1"));
    int err = 0;
    bool renumbered = false;
    ASSERT_TRUE(fresh.RenumberItems(err, renumbered, false));
    EXPECT_TRUE(renumbered);
    EXPECT_EQ(NewItems(), QStringList({"000001:1:1", "000002:2:2", "000003:3:3"}));
    ASSERT_TRUE(fresh.RenumberItems(err, renumbered, false));
    EXPECT_FALSE(renumbered);
    // List 2 is untouched.
    EXPECT_EQ(Rows(QStringLiteral("CSB022"), {QStringLiteral("SHEETSEQCODE")},
                   QStringLiteral("SHEETNUMBER=2")),
              QList<QStringList>({{"1"}}));
}

TEST_F(CFcListWriteTest, OldLayoutPositionsAreRewrittenOnlyWhenTwoAreZero)
{
    const struct
    {
        QStringList positions;
        bool renumbered;
        QStringList after;
    } cases[] = {
        {{"0", "0", "7"}, true, {"000001:1", "000002:2", "000003:3"}},
        {{"0", "4", "7"}, false, {"000001:0", "000002:4", "000003:7"}},
        {{"2", "4", "9"}, false, {"000001:2", "000002:4", "000003:9"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.positions.join(u',').toStdString());
        PutOldList(c.positions);
        CFcColumnDataCSB011 old(m_db.get());
        old.SetCurrentList(QStringLiteral("300"));
        int err = 0;
        bool renumbered = false;
        ASSERT_TRUE(old.RenumberItems(err, renumbered, false));
        EXPECT_EQ(renumbered, c.renumbered);
        EXPECT_EQ(OldItems(), c.after);
    }
}

TEST_F(CFcListWriteTest, MovingSwapsTheNumbersOfTwoNeighbours)
{
    CFcColumnDataCSB011 old(m_db.get());
    old.SetCurrentList(QStringLiteral("300"));
    int err = 0;
    ASSERT_TRUE(old.MoveItemDown(err, 0));
    EXPECT_EQ(OldItems(), QStringList({"000002:1", "000001:2", "000003:3"}));
    ASSERT_TRUE(old.MoveItemUp(err, 2));
    EXPECT_EQ(OldItems(), QStringList({"000002:1", "000003:2", "000001:3"}));

    CFcColumnDataCSB022 fresh(m_db.get());
    fresh.SetCurrentList(QStringLiteral("1"));
    bool renumbered = false;
    ASSERT_TRUE(fresh.RenumberItems(err, renumbered, false));
    ASSERT_TRUE(fresh.MoveItemDown(err, 1));
    EXPECT_EQ(NewItems(), QStringList({"000001:1:1", "000003:2:2", "000002:3:3"}));
    ASSERT_TRUE(fresh.MoveItemUp(err, 1));
    EXPECT_EQ(NewItems(), QStringList({"000003:1:1", "000001:2:2", "000002:3:3"}));

    // No neighbour: nothing is written.
    const QList<QStringList> before = Rows(QStringLiteral("CSB022"));
    EXPECT_FALSE(fresh.MoveItemUp(err, 0));
    EXPECT_FALSE(fresh.MoveItemDown(err, 2));
    EXPECT_EQ(Rows(QStringLiteral("CSB022")), before);
}

TEST_F(CFcListWriteTest, AFailedRewriteLeavesTheWholeList)
{
    CFcColumnDataCSB022 fresh(m_db.get());
    fresh.SetCurrentList(QStringLiteral("1"));
    Exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON CSB022 WHEN NEW.CODE='000003' "
                        "BEGIN SELECT RAISE(ABORT, 'no'); END"));
    const QList<QStringList> before = Rows(QStringLiteral("CSB022"));
    int err = 0;
    bool renumbered = false;
    EXPECT_FALSE(fresh.RenumberItems(err, renumbered, true));
    EXPECT_NE(err, 0);
    EXPECT_FALSE(renumbered);
    EXPECT_FALSE(fresh.MoveItemDown(err, 0));
    EXPECT_NE(err, 0);
    EXPECT_EQ(Rows(QStringLiteral("CSB022")), before);
}

TEST_F(CFcListWriteTest, ItemsThatCannotBeReadAreNeitherMovedNorRenumbered)
{
    Exec(QStringLiteral("ALTER TABLE CSB002 RENAME TO CSB002_AWAY"));
    const QList<QStringList> before = Rows(QStringLiteral("CSB022"));
    const QList<QStringList> beforeOld = Rows(QStringLiteral("CSB011"));
    CFcColumnDataCSB022 fresh(m_db.get());
    fresh.SetCurrentList(QStringLiteral("1"));
    CFcColumnDataCSB011 old(m_db.get());
    old.SetCurrentList(QStringLiteral("300"));
    for (CFcListAccess* access :
         {static_cast<CFcListAccess*>(&fresh), static_cast<CFcListAccess*>(&old)}) {
        int err = 0;
        bool renumbered = false;
        EXPECT_FALSE(access->RenumberItems(err, renumbered, true));
        EXPECT_NE(err, 0);
        err = 0;
        EXPECT_FALSE(access->MoveItemDown(err, 0));
        EXPECT_NE(err, 0);
    }
    EXPECT_EQ(Rows(QStringLiteral("CSB022")), before);
    EXPECT_EQ(Rows(QStringLiteral("CSB011")), beforeOld);
}

} // namespace
} // namespace kesmond
