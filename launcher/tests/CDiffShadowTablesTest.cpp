#include "launcher/CDiffShadowTables.h"

#include "launcher/tests/RefusedStatements.h"

#include "testsupport/QtPrinters.h"
#include "testsupport/TestFolders.h"

#include <QFile>
#include <QMap>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace tovanel::test {

namespace {

const QString kJobTime = QStringLiteral("20261210123456");
const QString kBaseStamp = QStringLiteral("'20240101000000'");
const QString kWorkStamp = QStringLiteral("'20250101000000'");

// A row by column, each value an SQL literal as quote() gives it back.
using Row = QMap<QString, QString>;

Row MakeRow(const char* key, const char* name, const char* price, const char* image)
{
    return {{"K", QString("'%1'").arg(key)},
            {"K2", "'01'"},
            {"NAME", QString("'%1'").arg(name)},
            {"PRICE", price},
            {"IMG", image}};
}

const QMap<QString, QString> kTypes = {{"K", "VARCHAR(4)"},
                                       {"K2", "VARCHAR(2)"},
                                       {"NAME", "VARCHAR(20)"},
                                       {"PRICE", "NUMERIC(10,0)"},
                                       {"IMG", "BLOB"},
                                       {"CREATEDATETIME", "VARCHAR(14)"},
                                       {"UPDATEDATETIME", "VARCHAR(14)"}};

struct Variant
{
    const char* name;
    QStringList columns; // in table order
    QStringList keys;
    bool blobChanges; // A' differs from A in its picture, not its price
};

class CDiffShadowTablesTest : public testing::Test
{
protected:
    QString Folder() const { return m_folders.scratch(); }
    QString Db() const { return Folder() + "/SETTING.DB"; }

    // Runs statements on a connection of the test's own.
    void Exec(const QString& sql)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(Db().toUtf8().constData(), &db), SQLITE_OK);
        char* error = nullptr;
        const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
        EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "") << "\n" << sql.toStdString();
        sqlite3_free(error);
        sqlite3_close(db);
    }

    // The rows of a query, each value as one text.
    QList<QStringList> Query(const QString& sql)
    {
        QList<QStringList> rows;
        sqlite3* db = nullptr;
        if (sqlite3_open(Db().toUtf8().constData(), &db) != SQLITE_OK)
            return rows;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK) {
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                QStringList row;
                for (int i = 0; i < sqlite3_column_count(stmt); ++i)
                    row << QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
                rows << row;
            }
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return rows;
    }

    QStringList ShadowTablesLeft()
    {
        QStringList names;
        for (const QStringList& row :
             Query("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"))
            if (row[0].endsWith("_Tovanel"))
                names << row[0];
        return names;
    }

    void CreateTable(const QString& table, const Variant& variant)
    {
        QStringList lines;
        for (const QString& column : variant.columns)
            lines << column + " " + kTypes[column];
        if (!variant.keys.isEmpty())
            lines << "CONSTRAINT " + table + "_PRIMARY PRIMARY KEY (" + variant.keys.join(", ") +
                         ")";
        Exec("CREATE TABLE " + table + " (" + lines.join(",\n") + ");");
    }

    static QString Literal(const QString& column, const Row& row, const QString& stamp)
    {
        if (column == "CREATEDATETIME" || column == "UPDATEDATETIME")
            return stamp;
        return row[column];
    }

    void Insert(const QString& table, const Variant& variant, const QList<Row>& rows,
                const QString& stamp)
    {
        for (const Row& row : rows) {
            QStringList values;
            for (const QString& column : variant.columns)
                values << Literal(column, row, stamp);
            Exec("INSERT INTO " + table + " (" + variant.columns.join(", ") + ") VALUES (" +
                 values.join(", ") + ");");
        }
    }

    QList<QStringList> Expected(const Variant& variant, const QList<Row>& rows)
    {
        QList<QStringList> expected;
        for (const Row& row : rows) {
            QStringList values;
            for (const QString& column : variant.columns)
                values << Literal(column, row, "'" + kJobTime + "'");
            expected << values;
        }
        return expected;
    }

    QList<QStringList> Read(const QString& table, const Variant& variant)
    {
        QStringList quoted;
        for (const QString& column : variant.columns)
            quoted << "quote(" + column + ")";
        return Query("SELECT " + quoted.join(", ") + " FROM " + table + " ORDER BY " +
                     variant.keys.join(", "));
    }

    korvane::test::TestFolders m_folders;
};

