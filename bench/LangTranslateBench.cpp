// Translating a dialog of 100 controls against a language file of 3,000 keys.
#include "shared/lang/CResourceLangDatas.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

namespace {

QString writeLanguageFile(const QTemporaryDir& dir)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n";
    for (const char* module : {"Sarvik", "Brelkin"}) {
        xml += "<module name=\"" + QByteArray(module) + "\">\n";
        for (int i = 0; i < 1500; ++i)
            xml += "<string id=\"CRDC_BENCH_" + QByteArray::number(i) + "\">Text number " +
                   QByteArray::number(i) + "</string>\n";
        xml += "</module>\n";
    }
    xml += "</resources>\n";
    const QString path = dir.path() + "/NolvarLANG.xml";
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(xml);
    return path;
}

void BM_TranslateDialogOf100Controls(benchmark::State& state)
{
    QTemporaryDir dir;
    CResourceLangDatas datas;
    datas.LoadDocumentFile(writeLanguageFile(dir));
    for (auto _ : state) {
        state.PauseTiming();
        QDialog dialog;
        dialog.setWindowTitle("CRDC_BENCH_0");
        auto* layout = new QVBoxLayout(&dialog);
        for (int i = 0; i < 100; ++i) {
            const QString key = QStringLiteral("CRDC_BENCH_%1").arg(i * 14);
            if (i % 2)
                layout->addWidget(new QLabel(key));
            else
                layout->addWidget(new QPushButton(key));
        }
        state.ResumeTiming();
        datas.SetWinLangTextAllChildren("Brelkin", &dialog);
    }
}
BENCHMARK(BM_TranslateDialogOf100Controls)->Unit(benchmark::kMillisecond);

void BM_LoadLanguageFileOf3000Keys(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = writeLanguageFile(dir);
    for (auto _ : state) {
        CResourceLangDatas datas;
        benchmark::DoNotOptimize(datas.LoadDocumentFile(path));
    }
}
BENCHMARK(BM_LoadLanguageFileOf3000Keys)->Unit(benchmark::kMillisecond);

} // namespace
