#include "functions/CColumnDataCharacter.h"
#include "functions/FcCharText.h"

#include "testsupport/WorkDbFixture.h"

#include <gtest/gtest.h>

namespace kesmond {
namespace {

TEST(FcCharTextTest, HiddenRowsByRemarks)
{
    const struct
    {
        const char* remarks;
        bool hidden;
    } cases[] = {
        {"view=gone", true},       {"a; View = Gone ;b", true}, {"VIEW=GONE", true},
        {"view=gone!", false},     {"view=gone x", false},      {"", false},
        {"a;b;view=gonex", false}, {"view = gone;", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.remarks);
        EXPECT_EQ(IsHiddenCharRow(QString::fromUtf8(c.remarks)), c.hidden);
    }
}

class CColumnDataCharacterTest : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override
    {
        WorkDbFixture::SetUp();
        CreateTables({"CSM017"});
        Exec(QStringLiteral("INSERT INTO CSM017 (TABLENAME, SETCODEID, SETCODE, TITLE) VALUES "
                            "('CSB007', '1', '01', 'Receipt head'), ('CSB007', '2', '02', 'Foot'), "
                            "('CSB099', '3', '03', 'Other table')"));
    }
};

TEST_F(CColumnDataCharacterTest, TitleOfEachCodeFromOneStatement)
{
    CColumnDataCharacter column(QStringLiteral("CHARSETCODE"),
                                QStringLiteral("CRDS_FC_CLMN_CHARTITLE"));
    column.SetSQliteDB(m_db.get());
    EXPECT_EQ(column.GetDescript(QStringLiteral("01")), QStringLiteral("Receipt head"));
    EXPECT_EQ(column.GetDescript(QStringLiteral("02")), QStringLiteral("Foot"));
    // Another table's title and a code without one give an empty title.
    EXPECT_EQ(column.GetDescript(QStringLiteral("03")), QString());
    EXPECT_EQ(column.GetDescript(QStringLiteral("04")), QString());
    EXPECT_EQ(column.GetDescript(QStringLiteral("01")), QStringLiteral("Receipt head"));
    // A code is a bound value, never SQL text.
    EXPECT_EQ(column.GetDescript(QStringLiteral("01' OR '1'='1")), QString());
    column.FreeResorce();
    EXPECT_EQ(column.GetDescript(QStringLiteral("02")), QStringLiteral("Foot"));
}

TEST_F(CColumnDataCharacterTest, WithoutConnectionTheCodeWithoutTableTheEmptyTitle)
{
    CColumnDataCharacter column(QStringLiteral("CHARSETCODE"), QString());
    EXPECT_EQ(column.GetDescript(QStringLiteral("01")), QStringLiteral("01"));
    Exec(QStringLiteral("DROP TABLE CSM017"));
    column.SetSQliteDB(m_db.get());
    EXPECT_EQ(column.GetDescript(QStringLiteral("01")), QString());
}

TEST_F(CColumnDataCharacterTest, CodeIsFiftyWideWhateverTheTableSays)
{
    CreateTables({"CSB007"});
    CColumnDataCharacter column(QStringLiteral("CHARSETCODE"), QString());
    int err = 0;
    CSQliteSQL sql(*m_db, QStringLiteral("CSB007"));
    const CSQTableInfoArray* info = sql.GetTableInfo(err);
    ASSERT_EQ(err, 0);
    column.SetFieldInfo(info);
    EXPECT_EQ(column.m_nSize, 50);
}

} // namespace
} // namespace kesmond
