#include "goods/CSetMixPageDlg.h"

#include "goods/ListRowHeight.h"
#include "goods/UsePriceTypeTable.h"
#include "goods/base/ProgramMessage.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/CEcrEdit.h"
#include "shared/controls/CItemSelectButton.h"
#include "shared/controls/CMinusPriceEdit.h"
#include "shared/controls/CPercentEdit.h"
#include "shared/controls/CReadOnlyCombo.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/dialogs/CInputValueDlg.h"
#include "shared/dialogs/CSelectCustomItemDlg.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>

#include <memory>

namespace brelkin {

namespace {

enum ChildValue { CHILD_CODE, CHILD_TYPE, CHILD_VALUE };
enum ListColumn { COLUMN_NUMBER, COLUMN_CHILD, COLUMN_VALUE };

const QString kSetMenuChildren = QStringLiteral("CIB002");
const QString kMixMatchChildren = QStringLiteral("CSA006");
const QString kEmpty = QStringLiteral("");
const QString kNewQuantity = QStringLiteral("1");
const QString kMMDiscount = QStringLiteral("0");
const QString kSetPriceDiscount = QStringLiteral("2");
const QString kItemNetDiscount = QStringLiteral("3");

QString Text(const char* key)
{
    return GetLangString(QLatin1String(key));
}

// A width text of the language file ("80"); 0 when it is no number.
uint WidthText(const char* key)
{
    bool ok = false;
    const int width = Text(key).trimmed().toInt(&ok);
    return ok && width > 0 ? uint(width) : 0;
}

// The rows of a fixed chooser, freed with the chooser.
class FixedChooser : public CSelectItemDlg
{
public:
    FixedChooser(_E_SELITDLG layout, const char* title, const char* number, const char* target,
                 const char* numberWidth, const char* targetWidth)
        : CSelectItemDlg(layout, nullptr)
    {
        m_strTitle = Text(title);
        m_arrColumnNames = {Text(number), Text(target)};
        m_arrColumnWidths = {WidthText(numberWidth), WidthText(targetWidth)};
    }
    ~FixedChooser() override { CSqLiteUtility::FreeStringArrayListPtr(m_listItems); }
    void AddRow(int number, const QString& text)
    {
        m_listItems.AddTail(new QStringList{QStringLiteral("  %1").arg(number, 2), text});
    }
    // The chosen row's number less one; -1 for none.
    int ChosenIndex() const { return m_strSelectCode.trimmed().toInt() - 1; }
};

// A chooser of the work database's departments, items or set menus.
bool ChooseFromDatabase(CSQliteDB* db, int kind, const QString& deptCode, const QString& title,
                        QString& code, QString& name)
{
    CSelectCustomItemDlg dialog(SELITDLG_TALL, nullptr);
    dialog.m_pSQliteDB = db;
    dialog.m_nSelectType = kind;
    dialog.m_strDeptCode = deptCode;
    if (title.isEmpty())
        dialog.SetDialogDefaultText();
    else
        dialog.SetDialogCustomText(title, QString(), QString());
    if (dialog.DoModal() != platform::IDOK)
        return false;
    code = dialog.m_strSelectCode;
    name = dialog.m_strSelectName;
    return true;
}

} // namespace

CSetMixPageDlg::CSetMixPageDlg()
{
    // The texts follow the language file loaded now.
    LoadUsePriceTexts();
}

CSetMixPageDlg::~CSetMixPageDlg()
{
    CSqLiteUtility::FreeStringArrayListPtr(m_childRows);
}

bool CSetMixPageDlg::IsSetMenu() const
{
    return m_nWindowKind == 6 || m_nWindowKind == 12;
}

QWidget* CSetMixPageDlg::NewControl(const CColumnData* column)
{
    switch (column->m_nCtrlID) {
    case IDC_DISCOUNTAMOUNT:
        return new CMinusPriceEdit(this);
    case IDC_DISCOUNTRATE: {
        auto* rate = new CPercentEdit(this);
        rate->SetDigits(3, 2);
        return rate;
    }
    case IDC_MMDISCOUNTTYPE:
    case IDC_CONDITIONTYPE:
    case IDC_DISCOUNTTYPE:
    case IDC_TARGETITEMTYPE:
        return new CReadOnlyCombo(this);
    default:
        return nullptr;
    }
}

void CSetMixPageDlg::SetupChildList()
{
    auto* form = qobject_cast<QFormLayout*>(layout());
    if (!form)
        return;
    auto* title = new QLabel(IsSetMenu() ? QStringLiteral("CRDC_PR_LABEL_SETMENUTITLE")
                                         : QStringLiteral("CRDC_PR_LABEL_MIXMATCHTITLE"),
                             this);
    SetControlId(title, IDC_TITLE);
    form->addRow(title);
    m_pChildList = new QTreeWidget(this);
    SetControlId(m_pChildList, IDC_CHILDLIST);
    m_pChildList->setRootIsDecorated(false);
    SetListRowHeight(m_pChildList);
    m_pChildList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pChildList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pChildList->header()->setSectionsClickable(false);
    m_pChildList->header()->setSectionsMovable(false);
    m_pChildList->setHeaderLabels(
        IsSetMenu() ? QStringList{Text("CRDC_PR_LABEL_NUMBER"), Text("CRDC_PR_LABEL_CHILDITEM"),
                                  Text("CRDC_PR_LABEL_USEPRICE")}
                    : QStringList{Text("CRDC_PR_LABEL_NUMBER"), Text("CRDC_PR_LABEL_COMBINATION"),
                                  Text("CRDC_PR_LABEL_QUANTITY")});
    m_pChildList->headerItem()->setTextAlignment(COLUMN_NUMBER, Qt::AlignCenter);
    const int width = m_pChildList->width();
    const int scale = width > 406 ? width * 1000 / 406 : 1000;
    const int widths[2][3] = {{35, 180, 150}, {35, 220, 120}};
    for (int c = 0; c < 3; ++c)
        m_pChildList->setColumnWidth(c, scale * widths[IsSetMenu() ? 0 : 1][c] / 1000);
    m_pChildList->viewport()->installEventFilter(this);
    connect(m_pChildList, &QTreeWidget::itemSelectionChanged, this,
            &CSetMixPageDlg::UpdateDeleteButton);
    form->addRow(m_pChildList);

    auto* buttons = new QHBoxLayout();
    const struct
    {
        unsigned id;
        const char* key;
        void (CSetMixPageDlg::*act)();
    } rows[] = {{IDC_ADDCHILD, "CRDC_PR_ADD_ITEM", &CSetMixPageDlg::OnAddChild},
                {IDC_INSERTCHILD, "CRDC_PR_INSERT_ITEM", &CSetMixPageDlg::OnInsertChild},
                {IDC_DELETECHILD, "CRDC_PR_DELETE_ITEM", &CSetMixPageDlg::OnDeleteChild}};
    for (const auto& row : rows) {
        auto* button = new QPushButton(QLatin1String(row.key), this);
        button->setAutoDefault(false);
        SetControlId(button, row.id);
        connect(button, &QPushButton::clicked, this, row.act);
        buttons->addWidget(button);
    }
    form->addRow(QString(), buttons);
    // No row is selected yet.
    FindControlById(this, IDC_DELETECHILD)->setEnabled(false);
}

bool CSetMixPageDlg::ShowData(bool firstTime)
{
    const bool init = firstTime && !m_pChildList;
    if (init) {
        if (auto* target = qobject_cast<CItemSelectButton*>(FindControlById(this, IDC_TARGETITEM)))
            target->m_pSQliteDB = m_pDataManager->m_pSQliteDB;
        SetupChildList();
    }
    if (!CPageDlg::ShowData(firstTime))
        return false;
    if (!init)
        return true;
    const CRecord* record = m_pDataManager->GetColumnDataList()->CachedRecord(m_nRecordNo);
    m_strCode = record->value(0);
    // Rows that could not be read must not be saved over by an empty list.
    if (!ReadChildRows() && m_bChildReadFailed)
        return false;
    if (!IsSetMenu())
        if (CReadOnlyCombo* target = Combo(IDC_TARGETITEMTYPE); target && target->count() > 0)
            m_strFirstTargetItemTypeText = target->itemText(0);
    if (m_pChildList->topLevelItemCount() > 0)
        SelectChild(0);
    if (IsSetMenu()) {
        ApplySetType();
    } else {
        ApplyMMDiscountType();
        for (unsigned id : {IDC_MMDISCOUNTTYPE, IDC_DISCOUNTTYPE, IDC_TARGETITEMTYPE})
            if (CReadOnlyCombo* combo = Combo(id))
                connect(combo, &QComboBox::activated, this, [this, id] {
                    if (id == IDC_MMDISCOUNTTYPE)
                        ApplyMMDiscountType();
                    else if (id == IDC_DISCOUNTTYPE)
                        ApplyDiscountType();
                    else
                        ApplyTargetItemType();
                });
    }
    if (auto* setType = qobject_cast<QComboBox*>(FindControlById(this, IDC_SETTYPE)))
        connect(setType, &QComboBox::currentIndexChanged, this, &CSetMixPageDlg::ApplySetType);
    // What the field rules put into the controls just now is not the user's:
    // an OK without a change must not write it.
    RememberShownValues();
    return true;
}

int CSetMixPageDlg::ReadChildName(const QStringList& row, QString& name) const
{
    const bool otherKind = row.value(CHILD_TYPE) != QLatin1String("0");
    QString table, column, key;
    if (!otherKind) {
        table = QStringLiteral("CIA001");
        column = QStringLiteral("ITEMNAME");
        key = QStringLiteral("ITEMCODE");
    } else if (IsSetMenu()) {
        table = QStringLiteral("CIB001");
        column = QStringLiteral("SETITEMNAME");
        key = QStringLiteral("SETITEMCODE");
    } else {
        table = QStringLiteral("CIA002");
        column = QStringLiteral("ITEMDEPTNAME");
        key = QStringLiteral("ITEMDEPTCODE");
    }
    QStringList found;
    int err = 0;
    const int result = CSqLiteUtility::GetStringArray(
        *m_pDataManager->m_pSQliteDB, table, {column},
        QStringLiteral("%1='%2'").arg(key, CSqLiteUtility::EscapeSQLValue(row.value(CHILD_CODE))),
        QString(), found, err);
    name = found.value(0);
    return result;
}

bool CSetMixPageDlg::ReadChildRows()
{
    const bool setMenu = IsSetMenu();
    int err = 0;
    const int count = CSqLiteUtility::AllocStringArrayListPtr(
        *m_pDataManager->m_pSQliteDB, setMenu ? kSetMenuChildren : kMixMatchChildren,
        setMenu ? QStringList{QStringLiteral("ITEMCODE"), QStringLiteral("ITEMCODETYPE"),
                              QStringLiteral("UNITPRICECODE")}
                : QStringList{QStringLiteral("ITEMCODE"), QStringLiteral("ITEMTYPE"),
                              QStringLiteral("QTY")},
        QStringLiteral("%1='%2'").arg(setMenu ? QStringLiteral("SETITEMCODE")
                                              : QStringLiteral("MMCODE"),
                                      CSqLiteUtility::EscapeSQLValue(m_strCode)),
        QStringLiteral("LISTNUMBER"), m_childRows, err);
    m_bChildReadFailed = count < 0;
    if (count <= 0)
        return false;
    // Every row gets its item, so that the list and the rows stay in step;
    // after a failed name query the rest show their numbers only.
    bool named = true;
    for (int i = 0; i < int(m_childRows.GetCount()); ++i) {
        const QStringList& row = *m_childRows.GetAt(i);
        QString name;
        const int found = named ? ReadChildName(row, name) : 0;
        if (found < 0)
            named = false;
        if (found > 0)
            NewChildItem(i, name,
                         setMenu ? GetUsePriceText(row.value(CHILD_VALUE))
                                 : row.value(CHILD_VALUE));
        else
            NewChildItem(i, QString(), QString());
    }
    return named;
}

QTreeWidgetItem* CSetMixPageDlg::NewChildItem(int at, const QString& name, const QString& value)
{
    auto* item = new QTreeWidgetItem();
    item->setText(COLUMN_NUMBER, QString::number(at + 1));
    item->setTextAlignment(COLUMN_NUMBER, Qt::AlignCenter);
    item->setText(COLUMN_CHILD, name);
    item->setText(COLUMN_VALUE, value);
    m_pChildList->insertTopLevelItem(at, item);
    return item;
}

void CSetMixPageDlg::Renumber()
{
    for (int i = 0; i < m_pChildList->topLevelItemCount(); ++i)
        m_pChildList->topLevelItem(i)->setText(COLUMN_NUMBER, QString::number(i + 1));
}

void CSetMixPageDlg::SelectChild(int row)
{
    QTreeWidgetItem* item = m_pChildList->topLevelItem(row);
    if (!item)
        return;
    m_pChildList->scrollToItem(item);
    m_pChildList->setCurrentItem(item);
    item->setSelected(true);
}

int CSetMixPageDlg::GetSelectedChildRow()
{
    if (!m_pChildList)
        return -1;
    int first = -1;
    for (QTreeWidgetItem* item : m_pChildList->selectedItems()) {
        const int row = m_pChildList->indexOfTopLevelItem(item);
        if (first < 0 || row < first)
            first = row;
    }
    // Making it current notifies the page, which asks again.
    if (first >= 0 && !m_bSelecting) {
        m_bSelecting = true;
        SelectChild(first);
        m_bSelecting = false;
    }
    return first;
}

void CSetMixPageDlg::UpdateDeleteButton()
{
    if (QWidget* button = FindControlById(this, IDC_DELETECHILD))
        button->setEnabled(GetSelectedChildRow() >= 0);
}

void CSetMixPageDlg::OnAddChild()
{
    if (!m_pChildList)
        return;
    const int selected = GetSelectedChildRow();
    const int at = m_pChildList->topLevelItemCount() == 0 ? 0 : std::max(selected, 0) + 1;
    if (InsertChildRow(at))
        m_pChildList->setFocus();
}

void CSetMixPageDlg::OnInsertChild()
{
    if (!m_pChildList)
        return;
    if (InsertChildRow(std::max(GetSelectedChildRow(), 0)))
        m_pChildList->setFocus();
}

void CSetMixPageDlg::OnDeleteChild()
{
    const int selected = GetSelectedChildRow();
    if (selected < 0)
        return;
    DeleteChildRow(selected, true);
    m_pChildList->setFocus();
}

bool CSetMixPageDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (m_pChildList && watched == m_pChildList->viewport() &&
        event->type() == QEvent::MouseButtonDblClick) {
        const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
        const QModelIndex index = m_pChildList->indexAt(position);
        OnChildDblClk(index.isValid() ? index.row() : -1, index.isValid() ? index.column() : 0);
        return true;
    }
    return CPageDlg::eventFilter(watched, event);
}

