#pragma once

#include <QList>
#include <QStringList>

// Rows in a list that never deletes them: whoever filled it frees the rows
// (CSqLiteUtility::FreeStringArrayListPtr). Out-of-range indices give nullptr.
class CStringArrayPtrList
{
public:
    CStringArrayPtrList();
    virtual ~CStringArrayPtrList();
    // Copies would hand the same rows to two owners.
    CStringArrayPtrList(const CStringArrayPtrList&) = delete;
    CStringArrayPtrList& operator=(const CStringArrayPtrList&) = delete;

    void AddTail(QStringList* row) { m_rows.append(row); }
    void AddHead(QStringList* row) { m_rows.prepend(row); }
    QStringList* GetHead() const { return GetAt(0); }
    QStringList* GetTail() const { return GetAt(m_rows.size() - 1); }
    QStringList* GetAt(qsizetype index) const { return m_rows.value(index, nullptr); }
    // Before the row at index; at the tail for an index at or past the end.
    void InsertAt(qsizetype index, QStringList* row)
    {
        m_rows.insert(index < 0 || index > m_rows.size() ? m_rows.size() : index, row);
    }
    // Takes the row out of the list (not deleted); nullptr outside.
    QStringList* TakeAt(qsizetype index)
    {
        return index >= 0 && index < m_rows.size() ? m_rows.takeAt(index) : nullptr;
    }
    qsizetype GetCount() const { return m_rows.size(); }
    bool IsEmpty() const { return m_rows.isEmpty(); }
    // Empties the list; the rows are not deleted.
    void RemoveAll() { m_rows.clear(); }

    auto begin() const { return m_rows.cbegin(); }
    auto end() const { return m_rows.cend(); }

private:
    QList<QStringList*> m_rows;
};