// Base A, B, D, E; work A' (changed), C (added), D' (removed and added again
// under the same key with another name), E (unchanged but for its stamps).
TEST_F(CDiffShadowTablesTest, NewRowsAreAddedOrChangedRowsAndDeletedRowsAreKeysReallyGone)
{
    const QStringList stamps = {"CREATEDATETIME", "UPDATEDATETIME"};
    const Variant variants[] = {
        {"both stamps last", QStringList{"K", "NAME", "PRICE"} + stamps, {"K"}, false},
        {"only UPDATEDATETIME", {"K", "NAME", "PRICE", "UPDATEDATETIME"}, {"K"}, false},
        {"only CREATEDATETIME", {"K", "NAME", "PRICE", "CREATEDATETIME"}, {"K"}, false},
        {"no stamps", {"K", "NAME", "PRICE"}, {"K"}, false},
        {"stamps not last",
         {"CREATEDATETIME", "K", "UPDATEDATETIME", "NAME", "PRICE"},
         {"K"},
         false},
        {"two key columns", QStringList{"K", "K2", "NAME", "PRICE"} + stamps, {"K", "K2"}, false},
        {"changed picture", QStringList{"K", "NAME", "PRICE", "IMG"} + stamps, {"K"}, true},
    };
    for (const Variant& variant : variants) {
        SCOPED_TRACE(variant.name);
        QFile::remove(Db());
        const Row a = MakeRow("0001", "Apple", "100", "X'01'");
        const Row changed = variant.blobChanges ? MakeRow("0001", "Apple", "100", "X'0102'")
                                                : MakeRow("0001", "Apple", "120", "X'01'");
        const Row b = MakeRow("0002", "Bread", "200", "X'02'");
        const Row c = MakeRow("0003", "Cake", "300", "NULL");
        const Row d = MakeRow("0004", "Dates", "400", "X'04'");
        const Row dAgain = MakeRow("0004", "Donut", "400", "X'04'");
        const Row e = MakeRow("0005", "Eggs", "500", "X'05'");
        CreateTable("T", variant);
        // Not listed: never gets shadow tables.
        CreateTable("U", variant);
        Insert("T", variant, {changed, c, dAgain, e}, kWorkStamp);

        CDiffShadowTables shadows(Folder(), {"T"}, kJobTime);
        ASSERT_EQ(shadows.CreateShadowTables(), CRX_OK);
        EXPECT_EQ(ShadowTablesLeft(),
                  (QStringList{"T_BASE_Tovanel", "T_DEL_Tovanel", "T_NEW_Tovanel"}));
        // Same columns, types as the create text gives them, same key.
        QStringList columns;
        for (const QStringList& row : Query("SELECT name, type, pk FROM "
                                            "pragma_table_info('T_NEW_Tovanel')"))
            columns << row.join(' ');
        QStringList expectedColumns;
        for (const QString& column : variant.columns)
            expectedColumns << column + " " + QString(kTypes[column]).replace(',', '.') + " " +
                                   QString::number(variant.keys.indexOf(column) + 1);
        EXPECT_EQ(columns, expectedColumns);

        // As the archive library fills the base from the diff base archive.
        Insert("T_BASE_Tovanel", variant, {a, b, d, e}, kBaseStamp);
        ASSERT_EQ(shadows.FillDiffTables(), CRX_OK);
        EXPECT_EQ(Read("T_NEW_Tovanel", variant), Expected(variant, {changed, c, dAgain}));
        EXPECT_EQ(Read("T_DEL_Tovanel", variant), Expected(variant, {b}));

        ASSERT_EQ(shadows.DropShadowTables(), CRX_OK);
        EXPECT_EQ(ShadowTablesLeft(), QStringList());
        EXPECT_EQ(Query("SELECT count(*) FROM T"), QList<QStringList>{{"4"}});
    }
}

TEST_F(CDiffShadowTablesTest, ListedTablesGetFreshShadowTablesOnceAndShadowTablesAreNoSource)
{
    const Variant variant{"", {"K", "NAME", "PRICE"}, {"K"}, false};
    CreateTable("T", variant);
    CreateTable("X_Tovanel", variant);
    // Left by an interrupted save, with other columns and a row.
    Exec("CREATE TABLE T_NEW_Tovanel (A VARCHAR(1)); INSERT INTO T_NEW_Tovanel VALUES ('x');");
    Insert("T", variant, {MakeRow("0001", "Apple", "100", "")}, kWorkStamp);

    CDiffShadowTables shadows(Folder(), {"T", "T", "MISSING", "X_Tovanel"}, kJobTime);
    ASSERT_EQ(shadows.CreateShadowTables(), CRX_OK);
    EXPECT_EQ(ShadowTablesLeft(),
              (QStringList{"T_BASE_Tovanel", "T_DEL_Tovanel", "T_NEW_Tovanel", "X_Tovanel"}));
    EXPECT_EQ(Query("SELECT count(*) FROM T_NEW_Tovanel"), QList<QStringList>{{"0"}});
    EXPECT_EQ(Query("SELECT group_concat(name) FROM pragma_table_info('T_NEW_Tovanel')"),
              QList<QStringList>{{"K,NAME,PRICE"}});
    ASSERT_EQ(shadows.FillDiffTables(), CRX_OK);
    EXPECT_EQ(Query("SELECT count(*) FROM T_NEW_Tovanel"), QList<QStringList>{{"1"}});
    ASSERT_EQ(shadows.DropShadowTables(), CRX_OK);
    EXPECT_EQ(ShadowTablesLeft(), QStringList{"X_Tovanel"});
}

