#include "functions/keylayout/CKeyLayoutReads.h"

#include "functions/keylayout/KeyLayoutColour.h"

#include "shared/data/NumberOfText.h"

#include "stroven/Stroven.h"

namespace kesmond {

namespace {

struct QueryText
{
    const char* table;
    QStringList columns;
    const char* where;
};

const QueryText& TextOf(int q)
{
    static const QueryText texts[] = {
        {"CSB022",
         {QStringLiteral("CONTROLTYPE"), QStringLiteral("THEME"), QStringLiteral("CODE"),
          QStringLiteral("FOREGROUNDCOLOR"), QStringLiteral("BACKGROUNDCOLOR"),
          QStringLiteral("OPTIONCOLOR")},
         "SHEETTYPE = ? AND SHEETNUMBER = ?"},
        {"CIA002", {QStringLiteral("ITEMDEPTNAME")}, "ITEMDEPTCODE = ?"},
        {"CSB002", {QStringLiteral("FUNCKEYNAME")}, "FUNCKEYCODE = ?"},
        {"CSB012", {QStringLiteral("FILENAME")}, "CONTROLTYPE = ? AND CODE = ?"},
        {"CIA001", {QStringLiteral("ITEMNAME"), QStringLiteral("UNITPRICE")}, "ITEMCODE = ?"},
        {"CSB022", {QStringLiteral("SHEETNUMBER")}, "CONTROLTYPE = 'ItemSheet' AND CODE = ?"},
        {"CSB003", {QStringLiteral("FUNCSETCODE"), QStringLiteral("VALUE")}, "FUNCKEYCODE = ?"},
        {"CSB022",
         {QStringLiteral("CODE"), QStringLiteral("LABEL"), QStringLiteral("SHEETARRANGE")},
         "CONTROLTYPE = 'ItemSheet'"},
    };
    return texts[q];
}

} // namespace

CKeyLayoutReads::CKeyLayoutReads(CSQliteDB& db) : m_db(db) {}

CKeyLayoutReads::~CKeyLayoutReads() = default;

bool CKeyLayoutReads::Run(Query q, const QStringList& values, QList<QStringList>& rows, bool all)
{
    rows.clear();
    std::unique_ptr<CSQliteSQL>& sql = m_statements[size_t(q)];
    if (!sql) {
        const QueryText& text = TextOf(q);
        sql = std::make_unique<CSQliteSQL>(m_db, QLatin1String(text.table));
        m_nStatus =
            sql->SetSQLForRead(text.columns, QLatin1String(text.where), QString(), all ? 0 : 1);
        if (m_nStatus != 0) {
            sql.reset();
            return false;
        }
    }
    m_nStatus = sql->SetParamsForRead(values);
    if (m_nStatus != 0)
        return false;
    CSQRowArray* batch = sql->ExecReadNext(m_nStatus);
    if (!batch)
        return false;
    for (const QStringList* row : std::as_const(*batch))
        rows.append(*row);
    sql->ReleaseReadRows();
    return true;
}

bool CKeyLayoutReads::ReadSheetStyleRow(const QString& sheetType, int number, SheetStyle& style)
{
    QList<QStringList> rows;
    const QString numberText = QString::number(number);
    bool found = Run(Style, {sheetType, numberText}, rows) && !rows.isEmpty();
    if (!found && sheetType == QLatin1String("DEFAULTITEMSHEETSELECTIONNORMAL"))
        found = Run(Style, {QStringLiteral("DEFAULTFUNCTIONBUTTON"), numberText}, rows) &&
                !rows.isEmpty();
    if (!found)
        return false;
    const QStringList& row = rows.first();
    style.controlType = row.value(0);
    style.theme = row.value(1);
    style.code = row.value(2);
    style.foreColor = ColourFromText(row.value(3));
    style.backColor = ColourFromText(row.value(4));
    style.optionColor = ColourFromText(row.value(5));
    return true;
}

bool CKeyLayoutReads::ReadDeptName(const QString& deptCode, QString& name)
{
    QList<QStringList> rows;
    if (!Run(Dept, {deptCode}, rows) || rows.isEmpty())
        return false;
    name = rows.first().value(0);
    return true;
}

bool CKeyLayoutReads::ReadFuncKeyName(const QString& code, QString& name)
{
    name.clear();
    if (code.isEmpty())
        return true;
    QList<QStringList> rows;
    if (!Run(FuncKey, {code}, rows) || rows.isEmpty())
        return false;
    name = rows.first().value(0);
    return true;
}

bool CKeyLayoutReads::ReadImageFileName(const QString& controlType, const QString& code,
                                        QString& fileName)
{
    QList<QStringList> rows;
    if (!Run(ImageFile, {controlType, code}, rows) || rows.isEmpty())
        return false;
    fileName = rows.first().value(0);
    return true;
}

bool CKeyLayoutReads::ReadItemNameAndPrice(const QString& itemCode, QString& name, QString& price)
{
    name.clear();
    price.clear();
    if (itemCode.isEmpty())
        return true;
    QList<QStringList> rows;
    if (!Run(Item, {itemCode}, rows) || rows.isEmpty())
        return false;
    name = rows.first().value(0);
    price = rows.first().value(1);
    return true;
}

QString CKeyLayoutReads::ReadSheetNumber(const QString& pageCode)
{
    QList<QStringList> rows;
    if (!Run(Number, {pageCode}, rows) || rows.isEmpty())
        return QStringLiteral("0");
    return rows.first().value(0);
}

PageMenuSettings CKeyLayoutReads::ReadPageMenuSettings(const QString& pageCode)
{
    PageMenuSettings settings;
    QList<QStringList> rows;
    if (!Run(Menu, {pageCode}, rows, true))
        return settings;
    for (const QStringList& row : std::as_const(rows)) {
        const QString& setCode = row.value(0);
        if (setCode == QLatin1String("MENU.TYPE"))
            settings.type = row.value(1);
        else if (setCode == QLatin1String("MENU.DEPTLINK"))
            settings.deptLink = row.value(1);
        else if (setCode == QLatin1String("MENU.LAYOUT"))
            settings.layout = row.value(1);
    }
    return settings;
}

bool CKeyLayoutReads::ReadPageSheets(QHash<QString, PageSheet>& pages)
{
    pages.clear();
    QList<QStringList> rows;
    if (!Run(Pages, {}, rows, true))
        return false;
    for (const QStringList& row : std::as_const(rows))
        if (!pages.contains(row.value(0)))
            pages.insert(row.value(0), {row.value(1), int(NumberOfText(row.value(2)))});
    return true;
}

} // namespace kesmond
