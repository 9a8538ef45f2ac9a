#include "bases/CSettingDetailList.h"

#include "bases/CBsMainListCtrl.h"
#include "bases/CSettingDetailModel.h"
#include "bases/DetailRows.h"

#include "shared/config/CBasePath.h"
#include "shared/config/PitchFontName.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/dialogs/CSubItemSetDlg.h"
#include "shared/lang/CProgramLang.h"

#include "platform/MessageBox.h"

#include <QHeaderView>

#include <algorithm>

namespace dunmarel {

namespace {

enum RowValue { kCode = 0, kTitle = 1, kValue = 2, kUpdated = 7 };
enum DefinitionValue { kDefId = 0, kDefCode = 1, kDefType = 3 };
enum ValueNameValue { kNameId = 0, kNameText = 2, kNameValue = 3 };

const QString kNoDefinitionType = QStringLiteral("01000000000000000000");
constexpr int kCheckRows = 12;

// A two-character field of the value type as a number; 0 when missing or
// not a number.
int TypeField(const QString& type, int from)
{
    bool ok = false;
    const int n = type.mid(from, 2).toInt(&ok);
    return ok && n > 0 ? n : 0;
}

int FormOfKind(const QString& kind)
{
    using T = SubItemDlgType;
    if (kind == u"00")
        return T::DLGTYPE_PERCENT;
    if (kind == u"02")
        return T::DLGTYPE_PRICE;
    if (kind == u"03")
        return T::DLGTYPE_DATE;
    if (kind == u"04")
        return T::DLGTYPE_TIME;
    if (kind == u"10" || kind == u"14")
        return T::DLGTYPE_LIST;
    return T::DLGTYPE_EDIT;
}

} // namespace

CSettingDetailList::CSettingDetailList(QWidget* page, unsigned listId)
    : m_pPage(page), m_nListId(listId), m_strEditMarker(GetTimestampOfNow())
{
}

CSettingDetailList::~CSettingDetailList()
{
    // The model answers from this list; the list control outlives it.
    delete m_pModel;
    FreeDescriptions();
}

CSettingDetailModel* CSettingDetailList::Model() const
{
    return m_pModel;
}

void CSettingDetailList::FreeDescriptions()
{
    m_definitionByCode.clear();
    m_valueNameByIdAndValue.clear();
    CSqLiteUtility::FreeStringArrayListPtr(m_valueNames);
    CSqLiteUtility::FreeStringArrayListPtr(m_definitions);
}

bool CSettingDetailList::LoadValueNames(CDataManager& manager)
{
    m_valueNameByIdAndValue.clear();
    CSqLiteUtility::FreeStringArrayListPtr(m_valueNames);
    CSQliteDB* db = manager.GetColumnDataList()->GetCSQliteDBPtr();
    int err = 0;
    if (!db || CSqLiteUtility::AllocStringArrayListPtr(
                   *db, QStringLiteral("CSM016"),
                   {QStringLiteral("SETCODEID"), QStringLiteral("LISTNUMBER"),
                    QStringLiteral("SETNAME"), QStringLiteral("SETVALUE")},
                   QStringLiteral("TABLENAME='CSB001'"), QStringLiteral("SETCODEID,LISTNUMBER"),
                   m_valueNames, err) < 0)
        return false;
    // Backwards, so that the first row of equal keys is the one kept.
    m_valueNameByIdAndValue.reserve(m_valueNames.GetCount());
    for (qsizetype i = m_valueNames.GetCount(); i-- > 0;) {
        const QStringList* row = m_valueNames.GetAt(i);
        m_valueNameByIdAndValue.insert({row->value(kNameId), row->value(kNameValue)}, row);
    }
    return true;
}

bool CSettingDetailList::LoadDefinitions(CDataManager& manager)
{
    m_definitionByCode.clear();
    CSqLiteUtility::FreeStringArrayListPtr(m_definitions);
    CSQliteDB* db = manager.GetColumnDataList()->GetCSQliteDBPtr();
    int err = 0;
    if (!db || CSqLiteUtility::AllocStringArrayListPtr(
                   *db, QStringLiteral("CSM017"),
                   {QStringLiteral("SETCODEID"), QStringLiteral("SETCODE"), QStringLiteral("TITLE"),
                    QStringLiteral("SETVALUETYPE"), QStringLiteral("DEFAULTSET")},
                   QStringLiteral("TABLENAME='CSB001'"), QString(), m_definitions, err) < 0)
        return false;
    m_definitionByCode.reserve(m_definitions.GetCount());
    for (qsizetype i = m_definitions.GetCount(); i-- > 0;) {
        const QStringList* row = m_definitions.GetAt(i);
        m_definitionByCode.insert({row->value(kDefCode), {}}, row);
    }
    return true;
}

bool CSettingDetailList::Fill(CDataManager& manager)
{
    m_pManager = &manager;
    m_pListCtrl = qobject_cast<CBsMainListCtrl*>(FindControlById(m_pPage, m_nListId));
    CColumnDataList* list = manager.GetColumnDataList();
    if (!m_pListCtrl || !list)
        return false;
    m_columnMap.clear();
    m_columnTitles.clear();
    m_columnAlignments.clear();
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        const CColumnData* column = list->m_ppColumnData[i];
        const QString title =
            column->m_strLabelKey.isEmpty() ? QString() : GetLangString(column->m_strLabelKey);
        if (title.isEmpty())
            continue;
        m_columnMap.push_back(i);
        m_columnTitles << title;
        m_columnAlignments.push_back(column->m_nType == SQLTYPE_NUMERIC ? Qt::AlignRight
                                                                        : Qt::AlignLeft);
    }
    if (!m_pModel) {
        m_pModel = new CSettingDetailModel(*this, m_pListCtrl);
        m_pListCtrl->setModel(m_pModel);
        QObject::connect(m_pListCtrl->horizontalHeader(), &QHeaderView::sectionClicked, m_pListCtrl,
                         [this](int section) { SortByColumn(section); });
        QObject::connect(m_pListCtrl, &QAbstractItemView::doubleClicked, m_pListCtrl,
                         [this] { EditSelectedRow(); });
    } else {
        m_pModel->Reset();
    }
    // Half the list's width each, at whatever width the page gives the list
    // (it is filled before it is laid out).
    m_pListCtrl->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    QFont font = m_pListCtrl->font();
    font.setFamily(GetFixPitchFontName());
    m_pListCtrl->setFont(font);
    return true;
}