TEST_F(CDiffShadowTablesTest, EveryFailedStatementStopsTheOperationAndUndoesIt)
{
    const Variant keyed{"", {"K", "NAME", "PRICE", "UPDATEDATETIME"}, {"K"}, false};
    enum Step { Create, Fill, Drop };
    const struct
    {
        const char* name;
        int action;
        const char* nameEnd;
        Step step;
        CrxResult result;
    } cases[] = {
        {"columns unreadable", SQLITE_READ, "pragma_table_info", Create, CRX_E_TABLE_INFO},
        {"begin refused", SQLITE_TRANSACTION, "BEGIN", Create, CRX_E_BEGIN_TRANSACTION},
        {"commit refused", SQLITE_TRANSACTION, "COMMIT", Create, CRX_E_COMMIT},
        {"create refused", SQLITE_CREATE_TABLE, "T_DEL_Tovanel", Create, CRX_E_WRITE_ROW},
        {"insert refused", SQLITE_INSERT, "T_DEL_Tovanel", Fill, CRX_E_WRITE_ROW},
        {"delete refused", SQLITE_DELETE, "T_DEL_Tovanel", Fill, CRX_E_WRITE_ROW},
        {"drop refused", SQLITE_DROP_TABLE, "T_NEW_Tovanel", Drop, CRX_E_WRITE_ROW},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(Db());
        CreateTable("T", keyed);
        // A second listed table, made before the failure, is undone with it.
        CreateTable("S", keyed);
        Insert("T", keyed, {MakeRow("0001", "Apple", "100", "")}, kWorkStamp);
        CDiffShadowTables shadows(Folder(), {"S", "T"}, kJobTime);
        if (c.step != Create) {
            ASSERT_EQ(shadows.CreateShadowTables(), CRX_OK);
            Insert("T_BASE_Tovanel", keyed, {MakeRow("0002", "Bread", "100", "")}, kBaseStamp);
        }
        if (c.step == Drop) {
            ASSERT_EQ(shadows.FillDiffTables(), CRX_OK);
        }
        const QStringList before = ShadowTablesLeft();
        const QList<QStringList> newRows = Query("SELECT * FROM T_NEW_Tovanel");
        {
            RefusedStatements refused(c.action, c.nameEnd);
            const CrxResult result = c.step == Create ? shadows.CreateShadowTables()
                                     : c.step == Fill ? shadows.FillDiffTables()
                                                      : shadows.DropShadowTables();
            EXPECT_EQ(result, c.result);
        }
        EXPECT_EQ(ShadowTablesLeft(), before);
        if (c.step != Create) {
            EXPECT_EQ(Query("SELECT * FROM T_NEW_Tovanel"), newRows);
            EXPECT_EQ(shadows.FailedTable(), c.action == SQLITE_TRANSACTION ? "" : "T");
        }
    }
}

TEST_F(CDiffShadowTablesTest, ATableWithoutKeyOrAMissingDatabaseStopsAtOnce)
{
    const Variant keyless{"", {"K", "NAME"}, {}, false};
    CreateTable("A", Variant{"", {"K", "NAME"}, {"K"}, false});
    CreateTable("B", keyless);
    CDiffShadowTables shadows(Folder(), {"A", "B"}, kJobTime);
    EXPECT_EQ(shadows.CreateShadowTables(), CRX_E_KEY_COUNT);
    EXPECT_EQ(shadows.FailedTable(), "B");
    EXPECT_EQ(ShadowTablesLeft(), QStringList());

    // No work database: none is made.
    ASSERT_TRUE(QFile::remove(Db()));
    for (auto operation :
         {&CDiffShadowTables::CreateShadowTables, &CDiffShadowTables::FillDiffTables,
          &CDiffShadowTables::DropShadowTables}) {
        EXPECT_EQ((shadows.*operation)(), CRX_E_DB_OPEN);
    }
    EXPECT_FALSE(QFile::exists(Db()));
}

TEST_F(CDiffShadowTablesTest, NamesAreQuotedAndTheJobTimeIsEscaped)
{
    // A name that is a keyword and a time that carries a quote reach the
    // database as a name and a value.
    Exec("CREATE TABLE \"ORDER\" (\"GROUP\" VARCHAR(4), UPDATEDATETIME VARCHAR(14), "
         "CONSTRAINT P PRIMARY KEY (\"GROUP\")); INSERT INTO \"ORDER\" VALUES ('1', 'x');");
    CDiffShadowTables shadows(Folder(), {"ORDER"}, "it's");
    ASSERT_EQ(shadows.CreateShadowTables(), CRX_OK);
    ASSERT_EQ(shadows.FillDiffTables(), CRX_OK);
    EXPECT_EQ(Query("SELECT * FROM ORDER_NEW_Tovanel"), (QList<QStringList>{{"1", "it's"}}));
    EXPECT_EQ(shadows.DropShadowTables(), CRX_OK);
}

} // namespace

} // namespace tovanel::test
