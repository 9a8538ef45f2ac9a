#pragma once

// What the reading engine and the element objects need of the document that
// owns a parse: the element stack, the abort flag, the two databases, the
// import options and the recorded error.

#include "archive/CrxResult.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QStringList>

class CCrxDb;
class CCrxElementStack;

class ICrxDocument
{
public:
    virtual ~ICrxDocument() = default;

    virtual CCrxElementStack& GetElementStack() = 0;
    virtual const CrxAbortFlag* GetCancelFlag() const = 0;
    virtual CCrxDb* GetSettingDb() = 0;
    virtual CCrxDb* GetCustomerDb() = 0;
    // "CUSTOMER" names the customer database; every other name, "setting"
    // in lower case included, the settings database.
    virtual CCrxDb* GetDb(const QString& name);
    virtual int GetImportMode() const = 0;
    virtual int GetAllTablesFlag() const = 0;
    // nullptr: no selection (every table).
    virtual const QStringList* GetTableSelection() const = 0;
    // Overwrites an earlier code.
    virtual void SetLastError(CrxResult code) = 0;
    virtual CrxResult GetLastError() const = 0;
    // Asked after each end tag that closes the element on top (the others
    // leave the grammar where it was): true when the document has all it
    // reads, so the parse stops there instead of reading the rest of the
    // file.
    virtual bool ParseComplete(QByteArrayView endedName) const;
};
