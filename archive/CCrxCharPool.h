#pragma once

// The text buffer of one element: names, attribute values and the text of a
// value element collect here. A failed growth empties it and reports
// CRX_E_OUTOFMEMORY instead of throwing into the parser.

#include "archive/CrxResult.h"

#include <QString>
#include <QStringView>

class CCrxCharPool
{
public:
    CCrxCharPool() = default;
    virtual ~CCrxCharPool() = default;

    CrxResult Set(QStringView text);
    CrxResult Append(QStringView text);
    // Keeps the capacity: the pool is refilled for every name and value.
    void Clear() { m_text.resize(0); }

    const QString& Text() const { return m_text; }
    bool IsEmpty() const { return m_text.isEmpty(); }

private:
    QString m_text;
};