void CSetMixPageDlg::OnChildDblClk(int row, int column)
{
    if (!m_pChildList)
        return;
    QTreeWidgetItem* item = row >= 0 ? m_pChildList->topLevelItem(row) : nullptr;
    QStringList* values = row >= 0 ? m_childRows.GetAt(row) : nullptr;
    if (!item || !values) {
        InsertChildRow(m_pChildList->topLevelItemCount());
        return;
    }
    if (column == COLUMN_CHILD) {
        QString code, name, type;
        if (!(IsSetMenu() ? SelectSetMenuChild(code, name, type)
                          : SelectMixMatchTarget(code, name, type)))
            return;
        item->setText(COLUMN_CHILD, name);
        (*values)[CHILD_CODE] = code;
        (*values)[CHILD_TYPE] = type;
        return;
    }
    if (IsSetMenu()) {
        QString value, text;
        if (!SelectUsePrice(value, text))
            return;
        item->setText(COLUMN_VALUE, text);
        (*values)[CHILD_VALUE] = value;
        return;
    }
    CInputValueDlg dialog(nullptr);
    dialog.m_strLabel = Text("CRDC_PR_LABEL_QUANTITY");
    dialog.m_strValue = values->value(CHILD_VALUE);
    dialog.m_nDigits = 2;
    dialog.m_nDecimals = 0;
    // An emptied quantity keeps the one there was.
    if (dialog.DoModal() != platform::IDOK || dialog.m_strValue.isEmpty())
        return;
    item->setText(COLUMN_VALUE, dialog.m_strValue);
    (*values)[CHILD_VALUE] = dialog.m_strValue;
}

