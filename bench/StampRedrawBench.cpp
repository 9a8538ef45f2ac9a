// The stamp pages redraw a stamp on every key typed: composing the stored
// 1-bit picture and drawing the text, then the text alone, and reading the
// largest shipped template.
#include "images/CGpSmartLogo.h"
#include "images/StampTemplate.h"
#include "images/StampText.h"

#include "goods/base/CMessageEdit.h"

#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

using namespace pellark;

const QString kText =
    QStringLiteral("KORVANE MARKET\r\n1-2-3 MAIN STREET, TOWN\r\nTEL 012-345-6789");

void BM_RedrawFromStoredPicture(benchmark::State& state)
{
    CGpSmartLogo page(nullptr);
    StampSlot& shop = page.Shop();
    shop.loaded.Create(576, 168);
    QPainter(&shop.loaded.Image()).fillRect(0, 0, 100, 168, Qt::black);
    shop.image.Create(576, 168);
    shop.font = StampFont(QStringLiteral("DejaVu Sans Mono"), -24, 0, false);
    shop.edit->SetStoredText(kText);
    for (auto _ : state)
        page.Redraw(shop);
}
BENCHMARK(BM_RedrawFromStoredPicture)->Unit(benchmark::kMillisecond);

void BM_DrawStampText(benchmark::State& state)
{
    QImage image(576, 168, QImage::Format_RGB888);
    const QFont font = StampFont(QStringLiteral("DejaVu Sans Mono"), -24, 0, false);
    for (auto _ : state) {
        image.fill(Qt::white);
        DrawStampText(image, font, StampAlignCenter, kText, kStampLineLength, 0, 0, QRect());
    }
}
BENCHMARK(BM_DrawStampText)->Unit(benchmark::kMillisecond);

void BM_ReadShippedTemplate(benchmark::State& state)
{
    const QString path = QStringLiteral(KORVANE_SUITE_DIR "/Template/LOGO/Badge.dat");
    QImage image;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadStampTemplate(path, kStampTemplateKind, image));
}
BENCHMARK(BM_ReadShippedTemplate)->Unit(benchmark::kMillisecond);

} // namespace
