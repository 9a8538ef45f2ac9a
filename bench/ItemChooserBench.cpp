// Opening the item chooser on one department of 100,000 items: the read of
// the rows and the first paint of the list, which asks only for the rows it
// shows.
#include "shared/dialogs/CSelectCustomItemDlg.h"

#include "stroven/Stroven.h"

#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kItems = 100000;

void fill(CSQliteDB& db)
{
    CSQliteSQL sql(db, QStringLiteral("CIA001"));
    sql.ExecSQL(QStringLiteral("CREATE TABLE CIA001 (ITEMCODE VARCHAR(16) NOT NULL PRIMARY KEY, "
                               "ITEMNAME VARCHAR(40), ITEMDEPTCODE VARCHAR(6))"));
    sql.ExecSQL(QStringLiteral("CREATE INDEX CIA001_DEPT ON CIA001 (ITEMDEPTCODE)"));
    sql.StartTransaction();
    for (int i = 1; i <= kItems; ++i)
        sql.ExecSQL(QStringLiteral("INSERT INTO CIA001 VALUES ('%1', 'Item %2', '000001')")
                        .arg(i, 16, 10, QLatin1Char('0'))
                        .arg(i));
    // A second department the chooser must leave out.
    for (int i = kItems + 1; i <= kItems + 1000; ++i)
        sql.ExecSQL(QStringLiteral("INSERT INTO CIA001 VALUES ('%1', 'Other %2', '000002')")
                        .arg(i, 16, 10, QLatin1Char('0'))
                        .arg(i));
    sql.ExecCommit();
}

void BM_OpenItemChooserOn100000Items(benchmark::State& state)
{
    QTemporaryDir dir;
    CSQliteDB db(dir.path());
    db.OpenDB(dir.path() + QStringLiteral("/SETTING.DB"));
    fill(db);
    for (auto _ : state) {
        CSelectCustomItemDlg dlg;
        dlg.m_pSQliteDB = &db;
        dlg.m_nSelectType = CSelectCustomItemDlg::SELECT_ITEM;
        dlg.m_strDeptCode = QStringLiteral("000001");
        dlg.SetDialogDefaultText();
        dlg.show();
        dlg.ListCtrl()->grab(); // the first paint
        if (dlg.ListCtrl()->model()->rowCount() != kItems)
            state.SkipWithError("wrong row count");
        dlg.hide();
    }
}
BENCHMARK(BM_OpenItemChooserOn100000Items)->Unit(benchmark::kMillisecond);

} // namespace
