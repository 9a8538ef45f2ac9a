#include "goods/CColumnValueCheck.h"

#include "goods/CColumnDataDallasKey.h"
#include "goods/CColumnDataNum.h"
#include "goods/GoodsDialogIds.h"
#include "goods/ListFileTables.h"
#include "goods/PageControlKind.h"
#include "goods/UnlistedLabelKey.h"

#include "shared/controls/NumberEditRules.h"
#include "shared/controls/NumberText.h"
#include "shared/data/CColumnDataDBCombo.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CColumnDataPriceEdit.h"
#include "shared/data/CColumnDataScanCode.h"
#include "shared/data/CColumnDataUniqueRadio.h"
#include "shared/data/CColumnDataYesNoRadio.h"
#include "shared/data/CDataManager.h"
#include "shared/dialogs/SubItemValueCheck.h"
#include "shared/lang/CProgramLang.h"

#include <algorithm>

namespace brelkin {

namespace {

using Outcome = CColumnValueCheck::Result::Outcome;

// An edit without a limit of ours takes as much as Qt's.
constexpr int kQtMaxLength = 32767;
// The restaurant item's classification is the first characters of its text.
constexpr int kClassificationWidth = 6;

CColumnValueCheck::Result Stored(const QString& value)
{
    CColumnValueCheck::Result result;
    result.outcome = Outcome::Stored;
    result.value = value;
    return result;
}

CColumnValueCheck::Result Refused(const QString& text1, const QString& text2,
                                  CErrDataInfo::DataErrTypetag kind = CErrDataInfo::DATAERR_ERROR)
{
    CColumnValueCheck::Result result;
    result.outcome = Outcome::Refused;
    result.kind = kind;
    result.text1 = text1;
    result.text2 = text2;
    return result;
}

QString NotValid()
{
    return GetLangString(QStringLiteral("CRDS_ERR_INPUT"));
}

// A page template's text as the page shows it: its language text, or the
// key itself where the language file has none.
QString ShownText(const QString& key)
{
    const QString text = GetLangString(key);
    return text.isEmpty() ? key : text;
}

} // namespace

CColumnValueCheck::CColumnValueCheck(CDataManager* dataManager, unsigned pageId, Source source)
    : m_pDataManager(dataManager), m_nPageId(pageId), m_source(source),
      m_bSubItemList(pageId == IDD_PAGE_PLU || pageId == IDD_PAGE_PLU_CL ||
                     pageId == IDD_PAGE_PLU_RES)
{
}

bool CColumnValueCheck::IsSubItem(int columnIndex) const
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    if (!m_bSubItemList || columnIndex < 0 || columnIndex >= list->m_nColumnCount)
        return false;
    const CColumnData* column = list->m_ppColumnData[columnIndex];
    return column->m_nCtrlID == 0 && IsUnlistedLabelKey(column->m_strLabelKey);
}

CColumnValueCheck::Result CColumnValueCheck::Check(int columnIndex, const QString& text,
                                                   const QString& code, int entry, int lengthTaken)
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    if (columnIndex < 0 || columnIndex >= list->m_nColumnCount)
        return {};
    CColumnData* column = list->m_ppColumnData[columnIndex];
    column->m_strErrMsg.clear();
    const bool page = m_source == Source::Page;
    switch (PageControlKindOf(column, m_nPageId)) {
    case PageControlKind::None:
        return IsSubItem(columnIndex) ? CheckSubItem(column, text) : Result();
    case PageControlKind::CodeDisplay:
        return {};
    case PageControlKind::ItemButton:
        return page ? CheckChosenCode(column, text) : Result();
    case PageControlKind::Radio:
        return CheckRadio(column, text);
    case PageControlKind::Combo:
        return page ? CheckChosenEntry(column, entry) : CheckCombo(column, text);
    default:
        return CheckEdit(column, text, code, lengthTaken);
    }
}

