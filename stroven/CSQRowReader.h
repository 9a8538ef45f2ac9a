#pragma once

// Turns the values of one read into text rows. Settings tables repeat short
// values ("0", "1", "00", "", prices, dates) in nearly every row, so within a
// read such a value is made once and shared by the rows that hold it: QString
// is copy-on-write, so a row that changes its value still gets its own.

#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

struct sqlite3_stmt;

class CSQRowReader
{
public:
    CSQRowReader();
    ~CSQRowReader();

    // row := the current row of stmt, every column as text (NULL as ""). False
    // when SQLite ran out of memory while turning a value into text.
    bool ReadRow(sqlite3_stmt* stmt, QStringList& row);
    // Strict text: InvalidColumn() then names the first column of the last
    // row read whose value is not valid UTF-8 (-1: none). Such a value is
    // still decoded with replacement characters; the caller decides.
    void SetStrictText(bool on) { m_bStrictText = on; }
    int InvalidColumn() const { return m_nInvalidColumn; }
    // Forgets the shared values: the next read starts afresh.
    void Reset();

private:
    QString Shared(const char* bytes, int size, bool& found);

    // Values up to this many bytes are shared; longer ones rarely repeat.
    static constexpr int kSharedBytes = 8;
    static constexpr int kSlotBits = 12;
    // A column whose first values rarely repeat (codes, names) is not looked
    // up any more in this read: a lookup that never finds costs time.
    static constexpr quint32 kTrialValues = 256;
    static constexpr quint32 kFewestFound = kTrialValues / 8;

    // A direct-mapped table: a value whose slot is taken replaces the old
    // one, so the table never grows and a lookup never probes.
    struct Slot
    {
        quint64 packed = 0;
        int size = -1;
        QString value;
    };
    struct ColumnTrial
    {
        quint32 lookups = 0;
        quint32 found = 0;
    };
    std::unique_ptr<std::array<Slot, 1 << kSlotBits>> m_slots;
    std::vector<ColumnTrial> m_columns;
    bool m_bStrictText = false;
    int m_nInvalidColumn = -1;
};
