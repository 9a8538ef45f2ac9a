#pragma once

#include <QString>

#include <QtGlobal>

// How amounts are shown and read back. The values come from the library's own
// number resources, not from the language file.
struct NumberFormat
{
    QString szDecimalPoint;
    QString szCurrencySign;
    QString szGroupSeparator;
    quint8 nGroupSize = 0;
    quint8 nDecimalDigits = 0;
    quint8 nCurrencyBefore = 0; // 1: the sign stands before the number
    quint8 nSpaceBetween = 0;   // 1: a space between sign and number
};

// The number format in force; built afresh on every call.
NumberFormat LoadNumberFormat();

// Amounts are 64-bit integers in the smallest unit.
QString FormatPriceText(qint64 amount);
QString FormatPriceText(qint64 amount, const NumberFormat& format);
// 0 when the text does not start with a digit, "-" or the decimal point.
qint64 ParsePriceText(const QString& text);
qint64 ParsePriceText(const QString& text, const NumberFormat& format);

// Percentages are 64-bit integers scaled by 10^decimalDigits (1250 with 2
// decimals is 12.5).
QString FormatPercentText(int integerDigits, qint64 value, int decimalDigits);
// The scaled value, or -1 when the text does not fit the digit counts.
qint64 ParsePercentText(const QString& text, int integerDigits, int decimalDigits);
// Characters a percent text of these digit counts needs at most.
int GetPercentTextColumns(int integerDigits, int decimalDigits);

// 0-9 only (QChar::isDigit also takes other scripts' digits).
inline bool IsAsciiDigit(QChar ch)
{
    return ch >= u'0' && ch <= u'9';
}

// Character filters; each changes the text in place and returns true when it
// removed something.
bool DeleteNonNumber(QString& text);        // keeps 0-9
bool DeleteNonMinusNumber(QString& text);   // keeps 0-9 and a "-" before any kept character
bool DeleteNonDecimalNumber(QString& text); // keeps 0-9 and the first "."
