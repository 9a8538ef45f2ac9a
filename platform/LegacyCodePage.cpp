#include "platform/LegacyCodePage.h"

#include <QMutex>
#include <QMutexLocker>

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace platform {

namespace {

QMutex s_mutex;
QString s_name = QStringLiteral("CP932");

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
const QByteArray kUtf16 = QByteArrayLiteral("UTF-16LE");
#else
const QByteArray kUtf16 = QByteArrayLiteral("UTF-16BE");
#endif

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

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

} // namespace

class LegacyConverter
{
public:
    LegacyConverter(const QByteArray& to, const QByteArray& from)
        : m_cd(iconv_open(to.constData(), from.constData()))
    {
    }
    ~LegacyConverter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    LegacyConverter(const LegacyConverter&) = delete;
    LegacyConverter& operator=(const LegacyConverter&) = delete;

    bool valid() const { return m_cd != iconv_t(-1); }

    // Converts the whole input into out (from its start; out grows as it
    // needs) and returns the bytes written. At a sequence iconv refuses,
    // onBad gets the offset and returns how many input bytes to skip and
    // what to put out.
    template <typename OnBad> qsizetype convert(QByteArrayView input, QByteArray& out, OnBad onBad)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // a fresh start for every input
        char* in = const_cast<char*>(input.data());
        size_t inLeft = size_t(input.size());
        qsizetype written = 0;
        const auto room = [&](qsizetype need) {
            if (out.size() - written < need)
                out.resize(qMax(out.size() * 2, written + need));
        };
        room(input.size() * 2 + 16);
        for (;;) {
            char* outPtr = out.data() + written;
            size_t outLeft = size_t(out.size() - written);
            // Once the input is used up, one call puts out what a stateful
            // code page still holds.
            const bool flushing = inLeft == 0;
            const size_t rc = flushing ? iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft)
                                       : iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            const int error = errno;
            written = outPtr - out.data();
            if (rc != size_t(-1)) {
                if (flushing)
                    break;
                continue;
            }
            if (error == E2BIG) {
                room(out.size() + 16);
                continue;
            }
            if (flushing)
                break;
            // EILSEQ or EINVAL (a sequence cut off at the end)
            const qsizetype offset = in - input.data();
            const auto [skip, replacement] = onBad(offset);
            const size_t step = qMin(size_t(qMax<qsizetype>(skip, 1)), inLeft);
            in += step;
            inLeft -= step;
            room(replacement.size());
            std::memcpy(out.data() + written, replacement.constData(), replacement.size());
            written += replacement.size();
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        }
        return written;
    }

private:
    iconv_t m_cd;
};

QString LegacyCodePage::name()
{
    QMutexLocker lock(&s_mutex);
    return s_name;
}

bool LegacyCodePage::setName(const QString& iconvName)
{
    const QByteArray name = iconvName.toLatin1();
    {
        LegacyConverter probe(QByteArrayLiteral("UTF-8"), name);
        if (iconvName.isEmpty() || !probe.valid())
            return false;
    }
    QMutexLocker lock(&s_mutex);
    s_name = iconvName;
    return true;
}

QString LegacyCodePage::decode(const QByteArray& bytes, bool* ok, qsizetype* badOffset)
{
    return LegacyDecoder().decode(bytes, ok, badOffset);
}

QByteArray LegacyCodePage::encode(const QString& text, bool* ok)
{
    return LegacyEncoder().encode(text, ok);
}

LegacyDecoder::LegacyDecoder()
    : m_converter(std::make_unique<LegacyConverter>(kUtf16, LegacyCodePage::name().toLatin1()))
{
    if (!m_converter->valid())
        return;
    // Most code pages keep ASCII as it is; their pure ASCII lines need no iconv.
    char ascii[128];
    for (int i = 0; i < 128; ++i)
        ascii[i] = char(i);
    const QString same = QString::fromLatin1(ascii, 128);
    QByteArray out;
    const qsizetype size = m_converter->convert(QByteArrayView(ascii, 128), out, [](qsizetype) {
        return std::pair<qsizetype, QByteArray>(1, QByteArray());
    });
    m_bAsciiSame = size == 256 && std::memcmp(out.constData(), same.constData(), 256) == 0;
}

LegacyDecoder::~LegacyDecoder() = default;

QString LegacyDecoder::decode(QByteArrayView bytes, bool* ok, qsizetype* badOffset)
{
    bool good = true;
    qsizetype firstBad = -1;
    QString text;
    if (!m_converter->valid()) {
        good = bytes.isEmpty();
        firstBad = good ? -1 : 0;
    } else if (m_bAsciiSame && isAscii(bytes)) {
        text = QString::fromLatin1(bytes);
    } else {
        static const QByteArray replacement(reinterpret_cast<const char*>(u"\uFFFD"), 2);
        const qsizetype size = m_converter->convert(bytes, m_buffer, [&](qsizetype offset) {
            if (good)
                firstBad = offset;
            good = false;
            return std::pair<qsizetype, QByteArray>(1, replacement);
        });
        text = QString(reinterpret_cast<const QChar*>(m_buffer.constData()), size / 2);
    }
    if (ok)
        *ok = good;
    if (badOffset)
        *badOffset = firstBad;
    return text;
}

LegacyEncoder::LegacyEncoder()
    : m_converter(std::make_unique<LegacyConverter>(LegacyCodePage::name().toLatin1(),
                                                    QByteArrayLiteral("UTF-8")))
{
}

LegacyEncoder::~LegacyEncoder() = default;

QByteArray LegacyEncoder::encode(QStringView text, bool* ok)
{
    bool good = true;
    QByteArray result;
    const QByteArray utf8 = text.toUtf8();
    if (!m_converter->valid()) {
        good = text.isEmpty();
    } else {
        const qsizetype size = m_converter->convert(utf8, result, [&](qsizetype offset) {
            good = false;
            return std::pair<qsizetype, QByteArray>(utf8Length(utf8[offset]), "?");
        });
        result.truncate(size);
    }
    if (ok)
        *ok = good;
    return result;
}

} // namespace platform