int CSettingDetailList::RowCount() const
{
    return m_pManager ? int(m_pManager->m_arrRecords.GetSize()) : 0;
}

QString CSettingDetailList::ColumnTitle(int column) const
{
    return m_columnTitles.value(column);
}

Qt::Alignment CSettingDetailList::ColumnAlignment(int column) const
{
    return column >= 0 && size_t(column) < m_columnAlignments.size()
               ? m_columnAlignments[size_t(column)]
               : Qt::AlignLeft;
}

CRecord* CSettingDetailList::Row(int row) const
{
    return m_pManager ? m_pManager->m_arrRecords.GetAt(row) : nullptr;
}

const QStringList* CSettingDetailList::FindDefinition(const QString& code) const
{
    return m_definitionByCode.value({code, {}}, nullptr);
}

QString CSettingDetailList::GetValueName(const QStringList& definition, const QString& value) const
{
    const QStringList* name =
        m_valueNameByIdAndValue.value({definition.value(kDefId), value}, nullptr);
    return name ? name->value(kNameText) : QString();
}

QString CSettingDetailList::GetCellText(int row, int column) const
{
    const CRecord* values = Row(row);
    if (!values || column < 0 || size_t(column) >= m_columnMap.size())
        return QString();
    const int index = m_columnMap[size_t(column)];
    const QString value = values->value(index);
    if (index != kValue)
        return value;
    const QStringList* definition = FindDefinition(values->value(kCode));
    if (definition && definition->value(kDefType).startsWith(u"10"))
        return GetValueName(*definition, value);
    return value;
}

void CSettingDetailList::SortByColumn(int column)
{
    if (column != 0 || m_columnMap.empty() || !m_pManager)
        return;
    m_nSortDirection = column == m_nSortColumn ? -m_nSortDirection : 1;
    m_nSortColumn = column;
    const int index = m_columnMap[0];
    QList<CRecord*> rows = m_pManager->m_arrRecords.Members();
    const int direction = m_nSortDirection;
    if (m_pModel)
        m_pModel->BeginReorder();
    std::sort(rows.begin(), rows.end(), [index, direction](const CRecord* a, const CRecord* b) {
        const int order = QString::compare(a->value(index), b->value(index), Qt::CaseSensitive);
        return direction > 0 ? order < 0 : order > 0;
    });
    for (qsizetype i = 0; i < rows.size(); ++i)
        m_pManager->m_arrRecords.SetAt(i, rows[i]);
    if (m_pModel)
        m_pModel->EndReorder();
}

