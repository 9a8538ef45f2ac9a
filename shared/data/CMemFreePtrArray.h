#pragma once

#include <QList>
#include <QSet>

#include <utility>

// An array of member pointers that may own its members. With auto-delete 1
// the members are deleted when the array is emptied by
// RemoveAllIncludeMember or destroyed; with 0 (the default) they belong to
// someone else (a database statement, for the record cache). The array is
// typed, so a member is deleted as what it is, also where the member type
// has no virtual destructor (QStringList rows).
//
// Out-of-range indices are ignored (GetAt gives nullptr) rather than
// reaching outside the array.
template <typename T> class CMemFreePtrArray
{
public:
    CMemFreePtrArray() = default;
    virtual ~CMemFreePtrArray() { RemoveAllIncludeMember(); }
    // A copy of an owning array would delete the members twice.
    CMemFreePtrArray(const CMemFreePtrArray&) = delete;
    CMemFreePtrArray& operator=(const CMemFreePtrArray&) = delete;

    void SetAutoDeleteMember(int autoDelete) { m_nAutoDeleteMember = autoDelete; }
    int GetAutoDeleteMember() const { return m_nAutoDeleteMember; }

    // Deletes the members when the array owns them (each distinct member
    // once), then empties the array in any case.
    void RemoveAllIncludeMember()
    {
        const QList<T*> members = std::exchange(m_members, {});
        if (m_nAutoDeleteMember != 1)
            return;
        QSet<T*> deleted;
        for (T* member : members)
            if (member && !deleted.contains(member)) {
                deleted.insert(member);
                delete member;
            }
    }

    qsizetype GetSize() const { return m_members.size(); }
    qsizetype GetCount() const { return m_members.size(); }
    bool IsEmpty() const { return m_members.isEmpty(); }
    T* GetAt(qsizetype index) const { return m_members.value(index, nullptr); }
    T* operator[](qsizetype index) const { return GetAt(index); }

    // Returns the new member's index.
    qsizetype Add(T* member)
    {
        m_members.append(member);
        return m_members.size() - 1;
    }
    void SetAt(qsizetype index, T* member)
    {
        if (index >= 0 && index < m_members.size())
            m_members[index] = member;
    }
    void InsertAt(qsizetype index, T* member)
    {
        m_members.insert(qBound<qsizetype>(0, index, m_members.size()), member);
    }
    // Take members out without deleting them, whatever the auto-delete flag.
    void RemoveAt(qsizetype index, qsizetype count = 1)
    {
        if (index >= 0 && count > 0 && index < m_members.size())
            m_members.remove(index, qMin(count, m_members.size() - index));
    }
    void RemoveAll() { m_members.clear(); }

    auto begin() const { return m_members.cbegin(); }
    auto end() const { return m_members.cend(); }
    const QList<T*>& Members() const { return m_members; }

protected:
    int m_nAutoDeleteMember = 0;

private:
    QList<T*> m_members;
};
