#include "shared/dialogs/SubItemValueCheck.h"

#include "shared/data/CStringArrayPtrList.h"
#include "shared/controls/NumberEditRules.h"
#include "shared/controls/NumberText.h"

#include <QDate>
#include <QTime>

namespace {

using Form = SubItemDlgType;

SubItemImportCheck Refused(const char* key)
{
    SubItemImportCheck result;
    result.nErrorType = CErrDataInfo::DATAERR_ERROR;
    result.strErrorKey = QLatin1String(key);
    return result;
}

SubItemImportCheck Accepted(const QString& value, int index = -1)
{
    SubItemImportCheck result;
    result.bOk = true;
    result.strValue = value;
    result.nIndex = index;
    return result;
}

bool AllDigits(QStringView text)
{
    for (QChar ch : text)
        if (!IsAsciiDigit(ch))
            return false;
    return true;
}

// The characters an edit of the form could hold; the edits would silently
// drop any other, which would import a different number.
bool EditTextWellFormed(int form, const QString& text, int digits, int decimals)
{
    switch (form) {
    case Form::DLGTYPE_PRICE:
    case Form::DLGTYPE_NUMZERO:
        return AllDigits(text);
    case Form::DLGTYPE_MINUSPRICE:
        return AllDigits(text.startsWith(u'-') ? QStringView(text).mid(1) : QStringView(text)) &&
               text != QLatin1String("-");
    case Form::DLGTYPE_PERCENT: {
        const qsizetype point = text.indexOf(u'.');
        if (point < 0)
            return AllDigits(text) && ParsePercentText(text, digits - decimals, decimals) != -1;
        const QStringView decimalPart = QStringView(text).mid(point + 1);
        return AllDigits(QStringView(text).left(point)) && AllDigits(decimalPart) &&
               decimalPart.size() <= decimals &&
               ParsePercentText(text, digits - decimals, decimals) != -1;
    }
    default:
        return true;
    }
}

SubItemImportCheck CheckDate(const QString& value)
{
    if (value.size() != 8)
        return Refused("CRDS_ERR_CHAR_TOOLENGTH");
    if (!AllDigits(value))
        return Refused("CRDS_ERR_INPUT");
    const QDate date(value.left(4).toInt(), value.mid(4, 2).toInt(), value.mid(6, 2).toInt());
    // Only real days: "20230231" would otherwise land on some other day.
    if (!date.isValid() || date.year() < 1900 || date.year() > 3000)
        return Refused("CRDS_ERR_INPUT");
    return Accepted(value);
}

SubItemImportCheck CheckTime(const QString& value)
{
    if (value.size() != 4)
        return Refused("CRDS_ERR_CHAR_TOOLENGTH");
    if (!AllDigits(value))
        return Refused("CRDS_ERR_INPUT");
    const int hour = value.left(2).toInt();
    const int minute = value.mid(2, 2).toInt();
    if (hour > 23 || minute > 59)
        return Refused("CRDS_ERR_INPUT");
    return Accepted(value);
}

SubItemImportCheck CheckList(const QString& text, const CStringArrayPtrList& selection,
                             bool allowEmpty)
{
    if (selection.IsEmpty())
        return Accepted(QString());
    QStringList texts;
    for (const QStringList* row : selection)
        texts << row->at(1);
    const int index = FindSubItemEntryText(texts, text);
    if (index >= 0)
        return Accepted(selection.GetAt(index)->at(0), index);
    if (!allowEmpty)
        return Refused("CRDS_ERR_INPUT");
    return Accepted(QString());
}

SubItemImportCheck CheckCheckList(const CStringArrayPtrList& selection)
{
    QString flags;
    for (const QStringList* row : selection) {
        const QString& code = row->at(0);
        if (code != QLatin1String("1") && code != QLatin1String("0"))
            return Refused("CRDS_ERR_INPUT");
        flags += code;
    }
    return Accepted(flags);
}

} // namespace

bool IsSubItemEditForm(int form)
{
    switch (form) {
    case Form::DLGTYPE_DATE:
    case Form::DLGTYPE_TIME:
    case Form::DLGTYPE_LIST:
    case Form::DLGTYPE_COMBO:
    case Form::DLGTYPE_CHECKLIST:
        return false;
    default:
        return true;
    }
}

int SubItemEditLimit(int form, int digits, int decimals)
{
    if (form == Form::DLGTYPE_PERCENT)
        return GetPercentTextColumns(digits - decimals, decimals);
    return digits;
}

bool SubItemSelectionRowsValid(const CStringArrayPtrList* selection)
{
    if (!selection)
        return false;
    for (const QStringList* row : *selection)
        if (!row || row->size() < 2)
            return false;
    return true;
}

int FindSubItemEntryText(const QStringList& entryTexts, const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    const QStringView wanted = QStringView(text).left(end);
    for (qsizetype i = 0; i < entryTexts.size(); ++i)
        if (entryTexts[i] == wanted)
            return int(i);
    return -1;
}

SubItemImportCheck CheckSubItemImportText(int form, int digits, int decimals, const QString& text,
                                          const CStringArrayPtrList* selection, bool allowEmpty)
{
    switch (form) {
    case Form::DLGTYPE_DATE:
        return CheckDate(text);
    case Form::DLGTYPE_TIME:
        return CheckTime(text);
    case Form::DLGTYPE_LIST:
    case Form::DLGTYPE_COMBO:
    case Form::DLGTYPE_CHECKLIST:
        if (!SubItemSelectionRowsValid(selection))
            return {};
        return form == Form::DLGTYPE_CHECKLIST ? CheckCheckList(*selection)
                                               : CheckList(text, *selection, allowEmpty);
    default:
        break;
    }
    if (text.size() > SubItemEditLimit(form, digits, decimals))
        return Refused("CRDS_ERR_CHAR_TOOLENGTH");
    if (form != Form::DLGTYPE_EDIT && text.isEmpty() && !allowEmpty)
        return Refused("CRDS_ERR_INPUT");
    if (!EditTextWellFormed(form, text, digits, decimals))
        return Refused("CRDS_ERR_INPUT");
    // The text as the edit shows it once it is left.
    if (form == Form::DLGTYPE_NUMZERO && digits > 0 && !text.isEmpty())
        return Accepted(ZeroFillText(text, digits));
    if (form == Form::DLGTYPE_PERCENT && decimals > 0 && !text.isEmpty())
        return Accepted(FormatPercentText(
            digits - decimals, ParsePercentText(text, digits - decimals, decimals), decimals));
    return Accepted(text);
}
