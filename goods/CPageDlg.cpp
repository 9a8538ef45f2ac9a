#include "goods/CPageDlg.h"

#include "goods/CColumnDataDallasKey.h"
#include "goods/CColumnValueCheck.h"
#include "goods/GoodsDialogIds.h"
#include "goods/ListRowHeight.h"
#include "goods/PageControlKind.h"
#include "goods/PageLayouts.h"
#include "goods/UnlistedLabelKey.h"
#include "goods/base/CEnterKeyFilter.h"
#include "goods/base/ProgramMessage.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/CEcrEdit.h"
#include "shared/controls/CItemSelectButton.h"
#include "shared/controls/CMinusPriceEdit.h"
#include "shared/controls/CNumZeroEdit.h"
#include "shared/controls/CPercentEdit.h"
#include "shared/controls/CWaitCursor.h"
#include "shared/controls/EditSize.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnDataDBCombo.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CColumnDataUniqueRadio.h"
#include "shared/data/CColumnDataYesNoRadio.h"
#include "shared/data/CDataManager.h"
#include "shared/dialogs/CSubItemSetDlgEx.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"
#include "shared/lang/WindowText.h"
#include "shared/textfiles/CErrDataInfo.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QHeaderView>
#include <QRadioButton>
#include <QScrollBar>
#include <QRegularExpression>

namespace brelkin {

namespace {

const QString kCreateDateTime = QStringLiteral("CREATEDATETIME");
const QString kProperty = QStringLiteral("PROPERTY");
constexpr int kClassificationWidth = 6;
// Rows a name/value list shows at least.
constexpr int kListRowsShown = 4;
const QString kUpdateDateTime = QStringLiteral("UPDATEDATETIME");

// The group box around a radio group, where the page template has one.
uint RadioBoxId(unsigned pageId, uint firstRadio)
{
    if (firstRadio == 23121)
        return 23193;
    if (pageId == IDD_PAGE_ITEMPARM_CL && firstRadio == 14057)
        return 23195;
    if (pageId == IDD_PAGE_ITEMPARM_CL && firstRadio == 23022)
        return 23194;
    return 0;
}

// The text of the checked radio of a column's group on the page; "" when
// none is checked.
QString CheckedRadioText(QWidget* page, const CColumnData* column)
{
    auto* unique = dynamic_cast<const CColumnDataUniqueRadio*>(column);
    const int count = unique ? unique->m_nRadioCount : 2;
    for (int r = 0; r < count; ++r) {
        auto* radio =
            qobject_cast<QRadioButton*>(FindControlById(page, column->m_nCtrlID + uint(r)));
        if (radio && radio->isChecked())
            return radio->text();
    }
    return QString();
}

// A page control's value handed to the check as the text it holds (a
// combo's chosen entry, an item button's chosen code, a radio group's
// checked text); code: the record's code.
CColumnValueCheck::Result CheckControl(CColumnValueCheck& check, QWidget* page,
                                       const CColumnDataList* list, int columnIndex,
                                       QWidget* control, const QString& code, const QString& stored)
{
    QString text;
    int entry = -1;
    int lengthTaken = 0;
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        entry = combo->currentIndex();
        text = combo->currentText();
    } else if (auto* button = qobject_cast<CItemSelectButton*>(control)) {
        text = button->m_strSelectCode;
    } else if (qobject_cast<QRadioButton*>(control)) {
        text = CheckedRadioText(page, list->m_ppColumnData[columnIndex]);
    } else {
        text = GetWindowText(control);
        // The edit shows a longer stored text whole: it may stay as long.
        lengthTaken = int(stored.size());
    }
    return check.Check(columnIndex, text, code, entry, lengthTaken);
}

} // namespace

CPageDlg::CPageDlg() = default;

CPageDlg::~CPageDlg() = default;

void CPageDlg::BindPage(CDataManager* dataManager, int recordNo, bool newRecord)
{
    m_pDataManager = dataManager;
    m_nRecordNo = recordNo;
    m_bNewRecord = newRecord;
}

