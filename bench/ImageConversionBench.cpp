// Rendering a picture into a logo of the printer: a photo scaled onto the
// 576 x 168 print area by each conversion, and the 1-bit BMP written.
#include "images/CImgCanvas.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using pellark::CImgCanvas;

const CImgCanvas& Photo()
{
    static const CImgCanvas photo = [] {
        CImgCanvas canvas;
        canvas.Create(4000, 3000);
        QPainter painter(&canvas.Image());
        QLinearGradient gradient(0, 0, 4000, 3000);
        gradient.setColorAt(0, QColor(20, 40, 200));
        gradient.setColorAt(1, QColor(250, 220, 30));
        painter.fillRect(0, 0, 4000, 3000, gradient);
        return canvas;
    }();
    return photo;
}

void BM_RenderLogo(benchmark::State& state)
{
    CImgCanvas photo = Photo();
    photo.SetConvertMode(int(state.range(0)));
    const int zoom = int(state.range(1));
    const QRect dest(0, 0, 4000 * zoom / 1000, 3000 * zoom / 1000);
    for (auto _ : state) {
        CImgCanvas output;
        benchmark::DoNotOptimize(
            photo.RenderInto(output, QSize(576, 168), dest, QRect(0, 0, 4000, 3000)));
    }
}
// Mode 0 nearest colour, 1 error diffusion; zoom in tenths of a percent.
BENCHMARK(BM_RenderLogo)
    ->ArgsProduct({{0, 1}, {144, 1000}})
    ->ArgNames({"mode", "zoom_permille"})
    ->Unit(benchmark::kMillisecond);

void BM_WriteMonoBmp(benchmark::State& state)
{
    QTemporaryDir dir;
    CImgCanvas logo;
    logo.Create(576, 168);
    const QString path = dir.filePath(QStringLiteral("logo.bmp"));
    for (auto _ : state)
        benchmark::DoNotOptimize(logo.WriteMonoBmp(path));
}
BENCHMARK(BM_WriteMonoBmp)->Unit(benchmark::kMicrosecond);

} // namespace