bool CSetMixPageDlg::InsertChildRow(int at)
{
    if (!m_pChildList)
        return false;
    auto row = std::make_unique<QStringList>();
    if (!(IsSetMenu() ? AddSetMenuChildRow(at, row.get()) : AddMixMatchChildRow(at, row.get())))
        return false;
    m_childRows.InsertAt(at, row.release());
    Renumber();
    m_pChildList->clearSelection();
    SelectChild(at);
    return true;
}

bool CSetMixPageDlg::AddSetMenuChildRow(int at, QStringList* row)
{
    if (m_pChildList->topLevelItemCount() >= kMaxSetMenuChildren) {
        ShowProgramMessage(this, QStringLiteral("CRDS_PR_CHILDITEM_CNTMAX"),
                           platform::MessageIcon::Warning);
        return false;
    }
    QString code, name, type;
    if (!SelectSetMenuChild(code, name, type))
        return false;
    const UsePriceType& first = UsePriceTypeTable[0];
    NewChildItem(at, name, first.text);
    *row = {code, type, QLatin1String(first.value)};
    return true;
}

bool CSetMixPageDlg::AddMixMatchChildRow(int at, QStringList* row)
{
    // At the cap (or above it, as a stored offer may be) nothing is added
    // and nothing dropped.
    if (m_pChildList->topLevelItemCount() >= m_nMaxChildRows) {
        ShowProgramMessage(this, QStringLiteral("CRDS_PR_MIXMATCH_ITEM_CNTMAX"),
                           platform::MessageIcon::Warning);
        return false;
    }
    QString code, name, type;
    if (!SelectMixMatchTarget(code, name, type))
        return false;
    NewChildItem(at, name, kNewQuantity);
    *row = {code, type, kNewQuantity};
    return true;
}

