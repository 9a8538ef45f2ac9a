// The key-layout editor on a page of 48 x 48 keys (2,304 key windows with
// nine-slice backgrounds on a 2048 x 1280 canvas): the page shown, one full
// paint of the canvas, one drag step (the move window moved and the canvas
// redrawn), against the floor of the same 2,304 nine-slice images drawn with
// QPainter into an image of the canvas's size. And the editor's start on 30
// such pages (69,120 rows) against reading the same rows with
// CColumnDataList::ReadRecords.
#include "functions/keylayout/CButtonProperty.h"
#include "functions/keylayout/CButtonStyleMgr.h"
#include "functions/keylayout/CFcKeyLayCSB023.h"
#include "functions/keylayout/CFcKeyLayMoveWnd.h"
#include "functions/keylayout/CFcKeySheetButton.h"
#include "functions/keylayout/CImageDataCSB012.h"
#include "functions/keylayout/CKeyLayoutEditor.h"
#include "functions/keylayout/CKeyLayoutLoader.h"
#include "functions/keylayout/CKeySheetController.h"
#include "functions/keylayout/CSaveKeyLayout.h"
#include "functions/keylayout/KeyLayoutColumns.h"
#include "functions/keylayout/NineSliceRects.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CStringArrayPtrArray.h"

#include "stroven/Stroven.h"
#include "BenchSuiteFolder.h"
#include "BenchTables.h"

#include "KeyLayoutRows.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kSide = 48;
constexpr int kPages = 30;
const QSize kCanvas(2048, 1280);

