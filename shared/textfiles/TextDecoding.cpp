#include "shared/textfiles/TextDecoding.h"

bool AppendDecodedText(QStringDecoder& decoder, bool utf16, QByteArrayView bytes, QString& text)
{
    // Decoded straight behind the text: no text of its own for every line.
    const qsizetype at = text.size();
    decoder.resetState();
    text.resize(at + decoder.requiredSpace(bytes.size()));
    const QChar* end = decoder.appendToBuffer(text.data() + at, bytes);
    text.truncate(end - text.constData());
    if (decoder.hasError())
        return false;
    return !utf16 || (bytes.size() % 2 == 0 && QStringView(text).sliced(at).isValidUtf16());
}