bool CSetMixPageDlg::SetMaxChildRows(int limit, bool warn)
{
    m_nMaxChildRows = limit;
    const int count = m_pChildList ? m_pChildList->topLevelItemCount() : 0;
    if (count < limit)
        return true;
    if (warn)
        ShowProgramMessage(this, QStringLiteral("CRDS_PR_MIXMATCH_ITEM_CNTMAX"),
                           platform::MessageIcon::Warning);
    for (int i = count - 1; i >= limit; --i)
        DeleteChildRow(i, false);
    return false;
}

bool CSetMixPageDlg::DeleteChildRow(int index, bool confirm)
{
    if (index < 0)
        return true;
    if (confirm && ShowProgramMessage(this,
                                      IsSetMenu() ? QStringLiteral("CRDS_PR_DELETE_CHILDITEM")
                                                  : QStringLiteral("CRDS_PR_DELETE_MIXMATCHITEM"),
                                      platform::MessageIcon::Warning,
                                      platform::MessageButtons::OkCancel) != platform::IDOK)
        return true;
    QStringList* row = m_childRows.TakeAt(index);
    if (!row)
        return false;
    delete row;
    delete m_pChildList->takeTopLevelItem(index);
    Renumber();
    return true;
}

bool CSetMixPageDlg::ChooseChild(bool setMenu, QString& code, QString& name, QString& type)
{
    code.clear();
    name.clear();
    FixedChooser first(SELITDLG_SHORT, "CRDS_PR_WINNAME_SELECT", "CRDS_PR_SELECT_NUMBER",
                       "CRDS_PR_SELECT_TARGET", "CRDS_PR_SELECT_NUMBER_WIDTH",
                       "CRDS_PR_SELECT_TERGET_WIDTH");
    first.AddRow(1,
                 setMenu ? Text("CRDS_PR_SELECT_TERGET_DEPT") : Text("CRDS_PR_SELECT_TERGET_ITEM"));
    first.AddRow(2, setMenu ? Text("CRDS_PR_SELECT_TERGET_SETMENU")
                            : Text("CRDS_PR_SELECT_TERGET_DEPT"));
    if (first.DoModal() != platform::IDOK)
        return false;
    const int chosen = first.ChosenIndex();
    type = QString::number(chosen);
    CSQliteDB* db = m_pDataManager->m_pSQliteDB;
    if (chosen == 0) {
        QString deptCode, deptName;
        return ChooseFromDatabase(db, CSelectCustomItemDlg::SELECT_DEPT, QString(), QString(),
                                  deptCode, deptName) &&
               ChooseFromDatabase(db, CSelectCustomItemDlg::SELECT_ITEM, deptCode, QString(), code,
                                  name);
    }
    if (chosen != 1)
        return false;
    if (setMenu)
        return ChooseFromDatabase(db, CSelectCustomItemDlg::SELECT_SETMENU, QString(), QString(),
                                  code, name);
    return ChooseFromDatabase(db, CSelectCustomItemDlg::SELECT_DEPT, QString(),
                              Text("CRDS_PR_SELECT_TERGET_DEPT"), code, name);
}

