#include "functions/keylayout/CSaveKeyLayout.h"

#include "functions/keylayout/CImageDataCSB012.h"
#include "functions/keylayout/ImageFileName.h"
#include "functions/keylayout/KeyLayoutColour.h"
#include "functions/keylayout/KeyLayoutColumns.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CSqLiteTransaction.h"
#include "shared/data/CSqLiteUtility.h"

#include "stroven/Stroven.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace kesmond {

namespace {

// A blob file as the connection resolves it: the image folder and the
// file's own name, so a stored path can never name another folder.
QString BlobFile(const QString& path)
{
    return path.isEmpty() ? QString()
                          : ImageFolderName() + QLatin1Char('/') + QFileInfo(path).fileName();
}

bool IsDefaultItemBackground(const CImageDataCSB012& image)
{
    return image.m_strControlType == QLatin1String("ItemButton.Background.9") &&
           image.m_strCode == QLatin1String("0");
}

} // namespace

CSaveKeyLayout::CSaveKeyLayout(CSQliteDB* db, const CButtonPropertyArray& sheetRows,
                               const CButtonPropertyArray& stripRows)
    : m_pDB(db), m_sheetRows(sheetRows), m_stripRows(stripRows)
{
}

CSaveKeyLayout::~CSaveKeyLayout() = default;

bool CSaveKeyLayout::Save(int& err)
{
    err = 0;
    if (!m_pDB || !m_pDB->Handle()) {
        err = SQLERR_NOT_OPEN;
        return false;
    }
    CSQliteSQL sql(*m_pDB, QStringLiteral("CSB022"));
    CSqLiteTransaction transaction(*m_pDB, sql);
    if ((err = transaction.StartStatus()) != 0)
        return false;

    err = WriteItemRows(sql);
    for (const auto& row : m_sheetRows) {
        if (err == 0 && !row->IsPage())
            err = WriteFunctionBackground(*row);
    }
    for (const auto& row : m_sheetRows) {
        if (err == 0 && !row->IsPage())
            err = WriteItemBackgroundLink(*row);
    }
    for (const auto& row : m_sheetRows) {
        if (err == 0 && !row->IsPage())
            err = WriteItemPicture(*row);
    }
    for (const auto& row : m_stripRows) {
        if (err == 0 && row->m_strControlType == QLatin1String("Normal"))
            err = WritePageMenuSettings(*row);
    }
    for (const auto& row : m_stripRows) {
        if (err == 0 && row->m_strControlType == QLatin1String("Normal"))
            err = WriteTabStyle(*row);
    }
    if (err == 0)
        err = transaction.Commit();
    if (err != 0) {
        transaction.Rollback();
        return false;
    }
    return true;
}

int CSaveKeyLayout::WriteItemRows(CSQliteSQL& sql)
{
    int rc = sql.ExecSQL(QStringLiteral("DELETE FROM %1 WHERE %2 = '%3';")
                             .arg(CSqLiteUtility::QuoteSQLName(QStringLiteral("CSB022")),
                                  CSqLiteUtility::QuoteSQLName(QStringLiteral("SHEETTYPE")),
                                  CSqLiteUtility::EscapeSQLValue(QStringLiteral("ITEM"))));
    if (rc != 0)
        return rc;
    if ((rc = sql.SetSQLForWrite({}, Csb022ColumnNames(), {})) != 0)
        return rc;

    // The rows of each sheet number in row order, so that each page's keys
    // are found without a pass over every row per page.
    QHash<int, QList<const CButtonProperty*>> byNumber;
    for (const auto& row : m_sheetRows)
        byNumber[row->m_nSheetNumber].append(row.get());

    const QString item = QStringLiteral("ITEM");
    const QString one = QStringLiteral("1");
    const QString zero = QStringLiteral("0");
    const QString dash = QStringLiteral("-");
    QSet<int> written;
    QStringList values;
    values.reserve(Csb022ColumnNames().size());
    for (const auto& page : m_sheetRows) {
        // A page number given twice is written once.
        if (!page->IsPage() || written.contains(page->m_nSheetNumber))
            continue;
        written.insert(page->m_nSheetNumber);
        int sequence = 0;
        for (const CButtonProperty* row : std::as_const(byNumber[page->m_nSheetNumber])) {
            const QString now = GetTimestampOfNow();
            values = {item,
                      QString::number(row->m_nSheetNumber),
                      QString::number(row->m_nSheetArrange),
                      QString::number(sequence++),
                      row->m_strControlType,
                      row->m_strTheme,
                      row->m_strCode,
                      one,
                      QString::number(row->m_nX),
                      QString::number(row->m_nY),
                      QString::number(row->m_nWidth),
                      QString::number(row->m_nHeight),
                      row->m_strLabel,
                      ColourToDbText(row->m_nForeColor),
                      ColourToDbText(row->m_nBackColor),
                      ColourToDbText(row->m_nOptionColor),
                      QString::number(row->m_nImageFlag),
                      row->m_strBgImgControlType,
                      QString(),
                      row->m_strBgImgCode,
                      zero,
                      QString(),
                      QString(),
                      dash,
                      now,
                      now};
            if ((rc = sql.ExecWrite({}, values, {}, SQLWRITE_INSERT)) != 0)
                return rc;
        }
    }
    return 0;
}

