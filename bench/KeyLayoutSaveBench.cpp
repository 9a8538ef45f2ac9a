// Saving the key layout: 30 pages of 48 x 48 keys (69,120 key rows and the
// 30 page rows) through CSaveKeyLayout, against the floor: the same rows
// deleted and inserted through one prepared statement in one transaction.
#include "functions/keylayout/CButtonProperty.h"
#include "functions/keylayout/CSaveKeyLayout.h"
#include "functions/keylayout/KeyLayoutColumns.h"

#include "stroven/Stroven.h"

#include "KeyLayoutRows.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kPages = 30;
constexpr int kSide = 48;

struct Layout
{
    Layout()
    {
        path = dir.path() + "/SETTING.DB";
        QFile schema(QStringLiteral(KORVANE_SOURCE_DIR "/resources/schema/Schema.txt"));
        schema.open(QIODevice::ReadOnly);
        const QStringList statements = QString::fromUtf8(schema.readAll()).split(u';');
        db.OpenDB(path);
        {
            CSQliteSQL sql(db, "CSB022");
            for (const char* table : {"CSB022", "CSB003", "CSA005", "CSB012"}) {
                const QRegularExpression create(QStringLiteral("CREATE TABLE %1 \\(").arg(table));
                for (const QString& statement : statements)
                    if (statement.contains(create))
                        sql.ExecSQL(statement.mid(statement.indexOf(create)));
            }
        }
        MakeKeyLayoutRows(kPages, kSide, QSize(800, 420), QSize(16, 6), sheetRows, strip);
    }
    ~Layout() { db.CloseDB(); }

    QTemporaryDir dir;
    QString path;
    CSQliteDB db;
    kesmond::CButtonPropertyArray sheetRows, strip;
};

Layout& TheLayout()
{
    static Layout layout;
    return layout;
}

void BM_SaveKeyLayout(benchmark::State& state)
{
    Layout& layout = TheLayout();
    for (auto _ : state) {
        int err = 0;
        if (!kesmond::CSaveKeyLayout(&layout.db, layout.sheetRows, layout.strip).Save(err))
            state.SkipWithError("save failed");
    }
    state.counters["rows"] = double(layout.sheetRows.size());
}
BENCHMARK(BM_SaveKeyLayout)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: the same delete and rows, 26 bound texts each, one prepared
// insert, one transaction.
void BM_Floor_PreparedInsert(benchmark::State& state)
{
    Layout& layout = TheLayout();
    sqlite3* db = layout.db.Handle();
    const QStringList columns = kesmond::Csb022ColumnNames();
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << "?";
    const QByteArray insert =
        ("INSERT INTO CSB022 (" + columns.join(", ") + ") VALUES (" + marks.join(", ") + ")")
            .toUtf8();
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "DELETE FROM CSB022 WHERE SHEETTYPE = 'ITEM'", nullptr, nullptr, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, insert.constData(), -1, &stmt, nullptr);
        QHash<int, int> sequence;
        for (const auto& row : layout.sheetRows) {
            const QStringList values = {"ITEM",
                                        QString::number(row->m_nSheetNumber),
                                        QString::number(row->m_nSheetArrange),
                                        QString::number(sequence[row->m_nSheetNumber]++),
                                        row->m_strControlType,
                                        row->m_strTheme,
                                        row->m_strCode,
                                        "1",
                                        QString::number(row->m_nX),
                                        QString::number(row->m_nY),
                                        QString::number(row->m_nWidth),
                                        QString::number(row->m_nHeight),
                                        row->m_strLabel,
                                        QString::number(row->m_nForeColor),
                                        QString::number(row->m_nBackColor),
                                        QString::number(row->m_nOptionColor),
                                        QString::number(row->m_nImageFlag),
                                        row->m_strBgImgControlType,
                                        QString(),
                                        row->m_strBgImgCode,
                                        "0",
                                        QString(),
                                        QString(),
                                        "-",
                                        "20240101000000",
                                        "20240101000000"};
            for (int i = 0; i < int(values.size()); ++i) {
                const QByteArray text = values[i].toUtf8();
                sqlite3_bind_text(stmt, i + 1, text.constData(), int(text.size()),
                                  SQLITE_TRANSIENT);
            }
            if (sqlite3_step(stmt) != SQLITE_DONE)
                state.SkipWithError("insert failed");
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    state.counters["rows"] = double(layout.sheetRows.size());
}
BENCHMARK(BM_Floor_PreparedInsert)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
