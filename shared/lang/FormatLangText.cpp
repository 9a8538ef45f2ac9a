#include "shared/lang/FormatLangText.h"

namespace {

struct Placeholder
{
    bool valid = false;
    qsizetype end = 0; // index after the placeholder
    QString flags;
    int width = 0;
    int precision = -1;
    QChar conversion;
};

constexpr int kMaxWidth = 4096; // a width beyond this is a broken text, not a layout

// Parses the placeholder whose "%" is at pos.
Placeholder parsePlaceholder(const QString& text, qsizetype pos)
{
    Placeholder p;
    qsizetype i = pos + 1;
    const qsizetype n = text.size();
    while (i < n && QStringLiteral("-+ 0#").contains(text[i]))
        p.flags += text[i++];
    auto readNumber = [&](int& out) {
        bool any = false;
        long long v = 0;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            v = v * 10 + (text[i].unicode() - '0');
            if (v > kMaxWidth)
                v = kMaxWidth + 1;
            any = true;
            ++i;
        }
        out = static_cast<int>(v);
        return any;
    };
    readNumber(p.width);
    if (i < n && text[i] == u'.') {
        ++i;
        p.precision = 0;
        readNumber(p.precision);
    }
    if (p.width > kMaxWidth || p.precision > kMaxWidth)
        return p;
    if (text.mid(i, 3) == QLatin1String("I64")) {
        i += 3;
    } else {
        while (i < n && QStringLiteral("hlqjztL").contains(text[i]))
            ++i;
    }
    if (i >= n)
        return p;
    p.conversion = text[i];
    p.end = i + 1;
    p.valid = QStringLiteral("diuxXocsS").contains(p.conversion);
    return p;
}

QString integerDigits(const LangTextArg& arg, QChar conv, bool& negative)
{
    negative = false;
    const bool isSignedConv = conv == u'd' || conv == u'i';
    if (arg.kind() == LangTextArg::Kind::Signed && isSignedConv) {
        const std::int64_t v = arg.signedValue();
        negative = v < 0;
        const std::uint64_t mag =
            negative ? std::uint64_t(0) - static_cast<std::uint64_t>(v) : std::uint64_t(v);
        return QString::number(mag);
    }
    std::uint64_t u = arg.kind() == LangTextArg::Kind::Signed
                          ? static_cast<std::uint64_t>(arg.signedValue())
                          : arg.unsignedValue();
    if (arg.bits() < 64)
        u &= (std::uint64_t(1) << arg.bits()) - 1;
    if (isSignedConv) {
        // An unsigned argument to %d: printf would reinterpret it in its width.
        if (arg.bits() == 32 && (u & 0x80000000u)) {
            negative = true;
            return QString::number((std::uint64_t(1) << 32) - u);
        }
        if (arg.bits() == 64 && (u >> 63)) {
            negative = true;
            return QString::number(std::uint64_t(0) - u);
        }
        return QString::number(u);
    }
    if (conv == u'x')
        return QString::number(u, 16);
    if (conv == u'X')
        return QString::number(u, 16).toUpper();
    if (conv == u'o')
        return QString::number(u, 8);
    return QString::number(u);
}

QString pad(const QString& body, const Placeholder& p, bool zeroAllowed, qsizetype signLength)
{
    if (body.size() >= p.width)
        return body;
    const qsizetype fill = p.width - body.size();
    if (p.flags.contains(u'-'))
        return body + QString(fill, u' ');
    if (zeroAllowed && p.flags.contains(u'0'))
        return body.left(signLength) + QString(fill, u'0') + body.mid(signLength);
    return QString(fill, u' ') + body;
}

QString formatOne(const Placeholder& p, const LangTextArg& arg)
{
    const QChar c = p.conversion;
    if (arg.kind() == LangTextArg::Kind::Text || c == u's' || c == u'S' || c == u'c') {
        QString body;
        if (arg.kind() == LangTextArg::Kind::Text) {
            body = arg.text();
            if (c == u'c')
                body = body.left(1);
            else if ((c == u's' || c == u'S') && p.precision >= 0)
                body = body.left(p.precision);
        } else if (c == u'c') {
            const std::uint64_t u = arg.kind() == LangTextArg::Kind::Signed
                                        ? static_cast<std::uint64_t>(arg.signedValue())
                                        : arg.unsignedValue();
            const char32_t ch = char32_t(u);
            body = u > 0 && u <= 0x10FFFF ? QString::fromUcs4(&ch, 1) : QString();
        } else {
            body = arg.kind() == LangTextArg::Kind::Signed ? QString::number(arg.signedValue())
                                                           : QString::number(arg.unsignedValue());
        }
        return pad(body, p, false, 0);
    }

    bool negative = false;
    QString digits = integerDigits(arg, c, negative);
    if (p.precision >= 0) {
        if (p.precision == 0 && digits == u"0")
            digits.clear();
        if (digits.size() < p.precision)
            digits.prepend(QString(p.precision - digits.size(), u'0'));
    }
    QString prefix;
    if (negative)
        prefix = QStringLiteral("-");
    else if ((c == u'd' || c == u'i') && p.flags.contains(u'+'))
        prefix = QStringLiteral("+");
    else if ((c == u'd' || c == u'i') && p.flags.contains(u' '))
        prefix = QStringLiteral(" ");
    if (p.flags.contains(u'#') && digits != u"0" && !digits.isEmpty()) {
        if (c == u'x')
            prefix += QStringLiteral("0x");
        else if (c == u'X')
            prefix += QStringLiteral("0X");
        else if (c == u'o' && !digits.startsWith(u'0'))
            digits.prepend(u'0');
    }
    // printf ignores "0" when a precision is given.
    return pad(prefix + digits, p, p.precision < 0, prefix.size());
}

} // namespace

QString FormatLangTextList(const QString& text, std::span<const LangTextArg> args)
{
    QString out;
    out.reserve(text.size() + 16);
    auto next = args.begin();
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype percent = text.indexOf(u'%', i);
        if (percent < 0) {
            out += QStringView(text).mid(i);
            break;
        }
        out += QStringView(text).mid(i, percent - i);
        if (percent + 1 < text.size() && text[percent + 1] == u'%') {
            out += u'%';
            i = percent + 2;
            continue;
        }
        const Placeholder p = parsePlaceholder(text, percent);
        if (!p.valid || next == args.end()) {
            // Left as it stands; go on after the "%" so nothing is lost.
            out += u'%';
            i = percent + 1;
            continue;
        }
        out += formatOne(p, *next++);
        i = p.end;
    }
    return out;
}

QStringList LangTextPlaceholders(const QString& text)
{
    QStringList result;
    qsizetype i = 0;
    while ((i = text.indexOf(u'%', i)) >= 0) {
        if (i + 1 < text.size() && text[i + 1] == u'%') {
            i += 2;
            continue;
        }
        const Placeholder p = parsePlaceholder(text, i);
        if (p.valid) {
            result << QString(p.conversion);
            i = p.end;
        } else {
            const qsizetype end = p.end > i ? p.end : qMin(i + 2, text.size());
            result << QStringLiteral("?") + text.mid(i, end - i);
            i = end;
        }
    }
    return result;
}
