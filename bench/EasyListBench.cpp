// The easy item list on 100,000 items, 1280 x 960 pixels: one full repaint,
// and one Page Down step (the cell cursor a page down, the list scrolled and
// repainted). The floor is a plain table view showing the same cells of the
// same model in the same run.
#include "goods/CGoodsColumnLists.h"
#include "goods/CMainListCtrlEasy.h"
#include "goods/UnlistedLabelKey.h"
#include "goods/base/CRecordListModel.h"

#include "shared/data/CColumnDataList.h"
#include "shared/data/CStringArrayPtrArray.h"

#include "GoodsItemTable.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using goodsbench::table;

const QSize kSize(1280, 960);

// The easy item list's records and model on their own connection.
struct EasyItems
{
    EasyItems()
    {
        db.OpenDB(table().path);
        list = lists.Get(brelkin::GoodsList::PluEasy);
        list->SetSQliteDB(&db, &cache);
        int err = 0;
        list->ReadTableInfo(err);
        list->ReadRecords(err, QString());
        model = std::make_unique<CRecordListModel>(list, &cache);
        model->SetUnlistedLabelKeys(&brelkin::IsUnlistedLabelKey);
        model->BuildColumns();
    }
    ~EasyItems()
    {
        model.reset();
        list->FreeRecords();
        db.CloseDB();
    }
    CSQliteDB db;
    brelkin::CGoodsColumnLists lists;
    CColumnDataList* list = nullptr;
    CStringArrayPtrArray cache;
    std::unique_ptr<CRecordListModel> model;
};

EasyItems& items()
{
    static EasyItems open;
    return open;
}

// The view as the window sets it up: fixed-pitch font, columns as wide as
// their texts, rows of one height.
template <class View> std::unique_ptr<View> MakeView()
{
    auto view = std::make_unique<View>();
    // The system's fixed-pitch font (the window's comes from the options
    // file, which needs the launcher's INI).
    const QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    view->setFont(font);
    view->setModel(items().model.get());
    const int width = QFontMetrics(font).horizontalAdvance(u'0');
    for (int c = 0; c < items().model->columnCount(); ++c)
        view->setColumnWidth(c, (items().model->ColumnChars(c) + 2) * width);
    const int height = QFontMetrics(font).height() + 10;
    view->verticalHeader()->setDefaultSectionSize(height);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->resize(kSize);
    view->show();
    QApplication::processEvents();
    return view;
}

template <class View> void BM_FullRepaint(benchmark::State& state)
{
    auto view = MakeView<View>();
    for (auto _ : state)
        view->viewport()->repaint();
    state.counters["rows"] = items().model->rowCount();
}
BENCHMARK_TEMPLATE(BM_FullRepaint, QTableView)
    ->Name("BM_FullRepaint/PlainTableViewFloor")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_FullRepaint, brelkin::CMainListCtrlEasy)
    ->Name("BM_FullRepaint/EasyList")
    ->Unit(benchmark::kMillisecond);

void BM_PageDownFloor(benchmark::State& state)
{
    auto view = MakeView<QTableView>();
    QScrollBar* bar = view->verticalScrollBar();
    for (auto _ : state) {
        if (bar->value() == bar->maximum())
            bar->setValue(0);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        view->viewport()->repaint();
    }
}
BENCHMARK(BM_PageDownFloor)->Name("BM_PageDown/PlainTableViewFloor")->Unit(benchmark::kMillisecond);

void BM_PageDownEasy(benchmark::State& state)
{
    auto view = MakeView<brelkin::CMainListCtrlEasy>();
    view->SetCellSelection({1, 0, 1, 0});
    const int last = items().model->rowCount() - 1;
    for (auto _ : state) {
        if (view->CellSelection().top == last)
            view->SetCellSelection({1, 0, 1, 0});
        view->MoveCellCursor(Qt::Key_PageDown);
        view->viewport()->repaint();
    }
}
BENCHMARK(BM_PageDownEasy)->Name("BM_PageDown/EasyList")->Unit(benchmark::kMillisecond);

} // namespace
