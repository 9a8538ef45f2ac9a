#pragma once

#include <QString>

namespace brelkin {

// The small settings packed into an item parameter's "PROPERTY" text: each
// lies at the positions its definition's SETCODE names ("PROPERTY:3,4" is
// positions 3 and 4, 1-based, inclusive). Definitions come from archives, so
// a range that does not fit the column (width characters) is inert.
struct PropertyRange
{
    int from = 0;
    int to = 0;
    bool IsValid() const { return from > 0; }
};

// The range of a SETCODE; invalid unless "PROPERTY:<from>,<to>" with
// 1 <= from <= to <= width.
PropertyRange ParsePropertySetCode(const QString& setCode, int width);
// The property's characters of the text ("" for an invalid range; cut where
// the text is shorter).
QString GetPropertyValue(const QString& text, const QString& setCode, int width);
// The text with the value placed at the property's range; unchanged for an
// invalid range or a value of another length. A shorter text is first
// padded with "0" (the column's default character) up to the range.
QString SetPropertyValue(const QString& text, const QString& setCode, const QString& value,
                         int width);

} // namespace brelkin