bool CSetMixPageDlg::SelectSetMenuChild(QString& code, QString& name, QString& type)
{
    return ChooseChild(true, code, name, type);
}

bool CSetMixPageDlg::SelectMixMatchTarget(QString& code, QString& name, QString& type)
{
    return ChooseChild(false, code, name, type);
}

bool CSetMixPageDlg::SelectUsePrice(QString& value, QString& text)
{
    FixedChooser dialog(SELITDLG_TALL, "CRDS_PR_WINNAME_USEPRICE", "CRDS_PR_USEPRICE_NUMBER",
                        "CRDS_PR_USEPRICE_TARGET", "CRDS_PR_USEPRICE_NUMBER_WIDTH",
                        "CRDS_PR_USEPRICE_TERGET_WIDTH");
    for (int n = 1; n <= kChoosableUsePriceCount; ++n)
        dialog.AddRow(n, UsePriceTypeTable[n - 1].text);
    if (dialog.DoModal() != platform::IDOK)
        return false;
    const int chosen = dialog.ChosenIndex();
    if (chosen >= 0 && chosen < kChoosableUsePriceCount) {
        text = dialog.m_strSelectName;
        value = QLatin1String(UsePriceTypeTable[chosen].value);
    }
    return true;
}

CReadOnlyCombo* CSetMixPageDlg::Combo(unsigned id)
{
    return qobject_cast<CReadOnlyCombo*>(FindControlById(this, id));
}

