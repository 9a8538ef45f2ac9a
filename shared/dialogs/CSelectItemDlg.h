#pragma once

#include "shared/data/CStringArrayPtrList.h"
#include "shared/dialogs/CSarvikDialog.h"

#include <QList>
#include <QString>
#include <QStringList>

class CSelectItemModel;
class QFontMetrics;
class QTableView;

// Layouts of the chooser: the tall list and the short one.
enum _E_SELITDLG : int { SELITDLG_TALL = 0, SELITDLG_SHORT = 1 };

// A modal list from which the user picks one row; values 0 and 1 of the
// chosen row come back as code and name. The caller fills the members before
// DoModal and frees the rows of m_listItems afterwards.
class CSelectItemDlg : public CSarvikDialog
{
    Q_OBJECT
public:
    static constexpr uint kListId = 9012;

    explicit CSelectItemDlg(QWidget* parent = nullptr);
    CSelectItemDlg(_E_SELITDLG layout, QWidget* parent);
    ~CSelectItemDlg() override;

    // The height of the list's row whose text has that many lines: the text
    // with two pixels and a line clear above and below. Other lists' rows
    // take it too.
    static int RowHeight(const QFontMetrics& metrics, int lines = 1);

    QString m_strTitle;
    CStringArrayPtrList m_listItems;
    QStringList m_arrColumnNames;
    QList<uint> m_arrColumnWidths;
    QString m_strSelectCode;
    QString m_strSelectName;

    QTableView* ListCtrl() const { return m_listCtrl; }
    CSelectItemModel* Model() const { return m_model; }

protected:
    bool OnInitDialog() override;
    // Takes the chosen row; with none chosen the dialog stays open.
    void OnOK() override;

private:
    // The width that shows every cell of a column whole.
    int CellsNeed(int column) const;
    // The width the list shows right of its last column.
    int SpareWidth() const;

    QTableView* m_listCtrl = nullptr;
    CSelectItemModel* m_model = nullptr;
};
