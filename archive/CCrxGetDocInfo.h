#pragma once

// The document of a header read: unpacks the archive and reads "fileinfo"
// only, from the archive XML as it is decompressed. It leaves the unpack
// folder for the following contents import.

#include "archive/CCrxDirEnv.h"
#include "archive/CCrxElementStack.h"
#include "archive/CCrxNode.h"
#include "archive/CrxFileInfo.h"
#include "archive/ICrxDocument.h"

class CCrxItem;

class CCrxGetDocInfo : public ICrxDocument
{
public:
    CCrxGetDocInfo() = default;
    ~CCrxGetDocInfo() override = default;
    CCrxGetDocInfo(const CCrxGetDocInfo&) = delete;
    CCrxGetDocInfo& operator=(const CCrxGetDocInfo&) = delete;

    // Builds the header grammar and unpacks the archive into the base
    // folder's unpack folder, reading the header on the way (a parse error
    // is recorded, never the result): 0, CRX_E_NO_ARCHIVE, a path-set code,
    // CRX_E_WORK_FOLDER, an unpack code, CRX_E_NO_DATAXML or CRX_E_CANCELLED.
    CrxResult Open(const QString& archivePath, const QString& baseFolder,
                   const CrxAbortFlag* abort);
    void BuildHeaderGrammar();
    // What the parse read: empty texts and 0 flags for what it did not reach.
    CrxFileInfo FileInfo() const;

    const CCrxDirEnv& DirEnv() const { return m_env; }

    CCrxElementStack& GetElementStack() override { return m_stack; }
    const CrxAbortFlag* GetCancelFlag() const override { return m_pAbort; }
    // A header read never opens a database.
    CCrxDb* GetSettingDb() override { return nullptr; }
    CCrxDb* GetCustomerDb() override { return nullptr; }
    int GetImportMode() const override { return 0; }
    int GetAllTablesFlag() const override { return 1; }
    const QStringList* GetTableSelection() const override { return nullptr; }
    void SetLastError(CrxResult code) override { m_nLastError = code; }
    CrxResult GetLastError() const override { return m_nLastError; }
    // The header is one "fileinfo" at the head of the file: once it ended
    // under "crxparse", the rows after it need not be tokenised.
    bool ParseComplete(QByteArrayView endedName) const override;

private:
    CCrxElementStack m_stack;
    CrxAbortFlag m_nOwnAbort{0};
    const CrxAbortFlag* m_pAbort = &m_nOwnAbort;
    CCrxDirEnv m_env;
    CCrxNode m_root;
    const CCrxElement* m_pCrxparse = nullptr;
    CrxResult m_nLastError = CRX_OK;
    CCrxItem* m_pMachineType = nullptr;
    CCrxItem* m_pCrxVersion = nullptr;
    CCrxItem* m_pRegVersion = nullptr;
    CCrxItem* m_pSystem = nullptr;
    CCrxItem* m_pPackage = nullptr;
};