CSettingDetailList::Editor CSettingDetailList::EditorOf(int row) const
{
    Editor editor;
    const CRecord* values = Row(row);
    if (!values)
        return editor;
    const QString code = values->value(kCode);
    const QStringList* definition = FindDefinition(code);
    const QString type = definition ? definition->value(kDefType) : kNoDefinitionType;
    const QString id = definition ? definition->value(kDefId) : QString();
    const QString kind = type.left(2);
    editor.decimals = TypeField(type, 4);
    editor.digits = TypeField(type, 2) + editor.decimals;
    editor.type = FormOfKind(kind);
    const QString value = values->value(kValue);
    if (IsBatchDefaultSetting(code)) {
        editor.type = SubItemDlgType::DLGTYPE_CHECKLIST;
        if (value.isEmpty())
            return editor;
        const QString text = GetLangString(QStringLiteral("CRDC_BS_REPORT_CHECK"));
        for (int i = 0; i < kCheckRows; ++i)
            editor.choices.append(QStringList{
                i < value.size() && value[i] == u'1' ? QStringLiteral("1") : QStringLiteral("0"),
                text + QString::number(i + 1)});
    } else if (kind == u"10") {
        // In list order: the names were read ordered by id and list number.
        for (const QStringList* name : m_valueNames)
            if (!id.isEmpty() && name->value(kNameId).compare(id, Qt::CaseInsensitive) == 0)
                editor.choices.append(QStringList{name->value(kNameValue), name->value(kNameText)});
        if (editor.choices.isEmpty())
            return editor;
    }
    editor.open = true;
    return editor;
}

bool CSettingDetailList::EditSelectedRow()
{
    if (!m_pListCtrl || !m_pListCtrl->selectionModel())
        return false;
    const QModelIndexList selected = m_pListCtrl->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return false;
    const int row = selected.first().row();
    const Editor editor = EditorOf(row);
    const CRecord* values = Row(row);
    if (!editor.open || !values)
        return false;
    CSubItemSetDlg dialog(m_pPage, SubItemDlgType::E_DlgTypeTag(editor.type), 0);
    dialog.SetDlgWindowText(values->value(kTitle));
    dialog.SetLabelText(values->value(kTitle));
    dialog.SetValue(editor.digits, editor.decimals, values->value(kValue));
    CStringArrayPtrList choices;
    for (const QStringList& choice : editor.choices)
        choices.AddTail(new QStringList(choice));
    if (editor.type == SubItemDlgType::DLGTYPE_LIST ||
        editor.type == SubItemDlgType::DLGTYPE_CHECKLIST)
        dialog.SetSelectData(&choices);
    const bool taken = dialog.DoModal() == platform::IDOK;
    if (taken)
        SetRowValue(row, dialog.GetValue());
    CSqLiteUtility::FreeStringArrayListPtr(choices);
    return taken;
}

void CSettingDetailList::SetRowValue(int row, const QString& value)
{
    CRecord* values = Row(row);
    if (!values)
        return;
    QStringList edited = values->toList();
    while (edited.size() <= kUpdated)
        edited.append(QString());
    edited[kValue] = value;
    edited[kUpdated] = m_strEditMarker;
    *values = CRecord(edited);
    if (m_pModel)
        m_pModel->RowChanged(row);
}

bool CSettingDetailList::SaveChanges(CDataManager& manager, int& status)
{
    status = 0;
    CColumnDataList* list = manager.GetColumnDataList();
    if (!list)
        return false;
    for (qsizetype i = 0; i < manager.m_arrRecords.GetSize(); ++i) {
        CRecord* row = manager.m_arrRecords.GetAt(i);
        const QString marker = row ? row->value(kUpdated) : QString();
        if (marker.isEmpty() || marker.compare(m_strEditMarker, Qt::CaseInsensitive) != 0)
            continue;
        QStringList written = row->toList();
        written[kUpdated] = GetTimestampOfNow();
        if (!list->SaveRecord(int(i + 1), written, status))
            return false;
        // The row stays marked until the window closes: a failed OK rolls
        // the whole save back, and the next OK must write it again.
        row->replace(kUpdated, m_strEditMarker);
    }
    return true;
}

} // namespace dunmarel
