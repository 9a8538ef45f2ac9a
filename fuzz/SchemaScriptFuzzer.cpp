// The runner of an archive's schema text on arbitrary text, against an
// in-memory database: it may create tables and indexes and nothing else, so
// no file may appear (ATTACH, VACUUM INTO) in the folder it runs in.
#include "stroven/CSQSchemaScript.h"
#include "stroven/Stroven.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>

namespace {

// The names in the current folder, where a relative file name of SQL lands.
QStringList CurrentFolderNames()
{
    return QDir::current().entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QStringList before = CurrentFolderNames();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)CSQSchemaScript::IsComplete(text);
    {
        CSQliteDB db;
        if (db.OpenDB(QStringLiteral(":memory:")) != 0)
            std::abort();
        (void)CSQSchemaScript::ExecCreateOnly(db, text);
        int err = 0;
        (void)db.GetTableList(err);
    }
    if (CurrentFolderNames() != before) {
        std::fprintf(stderr, "the schema text wrote a file\n");
        std::abort();
    }
    return 0;
}
