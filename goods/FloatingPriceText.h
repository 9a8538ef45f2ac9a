#pragma once

#include <QString>

class CSQliteDB;

namespace brelkin {

class CColumnDataFloatingPrice;

// What a finished floating price edit writes.
enum class FloatingPriceWrite { Nothing, Save, Delete };

// The decision for a cell's text after an edit and the value it stores:
// an unchanged text (when asked), a fallback price with or without its "*",
// or any text with "*" writes nothing; an empty text deletes the row; a
// zero ("0", "00", "-", "-00" ...) is stored as "-0"; other texts lose their
// leading zeros after an optional minus ("007" is "7", "-05" is "-5").
FloatingPriceWrite DecideFloatingPriceWrite(const QString& text, const QString& preEdit,
                                            bool skipUnchanged, QString& stored);

// Writes or deletes the CSA007 row of a cell (the row's code under the
// column's floating item and level) as the decision says. False with the
// database status when the write fails; true when it wrote or had nothing
// to write.
bool StoreFloatingPrice(CSQliteDB& db, const CColumnDataFloatingPrice& column, const QString& code,
                        const QString& text, const QString& preEdit, bool skipUnchanged, int& err);

} // namespace brelkin
