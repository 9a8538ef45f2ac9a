#pragma once

#include "functions/keylayout/CBtnPropStack.h"
#include "functions/keylayout/CButtonProperty.h"
#include "functions/keylayout/CKeySheetGrid.h"

#include <QRect>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

namespace kesmond {

class CButtonStyleMgr;
class CFcKeyLayCSB023;
class CKeyLayoutLoader;
class CKeyLayoutReads;

// What the editor's window shows of it; the editor calls it after each
// change. ShowRecord (from CKeyView) redraws one key or tab.
class CKeyLayoutView : public CKeyView
{
public:
    // The keys or the tabs to show changed as a whole.
    virtual void PageShown() = 0;
    virtual void StripShown() = 0;
    virtual void KeyAdded(CButtonProperty& key) = 0;
    // The record is deleted right after.
    virtual void KeyRemoved(CButtonProperty& key) = 0;
    virtual void StateChanged() = 0;
};

// A palette button: key kinds 0 to 4, section kinds 1 to 3.
struct PaletteKind
{
    bool section = false;
    int index = 0;
};

// The strip's scroll bar: shown for a strip page with a scroll area whose
// tabs reach at least its width, over 0 to range.
struct StripScroll
{
    bool shown = false;
    int range = 0;
};

// Which commands the window enables.
struct EditorEnabling
{
    bool keyCommands = false;  // key settings, delete, deselect
    bool palette = false;      // palette, sections, grid, page copy
    bool pageCommands = false; // page settings and clear
    bool paste = false;
    bool undo = false;
};

// The key-layout editor without its widgets: the sheet and strip records,
// the shown strip page and page, the selected key, the undo stack and every
// command the window forwards. Nothing is written before the save.
class CKeyLayoutEditor
{
public:
    // Cache, geometry and reads are not owned and outlive the editor; reads
    // (nullptr: none) give a changed key its item or function-key name.
    CKeyLayoutEditor(CButtonStyleMgr* images, const CFcKeyLayCSB023* geometry,
                     CKeyLayoutReads* reads);
    ~CKeyLayoutEditor();
    CKeyLayoutEditor(const CKeyLayoutEditor&) = delete;
    CKeyLayoutEditor& operator=(const CKeyLayoutEditor&) = delete;

    void SetView(CKeyLayoutView* view);
    // Takes the loader's records and pages; the canvas is the page's size.
    void Load(CKeyLayoutLoader& loader);
    void SetGrid(int columns, int rows);
    const CKeySheetGrid& Grid() const { return m_grid; }
    QSize CanvasSize() const { return m_canvas; }

    // Strip pages and pages.
    void ShowStripPage(int number);
    void NextStripPage();
    void PreviousStripPage();
    int ShownStripPage() const { return m_nShownStripPage; }
    int LastStripPage() const { return m_nLastStripPage; }
    // Tabs and arrows of the shown strip page, in row order.
    std::vector<CButtonProperty*> StripWindows() const;
    // A tab pressed: its page is shown and it becomes the current tab.
    void SelectTab(CButtonProperty* tab);
    CButtonProperty* CurrentTab() const { return m_pCurrentTab; }
    // The page number of a page code; 0 when no page has it.
    int PageNumber(const QString& code) const;
    int CurrentPage() const;
    bool IsAutomaticPage() const { return m_bAutomatic; }
    // The keys of the shown page, in row order.
    std::vector<CButtonProperty*> ShownKeys() const;

    void SelectKey(CButtonProperty* key);
    void Deselect();
    CButtonProperty* SelectedKey() const { return m_pSelected; }

    // A palette button: adds a key with nothing selected, else resizes the
    // selected key when the kind fits it (else only deselects).
    bool PalettePressed(const PaletteKind& kind);
    bool DeleteKey();
    // A key's settings from its dialog replace the selected key (undoable);
    // same-code keys take its colours and images.
    bool ApplyKeySettings(std::unique_ptr<CButtonProperty> copy);
    bool MoveSelectedKey(const QRect& rect);
    // Arrow keys: dx, dy of -1, 0 or 1; nothing when the key would leave the canvas.
    bool ArrowMove(int dx, int dy);
    bool Undo();
    bool ClearPage();
    // The page dialog's result for the current tab: the tab and its page
    // take it; a page made automatic loses its keys.
    bool ApplyPageSettings(std::unique_ptr<CButtonProperty> copy);
    StripScroll ScrollOfStrip() const;
    bool CopyPage();
    bool PastePage();
    int CopiedPage() const { return m_nCopiedPage; }

    EditorEnabling Enabling() const;
    int UndoCount() const { return m_stack.GetCount(); }

    CButtonPropertyArray& SheetRows() { return m_sheetRows; }
    CButtonPropertyArray& StripRows() { return m_stripRows; }

private:
    QSize PaletteSize(const PaletteKind& kind) const;
    CButtonProperty* PageRow(int number) const;
    void ShowPageNumber(int number);
    void PassToSameCodeKeys(const CButtonProperty& changed);
    // Every key of the page goes, its window first.
    void RemovePageKeys(int page);
    void ClearUndo();
    void Notify();

    CButtonStyleMgr* m_pImages;
    const CFcKeyLayCSB023* m_pGeometry;
    CKeyLayoutReads* m_pReads;
    CKeyLayoutView* m_pView = nullptr;
    CButtonPropertyArray m_sheetRows;
    CButtonPropertyArray m_stripRows;
    std::vector<std::pair<QString, QString>> m_pages;
    CBtnPropStack m_stack;
    CKeySheetGrid m_grid;
    QSize m_canvas;
    int m_nShownStripPage = -1;
    int m_nLastStripPage = 0;
    int m_nShownPage = 0; // 0 = none
    int m_nCopiedPage = -1;
    bool m_bAutomatic = false;
    CButtonProperty* m_pCurrentTab = nullptr;
    CButtonProperty* m_pSelected = nullptr;
};

} // namespace kesmond
