#include "shared/controls/NumberText.h"

#include <limits>

namespace {

// The leading decimal integer of a text (an optional "-", then digits), as
// atoi reads it; saturates instead of overflowing.
qint64 leadingInteger(const QString& text)
{
    qsizetype i = 0;
    const bool negative = i < text.size() && text[i] == u'-';
    if (negative)
        ++i;
    quint64 magnitude = 0;
    const quint64 limit = negative ? quint64(std::numeric_limits<qint64>::max()) + 1
                                   : quint64(std::numeric_limits<qint64>::max());
    for (; i < text.size() && IsAsciiDigit(text[i]); ++i) {
        const quint64 digit = text[i].unicode() - u'0';
        if (magnitude > (limit - digit) / 10) {
            magnitude = limit;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (negative)
        return magnitude == limit ? std::numeric_limits<qint64>::min() : -qint64(magnitude);
    return qint64(magnitude);
}

// Digits of a non-negative integer text with group separators put in.
QString groupDigits(const QString& digits, const NumberFormat& format)
{
    if (format.nGroupSize == 0 || format.szGroupSeparator.isEmpty())
        return digits;
    QString grouped;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % format.nGroupSize == 0)
            grouped += format.szGroupSeparator;
        grouped += digits[i];
    }
    return grouped;
}

} // namespace

NumberFormat LoadNumberFormat()
{
    NumberFormat format;
    format.szDecimalPoint = QStringLiteral(".");
    format.szCurrencySign = QStringLiteral("\\");
    format.szGroupSeparator = QStringLiteral(",");
    format.nGroupSize = 3;
    format.nDecimalDigits = 0;
    format.nCurrencyBefore = 1;
    format.nSpaceBetween = 0;
    return format;
}

QString FormatPriceText(qint64 amount)
{
    return FormatPriceText(amount, LoadNumberFormat());
}

QString FormatPriceText(qint64 amount, const NumberFormat& format)
{
    // Work on the magnitude so that the sign never lands inside the digits.
    const bool negative = amount < 0;
    QString digits = QString::number(amount);
    if (negative)
        digits.remove(0, 1);
    const int decimals = format.nDecimalDigits;
    QString integerPart = digits;
    QString fraction;
    if (decimals > 0) {
        if (digits.size() <= decimals)
            digits = QString(decimals - digits.size() + 1, u'0') + digits;
        integerPart = digits.left(digits.size() - decimals);
        fraction = digits.right(decimals);
    }
    QString text = groupDigits(integerPart, format);
    if (decimals > 0)
        text += format.szDecimalPoint + fraction;
    return negative ? u'-' + text : text;
}

qint64 ParsePriceText(const QString& text)
{
    return ParsePriceText(text, LoadNumberFormat());
}

qint64 ParsePriceText(const QString& text, const NumberFormat& format)
{
    QString rest = text;
    const QString& sign = format.szCurrencySign;
    if (format.nCurrencyBefore == 1) {
        if (!sign.isEmpty() && rest.startsWith(sign)) {
            rest.remove(0, sign.size());
            if (format.nSpaceBetween == 1 && rest.startsWith(u' '))
                rest.remove(0, 1);
        }
    } else if (!sign.isEmpty() && rest.endsWith(sign)) {
        rest.chop(sign.size());
        if (format.nSpaceBetween == 1 && rest.endsWith(u' '))
            rest.chop(1);
    }

    const QString& point = format.szDecimalPoint;
    const QString& separator = format.szGroupSeparator;
    if (rest.isEmpty() ||
        !(IsAsciiDigit(rest[0]) || rest[0] == u'-' || (!point.isEmpty() && rest.startsWith(point))))
        return 0;

    QString copied;
    qsizetype i = 0;
    bool sawPoint = false;
    while (i < rest.size()) {
        if (!point.isEmpty() && QStringView(rest).mid(i).startsWith(point)) {
            sawPoint = true;
            i += point.size();
            break;
        }
        if (!separator.isEmpty() && QStringView(rest).mid(i).startsWith(separator)) {
            i += separator.size();
            if (i < rest.size())
                copied += rest[i++];
            continue;
        }
        copied += rest[i++];
    }
    if (format.nDecimalDigits > 0) {
        bool filling = !sawPoint;
        for (int d = 0; d < format.nDecimalDigits; ++d, ++i) {
            if (!filling && i < rest.size() && IsAsciiDigit(rest[i])) {
                copied += rest[i];
            } else {
                filling = true;
                copied += u'0';
            }
        }
    }
    return leadingInteger(copied);
}

