#pragma once

#include "goods/CPageDlg.h"

#include "shared/data/CStringArrayPtrList.h"

class CReadOnlyCombo;
class QTreeWidget;
class QTreeWidgetItem;

namespace brelkin {

// The one page of the set menu and mix & match editor: the record's fields
// and, below them, its child rows (items or set menus with their use price;
// items or departments with a quantity), each picked in choosers. A set
// menu holds at most 20 children, an offer 6 (1 where the offer discounts
// its cheapest or dearest item). The mix & match fields lock and clear one
// another by the chosen discount kind.
class CSetMixPageDlg : public CPageDlg
{
    Q_OBJECT

public:
    enum : unsigned {
        IDC_CODE = 23019,
        IDC_TITLE = 23141,
        IDC_CHILDLIST = 23142,
        IDC_ADDCHILD = 23143,
        IDC_INSERTCHILD = 23144,
        IDC_DELETECHILD = 23145,
        IDC_SETTYPE = 23135,
        IDC_LISTMIN = 23137,
        IDC_LISTMIN_LABEL = 23136,
        IDC_LISTMAX = 23140,
        IDC_LISTMAX_LABEL = 23139,
        IDC_MMDISCOUNTTYPE = 23146,
        IDC_CONDITIONTYPE = 23148,
        IDC_DISCOUNTTYPE = 23155,
        IDC_TARGETITEMTYPE = 23153,
        IDC_DISCOUNTAMOUNT = 20008,
        IDC_DISCOUNTRATE = 23151,
        IDC_TARGETITEM = 23157,
    };
    static constexpr int kMaxSetMenuChildren = 20;
    static constexpr int kMaxMixMatchChildren = 6;

    CSetMixPageDlg();
    ~CSetMixPageDlg() override;

    void SetWindowKind(int kind) { m_nWindowKind = kind; }
    int WindowKind() const { return m_nWindowKind; }
    bool IsSetMenu() const;

    bool ShowData(bool firstTime) override;
    // The record, then its child rows renumbered from 1 (in the editor's
    // transaction): a child unchanged at its place is not written; the
    // others replace the stored rows, a moved one keeping its creation time.
    bool SaveData(const QStringList* filter, int& err) override;

    QTreeWidget* ChildList() const { return m_pChildList; }
    // Three values each: code, type and use price or quantity.
    const CStringArrayPtrList& ChildRows() const { return m_childRows; }
    int MaxChildRows() const { return m_nMaxChildRows; }

    int GetSelectedChildRow();
    bool InsertChildRow(int at);
    bool DeleteChildRow(int index, bool confirm);
    // Lowers or raises the cap; rows past a lower cap go without asking.
    bool SetMaxChildRows(int limit, bool warn);
    void OnAddChild();
    void OnInsertChild();
    void OnDeleteChild();
    // A double click on a cell; row -1 for the empty space below the rows.
    void OnChildDblClk(int row, int column);

    bool SelectSetMenuChild(QString& code, QString& name, QString& type);
    bool SelectMixMatchTarget(QString& code, QString& name, QString& type);
    bool SelectUsePrice(QString& value, QString& text);

    void ApplyMMDiscountType();
    void ApplyDiscountType();
    // A target that takes fewer children than the list holds asks first
    // (naming how many go); No returns to the target there was.
    void ApplyTargetItemType();
    void ApplySetType();

protected:
    QWidget* NewControl(const CColumnData* column) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetupChildList();
    bool ReadChildRows();
    bool SaveChildRows(int& err);
    // The child's name: 1 found, 0 gone, -1 the query failed.
    int ReadChildName(const QStringList& row, QString& name) const;
    bool AddSetMenuChildRow(int at, QStringList* row);
    bool AddMixMatchChildRow(int at, QStringList* row);
    QTreeWidgetItem* NewChildItem(int at, const QString& name, const QString& value);
    void Renumber();
    void SelectChild(int row);
    void UpdateDeleteButton();
    bool ChooseChild(bool setMenu, QString& code, QString& name, QString& type);

    CReadOnlyCombo* Combo(unsigned id);
    // The selected entry's value of a combo's column; "" without a selection.
    QString ComboValue(unsigned id);
    bool HasSelection(unsigned id);
    void SetEditLocked(unsigned id, bool locked, bool zero);
    void ClearTargetItem();
    void SetFirstTargetItemTypeText(const QString& text);
    int TargetTypeCap();

    int m_nWindowKind = 6;
    CStringArrayPtrList m_childRows;
    QString m_strCode;
    QTreeWidget* m_pChildList = nullptr;
    QString m_strFirstTargetItemTypeText;
    int m_nMaxChildRows = kMaxMixMatchChildren;
    int m_nTargetItemTypeIndex = -1; // the target type a refused switch returns to
    bool m_bSelecting = false;
    bool m_bChildReadFailed = false;
};

} // namespace brelkin
