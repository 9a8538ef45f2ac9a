#pragma once

// Builds the initial work databases of a base folder: from a register
// model's template, or from a blank template and the schema texts an archive
// brought along.

#include "archive/CCrxDirEnv.h"
#include "archive/CrxResult.h"

#include <QString>

#include <memory>

class CSQliteDB;

enum CrxSchemaKind { CRX_SCHEMA_SETTING = 0, CRX_SCHEMA_CUSTOMER = 1 };

class CCrxSchemaEnv
{
public:
    CCrxSchemaEnv();
    virtual ~CCrxSchemaEnv();
    CCrxSchemaEnv(const CCrxSchemaEnv&) = delete;
    CCrxSchemaEnv& operator=(const CCrxSchemaEnv&) = delete;

    // 1 when the unpacked schema text of that kind exists as a file.
    int HasSchemaFile(const QString& baseFolder, int kind);
    // Copies the base folder's schema text over the unpacked one (so an
    // export carries it on); a missing base text is no error. 0, an Init
    // code or CRX_E_SCHEMA_COPY.
    CrxResult CopySchemaFile(const QString& baseFolder, int kind);
    // Keeps the unpacked schema text in the base folder and runs it on the
    // database of that kind, in one transaction (its own BEGIN, COMMIT and
    // PRAGMAs are passed over). 0 also when the archive brought no such
    // text; CRX_E_DB_OPEN, CRX_E_FILE_ACCESS (a statement failed or was
    // refused: the database stays as it was, and the detail's statement
    // names its first line) or CRX_E_CLOSE_DB.
    CrxResult ApplySchemaFile(const QString& baseFolder, int kind);
    // Closes a database left open, then opens path. 0, CRX_E_CLOSE_DB or
    // CRX_E_DB_OPEN.
    CrxResult OpenDb(const QString& path, const QString& blobFolder);
    CrxResult CloseDb();

    // The initial databases: 1 success, 0 failure.
    static int InitSettingDbFiles(const QString& baseFolder, const QString& resourceFolder,
                                  const QString& modelFolder);

private:
    struct SchemaPaths
    {
        QString database;
        QString unpacked;
        QString base;
    };
    SchemaPaths PathsOf(int kind) const;
    CrxResult RunSchemaText(const QString& schemaPath);

    CCrxDirEnv m_env;
    std::unique_ptr<CSQliteDB> m_pDb;
};
