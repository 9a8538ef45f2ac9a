#pragma once

#include <QString>

// The typing and tidying rules of the numeric edits, kept free of widgets.
// A selection is [selStart, selEnd) in the current text; a caret is an empty
// selection.

// Percent edit: whether a typed digit or "." may replace the selection.
bool PercentCharAccepted(const QString& text, int selStart, int selEnd, QChar ch, int integerDigits,
                         int decimalDigits);
// Percent edit, after a change: an over-long integer part gets its point
// after integerDigits digits; decimals beyond decimalDigits are cut.
QString NormalizePercentText(const QString& text, int integerDigits, int decimalDigits);

// Signed edit: whether a typed "-" may replace the selection.
bool MinusCharAccepted(const QString& text, int selStart, int selEnd);
// Signed edit, after a change: every "-" after the first character goes.
QString RemoveInnerMinus(const QString& text);

// Zero-filled codes: a text shorter than digits becomes its leading decimal
// number with leading zeros to that width; works on the text, so codes of any
// length keep every digit.
QString ZeroFillText(const QString& text, int digits);
