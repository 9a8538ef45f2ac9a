// The image editor on a large photo: opening it (test decode, working copy,
// canvas), rendering the logo file in both modes, and one frame of a drag.
// The floor is decoding the same JPEG with QImageReader alone.
#include "BenchSuiteFolder.h"
#include "images/CEditImgCtrl.h"
#include "images/CImgEditDlg.h"

#include "shared/config/CBasePath.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"

#include "platform/MessageBox.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using pellark::CImgEditDlg;

struct Photo
{
    QTemporaryDir dir;
    QString path;
    Photo()
    {
        // The editor's temporary files go to a data folder of the bench's own.
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
        benchsuite::UseSuiteFolder(dir.path());
        // The permitted extensions and the chooser filter are language texts.
        CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml");
        CProgramLang::Initialize(QStringLiteral("Pellark"), KORVANE_SUITE_DIR "/NolvarLANG.xml");
        QImage image(4000, 3000, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 4000, 3000);
        gradient.setColorAt(0, QColor(20, 40, 200));
        gradient.setColorAt(1, QColor(250, 220, 30));
        painter.fillRect(image.rect(), gradient);
        // Some detail, so the JPEG is photo-like rather than one gradient.
        QRandomGenerator random(42);
        for (int i = 0; i < 4000; ++i) {
            painter.fillRect(int(random.bounded(4000)), int(random.bounded(3000)),
                             int(random.bounded(200)), int(random.bounded(200)),
                             QColor::fromRgb(random.generate()));
        }
        painter.end();
        path = dir.filePath(QStringLiteral("photo.jpg"));
        image.save(path, "JPEG", 90);
    }
};

const Photo& ThePhoto()
{
    static const Photo photo;
    return photo;
}

std::unique_ptr<CImgEditDlg> OpenedEditor()
{
    auto editor = std::make_unique<CImgEditDlg>();
    editor->EditArea()->SetGraphicType(1);
    editor->OpenImageFile(ThePhoto().path);
    return editor;
}

void BM_DecodeFloor(benchmark::State& state)
{
    const QString path = ThePhoto().path;
    for (auto _ : state) {
        QImageReader reader(path);
        benchmark::DoNotOptimize(reader.read());
    }
}
BENCHMARK(BM_DecodeFloor)->Unit(benchmark::kMillisecond);

void BM_OpenInEditor(benchmark::State& state)
{
    CImgEditDlg editor;
    editor.EditArea()->SetGraphicType(1);
    const QString path = ThePhoto().path;
    for (auto _ : state)
        benchmark::DoNotOptimize(editor.OpenImageFile(path));
}
BENCHMARK(BM_OpenInEditor)->Unit(benchmark::kMillisecond);

void BM_RenderLogoFile(benchmark::State& state)
{
    auto editor = OpenedEditor();
    if (state.range(0) == 1)
        editor->OnCommand(CImgEditDlg::IDC_CHANGEMODE);
    editor->EditArea()->SetZoom(int(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(editor->GetOutputFile());
}
// Mode 0 nearest colour, 1 error diffusion; zoom in percent.
BENCHMARK(BM_RenderLogoFile)
    ->ArgsProduct({{0, 1}, {10, 100}})
    ->ArgNames({"mode", "zoom"})
    ->Unit(benchmark::kMillisecond);

void BM_DragFrameGrey(benchmark::State& state)
{
    auto editor = OpenedEditor();
    editor->OnCommand(CImgEditDlg::IDC_CHANGEMODE);
    pellark::CEditImgCtrl* area = editor->EditArea();
    QImage frame(area->size(), QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        ++step;
        area->MovePlacement(QPoint(-(step % 50), -(step % 30)));
        area->render(&frame);
        benchmark::DoNotOptimize(frame.bits());
    }
}
BENCHMARK(BM_DragFrameGrey)->Unit(benchmark::kMillisecond);

} // namespace
