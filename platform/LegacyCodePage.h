#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

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

} // namespace platform