bool CPageDlg::Create(unsigned pageId, QWidget* parent)
{
    m_nPageId = pageId;
    setParent(parent);
    SetControlId(this, pageId);
    BuildControls();
    SetDialogLangTexts(this);
    // Enter in an edit or combo box does not close the editor.
    new CEnterKeyFilter(this, true);
    if (ShowData(true))
        return true;
    ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD_FAILED"),
                       platform::MessageIcon::Error);
    return false;
}

QWidget* CPageDlg::Control(const CColumnData* column) const
{
    if (!column || column->m_nCtrlID == 0)
        return nullptr;
    // Every save and refill asks for each column's control: a search of the
    // page's children each time would cost a row import most of its time.
    const auto known = m_controls.constFind(column->m_nCtrlID);
    if (known != m_controls.cend() && known.value())
        return known.value();
    QWidget* control = FindControlById(const_cast<CPageDlg*>(this), column->m_nCtrlID);
    if (control)
        m_controls.insert(column->m_nCtrlID, control);
    return control;
}

void CPageDlg::BuildControls()
{
    auto* form = new QFormLayout(this);
    BuildControlsOf(form, m_pDataManager->GetColumnDataList(), true);
    if (m_pSecondDataManager)
        BuildControlsOf(form, m_pSecondDataManager->GetColumnDataList(), false);
    if (m_pSecondDataManager && m_nPageId == IDD_PAGE_SETPRICE)
        AddSetPriceButtons(form);
    if (m_nPageId == IDD_PAGE_PLU || m_nPageId == IDD_PAGE_PLU_CL || m_nPageId == IDD_PAGE_PLU_RES)
        SetupSubItemList(form);
}

QTreeWidget* CPageDlg::NewNameValueList(unsigned id)
{
    auto* list = new QTreeWidget(this);
    SetControlId(list, id);
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHeaderLabels({GetLangString(QStringLiteral("CRDS_PR_FUNC_CLMN_NAME")),
                           GetLangString(QStringLiteral("CRDS_PR_FUNC_CLMN_VALUE"))});
    list->header()->setSectionsClickable(false);
    // Rows of a clear height, and room for several: the editor's pages scroll,
    // the list would else be squeezed to a row and a half.
    const int row = SetListRowHeight(list);
    list->setMinimumHeight(list->header()->sizeHint().height() + 2 * list->frameWidth() +
                           list->horizontalScrollBar()->sizeHint().height() + kListRowsShown * row);
    return list;
}

void CPageDlg::SetupSubItemList(QFormLayout* form)
{
    m_pSubItems = NewNameValueList(IDC_SUBITEMS);
    const int w = m_pSubItems->width();
    const int width = 140 * (w < 318 ? 1000 : w * 1000 / 317) / 1000;
    m_pSubItems->setColumnWidth(0, width);
    m_pSubItems->setColumnWidth(1, width);
    connect(m_pSubItems, &QTreeWidget::itemDoubleClicked, this, [this] { EditSubItem(); });
    auto* change = new QPushButton(QStringLiteral("CRDC_PR_CHAGE_VALUE"), this);
    change->setAutoDefault(false);
    SetControlId(change, IDC_CHANGE_VALUE);
    connect(change, &QPushButton::clicked, this, &CPageDlg::EditSubItem);
    form->addRow(m_pSubItems);
    form->addRow(QString(), change);
}

void CPageDlg::ShowSubItems(const QStringList& record, bool firstTime)
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    m_subItemValues.clear();
    m_subItemColumns.clear();
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        if (Control(column) || !IsUnlistedLabelKey(column->m_strLabelKey))
            continue;
        m_subItemValues << record.value(i);
        m_subItemColumns << i;
        if (firstTime) {
            auto* item = new QTreeWidgetItem(m_pSubItems);
            // A row as tall as an edit's text, not the bare font height.
            item->setSizeHint(0, QSize(1, m_pSubItems->fontMetrics().height() + 6));
            item->setText(0, GetLangString(column->m_strLabelKey));
            item->setText(1, IsClassificationPart(column)
                                 ? record.value(i).left(kClassificationWidth)
                                 : column->GetDescript(record.value(i)));
        }
    }
}

