#pragma once

// TEMPORARY SEAM: minimal stand-ins for the row containers another branch is
// building; removed when they are merged. Nothing new may use this file.

#include <QList>
#include <QStringList>

class CStringArrayPtrArray
{
public:
    void SetAutoDeleteMember(int) {}
    qsizetype GetSize() const { return m_rows.size(); }
    QStringList* GetAt(qsizetype i) const { return m_rows.at(i); }
    void Add(QStringList* row) { m_rows.append(row); }
    void RemoveAt(qsizetype i) { m_rows.removeAt(i); }
    void RemoveAll() { m_rows.clear(); }

private:
    QList<QStringList*> m_rows;
};

class CStringArrayPtrList
{
public:
    void AddTail(QStringList* row) { m_rows.append(row); }
    qsizetype GetCount() const { return m_rows.size(); }
    void RemoveAll() { m_rows.clear(); }
    auto begin() { return m_rows.begin(); }
    auto end() { return m_rows.end(); }

private:
    QList<QStringList*> m_rows;
};
