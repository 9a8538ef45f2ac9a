#pragma once

#include "functions/CFcMainDlg.h"

#include <functional>
#include <memory>

class CDataManager;
class QLabel;
class QScrollArea;
class QScrollBar;

namespace kesmond {

class CButtonStyleMgr;
class CFcKeyLayCSB023;
class CFcKeySheetButton;
class CKeyLayoutDialogs;
class CKeyLayoutEditor;
class CKeyLayoutReads;
class CKeySheetController;
class CNinePatchButton;

// The key-layout editor window: one page of the register's touch screen on
// a canvas with its grid, the page tabs below it, and the commands and the
// palette on the left. Nothing reaches the database before OK.
class CFcKeyLayoutDlg : public CFcMainDlg
{
    Q_OBJECT

public:
    enum : uint {
        IDC_UNDO = 23146,
        IDC_PAGE_SET = 23147,
        IDC_PAGE_DEL = 23148,
        IDC_BUTTON_SET = 23149,
        IDC_BUTTON_DEL = 23150,
        IDC_BUTTON_RELEASE = 23151,
        IDC_SIZE_CHANGE = 23152,
        IDC_GRID_TEXT = 23154,
        IDC_PAGE_COPY = 23191,
        IDC_PAGE_PASTE = 23192,
        IDC_STRIP_SCROLL = 23195,
        ID_UNDO_ACCEL = 36002,
    };
    static constexpr int kMaxSide = 8192;

    // dialogs (nullptr: none) is not owned.
    CFcKeyLayoutDlg(CDataManager* dataManager, QWidget* parent, CKeyLayoutDialogs* dialogs);
    ~CFcKeyLayoutDlg() override;

    // Pauses of the image folder's retries (tests wait 0).
    static void SetFolderWait(std::function<void(int ms)> wait);

    CKeyLayoutEditor* Editor() const { return m_editor.get(); }
    CKeySheetController* Controller() const { return m_controller.get(); }
    CFcKeySheetButton* Canvas() const { return m_pCanvas; }
    QScrollArea* SheetView() const { return m_pSheetView; }

    // A start that failed ends the window without showing it.
    void setVisible(bool visible) override;
    QScrollBar* StripScrollBar() const { return m_pScroll; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(uint id) override;
    void OnOK() override;
    void OnCancel() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool StartEditor();
    bool HandleKey(QKeyEvent* event);
    // The start's failure message (err 0: the connection or the layout,
    // else the read's code); the window then ends with 2.
    void FailStart(int err = 0);
    void UpdateEnabling();
    // The bar follows the tabs of a newly shown strip page.
    void UpdateScrollBar();
    void OnStripScrolled(int position);
    void SetGridText();
    void StoreGrid();
    void OnPalette(uint id);
    // The canvas's left edge for a sheet of that width.
    int CanvasLeft(int sheetWidth);
    // Sizes the window to its palette and the sheet's view of the canvas
    // and strip: each view scrolls where its content is larger than the room.
    void FitWindow(const QSize& sheet, int paletteHeight);

    CDataManager* m_pDataManager;
    CKeyLayoutDialogs* m_pDialogs;
    std::unique_ptr<CFcKeyLayCSB023> m_geometry;
    std::unique_ptr<CButtonStyleMgr> m_images;
    std::unique_ptr<CKeyLayoutReads> m_reads;
    std::unique_ptr<CKeyLayoutEditor> m_editor;
    std::unique_ptr<CKeySheetController> m_controller;
    CFcKeySheetButton* m_pCanvas = nullptr;
    CFcKeySheetButton* m_pStrip = nullptr;
    QLabel* m_pGridText = nullptr;
    QScrollArea* m_pSheetView = nullptr;
    QScrollArea* m_pPaletteView = nullptr;
    QScrollBar* m_pScroll = nullptr;
    int m_nScrollStripPage = -1;
    int m_nScrollPosition = 0;
    bool m_bStarted = false;
    bool m_bInitRun = false;
    bool m_bStartFailed = false;
    bool m_bGridStored = false;
};

} // namespace kesmond
