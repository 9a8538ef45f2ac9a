#include "platform/LegacyCodePage.h"

#include <QMutex>
#include <QMutexLocker>

#include <cerrno>
#include <iconv.h>

namespace platform {

namespace {

QMutex s_mutex;
QString s_name = QStringLiteral("CP932");

class Converter
{
public:
    Converter(const QByteArray& to, const QByteArray& from)
        : m_cd(iconv_open(to.constData(), from.constData()))
    {
    }
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != iconv_t(-1); }

    // Converts the whole input. At a sequence iconv refuses, onBad gets the
    // offset and returns how many input bytes to skip and what to put out.
    template <typename OnBad> QByteArray convert(const QByteArray& input, OnBad onBad)
    {
        QByteArray out;
        char buffer[4096];
        char* in = const_cast<char*>(input.constData());
        size_t inLeft = size_t(input.size());
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t rc = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, qsizetype(outPtr - buffer));
            if (rc != size_t(-1) || errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (a sequence cut off at the end)
            const qsizetype offset = in - input.constData();
            const auto [skip, replacement] = onBad(offset);
            const size_t step = qMin(size_t(qMax<qsizetype>(skip, 1)), inLeft);
            in += step;
            inLeft -= step;
            out += replacement;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        }
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft);
        out.append(buffer, qsizetype(outPtr - buffer));
        return out;
    }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence that starts with this byte.
qsizetype utf8Length(char lead)
{
    const auto b = uchar(lead);
    if (b < 0x80)
        return 1;
    if ((b & 0xE0) == 0xC0)
        return 2;
    if ((b & 0xF0) == 0xE0)
        return 3;
    return 4;
}

} // namespace

QString LegacyCodePage::name()
{
    QMutexLocker lock(&s_mutex);
    return s_name;
}

bool LegacyCodePage::setName(const QString& iconvName)
{
    const QByteArray name = iconvName.toLatin1();
    {
        Converter probe(QByteArrayLiteral("UTF-8"), name);
        if (iconvName.isEmpty() || !probe.valid())
            return false;
    }
    QMutexLocker lock(&s_mutex);
    s_name = iconvName;
    return true;
}

QString LegacyCodePage::decode(const QByteArray& bytes, bool* ok, qsizetype* badOffset)
{
    bool good = true;
    qsizetype firstBad = -1;
    Converter converter(QByteArrayLiteral("UTF-8"), name().toLatin1());
    QString text;
    if (!converter.valid()) {
        good = bytes.isEmpty();
        firstBad = good ? -1 : 0;
    } else {
        const QByteArray utf8 = converter.convert(bytes, [&](qsizetype offset) {
            if (good)
                firstBad = offset;
            good = false;
            return std::pair<qsizetype, QByteArray>(1, QByteArrayLiteral("\xEF\xBF\xBD"));
        });
        text = QString::fromUtf8(utf8);
    }
    if (ok)
        *ok = good;
    if (badOffset)
        *badOffset = firstBad;
    return text;
}

QByteArray LegacyCodePage::encode(const QString& text, bool* ok)
{
    bool good = true;
    Converter converter(name().toLatin1(), QByteArrayLiteral("UTF-8"));
    QByteArray result;
    const QByteArray utf8 = text.toUtf8();
    if (!converter.valid()) {
        good = text.isEmpty();
    } else {
        result = converter.convert(utf8, [&](qsizetype offset) {
            good = false;
            return std::pair<qsizetype, QByteArray>(utf8Length(utf8[offset]), "?");
        });
    }
    if (ok)
        *ok = good;
    return result;
}

} // namespace platform
