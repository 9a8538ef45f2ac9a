// The table list of the selective save and the table import, without a view.
#include "launcher/CTableSelectModel.h"

#include "stroven/Stroven.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/TestFolders.h"
#include "testsupport/WorkDbFixture.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>

#include <gtest/gtest.h>

namespace tovanel::test {

namespace {

CTableSelectModel::Columns SaveColumns()
{
    return {"Table", "Name", "Type", {"Diff", "Items"}, "*", {"", "Replace", "Add", "Diff"}};
}

// Five tables; group 0 holds B and D, group 1 holds C.
struct ModelFixture
{
    ModelFixture(const CTableSelectModel::Columns& columns = SaveColumns())
        : model(columns), tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal),
          selection(&model)
    {
        model.SetTables({{"A", "a"}, {"B", "b"}, {"C", "c"}, {"D", "d"}, {"E", "e"}});
        model.SetGroups({{"B", "D"}, {"C"}});
        model.SetSelectionModel(&selection);
    }

    QList<int> Values() const
    {
        QList<int> values;
        for (int row = 0; row < model.rowCount(); ++row)
            values << model.Value(row);
        return values;
    }

    CTableSelectModel model;
    QAbstractItemModelTester tester;
    QItemSelectionModel selection;
};

TEST(CTableSelectModel, TickRulesAsATableOfActions)
{
    const struct
    {
        const char* what;
        std::function<void(CTableSelectModel&)> act;
        QList<int> values;
    } cases[] = {
        {"a tick takes the tick value",
         [](CTableSelectModel& m) {
             m.SetTickValue(2);
             m.SetTicked(0, true);
         },
         {2, 0, 0, 0, 0}},
        {"ticking one of three selected rows ticks all three",
         [](CTableSelectModel& m) {
             m.SelectRows({1, 2, 3});
             m.SetTicked(2, true);
         },
         {0, 1, 1, 1, 0}},
        {"ticking a row outside the selection ticks it alone",
         [](CTableSelectModel& m) {
             m.SelectRows({1, 2});
             m.SetTicked(4, true);
         },
         {0, 0, 0, 0, 1}},
        {"unticking a selected row unticks the selection",
         [](CTableSelectModel& m) {
             m.TickRows(m.AllRows(), 2, false);
             m.SelectRows({0, 1});
             m.SetTicked(1, false);
         },
         {0, 0, 2, 2, 2}},
        {"select all keeps the values of ticked rows",
         [](CTableSelectModel& m) {
             m.SetTicked(1, true);
             m.TickRows(m.AllRows(), 2, true);
         },
         {2, 1, 2, 2, 2}},
        {"cancel all",
         [](CTableSelectModel& m) {
             m.TickRows(m.AllRows(), 3, false);
             m.UntickRows(m.AllRows());
         },
         {0, 0, 0, 0, 0}},
        {"a group ticks its rows and keeps ticked ones",
         [](CTableSelectModel& m) {
             m.SetTicked(1, true);
             m.TickRows(m.GroupRows(0), 2, true);
         },
         {0, 1, 0, 2, 0}},
        {"a group that forces its value",
         [](CTableSelectModel& m) {
             m.SetTicked(1, true);
             m.TickRows(m.GroupRows(0), 3, false);
         },
         {0, 3, 0, 3, 0}},
        {"a group that unticks",
         [](CTableSelectModel& m) {
             m.TickRows(m.AllRows(), 1, false);
             m.UntickRows(m.GroupRows(1));
         },
         {1, 1, 0, 1, 1}},
        {"the check state through the model's interface",
         [](CTableSelectModel& m) {
             m.SelectRows({3, 4});
             m.setData(m.index(4, 0), Qt::Checked, Qt::CheckStateRole);
         },
         {0, 0, 0, 1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ModelFixture f;
        c.act(f.model);
        EXPECT_EQ(f.Values(), c.values);
    }
}

TEST(CTableSelectModel, ShowsCodesNamesValuesAndGroupMarks)
{
    ModelFixture f;
    f.model.SetTicked(2, true);
    f.model.SetTickValue(3);
    f.model.SetTicked(3, true);
    ASSERT_EQ(f.model.columnCount(), 5);
    QStringList headers;
    for (int column = 0; column < 5; ++column)
        headers << f.model.headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(headers, QStringList({"Table", "Name", "Type", "Diff", "Items"}));
    QStringList row3;
    for (int column = 0; column < 5; ++column)
        row3 << f.model.data(f.model.index(3, column)).toString();
    EXPECT_EQ(row3, QStringList({"D", "d", "Diff", "*", ""}));
    EXPECT_EQ(f.model.data(f.model.index(0, 2)).toString(), "");
    EXPECT_EQ(f.model.data(f.model.index(2, 0), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(f.model.data(f.model.index(0, 0), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(f.model.CodesWithValue(1), QStringList{"C"});
    EXPECT_EQ(f.model.CodesWithValue(3), QStringList{"D"});

    // The group commands select their rows and nothing else.
    f.model.SelectRows(f.model.GroupRows(0));
    EXPECT_EQ(f.model.SelectedRows(), QList<int>({1, 3}));

    // Without a value column (the import) the groups follow the name.
    ModelFixture import({"Table", "Name", "", {"Items", "Related"}, "*", {}});
    EXPECT_EQ(import.model.columnCount(), 4);
    EXPECT_EQ(import.model.data(import.model.index(2, 3)).toString(), "*");
    EXPECT_EQ(import.model.headerData(2, Qt::Horizontal).toString(), "Items");
}

TEST(CTableSelectModel, ReadsTheWorkDatabasesTables)
{
    korvane::test::TestFolders folders;
    const QString db = folders.scratch() + "/SETTING.DB";
    korvane::test::ExecSql(db,
                           {"CREATE TABLE cib001(A)", "CREATE TABLE CIA002(A)",
                            "CREATE TABLE Dummy(A)", "CREATE TABLE android_metadata(A)",
                            "CREATE TABLE CTT001(TABLENAME, DISPNAME)", "CREATE TABLE CIA001(A)",
                            "INSERT INTO CTT001 VALUES('CIA001', 'Items'), ('cib001', 'Set')",
                            "INSERT INTO CTT001 VALUES('x'' OR 1=1 --', 'Never')"});
    CSQliteDB connection;
    ASSERT_EQ(connection.OpenDB(db), 0);
    QStringList rows;
    for (const auto& table : CTableSelectModel::ReadTables(connection, {}))
        rows << table.code + '|' + table.name;
    EXPECT_EQ(rows, QStringList({"CIA001|Items", "CIA002|", "cib001|Set", "CTT001|"}));

    rows.clear();
    for (const auto& table : CTableSelectModel::ReadTables(connection, {"CIA002", "cib001", "X"}))
        rows << table.code;
    EXPECT_EQ(rows, QStringList({"CIA002", "cib001"}));
}

} // namespace

} // namespace tovanel::test
