// The idle media window opened and confirmed with a 300 MB movie and five
// 5 MB slides, against the floor of one plain copy of the same files.
#include "monitor/CFullDataDlg.h"
#include "monitor/CXmlDataArray.h"
#include "monitor/MonButtonTable.h"
#include "monitor/SignageFolder.h"

#include "platform/MessageBox.h"
#include "shared/config/CBasePath.h"
#include "shared/lang/CProgramLang.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr qint64 kMegabyte = 1024 * 1024;

void WriteFile(const QString& path, qint64 size)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QByteArray piece(int(kMegabyte), Qt::Uninitialized);
    for (int i = 0; i < piece.size(); ++i)
        piece[i] = char(i * 31 + 7);
    for (qint64 done = 0; done < size; done += piece.size())
        file.write(piece);
}

struct Fixture
{
    QTemporaryDir dir;
    QStringList files;
    mervolt::CXmlDataArray items;

    Fixture()
    {
        qputenv("XDG_DATA_HOME", (dir.path() + "/data").toUtf8());
        QFile ini(dir.path() + "/suite/Tovanel.ini");
        QDir().mkpath(dir.path() + "/suite");
        ini.open(QIODevice::WriteOnly);
        ini.write("[PRODUCT]\nPRODUCTKEY=BENCH\nPRODUCTMODE=0\n");
        ini.close();
        CBasePath::SetModuleFolder(dir.path() + "/suite");
        CProgramLang::Initialize("Mervolt", KORVANE_SUITE_DIR "/NolvarLANG.xml");
        platform::setMessageResponder([](const platform::MessageRequest&) { return 1; });
        ::CMainDlg::SetButtonTable(mervolt::MonButtonTable());
        for (const QString& sub : mervolt::MediaFolders())
            QDir().mkpath(mervolt::GetSignagePath(sub, QString()));
        files << mervolt::GetSignagePath("Movie", "movie.mp4");
        WriteFile(files.last(), 300 * kMegabyte);
        items.Add("string", "idle_movie_file", "movie.mp4");
        for (int n = 1; n <= 5; ++n) {
            files << mervolt::GetSignagePath("FullImage", QStringLiteral("slide%1.png").arg(n));
            WriteFile(files.last(), 5 * kMegabyte);
            items.Add("string", QStringLiteral("idle_slide%1_file").arg(n),
                      QStringLiteral("slide%1.png").arg(n));
        }
    }
};

Fixture& Data()
{
    static Fixture fixture;
    return fixture;
}

// Opening: the work copies made and the controls filled.
void BM_OpenIdleWindow(benchmark::State& state)
{
    Fixture& data = Data();
    for (auto _ : state) {
        mervolt::CFullDataDlg window;
        window.SetMenuItems(&data.items);
        window.Create();
        state.PauseTiming();
        window.reject();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenIdleWindow)->Unit(benchmark::kMillisecond);

// OK on an opened window: the work copies put in place.
void BM_ConfirmIdleWindow(benchmark::State& state)
{
    Fixture& data = Data();
    for (auto _ : state) {
        state.PauseTiming();
        mervolt::CFullDataDlg window;
        window.SetMenuItems(&data.items);
        window.Create();
        state.ResumeTiming();
        window.accept();
        if (window.result() != 1)
            state.SkipWithError("OK failed");
    }
}
BENCHMARK(BM_ConfirmIdleWindow)->Unit(benchmark::kMillisecond);

// The floor: one QFile::copy of every media file.
void BM_FloorCopyOfTheFiles(benchmark::State& state)
{
    Fixture& data = Data();
    const QString target = data.dir.path() + "/floor";
    for (auto _ : state) {
        state.PauseTiming();
        QDir(target).removeRecursively();
        QDir().mkpath(target);
        state.ResumeTiming();
        for (const QString& file : data.files)
            QFile::copy(file, target + u'/' + QFileInfo(file).fileName());
    }
}
BENCHMARK(BM_FloorCopyOfTheFiles)->Unit(benchmark::kMillisecond);

} // namespace
