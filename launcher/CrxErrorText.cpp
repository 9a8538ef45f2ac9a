#include "launcher/CrxErrorText.h"

#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QStringList>

namespace tovanel {

QString CrxErrorText(const QString& key, CrxResult result, const CrxDetail& detail)
{
    QStringList lines{GetLangString(key),
                      u'[' + QString::number(result, 16).toUpper().rightJustified(8, u'0') + u']'};
    if (!detail.table.isEmpty())
        lines << FormatLangText(GetLangString(QStringLiteral("CRDS_MSG_E_CRPTABLE")), detail.table);
    if (!detail.key.isEmpty())
        lines << FormatLangText(GetLangString(QStringLiteral("CRDS_MSG_E_CRPROW")), detail.key);
    if (!detail.column.isEmpty())
        lines << FormatLangText(GetLangString(QStringLiteral("CRDS_MSG_E_CRPCOLUMN")),
                                detail.column);
    if (!detail.file.isEmpty())
        lines << FormatLangText(GetLangString(QStringLiteral("CRDS_MSG_E_CRPFILE")), detail.file);
    if (!detail.statement.isEmpty())
        lines << FormatLangText(GetLangString(QStringLiteral("CRDS_MSG_E_CRPSTATEMENT")),
                                detail.statement);
    return lines.join(u'\n');
}

} // namespace tovanel
