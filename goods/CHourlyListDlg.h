#pragma once

#include "goods/base/CMainDlg.h"

#include <QRect>

#include <memory>

class CDataManager;
class CMainListCtrl;
class QLabel;

namespace brelkin {

class CHourlyData;
class CHourlyListModel;

// The window of the hourly report's targets: every department and item with
// a check box, at most 300 marked; OK rewrites CSB014 with the marked items,
// then the marked departments.
class CHourlyListDlg : public CMainDlg
{
    Q_OBJECT

public:
    enum : uint { IDC_LIST = 23001, IDC_ITEMCOUNT = 23071, IDC_SELECT = 23072, IDC_CLEAR = 23069 };

    CHourlyListDlg(CDataManager* departments, CDataManager* items, uint templateId, QWidget* parent,
                   int windowKind);
    ~CHourlyListDlg() override;

    CHourlyListModel* Model() const { return m_pModel; }
    CMainListCtrl* List() const { return m_pList; }
    QLabel* CountLabel() const { return m_pCount; }
    // The work database of the targets' own connection ("" for the local one).
    void SetTargetDatabase(const QString& path) { m_strTargetDatabase = path; }

    bool OnCommand(uint id) override;
    void ColorDialogButtons() override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool ReadAll();
    void EndAfterFailure();
    void BuildListColumns();
    void UpdateCountLabel();
    QList<int> SelectedRows() const;

    CDataManager* m_pDepartments;
    CDataManager* m_pItems;
    QString m_strTargetDatabase;
    std::unique_ptr<CHourlyData> m_pData;
    CHourlyListModel* m_pModel = nullptr;
    CMainListCtrl* m_pList = nullptr;
    QLabel* m_pCount = nullptr;
    bool m_bFailed = false;
    // The list's and label's distances to the window edges, at start-up.
    QRect m_listMargins;
    int m_nLabelRight = 0;
    int m_nLabelHeight = 0;
};

} // namespace brelkin