void CPageDlg::EditSubItem()
{
    if (!m_pSubItems)
        return;
    const int row = m_pSubItems->indexOfTopLevelItem(m_pSubItems->currentItem());
    if (row < 0 || row >= m_subItemColumns.size() || !m_pSubItems->currentItem()->isSelected())
        return;
    CColumnData* column =
        m_pDataManager->GetColumnDataList()->m_ppColumnData[m_subItemColumns[row]];
    if (!IsUnlistedLabelKey(column->m_strLabelKey))
        return;
    const int kind = SubItemKindOf(column->m_strLabelKey);
    const bool part = IsClassificationPart(column);
    const QString value = m_subItemValues[row];
    CSubItemSetDlgEx dialog(this, SubItemDlgType::E_DlgTypeTag(kind), 0);
    if (part)
        dialog.SetValue(kClassificationWidth, 0, value.left(kClassificationWidth));
    else
        dialog.SetValue(column->m_nSize, column->m_nDecimals, value);
    dialog.SetLabelText(GetLangString(column->m_strLabelKey));
    if (kind == SubItemDlgType::DLGTYPE_COMBO)
        dialog.SetColumnData(column);
    if (dialog.DoModal() != platform::IDOK)
        return;
    // The rest of the restaurant item's text stays as it was.
    m_subItemValues[row] =
        part ? dialog.GetValue() + value.mid(kClassificationWidth) : dialog.GetValue();
    m_pSubItems->topLevelItem(row)->setText(1, column->GetDescript(dialog.GetValue()));
}

bool CPageDlg::IsClassificationPart(const CColumnData* column) const
{
    return m_pDataManager && m_pDataManager->m_pszModeKey &&
           qstrcmp(m_pDataManager->m_pszModeKey, "P_RES") == 0 &&
           column->m_strColumnName == kProperty;
}

bool CPageDlg::SetSubItemFromText(int columnIndex, const QString& text, CErrDataInfo* collector)
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    CColumnData* column = columnIndex >= 0 && columnIndex < list->m_nColumnCount
                              ? list->m_ppColumnData[columnIndex]
                              : nullptr;
    const qsizetype row = m_subItemColumns.indexOf(columnIndex);
    // Only a row of the page's list can keep the value.
    if (!column || !IsUnlistedLabelKey(column->m_strLabelKey) || row < 0)
        return false;
    const CColumnValueCheck::Result result =
        CColumnValueCheck(m_pDataManager, m_nPageId).Check(columnIndex, text, QString());
    if (result.outcome == CColumnValueCheck::Result::Outcome::Stored) {
        m_subItemValues[row] = result.value;
        if (QTreeWidgetItem* item = m_pSubItems->topLevelItem(int(row)))
            item->setText(1, IsClassificationPart(column) ? result.value.left(kClassificationWidth)
                                                          : column->GetDescript(result.value));
        return true;
    }
    if (collector && result.outcome == CColumnValueCheck::Result::Outcome::Refused)
        collector->AddErrData(result.kind, m_nRecordNo, result.text1, result.text2, text);
    return false;
}

void CPageDlg::AddSetPriceButtons(QFormLayout* form)
{
    auto* row = new QHBoxLayout();
    for (const auto& [id, key] :
         {std::pair<unsigned, const char*>{IDC_SETPRICE_ADD, "CRDC_PR_CHAGE_SETITEMPRICE_ADD"},
          {IDC_SETPRICE_DELETE, "CRDC_PR_CHAGE_SETITEMPRICE_DELETE"}}) {
        auto* button = new QPushButton(QLatin1String(key), this);
        button->setAutoDefault(false);
        SetControlId(button, id);
        connect(button, &QPushButton::clicked, this, [this, id = id] {
            if (id == IDC_SETPRICE_ADD)
                AddSetPriceRow();
            else
                DeleteSetPriceRow();
        });
        row->addWidget(button);
    }
    form->addRow(QString(), row);
}

