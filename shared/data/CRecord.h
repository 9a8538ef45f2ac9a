#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <initializer_list>
#include <memory>

// One cached row of text values in column order, kept in one block: the
// values' UTF-16 text back to back after their end offsets, so that a row of
// mostly empty values costs little more than its text. A NULL value stays
// distinct from an empty one. Reads give QString copies; a value is changed
// through replace, never through a reference.
class CRecord
{
public:
    CRecord() = default;
    CRecord(const QStringList& values); // NOLINT: a row converts as it is stored
    CRecord(std::initializer_list<QString> values);
    CRecord(const CRecord& other);
    CRecord& operator=(const CRecord& other);
    CRecord(CRecord&&) noexcept = default;
    CRecord& operator=(CRecord&&) noexcept = default;
    ~CRecord() = default;

    qsizetype size() const { return m_nCount; }
    qsizetype count() const { return m_nCount; }
    qsizetype length() const { return m_nCount; }
    bool isEmpty() const { return m_nCount == 0; }

    // As QStringList::at: index must be valid.
    QString at(qsizetype index) const;
    const QString operator[](qsizetype index) const { return at(index); } // never assigned to
    // As QStringList::value: a null QString (or fallback) outside the row.
    QString value(qsizetype index) const;
    QString value(qsizetype index, const QString& fallback) const;
    bool isNull(qsizetype index) const;

    void replace(qsizetype index, const QString& value);
    void append(const QString& value);

    QStringList toList() const;
    // The row's block, for a reader that fetches rows ahead of use.
    const void* BlockData() const { return m_pBlock.get(); }

    bool operator==(const CRecord& other) const;
    bool operator==(const QStringList& other) const;

    // Values one by one, for range-for over a row.
    class const_iterator
    {
    public:
        const_iterator(const CRecord* record, qsizetype index) : m_pRecord(record), m_nIndex(index)
        {
        }
        QString operator*() const { return m_pRecord->at(m_nIndex); }
        const_iterator& operator++()
        {
            ++m_nIndex;
            return *this;
        }
        bool operator!=(const const_iterator& other) const { return m_nIndex != other.m_nIndex; }
        bool operator==(const const_iterator& other) const { return m_nIndex == other.m_nIndex; }

    private:
        const CRecord* m_pRecord;
        qsizetype m_nIndex;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, m_nCount}; }

private:
    void Build(const QString* values, qsizetype count);
    // End offset of a value's text and whether it is NULL.
    qsizetype End(qsizetype index) const;
    qsizetype Start(qsizetype index) const { return index == 0 ? 0 : End(index - 1); }
    const char16_t* Text() const;

    // Offsets are 16-bit (top bit: NULL) while a row's text fits, else 32-bit.
    std::unique_ptr<char16_t[]> m_pBlock;
    int m_nCount = 0;
    bool m_bWide = false;
};
