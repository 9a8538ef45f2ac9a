// Preference.xml of 100,000 items (a file from an archive may hold any
// number): read and write, against a bare QXmlStreamReader pass over the
// same file as the floor.
#include "monitor/CXmlDataArray.h"
#include "monitor/PreferenceXml.h"

#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <benchmark/benchmark.h>

namespace {

constexpr int kItems = 100000;

struct Fixture
{
    QTemporaryDir dir;
    QString path() const { return dir.path() + "/Preference.xml"; }
    QString out() const { return dir.path() + "/written.xml"; }

    Fixture()
    {
        mervolt::CXmlDataArray items;
        for (int i = 0; i < kItems; ++i)
            items.Add("string", QStringLiteral("transaction_item%1_file").arg(i + 1),
                      i % 3 ? QStringLiteral("%1.png").arg(i, 16, 10, QChar(u'0')) : QString());
        mervolt::WritePreferenceXml(path(), items);
    }
};

Fixture& Data()
{
    static Fixture fixture;
    return fixture;
}

void BM_ReadPreferenceXml(benchmark::State& state)
{
    const QString path = Data().path();
    for (auto _ : state) {
        mervolt::CXmlDataArray items;
        if (mervolt::ReadPreferenceXml(path, items) || items.GetSize() != kItems)
            state.SkipWithError("read failed");
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_ReadPreferenceXml)->Unit(benchmark::kMillisecond);

// What any reader of the file must do at least: every name and text.
[[gnu::noinline]] qsizetype BareStreamRead(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader reader(&file);
    qsizetype chars = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement())
            chars += reader.attributes().value("name").size();
        else if (reader.isCharacters())
            chars += reader.text().size();
    }
    return chars;
}

void BM_BareStreamReader(benchmark::State& state)
{
    const QString path = Data().path();
    for (auto _ : state)
        benchmark::DoNotOptimize(BareStreamRead(path));
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_BareStreamReader)->Unit(benchmark::kMillisecond);

void BM_WritePreferenceXml(benchmark::State& state)
{
    mervolt::CXmlDataArray items;
    mervolt::ReadPreferenceXml(Data().path(), items);
    for (auto _ : state) {
        if (mervolt::WritePreferenceXml(Data().out(), items))
            state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_WritePreferenceXml)->Unit(benchmark::kMillisecond);

} // namespace
