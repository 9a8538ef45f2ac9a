#pragma once

// The document of a full import or export: the path set of the base folder,
// the two databases, the grammar and its element stack, the call's options
// and the first recorded error. Its destructor deletes the unpack folder
// (once the paths were computed) and closes the databases.

#include "archive/CCrxDb.h"
#include "archive/CCrxDirEnv.h"
#include "archive/CCrxElementStack.h"
#include "archive/CCrxNode.h"
#include "archive/CrxFileInfo.h"
#include "archive/ICrxDocument.h"

#include <QStringList>

class CCrxDocument : public ICrxDocument
{
public:
    CCrxDocument() = default;
    ~CCrxDocument() override;
    CCrxDocument(const CCrxDocument&) = delete;
    CCrxDocument& operator=(const CCrxDocument&) = delete;

    // root > "crxparse" > "fileinfo" and "datainfo" > "dbinfo" > "tabinfo" >
    // "recinfo" > "datarec"; exporting adds the deleted-rows "recinfo" with
    // "baserec" and leaves "datainfo" out of a partial export with the
    // no-data-info switch. "fileinfo" carries the header values.
    void BuildGrammar(bool exporting);

    // Import. tables: nullptr imports every table as it comes; a list
    // empties and refills the tables it names (an empty list names none).
    // 0, CRX_E_NO_ARCHIVE, a path-set code, CRX_E_NO_SETTINGDB, an unpack
    // code (mode 1), CRX_E_NO_DATAXML, CRX_E_DB_OPEN or CRX_E_CANCELLED.
    CrxResult InitImport(const QString& archivePath, const QString& baseFolder,
                         const CrxAbortFlag* abort, int importMode, const QStringList* tables);
    // Closes the settings database; on success moves the unpacked media into
    // the base folder and writes the import stamp. The import's result.
    CrxResult FinishImport(const QString& archivePath, CrxResult code);

    CCrxDirEnv& DirEnv() { return m_env; }
    CCrxNode& Root() { return m_root; }
    void SetAbortFlag(const CrxAbortFlag* abort) { m_pAbort = abort ? abort : &m_nOwnAbort; }

    CCrxElementStack& GetElementStack() override { return m_stack; }
    const CrxAbortFlag* GetCancelFlag() const override { return m_pAbort; }
    CCrxDb* GetSettingDb() override { return &m_settingDb; }
    CCrxDb* GetCustomerDb() override { return &m_customerDb; }
    int GetImportMode() const override { return m_nImportMode; }
    int GetAllTablesFlag() const override { return m_nAllTables; }
    const QStringList* GetTableSelection() const override;
    void SetLastError(CrxResult code) override { m_nLastError = code; }
    // The rows queued on both databases written: the first row failure,
    // else 0.
    CrxResult FlushRows();
    CrxResult GetLastError() const override { return m_nLastError; }

    // Options of the call.
    int m_nImportMode = 0;
    int m_nAllTables = 1;
    CrxFileInfo m_fileInfo;
    // Media switches of an export; each counts only when it equals 1.
    int m_nMovie = 1;
    int m_nFullScreen = 1;
    int m_nHalfScreen = 1;
    int m_nItemImage = 1;
    int m_nRecommend = 1;
    int m_nNoDataInfo = 0;
    int m_nExportKind = 0;
    QStringList m_addList;
    QStringList m_replaceList;
    QStringList m_differenceList;
    QStringList m_tableSelection;

private:
    CCrxElementStack m_stack;
    CrxAbortFlag m_nOwnAbort{0};
    const CrxAbortFlag* m_pAbort = &m_nOwnAbort;
    CCrxDb m_settingDb;
    CCrxDb m_customerDb;
    CCrxDirEnv m_env;
    CCrxNode m_root;
    CrxResult m_nLastError = CRX_OK;
};
