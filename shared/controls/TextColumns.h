#pragma once

#include <QString>

// Display width of a text in character columns: wide and full-width
// characters (East Asian Width W and F: ideographs, kana, full-width forms)
// count 2, every other character 1. 0 for an empty text.
int GetColumnCountOfUnicode(const QString& text);

// Columns of one code point (1 or 2).
int ColumnsOfCodePoint(char32_t codePoint);

// Whether a code point of East Asian Width A (ambiguous) takes two columns in
// a Japanese font: from U+0370 up (Greek, Cyrillic, box drawing, "※", private
// use) and not a combining mark. Latin letters below U+0370 stay narrow.
bool IsAmbiguousWideCodePoint(char32_t codePoint);
