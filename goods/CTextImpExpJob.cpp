#include "goods/CTextImpExpJob.h"

#include "shared/textfiles/COesCSVFileImporter.h"
#include "shared/textfiles/CTextFileDeleter.h"
#include "shared/textfiles/CTextFileError.h"
#include "shared/textfiles/CTextFileExporter.h"
#include "shared/textfiles/CTextFileImporter.h"

#include "stroven/Stroven.h"

#include <QFileInfo>

#include <type_traits>

namespace brelkin {

namespace {

// Runs one text file object; on failure takes its key and text.
template <class Job>
bool Execute(Job&& job, bool (std::decay_t<Job>::*execute)(), QString& key, QString& message)
{
    if ((job.*execute)())
        return true;
    key = job.GetErrMsgId();
    if (!key.isEmpty())
        job.GetErrorMessage(message);
    return false;
}

} // namespace

bool CTextImpExpJob::Run()
{
    m_strErrorKey.clear();
    m_strErrorMessage.clear();
    bool ok = false;
    // Opening a missing file would make an empty database.
    if (QFileInfo(m_strDatabase).isFile()) {
        // Blob files beside the database, as the list's connection has them.
        CSQliteDB db;
        if (db.OpenDB(m_strDatabase) == 0)
            ok = Execute(db);
        db.CloseDB();
    }
    if (ok)
        return true;
    // A failure without a key is a failure all the same.
    if (m_strErrorKey.isEmpty() || m_strErrorMessage.isEmpty()) {
        m_strErrorKey = QStringLiteral("CRDS_PR_ERROR_UNKNOWN");
        m_strErrorMessage = CTextFileError().Message();
    }
    return false;
}

bool CTextImpExpJob::Execute(CSQliteDB& db)
{
    QString& key = m_strErrorKey;
    QString& text = m_strErrorMessage;
    switch (m_nCommand) {
    case DataImport: {
        CTextFileImporter importer(&db, m_strTable, m_strKeyColumn, m_strPath, m_nMode);
        importer.SetCodeColumns(m_codeColumns);
        return brelkin::Execute(importer, &CTextFileImporter::ExecuteImport, key, text);
    }
    case DataExport:
        return brelkin::Execute(CTextFileExporter(&db, m_strTable, m_strKeyColumn, m_strPath),
                                &CTextFileExporter::ExecuteExport, key, text);
    case DataDelete:
        return brelkin::Execute(CTextFileDeleter(&db, m_strTable, m_strKeyColumn, m_strPath),
                                &CTextFileDeleter::ExecuteDelete, key, text);
    case OesImport:
        return brelkin::Execute(
            COesCSVFileImporter(&db, m_strTable, m_strKeyColumn, m_strPath, m_nMode),
            &COesCSVFileImporter::ExecuteImport, key, text);
    default:
        return false;
    }
}

} // namespace brelkin
