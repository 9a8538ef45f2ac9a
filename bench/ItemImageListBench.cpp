// The item-image list opened in registered mode on 100,000 items with 300
// pictured codes (the work copy, the record cache, the columns and the
// marks), then sorted by name. The floor is the column list's own
// ReadRecords of the same table in the same run.
#include "monitor/CItemImageListModel.h"
#include "monitor/CItemImageSlots.h"
#include "monitor/CItemImageSource.h"
#include "monitor/CListDlg.h"
#include "monitor/CXmlDataArray.h"
#include "monitor/ItemImageWorkCopy.h"
#include "monitor/MonButtonTable.h"
#include "monitor/SignageFolder.h"

#include "platform/MessageBox.h"
#include "shared/config/CBasePath.h"
#include "shared/data/CColumnDataList.h"
#include "shared/lang/CProgramLang.h"
#include "stroven/Stroven.h"
#include "BenchSuiteFolder.h"
#include "BenchTables.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kRows = 100000;
constexpr int kPictures = 300;

QString Code(int n)
{
    return QStringLiteral("%1").arg(n, 16, 10, QLatin1Char('0'));
}

struct Fixture
{
    QTemporaryDir dir;
    mervolt::CXmlDataArray items;

    Fixture()
    {
        qputenv("XDG_DATA_HOME", (dir.path() + "/data").toUtf8());
        benchsuite::UseSuiteFolder(dir.path() + "/suite", "PRODUCTMODE=0\n");
        // The shipped limit is lower: room for every pictured code.
        QFile shipped(KORVANE_SUITE_DIR "/NolvarLANG.xml");
        shipped.open(QIODevice::ReadOnly);
        QString lang = QString::fromUtf8(shipped.readAll());
        lang.replace(QRegularExpression("(\"CRDS_MO_LIMITCOUNT_ITEMIMAGE\">)\\d+"),
                     QStringLiteral("\\1%1").arg(kPictures));
        QFile langCopy(dir.path() + "/suite/NolvarLANG.xml");
        langCopy.open(QIODevice::WriteOnly);
        langCopy.write(lang.toUtf8());
        langCopy.close();
        CProgramLang::Initialize("Mervolt", langCopy.fileName());
        platform::setMessageResponder([](const platform::MessageRequest&) { return 1; });
        ::CMainDlg::SetButtonTable(mervolt::MonButtonTable());
        MakeDatabase();
        const QString folder = mervolt::GetSignagePath(mervolt::signage::ItemImage, QString());
        QDir().mkpath(folder);
        for (int n = 1; n <= kPictures; ++n) {
            // Spread over the table; each file a small picture's size.
            const QString code = Code(n * (kRows / kPictures));
            QFile picture(folder + u'/' + code + ".png");
            picture.open(QIODevice::WriteOnly);
            picture.write(QByteArray(20 * 1024, 'p'));
            items.Add("string", mervolt::CItemImageSlots::FileKey(1, n), code + ".png");
            items.Add("string", mervolt::CItemImageSlots::NameKey(1, n), "Item");
        }
    }

    void MakeDatabase()
    {
        CSQliteDB db;
        db.OpenDB(CBasePath::GetLocalDataBasePath() + "/SETTING.DB");
        CSQliteSQL sql(db, "CIA001");
        benchtables::CreateSchemaTables(sql, {"CIA001", "CIA002"});
        sql.StartTransaction();
        benchtables::InsertDepartments(sql, 20);
        sql.SetSQLForWrite({"ITEMCODE"}, {"SCANCODE1", "ITEMNAME", "ITEMDEPTCODE"}, {});
        for (int r = 1; r <= kRows; ++r)
            sql.ExecWrite({Code(r)},
                          {QStringLiteral("49%1").arg(r, 11, 10, QLatin1Char('0')),
                           QStringLiteral("Item %1").arg((r * 7919) % kRows),
                           QStringLiteral("%1").arg(r % 20 + 1, 6, 10, QLatin1Char('0'))},
                          {}, SQLWRITE_INSERT);
        sql.ExecCommit();
        db.CloseDB();
    }
};

Fixture& Data()
{
    static Fixture fixture;
    return fixture;
}

// The floor: the item table read into a record cache by the column list.
void BM_FloorReadRecords(benchmark::State& state)
{
    Data();
    for (auto _ : state) {
        auto source = std::make_unique<mervolt::CItemImageSource>(1);
        CDataManager& manager = source->Manager();
        int err = 0;
        if (!manager.CreateSQLiteDB(CBasePath::GetLocalDataBasePath()) ||
            !manager.OpenSQLiteDB("\\SETTING.DB", err) ||
            !manager.GetColumnDataList()->ReadRecords(err, QString()))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(manager.m_arrRecords.GetSize());
        state.PauseTiming();
        source.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FloorReadRecords)->Unit(benchmark::kMillisecond);

// Opening: the work copy, the rows, the columns and the 300 marks.
void BM_OpenRegisteredList(benchmark::State& state)
{
    Fixture& data = Data();
    for (auto _ : state) {
        auto source = std::make_unique<mervolt::CItemImageSource>(1);
        auto window = std::make_unique<mervolt::CListDlg>(&source->Manager());
        window->SetMenuItems(&data.items);
        window->Create();
        if (!window->Model() || window->Model()->rowCount() != kRows)
            state.SkipWithError("the list did not open");
        // Closing (the placement saved, the rows freed) is not opening.
        state.PauseTiming();
        window->reject();
        window.reset();
        source.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenRegisteredList)->Unit(benchmark::kMillisecond);

// The part of opening that is the work copy of the 300 pictures.
void BM_WorkCopyOnly(benchmark::State& state)
{
    Fixture& data = Data();
    for (auto _ : state) {
        mervolt::CXmlDataArray own;
        if (!mervolt::PrepareItemImageWorkCopy(1, kPictures, data.items, own))
            state.SkipWithError("work copy failed");
    }
}
BENCHMARK(BM_WorkCopyOnly)->Unit(benchmark::kMillisecond);

// A click on the name's header of an open list (ascending, then descending).
void BM_SortByName(benchmark::State& state)
{
    Fixture& data = Data();
    mervolt::CItemImageSource source(1);
    mervolt::CListDlg window(&source.Manager());
    window.SetMenuItems(&data.items);
    window.Create();
    for (auto _ : state)
        window.Model()->ClickColumn(mervolt::CItemImageListModel::NameColumn);
    window.reject();
}
BENCHMARK(BM_SortByName)->Unit(benchmark::kMillisecond);

} // namespace