QByteArray Png()
{
    QImage image(48, 48, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(200, 220, 250));
    painter.setPen(QPen(QColor(80, 100, 160), 2));
    painter.drawRoundedRect(QRectF(1, 1, 46, 46), 8, 8);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A work database with one key image and 30 pages of 48 x 48 keys.
struct Work
{
    Work()
    {
        // The key font's face comes from the suite's settings beside the program.
        benchsuite::UseSuiteFolder(dir.path());
        path = dir.path() + "/SETTING.DB";
        db = std::make_unique<CSQliteDB>(dir.path());
        db->OpenDB(path);
        CSQliteSQL sql(*db, "CSB012");
        benchtables::CreateSchemaTables(
            sql, {"CSB022", "CSB023", "CSB003", "CSA005", "CSB012", "CIA001", "CIA002", "CSB002"});
        sql.ExecSQL("INSERT INTO CSB012 VALUES ('ItemButton.Background.9', 'Standard', '0', "
                    "'key.png', x'" +
                    QString::fromLatin1(Png().toHex()) + "', NULL, '', '')");
        kesmond::CButtonPropertyArray sheet, strip;
        const QSize cell((kCanvas.width() - 10) / kSide - 1, (kCanvas.height() - 16) / kSide - 3);
        MakeKeyLayoutRows(kPages, kSide, kCanvas, cell, sheet, strip);
        auto selection = std::make_unique<kesmond::CButtonProperty>();
        selection->m_strControlType = "ItemSheetSelection";
        selection->m_nWidth = kCanvas.width();
        selection->m_nHeight = 60;
        strip.push_back(std::move(selection));
        int err = 0;
        kesmond::CSaveKeyLayout(db.get(), sheet, strip).Save(err);
        // The strip rows are not "ITEM" rows: written as they stand.
        for (const auto& row : strip)
            sql.ExecSQL(QStringLiteral("INSERT INTO CSB022 (SHEETTYPE, SHEETNUMBER, SHEETSEQCODE, "
                                       "CONTROLTYPE, THEME, CODE, POSITIONX, WIDTH, HEIGHT) VALUES "
                                       "('ITEMSHEETSELECTION', 0, %1, '%2', 'Standard', '%3', %4, "
                                       "%5, %6)")
                            .arg(row->m_nX)
                            .arg(row->m_strControlType, row->m_strCode)
                            .arg(row->m_nX)
                            .arg(row->m_nWidth)
                            .arg(row->m_nHeight));
    }
    // The rows as the editor reads them, through the mode's column list.
    void Read(CColumnDataList& list, CStringArrayPtrArray& records)
    {
        list.SetSQliteDB(db.get(), &records);
        int err = 0;
        list.ReadTableInfo(err);
        list.ReadRecords(err, QString());
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<CSQliteDB> db;
};

Work& TheWork()
{
    static Work work;
    return work;
}

struct Columns
{
    Columns()
    {
        for (const QString& name : kesmond::KeyLayoutColumnNames())
            descriptors.push_back(new CColumnData(name, QString(), 0, 0));
        descriptors.push_back(nullptr);
        list = std::make_unique<CColumnDataList>(QStringLiteral("CSB022"), descriptors.data());
    }
    ~Columns()
    {
        list.reset();
        for (CColumnData* column : descriptors)
            delete column;
    }
    std::vector<CColumnData*> descriptors;
    std::unique_ptr<CColumnDataList> list;
};

// The editor started on the work database: cache, geometry, rows, loader.
struct Started
{
    Started()
    {
        Work& work = TheWork();
        work.Read(*columns.list, records);
        int err = 0;
        geometry.Read(*work.db, err);
        images = std::make_unique<kesmond::CButtonStyleMgr>(work.db.get());
        kesmond::CKeyLayoutLoader loader(*work.db, images.get());
        loader.Load(records);
        geometry.SetSheetRect(loader.m_pageRect);
        editor = std::make_unique<kesmond::CKeyLayoutEditor>(images.get(), &geometry, nullptr);
        editor->Load(loader);
        editor->SetGrid(kSide, kSide);
        columns.list->FreeRecords();
    }
    Columns columns;
    CStringArrayPtrArray records;
    kesmond::CFcKeyLayCSB023 geometry;
    std::unique_ptr<kesmond::CButtonStyleMgr> images;
    std::unique_ptr<kesmond::CKeyLayoutEditor> editor;
};

void BM_EditorStart30Pages(benchmark::State& state)
{
    TheWork(); // the database is made before the clock runs
    for (auto _ : state) {
        Started started;
        benchmark::DoNotOptimize(started.editor.get());
    }
    state.counters["rows"] = kPages * (kSide * kSide + 1);
}
BENCHMARK(BM_EditorStart30Pages)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Floor_ReadRecords30Pages(benchmark::State& state)
{
    Work& work = TheWork();
    for (auto _ : state) {
        Columns columns;
        CStringArrayPtrArray records;
        work.Read(*columns.list, records);
        benchmark::DoNotOptimize(records.GetSize());
        columns.list->FreeRecords();
    }
}
BENCHMARK(BM_Floor_ReadRecords30Pages)->Unit(benchmark::kMillisecond)->UseRealTime();

// A window with the canvas and strip, on the started editor.
struct Shown
{
    Shown()
    {
        window.resize(kCanvas + QSize(20, 100));
        canvas = new kesmond::CFcKeySheetButton(&window);
        canvas->setGeometry(QRect(QPoint(0, 0), kCanvas));
        strip = new kesmond::CFcKeySheetButton(&window);
        strip->setGeometry(0, kCanvas.height() + 10, kCanvas.width(), 60);
        controller = std::make_unique<kesmond::CKeySheetController>(*started.editor, canvas, strip);
        window.show();
    }
    Started started;
    QWidget window;
    kesmond::CFcKeySheetButton* canvas = nullptr;
    kesmond::CFcKeySheetButton* strip = nullptr;
    std::unique_ptr<kesmond::CKeySheetController> controller;
};

void BM_PageShown(benchmark::State& state)
{
    Shown shown;
    for (auto _ : state) {
        shown.started.editor->ShowStripPage(0); // the first tab's page, 2,304 keys
        QApplication::processEvents();
    }
    state.counters["keys"] = double(shown.controller->KeyWindows().size());
}
BENCHMARK(BM_PageShown)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CanvasFullPaint(benchmark::State& state)
{
    Shown shown;
    shown.started.editor->ShowStripPage(0);
    QImage target(kCanvas, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        shown.canvas->render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_CanvasFullPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DragStep(benchmark::State& state)
{
    Shown shown;
    kesmond::CKeyLayoutEditor& editor = *shown.started.editor;
    editor.ShowStripPage(0);
    kesmond::CFcKeyLayButton* key = shown.controller->KeyWindows()[kSide * 10 + 10];
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(key, &press);
    kesmond::CFcKeyLayMoveWnd band(*key, editor.Grid(), nullptr, shown.canvas);
    int step = 0;
    for (auto _ : state) {
        // Alternately one cell right and back.
        const int dx = (step++ % 2 == 0) ? 45 : -40;
        QMouseEvent move(QEvent::MouseMove, QPointF(5 + dx, 5), QPointF(5 + dx, 5), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&band, &move);
        shown.window.repaint(band.geometry().adjusted(-60, -40, 60, 40));
        QApplication::processEvents();
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: the same nine-slice images drawn straight into an image.
void BM_Floor_NineSliceImages(benchmark::State& state)
{
    QImage key;
    key.loadFromData(Png());
    const QSize cell((kCanvas.width() - 10) / kSide - 1, (kCanvas.height() - 16) / kSide - 3);
    QImage target(kCanvas, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.fillRect(target.rect(), Qt::white);
        for (int k = 0; k < kSide * kSide; ++k) {
            const QRect rect(2 + (k % kSide) * (cell.width() + 1),
                             2 + (k / kSide) * (cell.height() + 3), cell.width(),
                             cell.height() + 4);
            painter.fillRect(rect, Qt::white);
            if (const auto slices = kesmond::NineSliceRects(rect, key.size(), 8, 3, 1))
                for (const kesmond::NineSlice& slice : *slices)
                    painter.drawImage(slice.target, key, slice.source);
        }
        painter.end();
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_Floor_NineSliceImages)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
