#pragma once

#include "goods/CMainDlgEx.h"

#include <QTimer>

class CDataManager;
class CRecordListModel;
class QComboBox;
class QLineEdit;

namespace brelkin {

class CColumnDataFloatingPrice;
class CPrColumnDataListFloatingPrice;

// The floating prices of one floating department: a row per item or
// department, a column per floating item, a unit-price level chosen in the
// combo. A cell is edited in place; each finished edit writes or deletes its
// CSA007 row at once. Cells without a stored price show the floating item's
// own price with "*", in grey.
class CPrFloatingPriceDlg : public CMainDlgEx
{
    Q_OBJECT

public:
    enum : uint { IDC_LEVEL = 23190, IDC_MESSAGE = 23192, IDC_PRICE = 23140 };

    // windowKind 1: items, 0: departments.
    CPrFloatingPriceDlg(CDataManager* manager, uint templateId, QWidget* parent, int windowKind);
    ~CPrFloatingPriceDlg() override;

    CRecordListModel* Model() const { return m_pModel; }
    QComboBox* LevelCombo() const { return m_pLevel; }
    QLineEdit* InPlaceEdit() const { return m_pEdit; }
    int EditRow() const { return m_nEditRow; }
    int EditColumn() const { return m_nEditColumn; }

    // Opens the editor on a cell (list row and column); the name column
    // is never edited.
    void BeginInPlaceEdit(int row, int column);
    // Writes the open edit (skipUnchanged: only a changed text); false when
    // nothing was written.
    bool EndInPlaceEdit(bool skipUnchanged);
    // Key Qt::Key_Return moves by rows, Qt::Key_Tab by columns.
    void MoveToNextCell(bool skipUnchanged, int key, bool shift);
    void SetLevel(int index);

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CPrColumnDataListFloatingPrice* PriceList() const;
    CColumnDataFloatingPrice* PriceColumn(int listColumn) const;
    void DropInPlaceEdit();
    void ReloadRecords();

    CRecordListModel* m_pModel = nullptr;
    QComboBox* m_pLevel = nullptr;
    QLineEdit* m_pEdit = nullptr;
    QString m_strPreEditValue;
    int m_nEditRow = -1;
    int m_nEditColumn = -1;
    QTimer m_clickTimer;
};

} // namespace brelkin
