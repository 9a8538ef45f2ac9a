#pragma once

// Before an import of chosen tables empties anything: every section of a
// chosen table must replace the table as a whole (mainte="renew"). A section
// of rows to add or update, or of a difference, carries only some rows, and
// emptying the table for it would drop all the others.

#include "archive/CCrxElementStack.h"
#include "archive/CCrxNode.h"
#include "archive/ICrxDocument.h"

#include <QStringList>

class CCrxDirEnv;

class CCrxRenewCheck : public ICrxDocument
{
public:
    CCrxRenewCheck(const QStringList& tables, const CrxAbortFlag* abort);
    ~CCrxRenewCheck() override;
    CCrxRenewCheck(const CCrxRenewCheck&) = delete;
    CCrxRenewCheck& operator=(const CCrxRenewCheck&) = delete;

    // Reads the table sections of the archive XML of an unpack folder (see
    // CrxParseDataXml): 0, CRX_E_PARTIAL_TABLE (its table in the
    // detail), CRX_E_CANCELLED or a code of the parse.
    static CrxResult Check(const CCrxDirEnv& env, const QString& archivePath,
                           const QStringList& tables, const CrxAbortFlag* abort);

    CCrxElementStack& GetElementStack() override { return m_stack; }
    const CrxAbortFlag* GetCancelFlag() const override { return m_pAbort; }
    // The check opens no database.
    CCrxDb* GetSettingDb() override { return nullptr; }
    CCrxDb* GetCustomerDb() override { return nullptr; }
    int GetImportMode() const override { return 0; }
    int GetAllTablesFlag() const override { return 0; }
    const QStringList* GetTableSelection() const override { return &m_tables; }
    void SetLastError(CrxResult code) override { m_nLastError = code; }
    CrxResult GetLastError() const override { return m_nLastError; }

private:
    QStringList m_tables;
    CrxAbortFlag m_nOwnAbort{0};
    const CrxAbortFlag* m_pAbort;
    CCrxElementStack m_stack;
    CCrxNode m_root;
    CrxResult m_nLastError = CRX_OK;
};