QString FormatPercentText(int integerDigits, qint64 value, int decimalDigits)
{
    integerDigits = qMax(0, integerDigits);
    decimalDigits = qMax(0, decimalDigits);
    const bool negative = value < 0;
    QString printed = QString::number(value);
    if (negative)
        printed.remove(0, 1);
    const qsizetype n = printed.size();
    QString text;
    if (n <= decimalDigits) {
        text = QStringLiteral("0.") + QString(decimalDigits - n, u'0') + printed;
    } else {
        text = printed.left(qMin<qsizetype>(n, integerDigits + decimalDigits));
        if (decimalDigits > 0)
            text.insert(text.size() - decimalDigits, u'.');
    }
    // Trailing zeros are decimals only when there is a point; 100 stays 100.
    if (text.contains(u'.')) {
        while (text.size() > 1 && text.endsWith(u'0'))
            text.chop(1);
        if (text.size() > 1 && text.endsWith(u'.'))
            text.chop(1);
    }
    return negative ? u'-' + text : text;
}

qint64 ParsePercentText(const QString& text, int integerDigits, int decimalDigits)
{
    const QString source = text.isEmpty() ? QStringLiteral("0") : text;
    const qsizetype point = source.indexOf(u'.');
    QString integerPart;
    for (qsizetype i = 0; i < (point < 0 ? source.size() : point); ++i) {
        if (IsAsciiDigit(source[i]))
            integerPart += source[i];
    }
    if (point == 0)
        integerPart = QStringLiteral("0");

    qsizetype significant = 0;
    while (significant < integerPart.size() && integerPart[significant] == u'0')
        ++significant;
    if (integerPart.size() - significant > integerDigits)
        return -1;

    QString collected = integerPart;
    qsizetype i = point < 0 ? source.size() : point + 1;
    bool filling = point < 0;
    for (int d = 0; d < decimalDigits; ++d, ++i) {
        if (!filling && i < source.size() && IsAsciiDigit(source[i])) {
            collected += source[i];
        } else {
            filling = true;
            collected += u'0';
        }
    }
    if (i < source.size() && leadingInteger(source.mid(i)) != 0)
        return -1;

    bool ok = false;
    const qint64 value = collected.isEmpty() ? 0 : collected.toLongLong(&ok);
    if (!collected.isEmpty() && !ok)
        return -1;
    return value;
}

int GetPercentTextColumns(int integerDigits, int decimalDigits)
{
    return decimalDigits > 0 ? integerDigits + decimalDigits + 1 : integerDigits;
}

bool DeleteNonNumber(QString& text)
{
    const qsizetype before = text.size();
    text.removeIf([](QChar ch) { return !IsAsciiDigit(ch); });
    return text.size() != before;
}

bool DeleteNonMinusNumber(QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (QChar ch : std::as_const(text)) {
        if (IsAsciiDigit(ch) || (ch == u'-' && kept.isEmpty()))
            kept += ch;
    }
    const bool removed = kept.size() != text.size();
    text = kept;
    return removed;
}

bool DeleteNonDecimalNumber(QString& text)
{
    QString kept;
    kept.reserve(text.size());
    bool point = false;
    for (QChar ch : std::as_const(text)) {
        if (IsAsciiDigit(ch)) {
            kept += ch;
        } else if (ch == u'.' && !point) {
            point = true;
            kept += ch;
        }
    }
    const bool removed = kept.size() != text.size();
    text = kept;
    return removed;
}
