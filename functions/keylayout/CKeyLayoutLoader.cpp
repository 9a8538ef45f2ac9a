#include "functions/keylayout/CKeyLayoutLoader.h"

#include "functions/keylayout/CButtonStyleMgr.h"
#include "functions/keylayout/KeyLayoutColour.h"

#include "shared/data/CStringArrayPtrArray.h"
#include "shared/data/NumberOfText.h"

#include "stroven/Stroven.h"

#include <algorithm>
#include <climits>

namespace kesmond {

namespace {

int Number(const QString& text)
{
    return int(std::clamp<qint64>(NumberOfText(text), INT_MIN, INT_MAX));
}

} // namespace

CKeyLayoutLoader::CKeyLayoutLoader(CSQliteDB& db, CButtonStyleMgr* images)
    : m_db(db), m_reads(db), m_pImages(images)
{
}

void CKeyLayoutLoader::Load(const CStringArrayPtrArray& rows)
{
    // The reads of names and images share one read transaction: on its own
    // each would take and drop the file's lock, a layout asks for every key.
    CSQliteSQL transaction(m_db, QStringLiteral("CSB022"));
    const bool own = !m_db.InTransaction() && transaction.StartTransaction() == 0;
    for (qsizetype i = 0; i < rows.GetSize(); ++i)
        if (const CRecord* row = rows.GetAt(i))
            AddRow(row->toList());
    if (own)
        transaction.ExecCommit();
}

std::unique_ptr<CButtonProperty> CKeyLayoutLoader::MakeRecord(const QStringList& row) const
{
    auto record = std::make_unique<CButtonProperty>();
    record->m_strControlType = row.value(KL_CONTROLTYPE);
    record->m_strTheme = row.value(KL_THEME);
    record->m_nSheetArrange = Number(row.value(KL_SHEETARRANGE));
    record->m_nSheetNumber = Number(row.value(KL_SHEETNUMBER));
    record->m_nX = Number(row.value(KL_POSITIONX));
    record->m_nY = Number(row.value(KL_POSITIONY));
    record->m_nWidth = Number(row.value(KL_WIDTH));
    record->m_nHeight = Number(row.value(KL_HEIGHT));
    record->m_nForeColor = ColourFromText(row.value(KL_FOREGROUNDCOLOR));
    record->m_nBackColor = ColourFromText(row.value(KL_BACKGROUNDCOLOR));
    record->m_nOptionColor = ColourFromText(row.value(KL_OPTIONCOLOR));
    record->m_strLabel = row.value(KL_LABEL);
    record->m_strCode = row.value(KL_CODE);
    record->m_nImageFlag = Number(row.value(KL_IMAGEFLAG));
    record->m_strBgImgControlType = row.value(KL_BGIMGCONTROLTYPE);
    record->m_strBgImgCode = row.value(KL_BGIMGCODE);
    return record;
}

void CKeyLayoutLoader::AddRow(const QStringList& row)
{
    const QString& sheetType = row.value(KL_SHEETTYPE);
    if (sheetType == QLatin1String("ITEMSHEETSELECTION"))
        AddStripRow(MakeRecord(row));
    else if (sheetType == QLatin1String("ITEM"))
        AddSheetRow(MakeRecord(row));
}

void CKeyLayoutLoader::AddStripRow(std::unique_ptr<CButtonProperty> record)
{
    const QRect rect(record->m_nX, record->m_nY, record->m_nWidth, record->m_nHeight);
    if (!m_bHasStrip || record->m_strControlType == QLatin1String("ItemSheetSelection")) {
        m_stripRect = rect;
        m_nStripColor = record->m_nBackColor;
        m_bHasStrip = true;
    }
    m_nLastStripPage = std::max(m_nLastStripPage, record->m_nSheetNumber);
    if (m_pImages)
        record->m_pBackImage = m_pImages->FindImage(
            record->m_strBgImgControlType, QStringLiteral("Standard"), record->m_strBgImgCode);
    if (record->m_strCode != QLatin1String("0")) {
        const PageMenuSettings menu = m_reads.ReadPageMenuSettings(record->m_strCode);
        record->m_strMenuType = menu.type;
        record->m_strMenuDeptLink = menu.deptLink;
        record->m_strMenuLayout = menu.layout;
        record->m_strDispName.clear();
        if (menu.deptLink != QLatin1String("0"))
            m_reads.ReadDeptName(menu.deptLink, record->m_strDispName);
        if (!m_bPageSheetsRead) {
            m_bPageSheetsRead = true;
            m_reads.ReadPageSheets(m_pageSheets);
        }
        const auto page = m_pageSheets.constFind(record->m_strCode);
        if (page != m_pageSheets.constEnd()) {
            record->m_strLabel = page->label;
            record->m_nPageArrange = page->arrange;
        }
    }
    m_stripRows.push_back(std::move(record));
}

void CKeyLayoutLoader::AddSheetRow(std::unique_ptr<CButtonProperty> record)
{
    if (record->IsPage()) {
        m_pages.emplace_back(QString::number(record->m_nSheetNumber), record->m_strCode);
        if (!m_bHasPage) {
            m_pageRect = QRect(record->m_nX, record->m_nY, record->m_nWidth, record->m_nHeight);
            m_bHasPage = true;
        }
    }
    if (record->IsItemButton()) {
        m_reads.ReadItemNameAndPrice(record->m_strCode, record->m_strDispName,
                                     record->m_strPriceText);
    } else if (record->IsFunctionButton()) {
        m_reads.ReadFuncKeyName(record->m_strCode, record->m_strDispName);
    }
    if (m_pImages) {
        if (record->IsItemButton()) {
            record->m_pBackImage = m_pImages->FindImage(QStringLiteral("ItemButton.Background.9"),
                                                        record->m_strTheme, record->m_strCode);
            record->m_pItemImage = m_pImages->FindImage(QStringLiteral("ItemButton"),
                                                        record->m_strTheme, record->m_strCode);
        } else {
            record->m_pBackImage = m_pImages->FindImage(QStringLiteral("FunctionButton"),
                                                        record->m_strTheme, record->m_strCode);
        }
    }
    m_sheetRows.push_back(std::move(record));
}

} // namespace kesmond