bool CSetMixPageDlg::HasSelection(unsigned id)
{
    const auto* combo = qobject_cast<QComboBox*>(FindControlById(this, id));
    return combo && combo->currentIndex() >= 0;
}

QString CSetMixPageDlg::ComboValue(unsigned id)
{
    QWidget* combo = FindControlById(this, id);
    if (!HasSelection(id))
        return QString();
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    QString value;
    for (int i = 0; i < list->m_nColumnCount; ++i)
        if (list->m_ppColumnData[i]->m_nCtrlID == id) {
            list->m_ppColumnData[i]->GetControlValue(combo, value);
            break;
        }
    return value;
}

void CSetMixPageDlg::SetEditLocked(unsigned id, bool locked, bool zero)
{
    auto* edit = qobject_cast<CEcrEdit*>(FindControlById(this, id));
    if (!edit)
        return;
    edit->setReadOnly(locked);
    if (zero)
        edit->SetText(QStringLiteral("0"));
}

void CSetMixPageDlg::ClearTargetItem()
{
    auto* button = qobject_cast<CItemSelectButton*>(FindControlById(this, IDC_TARGETITEM));
    if (!button)
        return;
    button->m_strSelectCode.clear();
    button->m_strSelectName.clear();
    button->setText(QString());
    button->SetReadOnly(true);
}

void CSetMixPageDlg::SetFirstTargetItemTypeText(const QString& text)
{
    CReadOnlyCombo* target = Combo(IDC_TARGETITEMTYPE);
    if (target && target->count() > 0)
        target->setItemText(0, text);
}

int CSetMixPageDlg::TargetTypeCap()
{
    const QString target = ComboValue(IDC_TARGETITEMTYPE);
    // The cheapest or the dearest item: one child.
    return target == QLatin1String("1") || target == QLatin1String("2") ? 1 : kMaxMixMatchChildren;
}

void CSetMixPageDlg::ApplyMMDiscountType()
{
    CReadOnlyCombo* discount = Combo(IDC_DISCOUNTTYPE);
    CReadOnlyCombo* target = Combo(IDC_TARGETITEMTYPE);
    if (!HasSelection(IDC_MMDISCOUNTTYPE) || !discount || !target)
        return;
    const QString kind = ComboValue(IDC_MMDISCOUNTTYPE);
    if (kind == kMMDiscount) {
        discount->SetCmbReadOnly(false);
        ApplyDiscountType();
        if (!m_strFirstTargetItemTypeText.isEmpty())
            SetFirstTargetItemTypeText(m_strFirstTargetItemTypeText);
        target->setCurrentIndex(0);
        target->SetCmbReadOnly(true);
        if (auto* button = qobject_cast<CItemSelectButton*>(FindControlById(this, IDC_TARGETITEM)))
            button->SetReadOnly(false);
        m_nMaxChildRows = kMaxMixMatchChildren;
    } else if (kind == kSetPriceDiscount) {
        // A set price: an amount, no rate, no target.
        discount->setCurrentIndex(0);
        discount->SetCmbReadOnly(true);
        SetEditLocked(IDC_DISCOUNTAMOUNT, false, false);
        SetEditLocked(IDC_DISCOUNTRATE, true, true);
        SetFirstTargetItemTypeText(QString());
        target->setCurrentIndex(0);
        target->SetCmbReadOnly(true);
        ClearTargetItem();
        m_nMaxChildRows = kMaxMixMatchChildren;
    } else if (kind == kItemNetDiscount) {
        discount->SetCmbReadOnly(false);
        ApplyDiscountType();
        ClearTargetItem();
        if (!m_strFirstTargetItemTypeText.isEmpty())
            SetFirstTargetItemTypeText(m_strFirstTargetItemTypeText);
        target->SetCmbReadOnly(false);
        // A stored offer shows every child it has: only the user's switch
        // of the target drops rows, and asks first.
        if (HasSelection(IDC_TARGETITEMTYPE))
            m_nMaxChildRows = TargetTypeCap();
    }
    m_nTargetItemTypeIndex = target->currentIndex();
}

