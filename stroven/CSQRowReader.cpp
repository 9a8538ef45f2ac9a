#include "stroven/CSQRowReader.h"

#include <QUtf8StringView>

#include <sqlite3.h>

#include <charconv>
#include <cstring>

namespace {

// Most settings text is ASCII: widen it in one pass and leave everything else
// to the UTF-8 decoder.
// wide: whether the bytes went beyond ASCII (only then can they be invalid).
QString textOf(const char* bytes, int size, bool& wide)
{
    QString text(size, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    unsigned char high = 0;
    for (int i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        high |= byte;
        out[i] = byte;
    }
    wide = (high & 0x80) != 0;
    if (wide)
        return QString::fromUtf8(bytes, size);
    return text;
}

} // namespace

CSQRowReader::CSQRowReader() = default;

CSQRowReader::~CSQRowReader() = default;

void CSQRowReader::Reset()
{
    m_slots.reset();
    m_columns.clear();
}

QString CSQRowReader::Shared(const char* bytes, int size, bool& found)
{
    if (!m_slots)
        m_slots = std::make_unique<std::array<Slot, 1 << kSlotBits>>();
    quint64 packed = 0;
    std::memcpy(&packed, bytes, size_t(size));
    const quint64 hash = (packed ^ (quint64(size) << 60)) * 0x9E3779B97F4A7C15ull;
    Slot& slot = (*m_slots)[hash >> (64 - kSlotBits)];
    found = slot.size == size && slot.packed == packed;
    if (!found) {
        bool wide = false;
        slot.value = textOf(bytes, size, wide);
        slot.packed = packed;
        slot.size = size;
    }
    return slot.value;
}

bool CSQRowReader::ReadRow(sqlite3_stmt* stmt, QStringList& row)
{
    const int count = sqlite3_column_count(stmt);
    if (m_columns.size() != size_t(count))
        m_columns.assign(size_t(count), ColumnTrial{});
    // Reserving first allocates exactly the row; resize alone would round the
    // allocation up for growth that a read row never has.
    row.clear();
    row.reserve(count);
    row.resize(count);
    QString* out = row.data();
    m_nInvalidColumn = -1;
    // Holding the connection's mutex makes the column values protected, so
    // each value costs one locked call instead of three.
    sqlite3_mutex* mutex = sqlite3_db_mutex(sqlite3_db_handle(stmt));
    sqlite3_mutex_enter(mutex);
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        sqlite3_value* value = sqlite3_column_value(stmt, i);
        const int type = sqlite3_value_type(value);
        if (type == SQLITE_NULL)
            continue; // stays a null QString
        // An integer is written here: SQLite's own conversion goes through its
        // printf, the largest single cost of reading a table of numbers.
        char digits[24];
        const char* text = digits;
        int size = 0;
        if (type == SQLITE_INTEGER) {
            size =
                int(std::to_chars(digits, digits + sizeof digits, sqlite3_value_int64(value)).ptr -
                    digits);
        } else {
            text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            size = sqlite3_value_bytes(value);
        }
        if (!text) {
            // Only an empty blob has no text; anything else is out of memory.
            if (type != SQLITE_BLOB || size != 0) {
                ok = false;
                break;
            }
            out[i] = QString(0, Qt::Uninitialized);
            continue;
        }
        ColumnTrial& trial = m_columns[size_t(i)];
        const bool tryShared = trial.lookups < kTrialValues || trial.found >= kFewestFound;
        bool wide = true; // a shared value is short: it is checked whole
        if (size <= kSharedBytes && tryShared) {
            bool found = false;
            out[i] = Shared(text, size, found);
            if (trial.lookups < kTrialValues) {
                ++trial.lookups;
                trial.found += found ? 1 : 0;
            }
        } else {
            out[i] = textOf(text, size, wide);
        }
        if (m_bStrictText && wide && m_nInvalidColumn < 0 &&
            !QUtf8StringView(text, size).isValidUtf8())
            m_nInvalidColumn = i;
    }
    sqlite3_mutex_leave(mutex);
    return ok;
}
