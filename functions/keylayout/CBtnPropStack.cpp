#include "functions/keylayout/CBtnPropStack.h"

#include "functions/keylayout/CButtonStyleMgr.h"

namespace kesmond {

CBtnPropStack::CBtnPropStack(CButtonPropertyArray& sheetRows, CButtonStyleMgr* images,
                             CKeyView* view)
    : m_sheetRows(sheetRows), m_pImages(images), m_pView(view)
{
}

CBtnPropStack::~CBtnPropStack()
{
    Clear();
}

bool CBtnPropStack::Push(std::unique_ptr<CButtonProperty> record, const CButtonProperty* replaced)
{
    if (!record)
        return false;
    for (size_t i = 0; i < m_sheetRows.size(); ++i) {
        if (m_sheetRows[i].get() != replaced)
            continue;
        CButtonProperty& shown = *record;
        m_entries.push_back({std::move(m_sheetRows[i]), i});
        m_sheetRows[i] = std::move(record);
        if (m_pView)
            m_pView->ShowRecord(shown, false);
        return true;
    }
    return false;
}

CButtonProperty* CBtnPropStack::Pop()
{
    if (m_entries.empty())
        return nullptr;
    Entry entry = std::move(m_entries.back());
    m_entries.pop_back();
    if (entry.index >= m_sheetRows.size())
        return nullptr; // rows only grow while the stack holds entries
    std::unique_ptr<CButtonProperty> current = std::move(m_sheetRows[entry.index]);
    CButtonProperty* restored = entry.record.get();
    m_sheetRows[entry.index] = std::move(entry.record);
    if (m_pImages) {
        if (current->m_pBackImage != restored->m_pBackImage) {
            m_pImages->ReplaceImage(restored->m_pBackImage, current->m_pBackImage);
            m_pImages->Release(current->m_pBackImage);
        }
        if (current->m_pItemImage != restored->m_pItemImage) {
            m_pImages->ReplaceImage(restored->m_pItemImage, current->m_pItemImage);
            m_pImages->Release(current->m_pItemImage);
        }
    }
    restored->m_pWindow = current->m_pWindow;
    if (m_pView)
        m_pView->ShowRecord(*restored, true);
    return restored;
}

void CBtnPropStack::Clear()
{
    for (Entry& entry : m_entries) {
        if (m_pImages) {
            m_pImages->Release(entry.record->m_pBackImage);
            m_pImages->Release(entry.record->m_pItemImage);
        }
    }
    m_entries.clear();
}

} // namespace kesmond
