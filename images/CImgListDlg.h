#pragma once

#include "images/CMainDlg.h"
#include "images/GraphicEditor.h"

#include "shared/data/CStringArrayPtrArray.h"

class CSQliteDB;
class QTableView;

namespace pellark {

class CGraphicListModel;
class CMainImgCtrl;

// The graphic list of standard mode: the six graphics of "CSB008" with a
// preview of the selected one; Change stores what the image editor makes,
// Delete clears a graphic's image.
class CImgListDlg : public CMainDlg
{
    Q_OBJECT

public:
    enum : uint {
        IDD = 3001,
        IDC_LIST = 23001,
        IDC_PREVIEW = 23004,
        IDC_DELETE = 23002,
    };

    explicit CImgListDlg(CSQliteDB* db, QWidget* parent = nullptr);
    ~CImgListDlg() override;

    // The image editor Change runs (the editor window by default).
    void SetEditor(GraphicEditor editor) { m_editor = std::move(editor); }

    bool ReadGraphicBlob(const QString& key, const QString& fileName, int& status);
    // FILENAME, the update time and the image (a blob file name, "" for no
    // image) of one row in one statement, then the rows read again.
    bool WriteGraphicRow(const QString& key, const QString& fileName, const QString& blobFile);
    void ShowPreview(int item);

    CGraphicListModel* Model() const { return m_pModel; }
    QTableView* List() const { return m_pList; }
    CMainImgCtrl* Preview() const { return m_pPreview; }
    const QString& PreviewFile() const { return m_strPreviewFile; }

    bool OnCommand(uint id) override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    bool ReadRows(int& err);
    void BuildListColumns();
    void FitListToRows();
    void OnSelectionChanged();
    int SelectedItem() const;
    void SelectItem(int item);
    void ChangeImage();
    void DeleteImage();
    void DeletePreviewFile();
    void EndAfterFailure();
    void EnableButton(uint id, bool enable);

    CStringArrayPtrArray m_records;
    CSQliteDB* m_pDB;
    QTableView* m_pList = nullptr;
    CGraphicListModel* m_pModel = nullptr;
    CMainImgCtrl* m_pPreview = nullptr;
    QString m_strPreviewFile;
    GraphicEditor m_editor;
};

} // namespace pellark
