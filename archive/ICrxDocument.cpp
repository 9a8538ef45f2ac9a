#include "archive/ICrxDocument.h"

#include "archive/CrxGrammarNames.h"

CCrxDb* ICrxDocument::GetDb(const QString& name)
{
    if (name == QLatin1String(crxname::kCustomerDbName))
        return GetCustomerDb();
    return GetSettingDb();
}

bool ICrxDocument::ParseComplete(QByteArrayView) const
{
    return false;
}
