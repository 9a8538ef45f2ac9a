// The archive XML reading engine on arbitrary bytes, fed through the import
// (header read, then CrxImportContents) into work databases built by the
// import itself from the default schema texts. The XML goes straight into
// the unpack folder: the unpacker has a target of its own.
// A file beside the base folder holds a marker; a blob reference that leaves
// the blob folder would carry it into a database.
#include "archive/CCrxDirEnv.h"
#include "archive/CCrxGetDocInfo.h"
#include "archive/CrxParse.h"
#include "fuzz/FuzzScratch.h"
#include "archive/QuorvinImport.h"
#include "stroven/Stroven.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace {

const QByteArray kSecret = QByteArrayLiteral("secret-0f1e2d3c4b5a69788796a5b4c3d2e1f0");

void Require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "archive XML import: %s\n", what);
        std::abort();
    }
}

void Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile file(path);
    Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(bytes) == bytes.size(),
            "cannot write a fixture file");
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Replace(const QString& from, const QString& to)
{
    QFile::remove(to);
    Require(QFile::copy(from, to), "cannot copy a template database");
}

// Built once per process: the work databases as the import makes them from
// "Schema.txt" and "CUSTOMER.txt", kept as templates for every input.
struct Setup
{
    QString archive; // the import reads only its file time
    CCrxDirEnv env;
    QString settingTemplate;
    QString customerTemplate;

    Setup()
    {
        const QString root = FuzzScratch::Instance().Folder();
        archive = root + QStringLiteral("/in.crx");
        Write(archive, QByteArray());
        Write(root + QStringLiteral("/secret.bin"), kSecret);
        const QString resources = root + QStringLiteral("/RESOURCE");
        QDir().mkpath(resources);
        {
            CSQliteDB blank;
            Require(blank.OpenDB(resources + QStringLiteral("/SETTING.DB")) == 0, "blank template");
        }
        const QString base = root + QStringLiteral("/base");
        Require(env.Init(base) == CRX_OK, "base folder");
        const QString schemas = QStringLiteral(KORVANE_SOURCE_DIR "/resources/schema/");
        Write(env.UnpackFolder() + QStringLiteral("/Schema.txt"),
              Read(schemas + QStringLiteral("Schema.txt")));
        Write(env.UnpackFolder() + QStringLiteral("/CUSTOMER.txt"),
              Read(schemas + QStringLiteral("CUSTOMER.txt")));
        Require(CrxImportInitSettingDB(archive, base, resources, QString()) == CRX_OK,
                "work databases from the schema texts");
        settingTemplate = root + QStringLiteral("/SETTING.template");
        customerTemplate = root + QStringLiteral("/CUSTOMER.template");
        Replace(env.SettingDbPath(), settingTemplate);
        Replace(env.CustomerDbPath(), customerTemplate);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const Setup setup;
    const CCrxDirEnv& env = setup.env;
    Replace(setup.settingTemplate, env.SettingDbPath());
    Replace(setup.customerTemplate, env.CustomerDbPath());
    QDir(env.UnpackFolder()).removeRecursively();
    // One blob file for references that stay inside the folder.
    Write(env.BlobFolder() + QStringLiteral("/CSB008_0.blob"), QByteArray("\x00\x01\xff", 3));
    const QByteArray xml(reinterpret_cast<const char*>(data), qsizetype(size));
    Write(env.DataXmlPath(), xml);

    {
        CCrxGetDocInfo header;
        header.BuildHeaderGrammar();
        (void)CrxParseFile(header, env.DataXmlPath());
        (void)header.FileInfo();
    }

    const CrxResult rc =
        CrxImportContents(setup.archive, env.BaseFolder(), nullptr, 0, QString(), nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    Require(rc == CRX_OK || (rc & 0xFFFFFF00u) == 0xE0000000u, "result code");
    Require(!QFile::exists(env.UnpackFolder()), "unpack folder left behind");
    Require(!Read(env.SettingDbPath()).contains(kSecret) &&
                !Read(env.CustomerDbPath()).contains(kSecret),
            "a file outside the blob folder reached a database");
    QDir(env.BaseMediaFolder()).removeRecursively();
    return 0;
}