void CPageDlg::BuildControlsOf(QFormLayout* form, const CColumnDataList* list, bool mainList)
{
    CSQliteDB* db = list->GetCSQliteDBPtr();
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        const uint id = column->m_nCtrlID;
        const PageControlKind kind = PageControlKindOf(column, m_nPageId, mainList);
        if (kind == PageControlKind::None || FindControlById(this, id))
            continue;
        QWidget* field = NewControl(column);
        if (field) {
            // made by the page
        } else if (kind == PageControlKind::CodeDisplay) {
            auto* label = new QLabel(this);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            field = label;
        } else if (kind == PageControlKind::Radio) {
            auto* radio = dynamic_cast<CColumnDataUniqueRadio*>(column);
            const int count = radio ? radio->m_nRadioCount : 2;
            const uint boxId = RadioBoxId(m_nPageId, id);
            QWidget* box = boxId ? new QGroupBox(this) : new QWidget(this);
            SetControlId(box, boxId);
            auto* row = new QHBoxLayout(box);
            for (int r = 0; r < count; ++r) {
                auto* button = new QRadioButton(box);
                SetControlId(button, id + uint(r));
                button->setText(PageRadioKey(column, m_nPageId, r));
                row->addWidget(button);
            }
            field = box;
        } else if (kind == PageControlKind::ItemButton) {
            auto* button = new CItemSelectButton(this);
            button->m_pSQliteDB = db;
            field = button;
        } else if (kind == PageControlKind::Combo) {
            field = new QComboBox(this);
        } else if (kind == PageControlKind::MinusPrice) {
            field = new CMinusPriceEdit(this);
        } else if (kind == PageControlKind::Percent) {
            auto* percent = new CPercentEdit(this);
            percent->SetDigits(PercentIntegerDigits(id), PercentDecimalDigits(id));
            field = percent;
        } else if (kind == PageControlKind::NumZero) {
            auto* digits = new CNumZeroEdit(this);
            digits->SetDigits(kNumZeroDigits);
            field = digits;
        } else {
            auto* edit = new CEcrEdit(this);
            if (m_nPageId == IDD_PAGE_CLERK || m_nPageId == IDD_PAGE_CLERK_RES)
                if (id == 23115)
                    edit->setEchoMode(QLineEdit::Password);
            field = edit;
        }
        if (!qobject_cast<QGroupBox*>(field) && !(ControlId(field) == 0 && field->layout()))
            SetControlId(field, id);
        const uint labelId = PageLabelId(m_nPageId, id, column->m_nLabelCtrlID);
        QLabel* label = nullptr;
        if (labelId != 0 && labelId != id && !FindControlById(this, labelId)) {
            QString key = PageControlKey(m_nPageId, labelId);
            label = new QLabel(key.isEmpty() ? column->m_strLabelKey : key, this);
            SetControlId(label, labelId);
        }
        // The code shown on the page is named by its column's label.
        if (!label && kind == PageControlKind::CodeDisplay && !column->m_strLabelKey.isEmpty())
            label = new QLabel(column->m_strLabelKey, this);
        if (label)
            form->addRow(label, field);
        else
            form->addRow(QString(), field);
    }
}

bool CPageDlg::ShowData(bool firstTime)
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    const CRecord* record = list->CachedRecord(m_nRecordNo);
    if (!record)
        return false;
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        QWidget* control = Control(column);
        if (!control)
            continue;
        if (!column->m_bVisible) {
            // A radio group goes with its partners and box.
            QWidget* hide =
                qobject_cast<QRadioButton*>(control) ? control->parentWidget() : control;
            hide->hide();
            if (QWidget* label = FindControlById(
                    this, PageLabelId(m_nPageId, column->m_nCtrlID, column->m_nLabelCtrlID)))
                if (label != control)
                    label->hide();
            continue;
        }
        if (firstTime)
            column->ReadCandidate(control);
        if (auto* price = qobject_cast<CMinusPriceEdit*>(control))
            price->SetDigits(column->m_nSize);
        column->SetControlValue(control, record->value(i));
        FitEdit(column, control);
    }
    // A refill (the row import's next row) is saved by its filter alone.
    if (firstTime)
        RememberShownValues();
    else
        m_shownValues.clear();
    if (m_pSubItems)
        ShowSubItems(record->toList(), firstTime);
    if (m_pSecondDataManager)
        ShowSetPriceRow();
    return true;
}

