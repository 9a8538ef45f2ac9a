#include "functions/keylayout/CButtonStyleMgr.h"

#include "functions/keylayout/CImageDataCSB012.h"
#include "functions/keylayout/KeyLayoutColour.h"

#include "shared/data/CSqLiteUtility.h"
#include "shared/data/NumberOfText.h"

#include "stroven/Stroven.h"

#include <algorithm>

namespace kesmond {

namespace {

bool IsPreloadedType(const QString& controlType)
{
    return controlType == QLatin1String("ItemButton.Background.9") ||
           controlType == QLatin1String("FunctionButton") ||
           controlType == QLatin1String("ItemSheet.Background.9");
}

// The first row of a prepared read for the values; empty when none.
QStringList FirstRow(CSQliteSQL& sql, const QStringList& values, int& err)
{
    QStringList row;
    err = sql.SetParamsForRead(values);
    if (err != 0)
        return row;
    if (CSQRowArray* batch = sql.ExecReadNext(err); batch && !batch->isEmpty())
        row = *batch->first();
    sql.ReleaseReadRows();
    return row;
}

} // namespace

CButtonStyleMgr::CButtonStyleMgr(CSQliteDB* db) : m_pDB(db)
{
    if (!m_pDB)
        return;
    CSQliteSQL sql(*m_pDB, QStringLiteral("CSB012"));
    int err = 0;
    CSQRowArray* rows =
        CSqLiteUtility::ReadRows(sql,
                                 {QStringLiteral("CONTROLTYPE"), QStringLiteral("THEME"),
                                  QStringLiteral("CODE"), QStringLiteral("FILENAME")},
                                 QString(), {}, QString(), 0, err);
    if (!rows)
        return;
    for (const QStringList* row : std::as_const(*rows)) {
        auto record = new CImageDataCSB012(m_pDB);
        record->m_strControlType = row->value(0);
        record->m_strTheme = row->value(1);
        record->m_strCode = row->value(2);
        record->m_strFileName = row->value(3);
        Adopt(record);
        m_cache.push_back(record);
        if (IsPreloadedType(record->m_strControlType) && NumberOfText(record->m_strCode) < 15) {
            record->ExtractImageFiles();
            record->m_bResident = true;
        }
    }
}

// Every record is deleted once, through the ownership table, whether it is
// listed, released or both.
CButtonStyleMgr::~CButtonStyleMgr() = default;

void CButtonStyleMgr::Adopt(CImageDataCSB012* record)
{
    if (record && !m_owned.count(record))
        m_owned.emplace(record, std::unique_ptr<CImageDataCSB012>(record));
}

bool CButtonStyleMgr::IsInCache(const CImageDataCSB012* record) const
{
    return std::find(m_cache.begin(), m_cache.end(), record) != m_cache.end();
}

QString CButtonStyleMgr::ItemImageCode(const QString& itemCode)
{
    // The links are read once: a layout asks for every item key.
    if (!m_bLinksRead) {
        m_bLinksRead = true;
        CSQliteSQL sql(*m_pDB, QStringLiteral("CSA005"));
        int err = 0;
        CSqLiteUtility::ReadBatches(sql, {QStringLiteral("ITEMCODE"), QStringLiteral("CODE")},
                                    QString(), {}, QString(), 4096, err, [this](CSQRowArray& rows) {
                                        for (const QStringList* row : std::as_const(rows))
                                            m_itemLinks.insert(row->value(0), row->value(1));
                                        return true;
                                    });
    }
    const QString code = m_itemLinks.value(itemCode);
    return code.isEmpty() ? QStringLiteral("0") : code;
}

CImageDataCSB012* CButtonStyleMgr::FindImage(const QString& controlType, const QString& theme,
                                             const QString& code)
{
    QString imageCode = code;
    if (controlType == QLatin1String("ItemButton.Background.9")) {
        if (imageCode.isEmpty())
            imageCode = QStringLiteral("0");
        else if (imageCode.size() > 2)
            imageCode = m_pDB ? ItemImageCode(imageCode) : QStringLiteral("0");
    }
    for (CImageDataCSB012* record : m_cache)
        if (record->Matches(controlType, theme, imageCode))
            return record;
    if (controlType == QLatin1String("FunctionButton") && imageCode != QLatin1String("0"))
        for (CImageDataCSB012* record : m_cache)
            if (record->Matches(controlType, theme, QStringLiteral("0")))
                return record;
    return nullptr;
}

KeyStyle CButtonStyleMgr::GetStyleColours(const QString& sheetType, const QString& code)
{
    KeyStyle style;
    if (sheetType == QLatin1String("ItemSection")) {
        style.foreColor = int(0xFFA1A9B6u);
        style.backColor = 0;
        style.optionColor = 0;
        return style;
    }
    if (!m_pDB)
        return style;
    int err = 0;
    if (!m_styleRow) {
        m_styleRow = std::make_unique<CSQliteSQL>(*m_pDB, QStringLiteral("CSB022"));
        if (m_styleRow->SetSQLForRead(
                {QStringLiteral("FOREGROUNDCOLOR"), QStringLiteral("BACKGROUNDCOLOR"),
                 QStringLiteral("OPTIONCOLOR")},
                QStringLiteral("SHEETTYPE = ? AND CODE = ?"), QString(), 1) != 0) {
            m_styleRow.reset();
            return style;
        }
    }
    const QStringList row = FirstRow(*m_styleRow, {sheetType, code}, err);
    if (row.size() == 3) {
        style.foreColor = ColourFromText(row[0]);
        style.backColor = ColourFromText(row[1]);
        style.optionColor = ColourFromText(row[2]);
    }
    return style;
}

CImageDataCSB012* CButtonStyleMgr::GetDefaultItemBackground()
{
    return FindImage(QStringLiteral("ItemButton.Background.9"), QStringLiteral("Standard"),
                     QStringLiteral("0"));
}

CImageDataCSB012* CButtonStyleMgr::GetDefaultFunctionBackground()
{
    return FindImage(QStringLiteral("FunctionButton"), QStringLiteral("Standard"),
                     QStringLiteral("0"));
}

KeyStyle CButtonStyleMgr::GetDefaultKeyStyle()
{
    KeyStyle style;
    style.image = GetDefaultItemBackground();
    if (style.image) {
        const KeyStyle colours =
            GetStyleColours(QStringLiteral("DEFAULTITEMBUTTON"), QStringLiteral("0"));
        style.foreColor = colours.foreColor;
        style.backColor = colours.backColor;
        style.optionColor = colours.optionColor;
    }
    return style;
}

// No new record: nothing. Without an old record the new one is listed unless
// it is resident; with a resident old one, unless it is listed already; a
// listed old record that is not resident gives its place to the new one.
// The cache owns the new record in every case.
void CButtonStyleMgr::ReplaceImage(CImageDataCSB012* record, CImageDataCSB012* old)
{
    if (!record)
        return;
    Adopt(record);
    if (!old) {
        if (!record->m_bResident && !IsInCache(record))
            m_cache.push_back(record);
        return;
    }
    if (old->m_bResident) {
        if (!IsInCache(record))
            m_cache.push_back(record);
        return;
    }
    const auto at = std::find(m_cache.begin(), m_cache.end(), old);
    if (at == m_cache.end() || old == record)
        return;
    if (IsInCache(record)) {
        m_cache.erase(std::find(m_cache.begin(), m_cache.end(), old));
    } else {
        *at = record;
    }
    // The old record leaves the list; it stays owned until the cache goes,
    // since keys and dialogs may still point to it.
    Adopt(old);
}

void CButtonStyleMgr::Release(CImageDataCSB012* record)
{
    if (!record)
        return;
    Adopt(record);
    if (std::find(m_released.begin(), m_released.end(), record) == m_released.end())
        m_released.push_back(record);
}

} // namespace kesmond