int CSaveKeyLayout::WriteFunctionBackground(const CButtonProperty& key)
{
    if (!key.IsFunctionButton() || !key.m_pBackImage || !key.m_pBackImage->m_bChanged)
        return 0;
    return WriteImage(*key.m_pBackImage, key.m_strCode);
}

int CSaveKeyLayout::WriteItemBackgroundLink(const CButtonProperty& key)
{
    if (!key.IsItemButton() || !key.m_pBackImage || !key.m_pBackImage->m_bChanged)
        return 0;
    const CImageDataCSB012& image = *key.m_pBackImage;
    if (IsDefaultItemBackground(image)) {
        CSQliteSQL sql(*m_pDB, QStringLiteral("CSA005"));
        int rc = sql.SetSQLForWrite({QStringLiteral("ITEMCODE")}, {}, {});
        if (rc == 0)
            rc = sql.ExecWrite({key.m_strCode}, {}, {}, SQLWRITE_DELETE);
        return rc;
    }
    const QString now = GetTimestampOfNow();
    return WriteRow(QStringLiteral("CSA005"), {QStringLiteral("ITEMCODE")},
                    {QStringLiteral("CONTROLTYPE"), QStringLiteral("THEME"), QStringLiteral("CODE"),
                     QStringLiteral("CREATEDATETIME"), QStringLiteral("UPDATEDATETIME")},
                    {}, {key.m_strCode},
                    {image.m_strControlType, QString(), image.m_strCode, now, now}, {});
}

int CSaveKeyLayout::WriteItemPicture(const CButtonProperty& key)
{
    if (!key.IsItemButton() || !key.m_pItemImage || !key.m_pItemImage->m_bChanged)
        return 0;
    return WriteImage(*key.m_pItemImage, key.m_strCode);
}

int CSaveKeyLayout::WriteImage(const CImageDataCSB012& image, const QString& code)
{
    const QString now = GetTimestampOfNow();
    QStringList blobColumns = {QStringLiteral("GRAPHICDATA")};
    QStringList blobFiles = {BlobFile(image.m_strImageFile)};
    if (!image.m_strChunkFile.isEmpty()) {
        blobColumns << QStringLiteral("NINEPATCHCHUNK");
        blobFiles << BlobFile(image.m_strChunkFile);
    }
    return WriteRow(
        QStringLiteral("CSB012"),
        {QStringLiteral("CONTROLTYPE"), QStringLiteral("THEME"), QStringLiteral("CODE")},
        {QStringLiteral("FILENAME"), QStringLiteral("CREATEDATETIME"),
         QStringLiteral("UPDATEDATETIME")},
        blobColumns, {image.m_strControlType, image.m_strTheme, code},
        {image.m_strFileName, now, now}, blobFiles);
}

