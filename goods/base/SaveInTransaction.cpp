#include "goods/base/SaveInTransaction.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CSqLiteTransaction.h"

int SaveInTransaction(CSQliteDB& db, size_t count,
                      const std::function<bool(size_t page, int& err)>& save)
{
    CSQliteSQL sql(db, CBasePath::GetStrDummyName());
    CSqLiteTransaction transaction(db, sql);
    int err = transaction.StartStatus();
    for (size_t i = 0; i < count && err == 0; ++i)
        if (!save(i, err) && err == 0)
            err = SQLERR_ARGUMENTS;
    if (err == 0)
        err = transaction.Commit();
    if (err != 0)
        transaction.Rollback();
    return err;
}