void CPageDlg::FitEdit(const CColumnData* column, QWidget* control)
{
    if (auto* edit = qobject_cast<CEcrEdit*>(control)) {
        const int limit = column->m_nEditLimit != 0 ? column->m_nEditLimit : column->m_nSize;
        edit->LimitText(limit);
        SetEditSize(edit->font(), edit, 1, limit, EDITSIZE_WIDTH);
    }
}

void CPageDlg::BindSetPriceRows(CDataManager* second, const QString& key)
{
    m_pSecondDataManager = second;
    m_strSetPriceKey = key;
    FindSetPriceRow();
}

void CPageDlg::FindSetPriceRow()
{
    m_nSetPriceRecordNo = -1;
    if (!m_pSecondDataManager)
        return;
    const CStringArrayPtrArray& rows = m_pSecondDataManager->m_arrRecords;
    for (qsizetype i = 0; i < rows.GetSize() && m_nSetPriceRecordNo < 0; ++i)
        if (rows.GetAt(i)->value(0) == m_strSetPriceKey)
            m_nSetPriceRecordNo = int(i) + 1;
    const CColumnDataList* list = m_pSecondDataManager->GetColumnDataList();
    for (int i = 0; i < list->m_nColumnCount; ++i)
        list->m_ppColumnData[i]->m_bVisible = m_nSetPriceRecordNo > 0;
}

void CPageDlg::ShowSetPriceRow()
{
    const CColumnDataList* list = m_pSecondDataManager->GetColumnDataList();
    const CRecord* row = list->CachedRecord(m_nSetPriceRecordNo);
    if (QWidget* add = FindControlById(this, IDC_SETPRICE_ADD))
        add->setEnabled(!row);
    if (QWidget* remove = FindControlById(this, IDC_SETPRICE_DELETE))
        remove->setEnabled(row != nullptr);
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        QWidget* control = Control(column);
        if (!control)
            continue;
        control->setVisible(column->m_bVisible);
        if (QWidget* label = FindControlById(
                this, PageLabelId(m_nPageId, column->m_nCtrlID, column->m_nLabelCtrlID)))
            if (label != control)
                label->setVisible(column->m_bVisible);
        column->ReadCandidate(control);
        if (auto* price = qobject_cast<CMinusPriceEdit*>(control))
            price->SetDigits(column->m_nSize);
        if (row)
            column->SetControlValue(control, row->value(i));
        FitEdit(column, control);
        if (row)
            RememberShownValue(column, control);
    }
}

void CPageDlg::RememberShownValues()
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        if (QWidget* control = Control(column); control && column->m_bVisible)
            RememberShownValue(column, control);
    }
}

void CPageDlg::RememberShownValue(CColumnData* column, QWidget* control)
{
    // The value to compare, read without the side effects of a save's read.
    QString shown;
    column->GetPreEditValue(control, shown);
    m_shownValues.insert(column, shown);
}

bool CPageDlg::IsChangedByUser(CColumnData* column, QWidget* control) const
{
    const auto shown = m_shownValues.constFind(column);
    if (shown == m_shownValues.cend())
        return true;
    QString now;
    column->GetPreEditValue(control, now);
    return now != shown.value();
}

void CPageDlg::AddSetPriceRow()
{
    const QWidget* button = FindControlById(this, IDC_SETPRICE_ADD);
    if (!m_pSecondDataManager || (button && !button->isEnabled()))
        return;
    FindSetPriceRow();
    if (m_nSetPriceRecordNo > 0)
        return;
    QStringList record{m_strSetPriceKey};
    int err = 0;
    if (!m_pSecondDataManager->GetColumnDataList()->InsertRecord(record, err)) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_INSERT_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
        return;
    }
    FindSetPriceRow();
    ShowSetPriceRow();
}

