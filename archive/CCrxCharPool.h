#pragma once

// The text buffer of one element: names, attribute values and the text of a
// value element collect here. A failed growth empties it and reports
// CRX_E_OUTOFMEMORY instead of throwing into the parser.

#include "archive/CrxResult.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <new>

// Grows a text buffer by grow(buffer); a buffer that cannot grow is emptied
// and CRX_E_OUTOFMEMORY reported instead of an exception thrown into the
// parser.
template <typename Buffer, typename Grow> CrxResult CrxGrowText(Buffer& buffer, Grow&& grow)
{
    try {
        grow(buffer);
    } catch (const std::bad_alloc&) {
        buffer = Buffer();
        return CRX_E_OUTOFMEMORY;
    }
    return CRX_OK;
}

class CCrxCharPool
{
public:
    CCrxCharPool() = default;
    virtual ~CCrxCharPool() = default;

    CrxResult Set(QStringView text);
    CrxResult Append(QStringView text);
    // The UTF-8 text, widened straight into the buffer.
    CrxResult SetUtf8(QByteArrayView utf8);
    // Keeps the capacity: the pool is refilled for every name and value.
    void Clear() { m_text.resize(0); }

    const QString& Text() const { return m_text; }
    bool IsEmpty() const { return m_text.isEmpty(); }

    // Widens UTF-8 onto the end of out, which keeps its buffer from call to
    // call: most names and values are ASCII, widened without a decoder.
    static void AppendUtf8(QString& out, QByteArrayView utf8);

private:
    QString m_text;
};
