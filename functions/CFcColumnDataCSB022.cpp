#include "functions/CFcColumnDataCSB022.h"

#include "goods/base/SaveInTransaction.h"

#include "shared/data/CSqLiteUtility.h"
#include "stroven/Stroven.h"

namespace kesmond {

namespace {

const QString kPopupList = QStringLiteral("POPUPLIST");
const QString kListItem = QStringLiteral("PopupListItem");
constexpr int kSequenceIndex = 2;

} // namespace

bool CFcColumnDataCSB022::ReadListIds(int& err, std::vector<FcListType>& types)
{
    return ReadListIdPairs(err, QStringLiteral("CSB022"),
                           {QStringLiteral("SHEETNUMBER"), QStringLiteral("SHEETNUMBER")},
                           QStringLiteral("SHEETTYPE='POPUPLIST' AND CONTROLTYPE='ListDialog'"),
                           QStringLiteral("SHEETNUMBER"), types);
}

QString CFcColumnDataCSB022::ItemTable() const
{
    return QStringLiteral("CSB022");
}

QStringList CFcColumnDataCSB022::ItemColumns() const
{
    return {QStringLiteral("SHEETTYPE"),     QStringLiteral("SHEETNUMBER"),
            QStringLiteral("SHEETSEQCODE"),  QStringLiteral("SHEETARRANGE"),
            QStringLiteral("CONTROLTYPE"),   QStringLiteral("THEME"),
            QStringLiteral("CODE"),          QStringLiteral("POSITIONY"),
            QStringLiteral("REMARKS"),       QStringLiteral("CREATEDATETIME"),
            QStringLiteral("UPDATEDATETIME")};
}

QString CFcColumnDataCSB022::ListIdColumn() const
{
    return QStringLiteral("SHEETNUMBER");
}

QStringList CFcColumnDataCSB022::ItemKeyColumns() const
{
    return {QStringLiteral("SHEETTYPE"), QStringLiteral("SHEETNUMBER"),
            QStringLiteral("SHEETSEQCODE")};
}

QString CFcColumnDataCSB022::NewItemId()
{
    return NextNumber(QStringLiteral("SHEETSEQCODE"),
                      QStringLiteral("SHEETTYPE='POPUPLIST' AND SHEETNUMBER='%1'")
                          .arg(CSqLiteUtility::EscapeSQLValue(m_strCurrentList)));
}

QStringList CFcColumnDataCSB022::NewItem(int& err, const QString& newId, const QString& key,
                                         const QString& now)
{
    err = 0;
    return {kPopupList,
            m_strCurrentList,
            newId,
            QStringLiteral("0"),
            kListItem,
            QStringLiteral("Standard"),
            key,
            newId,
            QStringLiteral("-"),
            now,
            now};
}

bool CFcColumnDataCSB022::RemoveItem(int& err, const QString& key)
{
    err = 0;
    if (!m_pSQliteDB) {
        err = SQLERR_NOT_OPEN;
        return false;
    }
    return CSqLiteUtility::DeleteRecord(*m_pSQliteDB, ItemTable(),
                                        {QStringLiteral("SHEETTYPE"), QStringLiteral("SHEETNUMBER"),
                                         QStringLiteral("CONTROLTYPE"), QStringLiteral("CODE")},
                                        {kPopupList, m_strCurrentList, kListItem, key}, err);
}

void CFcColumnDataCSB022::SetItemPosition(QStringList& item, int position) const
{
    item[kSequenceIndex] = QString::number(position);
    item[PositionIndex()] = QString::number(position);
}

bool CFcColumnDataCSB022::NeedsRenumbering(const QList<QStringList>& items) const
{
    if (CFcListAccess::NeedsRenumbering(items))
        return true;
    for (int k = 0; k < items.size(); ++k)
        if (items[k].value(kSequenceIndex) != QString::number(k + 1))
            return true;
    return false;
}

bool CFcColumnDataCSB022::RewriteItems(int& err, const QList<QStringList>& items)
{
    err = 0;
    if (!m_pSQliteDB) {
        err = SQLERR_NOT_OPEN;
        return false;
    }
    // The numbers are keys here: the list's items are put in again, and a
    // failed insert leaves the list as it was.
    err = SaveInTransaction(*m_pSQliteDB, 1, [&](size_t, int& status) {
        return CSqLiteUtility::DeleteRecord(*m_pSQliteDB, ItemTable(),
                                            {QStringLiteral("SHEETTYPE"),
                                             QStringLiteral("SHEETNUMBER"),
                                             QStringLiteral("CONTROLTYPE")},
                                            {kPopupList, m_strCurrentList, kListItem}, status) &&
               WriteItems(status, items, true);
    });
    return err == 0;
}

QString CFcColumnDataCSB022::KeyOrderColumn() const
{
    return QStringLiteral("SHEETSEQCODE");
}

} // namespace kesmond