void CSetMixPageDlg::ApplyDiscountType()
{
    if (!HasSelection(IDC_DISCOUNTTYPE))
        return;
    const bool amount = ComboValue(IDC_DISCOUNTTYPE) == QLatin1String("0");
    SetEditLocked(IDC_DISCOUNTAMOUNT, !amount, !amount);
    SetEditLocked(IDC_DISCOUNTRATE, amount, amount);
}

void CSetMixPageDlg::ApplyTargetItemType()
{
    CReadOnlyCombo* target = Combo(IDC_TARGETITEMTYPE);
    if (!target)
        return;
    if (HasSelection(IDC_MMDISCOUNTTYPE) && HasSelection(IDC_TARGETITEMTYPE) &&
        ComboValue(IDC_MMDISCOUNTTYPE) == kItemNetDiscount) {
        const int cap = TargetTypeCap();
        const int dropped = m_pChildList ? m_pChildList->topLevelItemCount() - cap : 0;
        if (dropped > 0 &&
            ShowProgramMessage(this, QStringLiteral("CRDS_PR_MIXMATCH_DROP_CHILDITEMS"),
                               platform::MessageIcon::Question, platform::MessageButtons::YesNo,
                               cap, dropped) != platform::IDYES) {
            target->setCurrentIndex(m_nTargetItemTypeIndex);
            return;
        }
        SetMaxChildRows(cap, false);
    }
    m_nTargetItemTypeIndex = target->currentIndex();
}

void CSetMixPageDlg::ApplySetType()
{
    auto* setType = qobject_cast<QComboBox*>(FindControlById(this, IDC_SETTYPE));
    auto* minimum = qobject_cast<CEcrEdit*>(FindControlById(this, IDC_LISTMIN));
    auto* maximum = qobject_cast<CEcrEdit*>(FindControlById(this, IDC_LISTMAX));
    QWidget* minimumLabel = FindControlById(this, IDC_LISTMIN_LABEL);
    QWidget* maximumLabel = FindControlById(this, IDC_LISTMAX_LABEL);
    if (!setType || !minimum || !maximum || !minimumLabel || !maximumLabel)
        return;
    // From "select several items" on, the type counts its choices.
    const bool counted = setType->currentIndex() > 1;
    minimum->setReadOnly(!counted);
    maximum->setReadOnly(!counted);
    minimumLabel->setEnabled(counted);
    maximumLabel->setEnabled(counted);
}

bool CSetMixPageDlg::SaveData(const QStringList* filter, int& err)
{
    if (!CPageDlg::SaveData(filter, err))
        return false;
    return SaveChildRows(err);
}

