#pragma once

// An element whose children are values ("fileinfo", and "datarec" rows): the
// record takes its value elements itself instead of pushing them.

#include "archive/CCrxElement.h"
#include "archive/CCrxItem.h"

#include <QHash>

#include <memory>
#include <vector>

class CCrxRecord : public CCrxElement
{
public:
    using CCrxElement::CCrxElement;

    CCrxItem* AddItem(std::unique_ptr<CCrxItem> item);
    void DeleteItems();
    CCrxItem* FindItem(QStringView name) const;
    const std::vector<std::unique_ptr<CCrxItem>>& Items() const { return m_items; }

    CrxResult OnBegin(CrxParseContext& context) override;
    CrxResult OnStartChild(QStringView name, CrxParseContext& context) override;
    CrxResult OnCharacters(QStringView text) override;
    CrxResult OnEnd(QStringView name, CrxParseContext& context) override;

    // One element with the items' values ("fileinfo", or the current row).
    CrxResult WriteExport(CrxExportContext& context) override;

    // The collected text becomes the item's value. A file reference of a blob
    // column loses its leading "./" (it is relative to the unpack folder).
    static void StoreItemValue(CCrxItem& item, const QString& text);

protected:
    std::vector<std::unique_ptr<CCrxItem>> m_items;
    QHash<QString, size_t> m_itemMap; // name to index in m_items
    // Rows name their values in column order, so the item after the last
    // one found is tried before the name is hashed (only while names are
    // unique, where both give the same item).
    mutable size_t m_nNextItem = 0;
    bool m_bDuplicateNames = false;
    CCrxItem* m_pCurrent = nullptr;
    bool m_bUnexpected = false;
};
