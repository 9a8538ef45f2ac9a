#include "functions/keylayout/CKeyLayoutEditor.h"

#include "functions/keylayout/CButtonStyleMgr.h"
#include "functions/keylayout/CFcKeyLayCSB023.h"
#include "functions/keylayout/CKeyLayoutLoader.h"
#include "functions/keylayout/CKeyLayoutReads.h"

#include "shared/data/NumberOfText.h"

#include <algorithm>

namespace kesmond {

namespace {

constexpr int kMinKeySide = 40;

bool IsTab(const CButtonProperty& row)
{
    return row.m_strControlType == QLatin1String("Normal");
}

} // namespace

CKeyLayoutEditor::CKeyLayoutEditor(CButtonStyleMgr* images, const CFcKeyLayCSB023* geometry,
                                   CKeyLayoutReads* reads)
    : m_pImages(images), m_pGeometry(geometry), m_pReads(reads),
      m_stack(m_sheetRows, images, nullptr)
{
    m_grid.SetGeometry(geometry);
}

CKeyLayoutEditor::~CKeyLayoutEditor()
{
    m_stack.Clear();
}

void CKeyLayoutEditor::SetView(CKeyLayoutView* view)
{
    m_pView = view;
    m_stack.SetView(view);
}

void CKeyLayoutEditor::Load(CKeyLayoutLoader& loader)
{
    m_sheetRows = std::move(loader.m_sheetRows);
    m_stripRows = std::move(loader.m_stripRows);
    m_pages = std::move(loader.m_pages);
    m_nLastStripPage = loader.m_nLastStripPage;
    m_canvas = loader.m_pageRect.size();
    m_grid.SetPageRect(QRect(QPoint(0, 0), m_canvas));
}

void CKeyLayoutEditor::SetGrid(int columns, int rows)
{
    m_grid.SetGrid(columns, rows);
    Notify();
}

void CKeyLayoutEditor::Notify()
{
    if (m_pView)
        m_pView->StateChanged();
}

void CKeyLayoutEditor::ClearUndo()
{
    m_stack.Clear();
}

std::vector<CButtonProperty*> CKeyLayoutEditor::StripWindows() const
{
    std::vector<CButtonProperty*> windows;
    for (const auto& row : m_stripRows)
        if (row->m_nSheetNumber == m_nShownStripPage &&
            row->m_strControlType != QLatin1String("ItemSheetSelection") &&
            row->m_strControlType != QLatin1String("ScrollArea"))
            windows.push_back(row.get());
    return windows;
}

void CKeyLayoutEditor::ShowStripPage(int number)
{
    ClearUndo();
    m_nShownStripPage = number;
    m_pCurrentTab = nullptr;
    // The tab with the smallest code (the first of equals) is shown first.
    for (CButtonProperty* tab : StripWindows())
        if (IsTab(*tab) && (!m_pCurrentTab ||
                            NumberOfText(tab->m_strCode) < NumberOfText(m_pCurrentTab->m_strCode)))
            m_pCurrentTab = tab;
    if (m_pView)
        m_pView->StripShown();
    // A strip page without tabs leaves no page to show or edit.
    if (m_pCurrentTab)
        SelectTab(m_pCurrentTab);
    else
        ShowPageNumber(0);
}

void CKeyLayoutEditor::NextStripPage()
{
    if (m_nShownStripPage >= m_nLastStripPage)
        return;
    Deselect();
    ShowStripPage(m_nShownStripPage + 1);
}

void CKeyLayoutEditor::PreviousStripPage()
{
    if (m_nShownStripPage <= 0)
        return;
    Deselect();
    ShowStripPage(m_nShownStripPage - 1);
}

void CKeyLayoutEditor::SelectTab(CButtonProperty* tab)
{
    if (!tab)
        return;
    if (tab->m_strControlType == QLatin1String("LeftArrow")) {
        PreviousStripPage();
        return;
    }
    if (tab->m_strControlType == QLatin1String("RightArrow")) {
        NextStripPage();
        return;
    }
    m_pCurrentTab = tab;
    ShowPageNumber(PageNumber(tab->m_strCode));
}

int CKeyLayoutEditor::PageNumber(const QString& code) const
{
    for (const auto& [number, pageCode] : m_pages)
        if (pageCode == code)
            return int(NumberOfText(number));
    return 0;
}

int CKeyLayoutEditor::CurrentPage() const
{
    return m_pCurrentTab ? PageNumber(m_pCurrentTab->m_strCode) : 0;
}

CButtonProperty* CKeyLayoutEditor::PageRow(int number) const
{
    for (const auto& row : m_sheetRows)
        if (row->IsPage() && row->m_nSheetNumber == number)
            return row.get();
    return nullptr;
}

void CKeyLayoutEditor::ShowPageNumber(int number)
{
    m_pSelected = nullptr;
    ClearUndo();
    m_nShownPage = PageRow(number) ? number : 0;
    // The page's tab says whether the register lays it out itself.
    const CButtonProperty* pageRow = PageRow(number);
    const CButtonProperty* tab = nullptr;
    if (pageRow)
        for (const auto& row : m_stripRows)
            if (row->m_strCode == pageRow->m_strCode && IsTab(*row))
                tab = row.get();
    m_bAutomatic = tab && tab->m_nPageArrange == 0;
    if (m_pView)
        m_pView->PageShown();
    Notify();
}

std::vector<CButtonProperty*> CKeyLayoutEditor::ShownKeys() const
{
    std::vector<CButtonProperty*> keys;
    if (m_nShownPage == 0 || m_bAutomatic)
        return keys;
    for (const auto& row : m_sheetRows)
        if (row->m_nSheetNumber == m_nShownPage && !row->IsPage())
            keys.push_back(row.get());
    return keys;
}

void CKeyLayoutEditor::SelectKey(CButtonProperty* key)
{
    m_pSelected = key;
    Notify();
}

void CKeyLayoutEditor::Deselect()
{
    m_pSelected = nullptr;
    Notify();
}

EditorEnabling CKeyLayoutEditor::Enabling() const
{
    // Without a page (a strip without tabs) nothing may be added, cleared,
    // copied or pasted: a key there would belong to no page.
    const bool custom = m_nShownPage != 0 && !m_bAutomatic;
    EditorEnabling e;
    e.keyCommands = m_pSelected != nullptr;
    e.palette = custom;
    e.pageCommands = m_pCurrentTab != nullptr && m_nShownPage != 0;
    e.paste = custom && m_nCopiedPage >= 0;
    e.undo = custom && m_stack.GetCount() > 0;
    return e;
}

QSize CKeyLayoutEditor::PaletteSize(const PaletteKind& kind) const
{
    if (!kind.section && kind.index == 0) {
        const QSize cell = m_grid.CellSize();
        return {std::max(cell.width(), kMinKeySide), std::max(cell.height(), kMinKeySide)};
    }
    if (!m_pGeometry)
        return {kMinKeySide, kMinKeySide};
    return kind.section ? m_pGeometry->SectionSize(kind.index - 1)
                        : m_pGeometry->KeySize(kind.index - 1);
}

bool CKeyLayoutEditor::PalettePressed(const PaletteKind& kind)
{
    if (!Enabling().palette)
        return false;
    const QSize size = PaletteSize(kind);
    if (m_pSelected) {
        if (m_pSelected->IsItemSection() != kind.section) {
            Deselect();
            return false;
        }
        auto copy = std::make_unique<CButtonProperty>(*m_pSelected);
        copy->m_nWidth = size.width();
        copy->m_nHeight = size.height();
        CButtonProperty* shown = copy.get();
        if (!m_stack.Push(std::move(copy), m_pSelected))
            return false;
        m_pSelected = shown;
        Notify();
        return true;
    }
    auto key = std::make_unique<CButtonProperty>();
    if (kind.section) {
        key->m_strControlType = QStringLiteral("ItemSection");
        if (m_pImages)
            key->m_pBackImage = m_pImages->FindImage(
                QStringLiteral("FunctionButton"), QStringLiteral("Standard"), QStringLiteral("0"));
        key->m_nForeColor = int(0xFFA1A9B6u);
        key->m_nBackColor = 0;
        key->m_nOptionColor = 0;
    } else {
        key->m_strControlType = QStringLiteral("ItemButton");
        KeyStyle style;
        if (m_pImages)
            style = m_pImages->GetDefaultKeyStyle();
        key->m_pBackImage = style.image;
        key->m_nForeColor = style.foreColor;
        key->m_nBackColor = style.backColor;
        key->m_nOptionColor = style.optionColor;
    }
    key->m_strTheme = QStringLiteral("Standard");
    key->m_nSheetNumber = CurrentPage();
    key->m_nSheetArrange = 1;
    key->m_nWidth = size.width();
    key->m_nHeight = size.height();
    key->m_strLabel.clear();
    key->m_strCode = QStringLiteral("0");
    key->m_nImageFlag = 0;
    CButtonProperty& added = *key;
    m_sheetRows.push_back(std::move(key));
    // Selected first: the view gives the selected key the focus.
    m_pSelected = &added;
    if (m_pView)
        m_pView->KeyAdded(added);
    ClearUndo();
    Notify();
    return true;
}

bool CKeyLayoutEditor::DeleteKey()
{
    CButtonProperty* key = m_pSelected;
    const auto at = std::find_if(m_sheetRows.begin(), m_sheetRows.end(),
                                 [key](const auto& row) { return key && row.get() == key; });
    if (at == m_sheetRows.end())
        return false;
    m_pSelected = nullptr;
    ClearUndo();
    if (m_pView)
        m_pView->KeyRemoved(*key);
    m_sheetRows.erase(at);
    Notify();
    return true;
}

void CKeyLayoutEditor::PassToSameCodeKeys(const CButtonProperty& changed)
{
    const bool withPicture = changed.m_nImageFlag != 0;
    for (const auto& row : m_sheetRows) {
        if (row.get() == &changed || row->m_strControlType != changed.m_strControlType ||
            row->m_strTheme != changed.m_strTheme || row->m_strCode != changed.m_strCode)
            continue;
        row->m_nForeColor = changed.m_nForeColor;
        row->m_nBackColor = changed.m_nBackColor;
        row->m_nOptionColor = changed.m_nOptionColor;
        row->m_pBackImage = changed.m_pBackImage;
        if ((row->m_nImageFlag != 0) == withPicture)
            row->m_pItemImage = changed.m_pItemImage;
        if (m_pView && row->m_nSheetNumber == m_nShownPage && row->m_pWindow)
            m_pView->ShowRecord(*row, false);
    }
}

bool CKeyLayoutEditor::ApplyKeySettings(std::unique_ptr<CButtonProperty> copy)
{
    if (!m_pSelected || !copy)
        return false;
    CButtonProperty* shown = copy.get();
    if (!m_stack.Push(std::move(copy), m_pSelected))
        return false;
    m_pSelected = shown;
    if (!shown->IsItemSection()) {
        PassToSameCodeKeys(*shown);
        if (m_pReads && shown->IsItemButton())
            m_pReads->ReadItemNameAndPrice(shown->m_strCode, shown->m_strDispName,
                                           shown->m_strPriceText);
        else if (m_pReads && shown->IsFunctionButton())
            m_pReads->ReadFuncKeyName(shown->m_strCode, shown->m_strDispName);
    }
    if (m_pView)
        m_pView->ShowRecord(*shown, false);
    Notify();
    return true;
}

bool CKeyLayoutEditor::MoveSelectedKey(const QRect& rect)
{
    if (!m_pSelected)
        return false;
    auto copy = std::make_unique<CButtonProperty>(*m_pSelected);
    copy->m_nX = rect.x();
    copy->m_nY = rect.y();
    copy->m_nWidth = rect.width();
    copy->m_nHeight = rect.height();
    CButtonProperty* shown = copy.get();
    if (!m_stack.Push(std::move(copy), m_pSelected))
        return false;
    m_pSelected = shown;
    Notify();
    return true;
}

bool CKeyLayoutEditor::ArrowMove(int dx, int dy)
{
    if (!m_pSelected)
        return false;
    QRect rect(m_pSelected->m_nX, m_pSelected->m_nY, m_pSelected->m_nWidth, m_pSelected->m_nHeight);
    const QRect moved = rect.translated(dx, dy);
    if (dx != 0 && moved.x() >= 0 && moved.x() + moved.width() <= m_canvas.width())
        rect.moveLeft(moved.x());
    if (dy != 0 && moved.y() >= 0 && moved.y() + moved.height() <= m_canvas.height())
        rect.moveTop(moved.y());
    if (rect.topLeft() == QPoint(m_pSelected->m_nX, m_pSelected->m_nY))
        return false;
    return MoveSelectedKey(rect);
}

bool CKeyLayoutEditor::Undo()
{
    // The selection follows its row when the record there is restored.
    const auto selected =
        std::find_if(m_sheetRows.begin(), m_sheetRows.end(),
                     [this](const auto& r) { return m_pSelected && r.get() == m_pSelected; });
    const size_t selectedIndex = size_t(selected - m_sheetRows.begin());
    CButtonProperty* restored = m_stack.Pop();
    if (!restored)
        return false;
    if (selectedIndex < m_sheetRows.size())
        m_pSelected = m_sheetRows[selectedIndex].get();
    PassToSameCodeKeys(*restored);
    Notify();
    return true;
}

void CKeyLayoutEditor::RemovePageKeys(int page)
{
    for (auto it = m_sheetRows.begin(); it != m_sheetRows.end();) {
        if ((*it)->m_nSheetNumber == page && !(*it)->IsPage()) {
            if (m_pView && (*it)->m_pWindow)
                m_pView->KeyRemoved(**it);
            it = m_sheetRows.erase(it);
        } else {
            ++it;
        }
    }
}

bool CKeyLayoutEditor::ClearPage()
{
    if (!Enabling().pageCommands)
        return false;
    const int page = CurrentPage();
    m_pSelected = nullptr;
    ClearUndo();
    CButtonProperty& tab = *m_pCurrentTab;
    tab.m_strMenuType = QStringLiteral("1");
    tab.m_strMenuDeptLink = QStringLiteral("0");
    tab.m_strMenuLayout.clear();
    tab.m_nPageArrange = 1;
    tab.m_strLabel.clear();
    tab.m_strDispName.clear();
    RemovePageKeys(page);
    if (CButtonProperty* pageRow = PageRow(page)) {
        pageRow->m_strLabel.clear();
        pageRow->m_nSheetArrange = 1;
    }
    ShowPageNumber(page);
    if (m_pView)
        m_pView->ShowRecord(tab, false);
    return true;
}

bool CKeyLayoutEditor::ApplyPageSettings(std::unique_ptr<CButtonProperty> copy)
{
    if (!copy || !Enabling().pageCommands)
        return false;
    const auto at = std::find_if(m_stripRows.begin(), m_stripRows.end(),
                                 [this](const auto& row) { return row.get() == m_pCurrentTab; });
    if (at == m_stripRows.end())
        return false;
    m_pSelected = nullptr;
    ClearUndo();
    if (copy->m_nPageArrange != 0)
        copy->m_strMenuDeptLink = QStringLiteral("0");
    else
        copy->m_strDispName = copy->m_strLabel;
    if (copy->m_strMenuLayout.isEmpty())
        copy->m_strMenuLayout = QStringLiteral("1");
    const int page = PageNumber(copy->m_strCode);
    copy->m_pWindow = (*at)->m_pWindow;
    *at = std::move(copy);
    m_pCurrentTab = at->get();
    // The tab's window shows the new record before the page is shown
    // again, so that it is still drawn as the current tab.
    if (m_pView)
        m_pView->ShowRecord(*m_pCurrentTab, false);
    if (CButtonProperty* pageRow = PageRow(page)) {
        pageRow->m_strLabel = m_pCurrentTab->m_strLabel;
        pageRow->m_nSheetArrange = m_pCurrentTab->m_nPageArrange;
    }
    if (m_pCurrentTab->m_nPageArrange == 0)
        RemovePageKeys(page);
    ShowPageNumber(page);
    return true;
}

StripScroll CKeyLayoutEditor::ScrollOfStrip() const
{
    int visible = 0;
    int extent = 0;
    bool scrollArea = false;
    for (const auto& row : m_stripRows) {
        if (row->m_nSheetNumber != m_nShownStripPage)
            continue;
        if (row->m_strControlType == QLatin1String("ItemSheetSelection"))
            visible = row->m_nWidth;
        else if (IsTab(*row))
            extent = std::max(extent, row->m_nX + row->m_nWidth);
        else if (row->m_strControlType == QLatin1String("ScrollArea"))
            scrollArea = true;
    }
    StripScroll scroll;
    scroll.shown = scrollArea && (extent >= visible || visible == 0);
    scroll.range = scroll.shown ? std::max(0, extent - visible) : 0;
    return scroll;
}

bool CKeyLayoutEditor::CopyPage()
{
    if (!Enabling().palette)
        return false;
    m_nCopiedPage = CurrentPage();
    Notify();
    return true;
}

bool CKeyLayoutEditor::PastePage()
{
    if (!Enabling().paste)
        return false;
    const int page = CurrentPage();
    std::vector<const CButtonProperty*> copied;
    for (const auto& row : m_sheetRows)
        if (row->m_nSheetNumber == m_nCopiedPage && !row->IsPage())
            copied.push_back(row.get());
    for (const CButtonProperty* source : copied) {
        auto key = std::make_unique<CButtonProperty>(*source);
        key->m_nSheetNumber = page;
        key->m_pWindow = nullptr;
        CButtonProperty& added = *key;
        m_sheetRows.push_back(std::move(key));
        if (m_pView)
            m_pView->KeyAdded(added);
    }
    Notify();
    return true;
}

} // namespace kesmond
