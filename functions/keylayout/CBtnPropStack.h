#pragma once

#include "functions/keylayout/CButtonProperty.h"

#include <memory>
#include <vector>

namespace kesmond {

class CButtonStyleMgr;

// What the undo stack tells the window that shows a record: show it again
// (its window is the record's), placed at its rectangle when place is set.
class CKeyView
{
public:
    virtual ~CKeyView() = default;
    virtual void ShowRecord(CButtonProperty& record, bool place) = 0;
};

// Undo over the editor's sheet rows: each entry is a record that another
// took the place of. The stack owns its records.
class CBtnPropStack
{
public:
    // Rows, cache and view are not owned; view may be nullptr.
    CBtnPropStack(CButtonPropertyArray& sheetRows, CButtonStyleMgr* images, CKeyView* view);
    ~CBtnPropStack();
    CBtnPropStack(const CBtnPropStack&) = delete;
    CBtnPropStack& operator=(const CBtnPropStack&) = delete;

    void SetView(CKeyView* view) { m_pView = view; }
    // record takes replaced's place in the sheet rows; replaced is stacked.
    // False (record dropped) when replaced is not a sheet row.
    bool Push(std::unique_ptr<CButtonProperty> record, const CButtonProperty* replaced);
    // The last replaced record back in its place, its images back in the
    // cache; the record it replaces is deleted. nullptr when empty.
    CButtonProperty* Pop();
    // Every stacked record's images go to the cache's release list.
    void Clear();
    int GetCount() const { return int(m_entries.size()); }

private:
    struct Entry
    {
        std::unique_ptr<CButtonProperty> record;
        size_t index; // its place in the sheet rows
    };
    CButtonPropertyArray& m_sheetRows;
    CButtonStyleMgr* m_pImages;
    CKeyView* m_pView;
    std::vector<Entry> m_entries;
};

} // namespace kesmond
