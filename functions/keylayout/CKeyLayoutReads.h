#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class CSQliteDB;
class CSQliteSQL;

namespace kesmond {

// A CSB022 style row: the style's image and its three colours.
struct SheetStyle
{
    QString controlType, theme, code;
    int foreColor = 0, backColor = 0, optionColor = 0;
};

// A page's CSB003 menu settings.
struct PageMenuSettings
{
    QString type = QStringLiteral("1");
    QString deptLink = QStringLiteral("0");
    QString layout = QStringLiteral("1");
};

// A page's "ItemSheet" row: its label and arrangement.
struct PageSheet
{
    QString label;
    int arrange = 0;
};

// The key layout's small reads on the work database. Each reads the first
// matching row with its values bound; a statement is prepared on first use
// and kept, since loading asks once or twice per key. True = found.
class CKeyLayoutReads
{
public:
    explicit CKeyLayoutReads(CSQliteDB& db);
    ~CKeyLayoutReads();
    CKeyLayoutReads(const CKeyLayoutReads&) = delete;
    CKeyLayoutReads& operator=(const CKeyLayoutReads&) = delete;

    // A tab style that "DEFAULTITEMSHEETSELECTIONNORMAL" lacks is the
    // "DEFAULTFUNCTIONBUTTON" style of the same number.
    bool ReadSheetStyleRow(const QString& sheetType, int number, SheetStyle& style);
    bool ReadDeptName(const QString& deptCode, QString& name);
    // An empty code finds nothing and succeeds.
    bool ReadFuncKeyName(const QString& code, QString& name);
    bool ReadImageFileName(const QString& controlType, const QString& code, QString& fileName);
    // An empty code finds nothing and succeeds.
    bool ReadItemNameAndPrice(const QString& itemCode, QString& name, QString& price);
    // "0" when no page has the code.
    QString ReadSheetNumber(const QString& pageCode);
    // "1", "0", "1" where a row is missing.
    PageMenuSettings ReadPageMenuSettings(const QString& pageCode);
    // Every page's "ItemSheet" row by its CODE (the first of a code), in
    // one read: the table has no index that finds one page's row.
    bool ReadPageSheets(QHash<QString, PageSheet>& pages);

    // The status of the last read (0 or SQLREAD_END on success).
    int LastStatus() const { return m_nStatus; }

private:
    enum Query { Style, Dept, FuncKey, ImageFile, Item, Number, Menu, Pages, QueryCount };
    // The rows of query q for the values; false on a failed read.
    bool Run(Query q, const QStringList& values, QList<QStringList>& rows, bool all = false);

    CSQliteDB& m_db;
    std::array<std::unique_ptr<CSQliteSQL>, QueryCount> m_statements;
    int m_nStatus = 0;
};

} // namespace kesmond
