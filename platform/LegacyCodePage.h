#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>

namespace platform {

class LegacyConverter;

// The "ANSI" code page of the files the register world exchanges (comma
// files, OES masters). One place decides which it is; CP932 unless set.
class LegacyCodePage
{
public:
    static QString name();
    // False (and the code page unchanged) when iconv does not know the name.
    static bool setName(const QString& iconvName);

    // Decodes bytes; false in *ok (when given) on a byte sequence that is not
    // valid in the code page, and the offset of the first bad byte in *badOffset
    // (-1 when all are good). Each bad byte becomes U+FFFD.
    static QString decode(const QByteArray& bytes, bool* ok = nullptr,
                          qsizetype* badOffset = nullptr);
    // Encodes text; false in *ok when a character has no form in the code page
    // (it becomes "?").
    static QByteArray encode(const QString& text, bool* ok = nullptr);
};

// Decodes many pieces of the legacy code page through one converter, opened
// once for a whole job (an import's every line): opening one costs far more
// than a line. It keeps the code page in force when it was made. Not shared
// between threads.
class LegacyDecoder
{
public:
    LegacyDecoder();
    ~LegacyDecoder();
    LegacyDecoder(const LegacyDecoder&) = delete;
    LegacyDecoder& operator=(const LegacyDecoder&) = delete;

    // As LegacyCodePage::decode.
    QString decode(QByteArrayView bytes, bool* ok = nullptr, qsizetype* badOffset = nullptr);

private:
    std::unique_ptr<LegacyConverter> m_converter;
    bool m_bAsciiSame = false; // bytes below 0x80 are ASCII in this code page
    QByteArray m_buffer;       // UTF-16 output, kept from call to call
};

// Encodes many texts into the legacy code page through one converter (an
// export's every line).
class LegacyEncoder
{
public:
    LegacyEncoder();
    ~LegacyEncoder();
    LegacyEncoder(const LegacyEncoder&) = delete;
    LegacyEncoder& operator=(const LegacyEncoder&) = delete;

    // As LegacyCodePage::encode.
    QByteArray encode(QStringView text, bool* ok = nullptr);

private:
    std::unique_ptr<LegacyConverter> m_converter;
};

} // namespace platform
