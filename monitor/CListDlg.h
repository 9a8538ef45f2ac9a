#pragma once

#include "monitor/CMainDlg.h"

#include <QStringList>

#include <memory>

class CDataManager;
class CMainListCtrl;
class QLabel;
class QPushButton;

namespace mervolt {

class CButtonPreview;
class CColumnDataListMoLocal;
class CItemImageListModel;
class CItemImageSlots;

// The item-image list: binds pictures to item codes (registered: the items
// of CIA001; display archive: the codes that have a picture, and codes
// typed with Insert). Every change goes to the work copy of the picture
// folder and the window's own slot items; OK puts both in place, Cancel
// drops them.
class CListDlg : public CMainDlg
{
    Q_OBJECT

public:
    enum : uint {
        IDD = 3001,
        IDC_LIST = 23001,
        IDC_PREVIEW_CAPTION = 23196,
        IDC_PREVIEW = 23194,
        IDC_IMAGESIZE = 23197,
        IDC_EXPLAIN = 23198,
        IDC_DEFAULT_IMAGE = 23206,
        IDC_INSERT = 23048,
        IDC_DELETE = 23047,
        IDC_UPDATE = 23199,
    };

    CListDlg(CDataManager* dataManager, QWidget* parent = nullptr);
    ~CListDlg() override;

    // 1 item images, 0 recommendation images.
    void SetListMode(int listMode) { m_nListMode = listMode; }
    void SetRegistered(int registered) { m_nRegistered = registered; }

    // A window whose opening failed never shows: its end code.
    int exec() override;

    CItemImageListModel* Model() const { return m_pModel.get(); }
    CMainListCtrl* List() const { return m_pList; }
    CButtonPreview* Preview() const { return m_pPreview; }
    bool DefaultImageTarget() const { return m_bDefaultTarget; }
    int SelectedRow() const;
    void SelectRow(int row);

    void OnInsert();
    void OnDelete();
    void OnUpdate();
    void OnDefaultImageFocus();
    void OnDefaultImageClicked();
    void OnDropFile(const QString& path) override;
    // A file dropped on a row of the list.
    void DropOnRow(int row, const QString& path);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OpenRows();
    void Fail(int code);
    void BuildColumns();
    void WidenColumnsToCells();
    void SetMarksAtOpening();
    void ShowPictureOf(int row);
    void ShowPicture(const QString& path);
    void ClearPreview();
    void SetPicture(int row, const QString& path);
    void SetDefaultImage(const QString& path);
    void OnSelectionChanged();

    CDataManager* m_pDataManager;
    CColumnDataListMoLocal* m_pColumns = nullptr;
    int m_nListMode = 1;
    int m_nRegistered = 1;
    int m_nLimit = 0;
    qint64 m_nSizeLimit = 0;
    bool m_bDefaultTarget = false;
    bool m_bOpenFailed = false;
    bool m_bWorkCopyMade = false;
    int m_nFailCode = 0;
    QStringList m_permitted;
    std::unique_ptr<CItemImageSlots> m_pSlots;
    std::unique_ptr<CItemImageListModel> m_pModel;
    CMainListCtrl* m_pList = nullptr;
    CButtonPreview* m_pPreview = nullptr;
    QLabel* m_pSize = nullptr;
    QLabel* m_pExplain = nullptr;
    QPushButton* m_pDefault = nullptr;
};

} // namespace mervolt
