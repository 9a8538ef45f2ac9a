#include "archive/CCrxSchemaEnv.h"

#include "archive/CrxDetail.h"
#include "platform/LegacyCodePage.h"
#include "stroven/CSQSchemaScript.h"
#include "stroven/Stroven.h"

#include <QFile>
#include <QStringDecoder>

CCrxSchemaEnv::CCrxSchemaEnv() = default;

CCrxSchemaEnv::~CCrxSchemaEnv()
{
    CloseDb();
}

CCrxSchemaEnv::SchemaPaths CCrxSchemaEnv::PathsOf(int kind) const
{
    if (kind == CRX_SCHEMA_CUSTOMER)
        return {m_env.CustomerDbPath(), m_env.UnpackedCustomerSchema(), m_env.BaseCustomerSchema()};
    return {m_env.SettingDbPath(), m_env.UnpackedSettingSchema(), m_env.BaseSettingSchema()};
}

int CCrxSchemaEnv::HasSchemaFile(const QString& baseFolder, int kind)
{
    if (m_env.Init(baseFolder) != CRX_OK)
        return 0;
    return PathKind(PathsOf(kind).unpacked) == CRX_PATH_FILE ? 1 : 0;
}

CrxResult CCrxSchemaEnv::CopySchemaFile(const QString& baseFolder, int kind)
{
    if (const CrxResult rc = m_env.Init(baseFolder); rc != CRX_OK)
        return rc;
    const SchemaPaths paths = PathsOf(kind);
    if (PathKind(paths.base) != CRX_PATH_FILE)
        return CRX_OK;
    return CopyFileOverwrite(paths.base, paths.unpacked) ? CRX_OK : CRX_E_SCHEMA_COPY;
}

CrxResult CCrxSchemaEnv::OpenDb(const QString& path, const QString& blobFolder)
{
    if (const CrxResult rc = CloseDb(); rc != CRX_OK)
        return rc;
    auto db = std::make_unique<CSQliteDB>(blobFolder);
    if (db->OpenDB(path) != 0) {
        db->CloseDB();
        return CRX_E_DB_OPEN;
    }
    m_pDb = std::move(db);
    return CRX_OK;
}

CrxResult CCrxSchemaEnv::CloseDb()
{
    if (!m_pDb)
        return CRX_OK;
    const int rc = m_pDb->CloseDB();
    m_pDb.reset();
    return rc == 0 ? CRX_OK : CRX_E_CLOSE_DB;
}

namespace {

// Schema texts are 8-bit: UTF-8 when they are valid UTF-8, else the legacy
// code page the register world writes.
QString DecodeSchemaText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return platform::LegacyCodePage::decode(bytes);
}

// The line that names a statement to the user: its first that is neither
// blank nor a comment.
QString FirstLine(const QString& statement)
{
    const QStringList lines = statement.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1String("--")))
            return trimmed;
    }
    return statement.trimmed();
}

} // namespace

CrxResult CCrxSchemaEnv::RunSchemaText(const QString& schemaPath)
{
    QFile file(schemaPath);
    if (!file.open(QIODevice::ReadOnly))
        return CRX_E_FILE_ACCESS;
    const QString text = DecodeSchemaText(file.readAll());
    if (file.error() != QFileDevice::NoError)
        return CRX_E_FILE_ACCESS;
    // SQLite reads no further than a NUL: the statements after one would be
    // lost without a word.
    if (text.contains(QChar(0)))
        return CRX_E_FILE_ACCESS;

    CSQliteSQL sql(*m_pDb, QString());
    if (sql.StartTransaction() != 0)
        return CRX_E_FILE_ACCESS;
    // Text after the last complete statement is never run.
    for (const QString& statement : CSQSchemaScript::Split(text)) {
        if (CSQSchemaScript::ExecCreateOnly(*m_pDb, statement) != 0) {
            sql.ExecRollback();
            CrxCurrentDetail().statement = FirstLine(statement);
            return CRX_E_FILE_ACCESS;
        }
    }
    return sql.ExecCommit() == 0 ? CRX_OK : CRX_E_FILE_ACCESS;
}

CrxResult CCrxSchemaEnv::ApplySchemaFile(const QString& baseFolder, int kind)
{
    CrxResult rc = m_env.Init(baseFolder);
    if (rc != CRX_OK)
        return rc;
    const SchemaPaths paths = PathsOf(kind);
    // The archive's schema stays in the base folder for the next export. An
    // archive without this text has nothing to run.
    if (PathKind(paths.unpacked) != CRX_PATH_FILE)
        return CRX_OK;
    if (!CopyFileOverwrite(paths.unpacked, paths.base))
        return CRX_E_FILE_ACCESS;
    rc = OpenDb(paths.database, m_env.BlobFolder());
    if (rc == CRX_OK)
        rc = RunSchemaText(paths.unpacked);
    const CrxResult closed = CloseDb();
    return rc != CRX_OK ? rc : closed;
}

int CCrxSchemaEnv::InitSettingDbFiles(const QString& baseFolder, const QString& resourceFolder,
                                      const QString& modelFolder)
{
    if (!CreateParentAndFolder(baseFolder))
        return 0;
    const QString& base = baseFolder;

    CCrxSchemaEnv schema;
    QString blankTemplate;
    if (JoinPath(resourceFolder, QLatin1String(CCrxDirEnv::kSettingDbName), blankTemplate) !=
        CRX_OK)
        return 0;
    if (schema.HasSchemaFile(base, CRX_SCHEMA_SETTING)) {
        if (!RetryCopyFile(blankTemplate, schema.m_env.SettingDbPath()) ||
            schema.ApplySchemaFile(base, CRX_SCHEMA_SETTING) != CRX_OK)
            return 0;
        if (schema.HasSchemaFile(base, CRX_SCHEMA_CUSTOMER)) {
            if (!RetryCopyFile(blankTemplate, schema.m_env.CustomerDbPath()) ||
                schema.ApplySchemaFile(base, CRX_SCHEMA_CUSTOMER) != CRX_OK)
                return 0;
        }
        return 1;
    }
    QString modelTemplate;
    if (JoinPath(resourceFolder + QLatin1Char('/') + modelFolder,
                 QLatin1String(CCrxDirEnv::kSettingDbName), modelTemplate) != CRX_OK ||
        modelFolder.isEmpty())
        return 0;
    return RetryCopyFile(modelTemplate, schema.m_env.SettingDbPath());
}