CColumnValueCheck::Result CColumnValueCheck::CheckEdit(CColumnData* column, const QString& value,
                                                       const QString& code, int lengthTaken)
{
    const QString label = GetLangString(column->m_strLabelKey);
    QString text = value;
    // A file's text is tidied first; a page's is stored as the user typed it.
    if (m_source == Source::Import) {
        text = WithoutTrailingBlanks(value);
        if (dynamic_cast<const CColumnDataNum*>(column) && text.startsWith(QLatin1Char('.')))
            text.prepend(QLatin1Char('0'));
    }
    // A price takes digits and a leading minus only: any other character
    // would be dropped by the edit and so change the price.
    QString digits = text;
    if (dynamic_cast<const CColumnDataPriceEdit*>(column) && DeleteNonMinusNumber(digits))
        return Refused(NotValid(), label);
    // A page's key id is no value of the clerk's column: he may have none.
    const bool keyID = m_source == Source::Page && dynamic_cast<CColumnDataDallasKey*>(column);
    if (text.isEmpty() && !column->m_bNullable && !keyID)
        return Refused(NotValid(), label);
    int limit = column->m_nEditLimit != 0 ? column->m_nEditLimit : column->m_nSize;
    limit = std::max(limit > 0 ? limit : kQtMaxLength, lengthTaken);
    if (text.size() > limit)
        return Refused(GetLangString(QStringLiteral("CRDS_ERR_CHAR_TOOLENGTH")), label);
    // What the edit makes of a text it is given: a value it would change is
    // refused, not stored changed.
    QString shown = text;
    const uint id = column->m_nCtrlID;
    switch (PageControlKindOf(column, m_nPageId)) {
    case PageControlKind::MinusPrice:
        shown = RemoveInnerMinus(text);
        break;
    case PageControlKind::Percent:
        shown = NormalizePercentText(text, PercentIntegerDigits(id), PercentDecimalDigits(id));
        break;
    default:
        break;
    }
    QString reason;
    if (shown != text)
        return Refused(NotValid(), label);
    if (!ColumnAccepts(column, text, code, reason))
        return Refused(reason, label);
    // The key id lives in a table of its own; the record keeps the clerk.
    if (auto* key = dynamic_cast<CColumnDataDallasKey*>(column); key && m_source == Source::Page)
        return Stored(key->m_strClerkCode);
    return Stored(text);
}

bool CColumnValueCheck::ColumnAccepts(CColumnData* column, const QString& text, const QString& code,
                                      QString& reason)
{
    bool accepted = true;
    if (auto* number = dynamic_cast<CColumnDataNum*>(column)) {
        accepted = number->CheckNumberText(text);
    } else if (auto* key = dynamic_cast<CColumnDataDallasKey*>(column)) {
        // Key ids are set on the clerk page only; the clerk's own passes.
        if (m_source == Source::Page)
            accepted = key->CheckKeyID(text);
        else
            accepted =
                text == key->GetDescript(code) || key->CheckItemValue(QString(), QString(), text);
    } else if (dynamic_cast<CColumnDataScanCode*>(column)) {
        accepted = column->CheckItemValue(QStringLiteral("ITEMCODE"), code, text);
    } else {
        column->m_strErrMsg.clear();
        accepted = column->m_bNullable || !text.isEmpty();
    }
    if (!accepted)
        reason = column->m_strErrMsg.isEmpty() ? NotValid() : column->m_strErrMsg;
    return accepted;
}

const QStringList& CColumnValueCheck::CandidateTexts(CColumnData* column)
{
    auto known = m_candidateTexts.find(column);
    if (known != m_candidateTexts.end())
        return known.value();
    QStringList texts;
    if (auto* combo = dynamic_cast<CColumnDataDBCombo*>(column)) {
        combo->ReadCandidate(nullptr);
        for (const CRecord* row : combo->Candidates())
            texts << row->value(1);
    }
    return m_candidateTexts.insert(column, texts).value();
}

CColumnValueCheck::Result CColumnValueCheck::CheckCombo(CColumnData* column, const QString& value)
{
    auto* combo = static_cast<CColumnDataDBCombo*>(column);
    const QStringList& texts = CandidateTexts(column);
    // A combo without entries keeps no choice.
    if (texts.isEmpty())
        return Stored(QString());
    const QString text = WithoutTrailingBlanks(value);
    int found = -1;
    int matches = 0;
    for (int i = 0; i < texts.size(); ++i)
        if (texts[i].compare(text, Qt::CaseInsensitive) == 0) {
            if (found < 0)
                found = i;
            ++matches;
        }
    // A text that names two entries cannot tell which one is meant.
    if (matches > 1 || (matches == 0 && (!column->m_bNullable || !text.isEmpty())))
        return Refused(NotValid(), GetLangString(column->m_strLabelKey));
    return Stored(found < 0 ? QString() : combo->Candidates().GetAt(found)->value(0));
}

