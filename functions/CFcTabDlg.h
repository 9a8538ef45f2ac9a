#pragma once

#include "functions/CFcMainDlg.h"
#include "functions/IFcPageHost.h"

class CDataManager;
class QTabWidget;

namespace kesmond {

class CFcBasePageDlg;

// The function-key editor: one tab with one page, whose template follows
// the key's function (or the property page when the database defines
// function properties). OK checks, asks, and saves the page.
class CFcTabDlg : public CFcMainDlg, public IFcPageHost
{
    Q_OBJECT

public:
    CFcTabDlg(CDataManager* dataManager, int recordNo, bool newRecord, QWidget* parent,
              uint tabTemplateId, uint pageTemplateId, int windowKind);
    ~CFcTabDlg() override;

    CFcBasePageDlg* Page() const { return m_pPage; }
    QTabWidget* TabControl() const { return m_pTab; }
    uint PageTemplateId() const { return m_nPageTemplateId; }

    const QString& FunctionOverride() const override { return m_strFunctionOverride; }
    void SetFunctionOverride(const QString& code) override { m_strFunctionOverride = code; }
    void PostChangePage(uint pageTemplateId) override;
    void PostCancel() override;

public slots:
    // Rebuilds the page from another template on the same record.
    void ChangePageDlg(uint pageTemplateId);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    CFcBasePageDlg* MakePage(uint pageTemplateId) const;
    bool BuildPage(uint pageTemplateId);

    CDataManager* m_pDataManager;
    int m_nRecordNo;
    bool m_bNewRecord;
    uint m_nPageTemplateId;
    QString m_strFunctionOverride;
    QTabWidget* m_pTab = nullptr;
    CFcBasePageDlg* m_pPage = nullptr; // a child of the tab control
};

} // namespace kesmond
