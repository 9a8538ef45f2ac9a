#include "shared/controls/NumberEditRules.h"

#include "shared/controls/NumberText.h"

namespace {

qsizetype countWithoutTrailingZeros(QStringView text)
{
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u'0')
        --n;
    return n;
}

qsizetype countWithoutLeadingZeros(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u'0')
        ++i;
    return text.size() - i;
}

} // namespace

bool PercentCharAccepted(const QString& text, int selStart, int selEnd, QChar ch, int integerDigits,
                         int decimalDigits)
{
    const bool point = ch == u'.';
    if (!point && !IsAsciiDigit(ch))
        return false;
    const QStringView view(text);
    const qsizetype dot = text.indexOf(u'.');
    if (dot < 0)
        return point || text.size() - (selEnd - selStart) < integerDigits;
    if (selStart > dot) {
        if (point)
            return false;
        // Zeros at the end of the decimals give way to the typed digit.
        const qsizetype decimals =
            (selStart - dot - 1) + 1 + countWithoutTrailingZeros(view.mid(selEnd));
        return decimals <= decimalDigits;
    }
    if (selEnd <= dot) {
        if (point)
            return false;
        const qsizetype integers =
            countWithoutLeadingZeros(view.left(selStart)) + 1 + (dot - selEnd);
        return integers <= integerDigits;
    }
    return true; // the selection covers the point
}

QString NormalizePercentText(const QString& text, int integerDigits, int decimalDigits)
{
    if (text.isEmpty())
        return text;
    QString result = text;
    qsizetype dot = result.indexOf(u'.');
    const qsizetype integerLength = dot < 0 ? result.size() : dot;
    if (integerLength > integerDigits) {
        QString digits = result;
        digits.removeIf([](QChar c) { return !IsAsciiDigit(c); });
        result = digits.left(integerDigits) + u'.' + digits.mid(integerDigits);
        dot = integerDigits;
    }
    if (dot >= 0 && result.size() - dot - 1 > decimalDigits)
        result.truncate(dot + 1 + decimalDigits);
    return result;
}

bool MinusCharAccepted(const QString& text, int selStart, int selEnd)
{
    if (selStart > 0)
        return false;
    return !(selEnd == 0 && text.startsWith(u'-'));
}

QString RemoveInnerMinus(const QString& text)
{
    if (text.isEmpty())
        return text;
    QString tail = text.mid(1);
    tail.remove(u'-');
    return text.left(1) + tail;
}

QString ZeroFillText(const QString& text, int digits)
{
    if (digits <= 0 || text.size() >= digits)
        return text;
    // Read the leading number as atoi would: blanks, a sign, then digits.
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    QString number;
    for (; i < text.size() && IsAsciiDigit(text[i]); ++i)
        number += text[i];
    while (number.size() > 1 && number.startsWith(u'0'))
        number.remove(0, 1);
    if (number.isEmpty() || number == u"0")
        negative = false;
    if (number.isEmpty())
        number = QStringLiteral("0");
    const int width = negative ? digits - 1 : digits;
    if (number.size() < width)
        number.prepend(QString(width - number.size(), u'0'));
    return negative ? u'-' + number : number;
}
