#pragma once

// Fixtures of the import tests: an archive folder written by the test and
// packed in-process, a base folder, and work databases made from SQL.

#include "archive/CCrxArchiver.h"
#include "archive/QuorvinImport.h"
#include "stroven/Stroven.h"

#include "archive/tests/CrxScratchFixture.h"
#include "testsupport/WorkDbFixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QMap>

#include <fstream>

namespace crxtest {

class ImportFixture : public ScratchFixture
{
protected:
    QString Base() const { return Path("base"); }
    QString SettingDb() const { return Base() + "/SETTING.DB"; }
    QString CustomerDb() const { return Base() + "/CUSTOMER.DB"; }

    // The archive XML: a header, then the given "dbinfo" sections.
    static QByteArray ArchiveXml(const QByteArray& datainfo)
    {
        return "<?xml version='1.0' encoding='utf-8'?>\n<crxparse>\n\t<fileinfo>\n"
               "\t\t<machinetype>M1</machinetype>\n\t\t<crxver>1.0</crxver>\n\t</fileinfo>\n"
               "\t<datainfo>\n" +
               datainfo + "\t</datainfo>\n</crxparse>\n";
    }

    // Writes the archive folder "src" (XML and extra files) and packs it.
    QString MakeArchive(const QByteArray& xml, const QMap<QString, QByteArray>& files = {},
                        const QString& name = "in.crx")
    {
        QDir(Path("src")).removeRecursively();
        EXPECT_TRUE(korvane::test::writeFile(Path("src/Korvane_REG_DATA.xml"), xml));
        QDir().mkpath(Path("src/blob"));
        for (auto it = files.begin(); it != files.end(); ++it)
            EXPECT_TRUE(korvane::test::writeFile(Path("src/" + it.key()), it.value()));
        CCrxArchiver archiver;
        EXPECT_EQ(archiver.Pack(Path("src"), Path(name)), CRX_OK);
        return Path(name);
    }

    CrxResult Header(const QString& archive, CrxFileInfo* info = nullptr)
    {
        CrxFileInfo local;
        CrxFileInfo& i = info ? *info : local;
        return CrxImportHeader(archive, Base(), nullptr, &i.machineType, &i.crxVersion,
                               &i.regVersion, &i.system, &i.package, &i.regVersionFlags,
                               &i.packageFlags);
    }

    CrxResult Contents(const QString& archive, int mode = 0, const QStringList* tables = nullptr,
                       const CrxAbortFlag* abort = nullptr)
    {
        return CrxImportContents(archive, Base(), abort, mode, QString(), nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, tables);
    }

    // A file in folder (made when missing) whose name is the given bytes,
    // which need not be UTF-8: as files copied from another system are named.
    static void WriteNativeFile(const QString& folder, const QByteArray& name,
                                const QByteArray& data)
    {
        ASSERT_TRUE(QDir().mkpath(folder));
        std::ofstream out(QFile::encodeName(folder).toStdString() + '/' + name.toStdString(),
                          std::ios::binary);
        out.write(data.constData(), data.size());
        ASSERT_TRUE(out.good());
    }

    // The one work-database fixture's helpers, under the names these tests use.
    static void Exec(const QString& db, const QStringList& statements)
    {
        korvane::test::ExecSql(db, statements);
    }
    static QStringList Rows(const QString& db, const QString& table,
                            const QStringList& columns = {})
    {
        return korvane::test::JoinedRows(db, table, columns);
    }
    static QByteArray Sqlite3(const QString& db, const QString& command)
    {
        return korvane::test::Sqlite3(db, command);
    }
};

} // namespace crxtest
