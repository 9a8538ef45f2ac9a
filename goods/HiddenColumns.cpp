#include "goods/HiddenColumns.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CSqLiteUtility.h"

#include <QFileInfo>

namespace brelkin {

namespace {

void SetVisible(CColumnDataList& list, const char* name, bool visible, bool onlyWithLabel = false)
{
    for (int i = 0; i < list.m_nColumnCount; ++i) {
        CColumnData* column = list.m_ppColumnData[i];
        if (column->m_strColumnName.compare(QLatin1String(name), Qt::CaseInsensitive) != 0)
            continue;
        if (!onlyWithLabel || column->m_nLabelCtrlID != 0)
            column->m_bVisible = visible;
    }
}

} // namespace

bool ReadHiddenColumns(CColumnDataList& list, int windowKind, bool winpos, int& err)
{
    err = 0;
    if (windowKind != 8 && windowKind != 9 && windowKind != 10 && !(windowKind == 11 && winpos))
        return true;
    const QString path = CBasePath::GetLocalDataBasePath() + QStringLiteral("/SETTING.DB");
    if (!QFileInfo(path).isFile()) {
        err = SQLERR_NOT_OPEN; // never made here: the launcher owns the file
        return false;
    }
    CSQliteDB db;
    if ((err = db.OpenDB(path)) != 0)
        return false;
    QStringList names;
    {
        CSQliteSQL sql(db, QStringLiteral("CTT002"));
        const CSQRowArray* rows =
            CSqLiteUtility::ReadRows(sql, {QStringLiteral("COLUMNNAME")},
                                     QStringLiteral("TABLENAME = ? AND REMARKS LIKE '%view=gone%'"),
                                     {list.m_strTableName}, QString(), 0, err);
        if (!rows) {
            db.CloseDB();
            return false;
        }
        for (const QStringList* row : *rows)
            names << row->value(0);
    }
    db.CloseDB();
    for (const QString& name : names) {
        if (name.isEmpty())
            continue;
        for (int i = 0; i < list.m_nColumnCount; ++i) {
            CColumnData* column = list.m_ppColumnData[i];
            if (column->m_strColumnName.compare(name, Qt::CaseInsensitive) == 0)
                column->m_bVisible = column->m_nPrimaryKey == 1;
        }
    }
    switch (windowKind) {
    case 8:
        SetVisible(list, "ITEMPARMNAME", true);
        break;
    case 9:
        SetVisible(list, "ITEMNAME", true);
        SetVisible(list, "ITEMDEPTCODE", true);
        SetVisible(list, "ITEMPARMCODE", true);
        break;
    case 10:
        SetVisible(list, "CLKCODE", false, true);
        SetVisible(list, "CLKINTCODE", false);
        SetVisible(list, "CLKNAME", true);
        SetVisible(list, "CLKGRPCODE", true);
        break;
    case 11:
        SetVisible(list, "MMNAME", true);
        break;
    }
    return true;
}

} // namespace brelkin