void CPageDlg::DeleteSetPriceRow()
{
    const QWidget* button = FindControlById(this, IDC_SETPRICE_DELETE);
    if (!m_pSecondDataManager || (button && !button->isEnabled()))
        return;
    FindSetPriceRow();
    if (m_nSetPriceRecordNo < 0)
        return;
    CColumnDataList* list = m_pSecondDataManager->GetColumnDataList();
    QStringList row = list->CachedRecord(m_nSetPriceRecordNo)->toList();
    if (ShowProgramMessage(this, QStringLiteral("CRDS_PR_DELETE"), platform::MessageIcon::Warning,
                           platform::MessageButtons::OkCancel, row.value(0)) != platform::IDOK)
        return;
    int err = 0;
    bool deleted = false;
    {
        CWaitCursor wait;
        deleted = list->DeleteRecord(row, err) && err == 0;
    }
    if (!deleted) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_DELETE_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
        return;
    }
    FindSetPriceRow();
    ShowSetPriceRow();
}

bool CPageDlg::SaveSetPriceRow(int& err)
{
    err = 0;
    FindSetPriceRow();
    if (!m_pSecondDataManager || m_nSetPriceRecordNo < 0)
        return true;
    CColumnDataList* list = m_pSecondDataManager->GetColumnDataList();
    const QStringList record = list->CachedRecord(m_nSetPriceRecordNo)->toList();
    const QStringList values = CollectValues(list, record);
    if (SaveChangedColumns(list, m_nSetPriceRecordNo, record, values, err))
        return true;
    if (err == 0)
        err = SQLERR_ARGUMENTS;
    ShowSaveFailure(err);
    return false;
}

bool CPageDlg::SaveChangedColumns(CColumnDataList* list, int recordNo, const QStringList& record,
                                  const QStringList& values, int& err)
{
    // A list of columns kept in tables of their own writes them all.
    if (list->m_strTableName.isEmpty()) {
        QStringList row = values;
        return list->SaveRecord(recordNo, row, err);
    }
    QList<int> columns;
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        const CColumnData* column = list->m_ppColumnData[i];
        const QString& value = values.value(i);
        const QString& stored = record.value(i);
        // NULL and "" differ here: an untouched NULL is not written as "".
        const bool changed = value != stored || value.isNull() != stored.isNull();
        if (changed || column->m_strColumnName == kUpdateDateTime)
            columns << i;
    }
    return list->SaveRecordOfColumns(recordNo, columns, values, err);
}

QWidget* CPageDlg::NewControl(const CColumnData*)
{
    return nullptr;
}

bool CPageDlg::OwnValue(const CColumnData*, QString&) const
{
    return false;
}

QString CPageDlg::RecordCode() const
{
    return StoredValue(m_pDataManager->GetColumnDataList()->m_nKeyIndex);
}

QString CPageDlg::StoredValue(int columnIndex) const
{
    const CRecord* record = m_pDataManager->GetColumnDataList()->CachedRecord(m_nRecordNo);
    return record ? record->value(columnIndex) : QString();
}

bool CPageDlg::IsInFilter(const QStringList* filter, const QString& key)
{
    return filter->contains(key);
}

unsigned CPageDlg::CheckInput(CErrDataInfo* collector, const QStringList* filter)
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    CColumnValueCheck check(m_pDataManager, m_nPageId, CColumnValueCheck::Source::Page);
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        if (filter && !IsInFilter(filter, column->m_strLabelKey))
            continue;
        QWidget* control = Control(column);
        // Enabled on the page: a disabled window around it (a result log
        // is open) does not make its controls read-only.
        if (!control || !control->isEnabledTo(this) ||
            CheckControl(check, this, list, i, control, RecordCode(), StoredValue(i)).outcome !=
                CColumnValueCheck::Result::Outcome::Refused)
            continue;
        QString title;
        QString message;
        if (column->m_bVisible) {
            title = GetLangString(column->m_strLabelKey);
            message = column->m_strErrMsg;
            if (message.isEmpty())
                message = GetLangString(QStringLiteral("CRDS_CMN_ERR_INPUT"));
        }
        if (collector)
            collector->AddErrData(CErrDataInfo::DATAERR_ERROR, m_nRecordNo, title, message,
                                  QString());
        if (!column->m_bVisible)
            continue;
        if (!collector)
            ShowProgramMessageText(this, QStringLiteral("CRDS_CMN_ERR_INPUT"), message,
                                   platform::MessageIcon::Warning, platform::MessageButtons::Ok);
        return column->m_nCtrlID;
    }
    return 0;
}

