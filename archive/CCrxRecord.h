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
    CCrxItem* FindItem(QByteArrayView name) const;
    const std::vector<std::unique_ptr<CCrxItem>>& Items() const { return m_items; }

    CrxResult OnBegin(CrxParseContext& context) override;
    CrxResult OnStartChild(QByteArrayView name, CrxParseContext& context) override;
    CrxResult OnCharacters(QByteArrayView text) override;
    CrxResult OnEnd(QByteArrayView name, CrxParseContext& context) override;

    // One element with the items' values ("fileinfo", or the current row).
    CrxResult WriteExport(CrxExportContext& context) override;
    // That element itself, for a record whose export writes one per row:
    // its non-empty values, blob references on one line each.
    CrxResult WriteElement(CrxExportContext& context);
    // The detail of a value the archive cannot carry: the table as the user
    // knows it (a difference table's rows come from its shadow table), the
    // row's key values and the column.
    void NoteValueDetail(const QString& column);

    // The collected UTF-8 text becomes the item's value. A file reference of
    // a blob column loses its leading "./" (it is relative to the unpack
    // folder).
    static void StoreItemValue(CCrxItem& item, QByteArrayView utf8);

protected:
    // Keeps the value collected in the item's UTF-8 text (StoreItemValue).
    virtual void StoreValue(CCrxItem& item);

    std::vector<std::unique_ptr<CCrxItem>> m_items;
    QHash<QByteArray, size_t> m_itemMap; // UTF-8 name to index in m_items
    // Rows name their values in column order, so the item after the last
    // one found is tried before the name is hashed (only while names are
    // unique, where both give the same item).
    mutable size_t m_nNextItem = 0;
    bool m_bDuplicateNames = false;
    // The value being read (SetCurrent).
    CCrxItem* m_pCurrent = nullptr;
    bool m_bUnexpected = false;

private:
    // The value being read, and with it whether text is taken.
    void SetCurrent(CCrxItem* item)
    {
        m_pCurrent = item;
        m_bTakesText = item != nullptr;
    }
};
