#include "archive/CCrxRecord.h"

#include "archive/CCrxcnvXmlWriter.h"
#include "archive/CrxDetail.h"
#include "archive/CrxExportContext.h"
#include "archive/CrxGrammarNames.h"
#include "archive/CrxParseContext.h"

#include <cstring>

namespace {

template <typename Word> Word LoadWord(const char* bytes)
{
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// Element names are short: compared as two overlapping words each, without
// a call.
bool SameBytes(const QByteArray& known, QByteArrayView name)
{
    const qsizetype n = name.size();
    if (known.size() != n)
        return false;
    const char* a = known.constData();
    const char* b = name.data();
    if (n >= 8 && n <= 16)
        return LoadWord<quint64>(a) == LoadWord<quint64>(b) &&
               LoadWord<quint64>(a + n - 8) == LoadWord<quint64>(b + n - 8);
    if (n >= 4 && n < 8)
        return LoadWord<quint32>(a) == LoadWord<quint32>(b) &&
               LoadWord<quint32>(a + n - 4) == LoadWord<quint32>(b + n - 4);
    return std::memcmp(a, b, size_t(n)) == 0;
}

} // namespace

CCrxItem* CCrxRecord::AddItem(std::unique_ptr<CCrxItem> item)
{
    CCrxItem* raw = item.get();
    m_bDuplicateNames = m_bDuplicateNames || m_itemMap.contains(raw->m_utf8Name);
    m_itemMap.insert(raw->m_utf8Name, m_items.size());
    m_items.push_back(std::move(item));
    return raw;
}

void CCrxRecord::DeleteItems()
{
    SetCurrent(nullptr);
    m_itemMap.clear();
    m_items.clear();
    m_nNextItem = 0;
    m_bDuplicateNames = false;
}

CCrxItem* CCrxRecord::FindItem(QByteArrayView name) const
{
    if (!m_bDuplicateNames && m_nNextItem < m_items.size() &&
        SameBytes(m_items[m_nNextItem]->m_utf8Name, name))
        return m_items[m_nNextItem++].get();
    const auto found = m_itemMap.constFind(QByteArray::fromRawData(name.data(), name.size()));
    if (found == m_itemMap.cend())
        return nullptr;
    m_nNextItem = *found + 1;
    return m_items[*found].get();
}

CrxResult CCrxRecord::OnBegin(CrxParseContext&)
{
    m_pool.Clear();
    SetCurrent(nullptr);
    m_bUnexpected = false;
    return CRX_OK;
}

CrxResult CCrxRecord::OnStartChild(QByteArrayView name, CrxParseContext&)
{
    // A value element holding another element is not caught here: its own
    // end tag then reaches the record's end check and fails it.
    SetCurrent(FindItem(name));
    m_bUnexpected = m_pCurrent == nullptr;
    // A value that does not end fails the parse: what it left in the item
    // is never stored.
    if (m_pCurrent)
        m_pCurrent->m_utf8Value.clear();
    return CRX_OK;
}

CrxResult CCrxRecord::OnCharacters(QByteArrayView text)
{
    if (!m_pCurrent)
        return CRX_OK;
    return CrxGrowText(m_pCurrent->m_utf8Value,
                       [text](std::string& value) { value.append(text.data(), text.size()); });
}

CrxResult CCrxRecord::OnEnd(QByteArrayView name, CrxParseContext& context)
{
    if (m_pCurrent) {
        StoreValue(*m_pCurrent);
        SetCurrent(nullptr);
        return CRX_OK;
    }
    if (m_bUnexpected) {
        m_bUnexpected = false;
        return CRX_OK;
    }
    return CheckOwnEnd(name, context);
}

void CCrxRecord::StoreValue(CCrxItem& item)
{
    StoreItemValue(item, QByteArrayView(item.m_utf8Value.data(), item.m_utf8Value.size()));
}

void CCrxRecord::StoreItemValue(CCrxItem& item, QByteArrayView utf8)
{
    // Widened into the item's own buffer, which is kept from row to row.
    QByteArrayView value = utf8;
    const bool file = item.IsBlobColumn() && item.m_nDataType == CRX_DATA_FILE;
    if (file)
        while (!value.isEmpty() && (value.front() == '.' || value.front() == '/'))
            value = value.sliced(1);
    item.m_strValue.resize(0);
    CCrxCharPool::AppendUtf8(item.m_strValue, value);
    // Archives written elsewhere may separate with backslashes.
    if (file)
        item.m_strValue.replace(u'\\', u'/');
    item.m_nFlags |= CCrxItem::FLAG_READ;
}

CrxResult CCrxRecord::WriteExport(CrxExportContext& context)
{
    return WriteElement(context);
}

CrxResult CCrxRecord::WriteElement(CrxExportContext& context)
{
    if (CrxAborted(context.abort))
        return CRX_E_CANCELLED;
    CCrxcnvXmlWriter& writer = *context.writer;
    if (!writer.StartElement(Name()))
        return writer.FailureCode();
    for (const auto& item : m_items) {
        if (!item->IsBlobColumn()) {
            if ((!item->m_strValue.isEmpty() || item->m_nWriteEmpty == 1) &&
                !writer.WriteSimpleElement(item->m_strName, item->m_strValue)) {
                NoteValueDetail(item->m_strName);
                return writer.FailureCode();
            }
            continue;
        }
        if (item->m_strValue.isEmpty())
            continue;
        bool written = writer.StartElement(item->m_strName) &&
                       writer.AddAttribute(QLatin1String(crxname::kDatatype),
                                           QLatin1String(crxname::kTypeFile));
        if (written) {
            writer.SetInline(true);
            written = writer.WriteText(item->m_strValue);
            writer.SetInline(false);
        }
        if (!written || !writer.EndElement()) {
            NoteValueDetail(item->m_strName);
            return writer.FailureCode();
        }
    }
    if (!writer.EndElement())
        return writer.FailureCode();
    return CRX_OK;
}

void CCrxRecord::NoteValueDetail(const QString& column)
{
    CrxDetail& detail = CrxCurrentDetail();
    detail.table = SourceTable();
    for (const QLatin1String suffix :
         {QLatin1String(crxname::kNewShadowSuffix), QLatin1String(crxname::kDelShadowSuffix)})
        if (detail.table.endsWith(suffix))
            detail.table.chop(suffix.size());
    QStringList key;
    for (const auto& item : m_items)
        if (item->IsKey())
            key << item->m_strValue;
    detail.key = key.join(QLatin1String(", "));
    detail.column = column;
}