bool CPageDlg::SaveData(const QStringList* filter, int& err)
{
    err = 0;
    CColumnDataList* list = m_pDataManager->GetColumnDataList();
    const CRecord* record = list->CachedRecord(m_nRecordNo);
    if (!record)
        return false;
    QStringList values = CollectValues(list, record->toList(), filter);
    bool saved = false;
    if (filter) {
        // A partial save writes the filtered columns and stamps the update.
        QList<int> columns;
        for (int i = 0; i < list->m_nColumnCount; ++i)
            if (IsInFilter(filter, list->m_ppColumnData[i]->m_strLabelKey) ||
                list->m_ppColumnData[i]->m_strColumnName == kUpdateDateTime)
                columns << i;
        saved = list->SaveRecordOfColumns(m_nRecordNo, columns, values, err);
    } else {
        // The user's changes and the stamps; nothing untouched is written.
        saved = SaveChangedColumns(list, m_nRecordNo, record->toList(), values, err);
    }
    // A key row that could not follow the clerk row fails the save.
    for (int i = 0; saved && err == 0 && i < list->m_nColumnCount; ++i)
        if (auto* key = dynamic_cast<CColumnDataDallasKey*>(list->m_ppColumnData[i]))
            err = key->GetLastWriteStatus();
    if (saved && err == 0)
        return true;
    if (err == 0)
        err = SQLERR_ARGUMENTS;
    ShowSaveFailure(err);
    return false;
}

void CPageDlg::ShowSaveFailure(int err)
{
    ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                       platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
}

QStringList CPageDlg::CollectValues(const CColumnDataList* list, const QStringList& record,
                                    const QStringList* filter) const
{
    const QString now = GetTimestampOfNow();
    const bool mainList = list == m_pDataManager->GetColumnDataList();
    CColumnValueCheck check(m_pDataManager, m_nPageId, CColumnValueCheck::Source::Page);
    QStringList values;
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        QString value = record.value(i);
        QWidget* control = Control(column);
        const bool wanted = !filter || IsInFilter(filter, column->m_strLabelKey);
        const qsizetype subItem = mainList ? m_subItemColumns.indexOf(i) : -1;
        if (OwnValue(column, value)) {
            if (!wanted)
                value = record.value(i);
        } else if (control && control->isEnabledTo(this)) {
            // A control left as it was shown keeps the stored value, NULL
            // too: its text may only stand for it.
            if (column->m_bVisible && wanted && (filter || IsChangedByUser(column, control))) {
                // The checked value where the check takes the control's;
                // the set price row's controls are not checked.
                const CColumnValueCheck::Result checked =
                    mainList ? CheckControl(check, const_cast<CPageDlg*>(this), list, i, control,
                                            RecordCode(), record.value(i))
                             : CColumnValueCheck::Result();
                QString current = checked.value;
                if (checked.outcome != CColumnValueCheck::Result::Outcome::Stored)
                    column->GetControlValue(control, current);
                value = current;
            }
        } else if (subItem >= 0) {
            // Each column its own row's value, whatever the filter leaves out.
            if (wanted)
                value = m_subItemValues[subItem];
        } else if (column->m_strColumnName == kCreateDateTime) {
            if (m_bNewRecord)
                value = now;
        } else if (column->m_strColumnName == kUpdateDateTime) {
            value = now;
        }
        values << value;
    }
    return values;
}

} // namespace brelkin
