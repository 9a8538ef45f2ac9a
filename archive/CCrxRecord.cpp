#include "CCrxRecord.h"

#include "CrxExportWalk.h"
#include "CrxParseContext.h"

CCrxItem* CCrxRecord::AddItem(std::unique_ptr<CCrxItem> item)
{
    CCrxItem* raw = item.get();
    m_itemMap.insert(raw->m_strName, raw);
    m_items.push_back(std::move(item));
    return raw;
}

void CCrxRecord::DeleteItems()
{
    m_pCurrent = nullptr;
    m_itemMap.clear();
    m_items.clear();
}

CCrxItem* CCrxRecord::FindItem(QStringView name) const
{
    return m_itemMap.value(name.toString(), nullptr);
}

CrxResult CCrxRecord::OnBegin(CrxParseContext&)
{
    m_pool.Clear();
    m_pCurrent = nullptr;
    m_bUnexpected = false;
    return CRX_OK;
}

CrxResult CCrxRecord::OnStartChild(QStringView name, CrxParseContext&)
{
    if (CrxResult rc = m_pool.Set(name))
        return rc;
    // A value element holding another element is not caught here: its own
    // end tag then reaches the record's end check and fails it.
    m_pCurrent = FindItem(m_pool.Text());
    m_bUnexpected = m_pCurrent == nullptr;
    m_pool.Clear();
    return CRX_OK;
}

CrxResult CCrxRecord::OnCharacters(QStringView text)
{
    if (!m_pCurrent)
        return CRX_OK;
    return m_pool.Append(text);
}

CrxResult CCrxRecord::OnEnd(QStringView name, CrxParseContext& context)
{
    if (m_pCurrent) {
        StoreItemValue(*m_pCurrent, m_pool.Text());
        m_pool.Clear();
        m_pCurrent = nullptr;
        return CRX_OK;
    }
    if (m_bUnexpected) {
        m_pool.Clear();
        m_bUnexpected = false;
        return CRX_OK;
    }
    return CheckOwnEnd(name, context);
}

void CCrxRecord::StoreItemValue(CCrxItem& item, const QString& text)
{
    QString value = text;
    if (item.IsBlobColumn() && item.m_nDataType == CRX_DATA_FILE && !value.isEmpty()) {
        qsizetype skip = 0;
        while (skip < value.size() && (value[skip] == u'.' || value[skip] == u'/'))
            ++skip;
        value = value.mid(skip);
        // Archives written elsewhere may separate with backslashes.
        value.replace(u'\\', u'/');
    }
    item.m_strValue = value;
    item.m_nFlags |= CCrxItem::FLAG_READ;
}

CrxResult CCrxRecord::WriteExport(CrxExportContext& context)
{
    return CrxExportWalk::WriteRecord(*this, context);
}
