#pragma once

#include <QFont>
#include <QStringList>
#include <QWidget>

#include <functional>

class CDataManager;
class CColumnData;
class CSqLiteTransaction;

namespace kesmond {

class CFcColumnDataList;
class IFcPageHost;

// One page of the function-key editor: the controls of one page template,
// bound by control id to the function-key columns; shows the key and writes
// it back with its settings rows in one transaction.
class CFcBasePageDlg : public QWidget
{
    Q_OBJECT

public:
    CFcBasePageDlg();
    ~CFcBasePageDlg() override;

    // Called by the tab dialog before the page is made.
    void BindRecord(CDataManager* dataManager, int recordNo, bool newRecord);
    // Builds the template's controls as a page of the tab dialog and shows
    // the record; false (after "CRDS_CMN_ERR_SETREAD_FAILED") when it cannot.
    bool Create(unsigned templateId, IFcPageHost* tabDlg, QWidget* parent);
    unsigned TemplateId() const { return m_nTemplateId; }

    // Own operations, in their order.
    // The id of the first control whose value is refused (after its
    // message); 0 when every value is good.
    virtual uint CheckInput();
    virtual bool SaveData();
    virtual bool ShowData();

    QWidget* Control(const CColumnData* column) const;
    QString KeyCode() const;
    QString CurrentFunctionCode() const;

protected:
    virtual void BuildControls();
    virtual void OnInitPage() {}
    // The key's row over every column (GetControlValue of the page's
    // enabled controls); the key's settings rows deleted right after the key
    // when deleteSettings. False with err on a failed write.
    bool BuildRow(QStringList& row, bool deleteSettings, int& err);
    // Writes the row; on failure shows "CRDS_CMN_ERR_SAVE_FAILED" with the
    // code. The transaction is the caller's.
    bool SaveRow(QStringList& row, int& err);
    void ShowSaveFailure(int err);
    // Runs the page's writes in one transaction: on a failure nothing stays
    // written, the cached record is as before and the code is shown.
    bool SaveInTransaction(const std::function<bool(int& err)>& writes);
    CFcColumnDataList* List() const;

    CDataManager* m_pDataManager = nullptr;
    int m_nRecordNo = 0;
    bool m_bNewRecord = false;
    unsigned m_nTemplateId = 0;
    IFcPageHost* m_pTabDlg = nullptr;
    QFont m_fixedFont;
};

} // namespace kesmond
