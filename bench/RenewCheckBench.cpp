// The check an import of chosen tables runs before it writes anything: one
// more pass over the archive XML, on an item table of N rows of 41 columns,
// written as the export writes them.
#include "archive/CCrxDirEnv.h"
#include "archive/CCrxRenewCheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The archive XML as an unpack folder holds it whole.
QString WriteXml(const CCrxDirEnv& env, int rows)
{
    const QString path = env.DataXmlPath();
    QDir().mkpath(env.UnpackFolder());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(
        "<?xml version='1.0' encoding='utf-8'?>\n<crxparse>\n\t<fileinfo>\n\t\t<machinetype>"
        "LUMO-500</machinetype>\n\t</fileinfo>\n\t<datainfo>\n\t\t<dbinfo dbname=\"SETTING\">\n"
        "\t\t\t<tabinfo tabname=\"CIA001\" mainte=\"renew\">\n\t\t\t\t<recinfo>\n");
    for (int row = 0; row < rows; ++row) {
        const QByteArray code = QByteArray::number(row).rightJustified(16, '0');
        QByteArray line = "\t\t\t\t\t<datarec>\n\t\t\t\t\t\t<ITEMCODE>" + code + "</ITEMCODE>\n";
        for (int column = 0; column < 40; ++column)
            line += "\t\t\t\t\t\t<COL" + QByteArray::number(column) + ">value " + code + "</COL" +
                    QByteArray::number(column) + ">\n";
        file.write(line + "\t\t\t\t\t</datarec>\n");
    }
    file.write("\t\t\t\t</recinfo>\n\t\t\t</tabinfo>\n\t\t</dbinfo>\n\t</datainfo>\n</crxparse>\n");
    return path;
}

void BM_RenewCheck(benchmark::State& state)
{
    QTemporaryDir folder;
    CCrxDirEnv env;
    env.Init(folder.path());
    const QString xml = WriteXml(env, int(state.range(0)));
    const QStringList tables{QStringLiteral("CIA001")};
    for (auto _ : state)
        if (CCrxRenewCheck::Check(env, QString(), tables, nullptr) != CRX_OK)
            state.SkipWithError("refused");
    state.counters["MB"] = double(QFile(xml).size()) / 1e6;
}
BENCHMARK(BM_RenewCheck)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
