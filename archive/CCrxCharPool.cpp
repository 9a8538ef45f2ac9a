#include "archive/CCrxCharPool.h"

#include <QStringDecoder>

CrxResult CCrxCharPool::Set(QStringView text)
{
    Clear();
    return Append(text);
}

CrxResult CCrxCharPool::SetUtf8(QByteArrayView utf8)
{
    Clear();
    return CrxGrowText(m_text, [utf8](QString& text) { AppendUtf8(text, utf8); });
}

void CCrxCharPool::AppendUtf8(QString& out, QByteArrayView utf8)
{
    const qsizetype start = out.size();
    out.resize(start + utf8.size());
    QChar* data = out.data() + start;
    const char* bytes = utf8.data();
    qsizetype i = 0;
    for (; i < utf8.size() && uchar(bytes[i]) < 0x80; ++i)
        data[i] = QChar(uchar(bytes[i]));
    if (i == utf8.size())
        return;
    // libxml2 hands over whole, valid characters only.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QChar* end = decoder.appendToBuffer(data + i, utf8.sliced(i));
    out.resize(end - out.constData());
}

CrxResult CCrxCharPool::Append(QStringView text)
{
    return CrxGrowText(m_text, [text](QString& buffer) { buffer.append(text); });
}
