#pragma once

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class CDataManager;
class CErrDataInfo;
class CColumnData;
class CColumnDataList;
class QFormLayout;
class QTreeWidget;

namespace brelkin {

// One page of the record editor: the controls of one page template, bound by
// control id to the columns of the mode's column list; shows a record and
// writes it back.
class CPageDlg : public QWidget
{
    Q_OBJECT

public:
    CPageDlg();
    ~CPageDlg() override;

    void BindPage(CDataManager* dataManager, int recordNo, bool newRecord);
    // Builds the page's controls as child of parent and shows the record.
    bool Create(unsigned pageId, QWidget* parent);
    unsigned PageId() const { return m_nPageId; }

    // The id of the first control whose value the value check refuses
    // (CColumnValueCheck; the page shows the column's message, or records it
    // when given a collector); 0 when all are good. A filter limits the
    // check to those label keys.
    virtual unsigned CheckInput(CErrDataInfo* collector, const QStringList* filter);
    // Writes the record (only the filtered columns when given a filter).
    virtual bool SaveData(const QStringList* filter, int& err);
    virtual bool ShowData(bool firstTime);

    QWidget* Control(const CColumnData* column) const;

    // The restaurant item's set price row (second data manager), by item code.
    void BindSetPriceRows(CDataManager* second, const QString& key);
    bool HasSetPriceRows() const { return m_pSecondDataManager != nullptr; }
    // Writes the set price row; true when the item has none.
    bool SaveSetPriceRow(int& err);
    // The set price row is added and deleted at once, outside the editor's
    // save, each by its button on the set price page.
    void AddSetPriceRow();
    void DeleteSetPriceRow();

    enum : unsigned { IDC_SETPRICE_ADD = 23196, IDC_SETPRICE_DELETE = 23139 };
    enum : unsigned { IDC_SUBITEMS = 23133, IDC_CHANGE_VALUE = 23138 };

    // The columns without a control of their own (price levels 2 to 10 and
    // their kin) as rows of name and value, edited one by one; the record
    // takes them when the page is saved.
    QTreeWidget* SubItemList() const { return m_pSubItems; }
    void EditSubItem();
    // An imported or pasted text for a sub-item column (by column list
    // index), checked as the value dialog checks it (CColumnValueCheck); a
    // refused text goes to the collector with the column's title.
    bool SetSubItemFromText(int columnIndex, const QString& text, CErrDataInfo* collector);

protected:
    // "CRDS_CMN_ERR_SAVE_FAILED" with the database status.
    void ShowSaveFailure(int err);
    // A value the page keeps itself instead of a control's; false for none.
    virtual bool OwnValue(const CColumnData* column, QString& value) const;
    // A control of the page's own kind for a column; nullptr for the usual one.
    virtual QWidget* NewControl(const CColumnData* column);
    // A list of rows of name and value (no sorting), a child of the page.
    QTreeWidget* NewNameValueList(unsigned id);
    // What the controls show now counts as shown, not as the user's change:
    // a page whose own rules set values as it opens calls it after them.
    void RememberShownValues();

    CDataManager* m_pDataManager = nullptr;
    int m_nRecordNo = 0;

private:
    void BuildControls();
    void SetupSubItemList(QFormLayout* form);
    void ShowSubItems(const QStringList& record, bool firstTime);
    void BuildControlsOf(QFormLayout* form, const CColumnDataList* list, bool mainList);
    void FitEdit(const CColumnData* column, QWidget* control);
    void FindSetPriceRow();
    void ShowSetPriceRow();
    void AddSetPriceButtons(QFormLayout* form);
    // What a control showed when the record was shown, to tell the user's
    // changes from what the control only displays (an empty text for NULL).
    void RememberShownValue(CColumnData* column, QWidget* control);
    bool IsChangedByUser(CColumnData* column, QWidget* control) const;
    // Writes the columns whose value differs from the record, and the
    // update stamp.
    static bool SaveChangedColumns(CColumnDataList* list, int recordNo, const QStringList& record,
                                   const QStringList& values, int& err);
    // The values a save writes: the controls' where they are enabled, the
    // record's elsewhere, and the time stamps.
    QStringList CollectValues(const CColumnDataList* list, const QStringList& record,
                              const QStringList* filter = nullptr) const;
    static bool IsInFilter(const QStringList* filter, const QString& key);
    // The shown record's code.
    QString RecordCode() const;
    // The record's value of a column as the list holds it.
    QString StoredValue(int columnIndex) const;
    // The restaurant item's "PROPERTY": only its first characters are the
    // classification the sub-item list edits.
    bool IsClassificationPart(const CColumnData* column) const;

    bool m_bNewRecord = false;
    unsigned m_nPageId = 0;
    CDataManager* m_pSecondDataManager = nullptr;
    int m_nSetPriceRecordNo = -1;
    QString m_strSetPriceKey;
    QTreeWidget* m_pSubItems = nullptr;
    QStringList m_subItemValues;
    QList<int> m_subItemColumns;                       // column list index of each row
    mutable QHash<uint, QPointer<QWidget>> m_controls; // found controls by id
    QHash<const CColumnData*, QString> m_shownValues;  // as shown, by column
};

} // namespace brelkin