CColumnValueCheck::Result CColumnValueCheck::CheckChosenEntry(CColumnData* column, int entry)
{
    // The page's combo holds the candidates, entry i candidate i.
    auto* combo = static_cast<CColumnDataDBCombo*>(column);
    const bool chosen = entry >= 0 && entry < combo->Candidates().GetSize();
    if (!chosen && !column->m_bNullable)
        return Refused(NotValid(), GetLangString(column->m_strLabelKey));
    return Stored(combo->EntryValue(chosen ? entry : -1));
}

CColumnValueCheck::Result CColumnValueCheck::CheckChosenCode(CColumnData* column,
                                                             const QString& code)
{
    if (code.isEmpty() && !column->m_bNullable)
        return Refused(NotValid(), GetLangString(column->m_strLabelKey));
    return Stored(code);
}

CColumnValueCheck::Result CColumnValueCheck::CheckRadio(CColumnData* column, const QString& value)
{
    auto* unique = dynamic_cast<CColumnDataUniqueRadio*>(column);
    // Only the first two radios of a group take a text.
    if (unique && unique->m_nRadioCount < 2)
        return {};
    for (int r = 0; r < 2; ++r) {
        if (value != ShownText(PageRadioKey(column, m_nPageId, r)))
            continue;
        if (unique)
            return Stored(QString::number(r));
        auto* yesNo = static_cast<CColumnDataYesNoRadio*>(column);
        return Stored(r == 0 ? yesNo->YesValue() : yesNo->NoValue());
    }
    // A page's radios always hold one of their choices.
    if (m_source == Source::Page)
        return {};
    return Refused(NotValid(), GetLangString(column->m_strLabelKey));
}

CColumnValueCheck::Result CColumnValueCheck::CheckSubItem(CColumnData* column, const QString& text)
{
    const int form = SubItemKindOf(column->m_strLabelKey);
    const bool part = m_pDataManager->m_pszModeKey &&
                      qstrcmp(m_pDataManager->m_pszModeKey, "P_RES") == 0 &&
                      column->m_strColumnName == u"PROPERTY";
    const QString label = GetLangString(column->m_strLabelKey);
    if (form == SubItemDlgType::DLGTYPE_COMBO) {
        if (text.isEmpty() && column->m_bNullable)
            return Stored(QString());
        const int index = FindSubItemEntryText(CandidateTexts(column), text);
        auto* combo = dynamic_cast<CColumnDataDBCombo*>(column);
        if (index < 0 || !combo)
            return Refused(label, NotValid());
        return Stored(combo->Candidates().GetAt(index)->value(0));
    }
    const SubItemImportCheck check = CheckSubItemImportText(
        form, part ? kClassificationWidth : column->m_nSize, part ? 0 : column->m_nDecimals,
        part ? text.left(kClassificationWidth) : text, nullptr, column->m_bNullable);
    if (check.bOk)
        return Stored(part ? check.strValue + text.mid(kClassificationWidth) : check.strValue);
    if (check.nErrorType == CErrDataInfo::DATAERR_NONE)
        return Refused(label, GetLangString(QStringLiteral("CRDS_ERR_UNKNOWNERR")));
    return Refused(label, GetLangString(check.strErrorKey), check.nErrorType);
}

bool CColumnValueCheck::CheckKept(int columnIndex, const QString& value, const QString& code,
                                  QString& reason)
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    if (columnIndex < 0 || columnIndex >= list->m_nColumnCount)
        return true;
    CColumnData* column = list->m_ppColumnData[columnIndex];
    switch (PageControlKindOf(column, m_nPageId)) {
    case PageControlKind::None:
    case PageControlKind::CodeDisplay:
    case PageControlKind::ItemButton:
    case PageControlKind::Radio:
        return true;
    case PageControlKind::Combo: {
        CandidateTexts(column);
        const bool known =
            FindCandidateLinear(static_cast<CColumnDataDBCombo*>(column)->Candidates(), value) >= 0;
        if (column->m_bNullable || known)
            return true;
        reason = GetLangString(QStringLiteral("CRDS_CMN_ERR_INPUT"));
        return false;
    }
    default:
        if (ColumnAccepts(column, value, code, reason))
            return true;
        if (reason == NotValid())
            reason = column->m_strErrMsg.isEmpty()
                         ? GetLangString(QStringLiteral("CRDS_CMN_ERR_INPUT"))
                         : column->m_strErrMsg;
        return false;
    }
}

} // namespace brelkin
