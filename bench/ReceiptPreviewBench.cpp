// One rebuild of the 58 mm and the 80 mm receipt preview as every keystroke
// in a message runs it: four messages of 512 characters (newline on, half of
// them full width) rewrapped, the content laid out and drawn with both
// stamps; and one rebuild of the three formal-receipt previews with a title
// and messages of 128 characters. Floor: the same lines drawn with one
// QPainter::drawText each into an image of the same size.
#include "bases/CReceipt80Canvas.h"
#include "bases/CRyoushuuCanvas.h"
#include "bases/CYokoRyoushuCanvas.h"
#include "bases/FormalReceiptContent.h"
#include "bases/ReceiptPreviewContent.h"
#include "bases/RewrapMessage.h"
#include "bases/StampPicture.h"

#include "shared/config/CBasePath.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace dunmarel;

namespace {

struct Setup
{
    Setup()
    {
        QFile ini(folder.path() + QStringLiteral("/Tovanel.ini"));
        ini.open(QIODevice::WriteOnly);
        ini.write("[PRODUCT]\nPRODUCTKEY=BENCH\n");
        ini.close();
        CBasePath::SetModuleFolder(folder.path());
    }
    QTemporaryDir folder;
};

const QString& Message()
{
    static const QString text = [] {
        QString t;
        for (int i = 0; i < 256; ++i)
            t += i % 2 ? QStringLiteral("\u3042") : QStringLiteral("a");
        for (int i = 0; i < 256; ++i)
            t += i % 2 ? QStringLiteral("b") : QStringLiteral("\u30AB");
        return t;
    }();
    return text;
}

QStringList Samples(const QStringList& keys, int width)
{
    QStringList lines;
    for (int i = 0; i < keys.size(); ++i)
        lines << QStringLiteral("Item %1").arg(i).leftJustified(width - 6) +
                     QStringLiteral("$12.00");
    return lines;
}

// Everything a keystroke rebuilds.
ReceiptPreviewContent Rebuild(bool paper58, CReceipt80Canvas& canvas, const QImage& stamp)
{
    ReceiptPreviewInput input;
    input.paper58 = paper58;
    input.topImage = input.bottomImage = stamp.size();
    input.topImageOn = input.bottomImageOn = true;
    input.taxContents = 1;
    const int columns = canvas.Geometry().columns;
    for (int block = 0; block < ReceiptPreviewInput::BLOCK_COUNT; ++block) {
        input.attrs[block] = {1, 0, block % 3};
        input.messages[block] = RewrapMessage(Message(), columns, 1, 0);
    }
    const int width = columns;
    const ReceiptPreviewContent content =
        BuildReceiptPreview(input, Samples(ReceiptHeaderKeys(paper58), width),
                            Samples(ReceiptItemKeys(paper58, 1), width));
    DrawReceiptPreview(content, canvas, stamp, stamp);
    return content;
}

void BM_Rebuild(benchmark::State& state)
{
    static Setup setup;
    const bool paper58 = state.range(0) == 58;
    CReceipt80Canvas canvas;
    canvas.SetGeometry(paper58 ? CanvasGeometry::Paper58mm() : CanvasGeometry::Paper80mm());
    const QImage stamp = ProgramPicture(139);
    for (auto _ : state)
        benchmark::DoNotOptimize(Rebuild(paper58, canvas, stamp).lineCount);
    state.counters["lines"] = canvas.Lines();
}
BENCHMARK(BM_Rebuild)->Arg(58)->Arg(80)->Unit(benchmark::kMillisecond);

void BM_FloorDrawText(benchmark::State& state)
{
    static Setup setup;
    const bool paper58 = state.range(0) == 58;
    CReceipt80Canvas canvas;
    canvas.SetGeometry(paper58 ? CanvasGeometry::Paper58mm() : CanvasGeometry::Paper80mm());
    const ReceiptPreviewContent content = Rebuild(paper58, canvas, ProgramPicture(139));
    const QSize size = canvas.Image().size();
    QFont font(canvas.Image().isNull() ? QString() : QStringLiteral("Monospace"));
    font.setPixelSize(20);
    for (auto _ : state) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        for (const ReceiptPreviewBlock& block : content.blocks)
            for (qsizetype i = 0; i < block.lines.size(); ++i)
                painter.drawText(QPoint(34, (block.line + 2 * int(i)) * 14 + 46), block.lines[i]);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_FloorDrawText)->Arg(58)->Arg(80)->Unit(benchmark::kMillisecond);

FormalReceiptInput FormalInput(bool paper58)
{
    FormalReceiptInput input;
    input.paper58 = paper58;
    input.stampOn = true;
    input.breakdown = true;
    input.title = Message().left(128);
    for (QString& message : input.messages)
        message = Message().mid(256, 128);
    return input;
}

// The vertical 58 mm, vertical 80 mm and horizontal previews, as a keystroke
// in the formal-receipt page rebuilds them.
void BM_FormalRebuild(benchmark::State& state)
{
    static Setup setup;
    const QImage stamp = ProgramPicture(139);
    const QImage pictures[] = {ProgramPicture(141), ProgramPicture(140), ProgramPicture(142),
                               ProgramPicture(143)};
    CRyoushuuCanvas vertical[2];
    vertical[1].SetGeometry(CanvasGeometry::Paper80mm());
    CYokoRyoushuCanvas horizontal;
    for (auto _ : state) {
        for (int k = 0; k < 2; ++k) {
            FormalReceiptInput input = FormalInput(k == 0);
            input.stampImage = stamp.size();
            DrawVerticalFormalReceipt(BuildVerticalFormalReceipt(input), vertical[k], stamp);
        }
        DrawHorizontalFormalReceipt(BuildHorizontalFormalReceipt(FormalInput(true), true, true),
                                    horizontal, pictures);
        benchmark::DoNotOptimize(horizontal.Image().bits());
    }
}
BENCHMARK(BM_FormalRebuild)->Unit(benchmark::kMillisecond);

void BM_FormalFloorDrawText(benchmark::State& state)
{
    static Setup setup;
    std::vector<std::pair<QSize, std::vector<FormalTextDraw>>> pages;
    for (int k = 0; k < 2; ++k) {
        CRyoushuuCanvas canvas;
        canvas.SetGeometry(k == 0 ? CanvasGeometry::Paper58mm() : CanvasGeometry::Paper80mm());
        FormalReceiptInput input = FormalInput(k == 0);
        input.stampImage = QSize(384, 112);
        const FormalReceiptContent content = BuildVerticalFormalReceipt(input);
        pages.push_back(
            {QSize(canvas.Width(), CReceipt80Canvas::HeightOf(content.lineCount)), content.texts});
    }
    pages.push_back({QSize(CYokoRyoushuCanvas::kWidth, CYokoRyoushuCanvas::kHeight),
                     BuildHorizontalFormalReceipt(FormalInput(true), true, true).texts});
    QFont font(QStringLiteral("Monospace"));
    font.setPixelSize(20);
    for (auto _ : state)
        for (const auto& [size, texts] : pages) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setFont(font);
            for (const FormalTextDraw& text : texts)
                for (qsizetype i = 0; i < text.lines.size(); ++i)
                    painter.drawText(QPoint(34, (text.line + 2 * int(i)) * 14 + 46), text.lines[i]);
            benchmark::DoNotOptimize(image.bits());
        }
}
BENCHMARK(BM_FormalFloorDrawText)->Unit(benchmark::kMillisecond);

} // namespace