int CSaveKeyLayout::WritePageMenuSettings(const CButtonProperty& tab)
{
    const QString now = GetTimestampOfNow();
    const QStringList keyColumns = {QStringLiteral("FUNCKEYCODE"), QStringLiteral("FUNCSETCODE")};
    CSQliteSQL sql(*m_pDB, QStringLiteral("CSB003"));
    int rc = sql.SetSQLForWrite(keyColumns, {QStringLiteral("VALUE")}, {});
    if (rc != 0)
        return rc;
    // An existing setting takes the value; a missing one is inserted only
    // where insert says so.
    auto write = [&](const QString& setCode, const QString& value, bool insert) {
        const QStringList key = {tab.m_strCode, setCode};
        bool exists = false;
        int status = RowExists(QStringLiteral("CSB003"), keyColumns, key, exists);
        if (status != 0)
            return status;
        if (exists)
            return sql.ExecWrite(key, {value}, {}, SQLWRITE_UPDATE);
        if (!insert)
            return 0;
        return WriteRow(QStringLiteral("CSB003"), keyColumns,
                        {QStringLiteral("VALUE"), QStringLiteral("REMARKS"),
                         QStringLiteral("CREATEDATETIME"), QStringLiteral("UPDATEDATETIME")},
                        {}, key, {value, QString(), now, now}, {});
    };
    // MENU.TYPE is only kept up to date where the page has it; a linked
    // department must reach the register even when the page had no link row.
    if (!tab.m_strMenuType.isEmpty() &&
        (rc = write(QStringLiteral("MENU.TYPE"), tab.m_strMenuType, false)) != 0)
        return rc;
    if (!tab.m_strMenuDeptLink.isEmpty() &&
        (rc = write(QStringLiteral("MENU.DEPTLINK"), tab.m_strMenuDeptLink,
                    tab.m_strMenuDeptLink != QLatin1String("0"))) != 0)
        return rc;
    if (tab.m_strMenuLayout.isEmpty())
        return sql.ExecWrite({tab.m_strCode, QStringLiteral("MENU.LAYOUT")}, {}, {},
                             SQLWRITE_DELETE);
    return write(QStringLiteral("MENU.LAYOUT"), tab.m_strMenuLayout, true);
}

int CSaveKeyLayout::WriteTabStyle(const CButtonProperty& tab)
{
    // A tab without a background image has nothing to write.
    const CImageDataCSB012* image = tab.m_pBackImage;
    if (!image || (image->m_strControlType == tab.m_strBgImgControlType &&
                   image->m_strCode == tab.m_strBgImgCode))
        return 0;
    const QString now = GetTimestampOfNow();
    CSQliteSQL sql(*m_pDB, QStringLiteral("CSB022"));
    int rc =
        sql.SetSQLForWrite({QStringLiteral("SHEETTYPE"), QStringLiteral("SHEETNUMBER"),
                            QStringLiteral("CONTROLTYPE"), QStringLiteral("CODE")},
                           {QStringLiteral("FOREGROUNDCOLOR"), QStringLiteral("BACKGROUNDCOLOR"),
                            QStringLiteral("OPTIONCOLOR"), QStringLiteral("BGIMGCONTROLTYPE"),
                            QStringLiteral("BGIMGCODE"), QStringLiteral("CREATEDATETIME"),
                            QStringLiteral("UPDATEDATETIME")},
                           {});
    if (rc != 0)
        return rc;
    return sql.ExecWrite({QStringLiteral("ITEMSHEETSELECTION"), QString::number(tab.m_nSheetNumber),
                          tab.m_strControlType, tab.m_strCode},
                         {ColourToDbText(tab.m_nForeColor), ColourToDbText(tab.m_nBackColor),
                          ColourToDbText(tab.m_nOptionColor), image->m_strControlType,
                          image->m_strCode, now, now},
                         {}, SQLWRITE_UPDATE);
}

int CSaveKeyLayout::RowExists(const QString& table, const QStringList& keyColumns,
                              const QStringList& keyValues, bool& exists)
{
    exists = false;
    CSQliteSQL sql(*m_pDB, table);
    QStringList conditions;
    for (const QString& column : keyColumns)
        conditions << CSqLiteUtility::QuoteSQLName(column) + QStringLiteral(" = ?");
    int err = 0;
    CSQRowArray* rows = CSqLiteUtility::ReadRows(sql, {keyColumns.first()},
                                                 conditions.join(QStringLiteral(" AND ")),
                                                 keyValues, QString(), 1, err);
    if (!rows)
        return err != 0 ? err : SQLERR_NOT_PREPARED;
    exists = !rows->isEmpty();
    return 0;
}

int CSaveKeyLayout::WriteRow(const QString& table, const QStringList& keyColumns,
                             const QStringList& valueColumns, const QStringList& blobColumns,
                             const QStringList& keyValues, const QStringList& values,
                             const QStringList& blobFiles)
{
    bool exists = false;
    int rc = RowExists(table, keyColumns, keyValues, exists);
    if (rc != 0)
        return rc;
    CSQliteSQL sql(*m_pDB, table);
    if ((rc = sql.SetSQLForWrite(keyColumns, valueColumns, blobColumns)) != 0)
        return rc;
    return sql.ExecWrite(keyValues, values, blobFiles, exists ? SQLWRITE_UPDATE : SQLWRITE_INSERT);
}

} // namespace kesmond