bool CSetMixPageDlg::SaveChildRows(int& err)
{
    const bool setMenu = IsSetMenu();
    CSQliteDB& db = *m_pDataManager->m_pSQliteDB;
    const QString table = setMenu ? kSetMenuChildren : kMixMatchChildren;
    const QString keyColumn = setMenu ? QStringLiteral("SETITEMCODE") : QStringLiteral("MMCODE");
    const QString typeColumn =
        setMenu ? QStringLiteral("ITEMCODETYPE") : QStringLiteral("ITEMTYPE");
    const QString valueColumn = setMenu ? QStringLiteral("UNITPRICECODE") : QStringLiteral("QTY");
    // A failure without a status still shows one.
    const auto status = [&err] { return err != 0 ? err : int(SQLERR_ARGUMENTS); };

    // The stored rows: LISTNUMBER, the three values, then what the page does
    // not edit and a row that moves takes along.
    enum { S_NUMBER, S_CODE, S_TYPE, S_VALUE, S_CREATED, S_REMARKS, S_EXTRA };
    QStringList storedColumns{
        QStringLiteral("LISTNUMBER"),     QStringLiteral("ITEMCODE"), typeColumn, valueColumn,
        QStringLiteral("CREATEDATETIME"), QStringLiteral("REMARKS")};
    if (!setMenu)
        storedColumns << QStringLiteral("VALUE");
    CStringArrayPtrList stored;
    const int read = CSqLiteUtility::AllocStringArrayListPtr(
        db, table, storedColumns,
        QStringLiteral("%1='%2'").arg(keyColumn, CSqLiteUtility::EscapeSQLValue(m_strCode)),
        QStringLiteral("LISTNUMBER"), stored, err);
    const auto freeStored = qScopeGuard([&] { CSqLiteUtility::FreeStringArrayListPtr(stored); });
    if (read < 0) {
        ShowSaveFailure(status());
        return false;
    }
    const auto same = [](const QStringList& storedRow, const QStringList& row) {
        return storedRow.value(S_CODE) == row.value(CHILD_CODE) &&
               storedRow.value(S_TYPE) == row.value(CHILD_TYPE) &&
               storedRow.value(S_VALUE) == row.value(CHILD_VALUE);
    };
    const auto number = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };

    // A child unchanged at its place stays as it is stored; the others are
    // written anew, a moved one with the creation time it had.
    const qsizetype storedCount = stored.GetCount();
    QList<bool> kept(storedCount, false);
    QList<bool> taken(storedCount, false);
    QList<int> written;
    for (int i = 0; i < int(m_childRows.GetCount()); ++i) {
        bool unchanged = false;
        for (qsizetype s = 0; s < storedCount && !unchanged; ++s)
            if (!kept[s] && stored.GetAt(int(s))->value(S_NUMBER) == number(i + 1) &&
                same(*stored.GetAt(int(s)), *m_childRows.GetAt(i)))
                unchanged = kept[s] = taken[s] = true;
        if (!unchanged)
            written << i;
    }
    QList<int> carried;
    for (int i : written) {
        int from = -1;
        for (qsizetype s = 0; s < storedCount && from < 0; ++s)
            if (!taken[s] && same(*stored.GetAt(int(s)), *m_childRows.GetAt(i)))
                from = int(s);
        if (from >= 0)
            taken[from] = true;
        carried << from;
    }
    for (qsizetype s = 0; s < storedCount; ++s)
        if (!kept[s] && !CSqLiteUtility::DeleteRecord(
                            db, table, {keyColumn, QStringLiteral("LISTNUMBER")},
                            {m_strCode, stored.GetAt(int(s))->value(S_NUMBER)}, err)) {
            ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_DELETE_FAILED"),
                               platform::MessageIcon::Error, platform::MessageButtons::Ok,
                               status());
            return false;
        }

    const QString now = GetTimestampOfNow();
    const QStringList keyColumns{keyColumn, QStringLiteral("LISTNUMBER")};
    QStringList valueColumns{QStringLiteral("ITEMCODE"),
                             typeColumn,
                             valueColumn,
                             QStringLiteral("REMARKS"),
                             QStringLiteral("CREATEDATETIME"),
                             QStringLiteral("UPDATEDATETIME")};
    if (!setMenu)
        valueColumns << QStringLiteral("VALUE");
    for (qsizetype w = 0; w < written.size(); ++w) {
        const QStringList& row = *m_childRows.GetAt(written[w]);
        const QStringList* from = carried[w] >= 0 ? stored.GetAt(carried[w]) : nullptr;
        const QString created =
            from && !from->value(S_CREATED).isEmpty() ? from->value(S_CREATED) : now;
        QStringList values{row.value(CHILD_CODE),
                           row.value(CHILD_TYPE),
                           row.value(CHILD_VALUE),
                           from ? from->value(S_REMARKS) : kEmpty,
                           created,
                           now};
        if (!setMenu)
            values << (from ? from->value(S_EXTRA) : kEmpty);
        if (!CSqLiteUtility::InsertOneRecord(db, table, keyColumns, valueColumns,
                                             {m_strCode, number(written[w] + 1)}, values, err)) {
            ShowSaveFailure(status());
            return false;
        }
    }
    return true;
}

} // namespace brelkin
