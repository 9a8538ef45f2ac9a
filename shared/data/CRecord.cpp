#include "shared/data/CRecord.h"

#include <cstring>

namespace {

constexpr quint32 kNull16 = 0x8000;
constexpr quint32 kNull32 = 0x80000000;

// Offsets in 16-bit units: one per value, two when wide.
qsizetype OffsetUnits(qsizetype count, bool wide)
{
    return wide ? count * 2 : count;
}

} // namespace

CRecord::CRecord(const QStringList& values)
{
    Build(values.constData(), values.size());
}

CRecord::CRecord(std::initializer_list<QString> values)
{
    Build(values.begin(), qsizetype(values.size()));
}

CRecord::CRecord(const CRecord& other)
{
    *this = other;
}

CRecord& CRecord::operator=(const CRecord& other)
{
    if (this == &other)
        return *this;
    const QStringList values = other.toList();
    Build(values.constData(), values.size());
    return *this;
}

void CRecord::Build(const QString* values, qsizetype count)
{
    qsizetype text = 0;
    for (qsizetype i = 0; i < count; ++i)
        text += values[i].size();
    const bool wide = text >= qsizetype(kNull16);
    const qsizetype offsets = OffsetUnits(count, wide);
    auto block = std::make_unique_for_overwrite<char16_t[]>(size_t(offsets + text));
    char16_t* out = block.get() + offsets;
    qsizetype end = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const QString& value = values[i];
        if (!value.isEmpty()) // constData, not utf16: that would make a NULL value empty
            std::memcpy(out + end, value.constData(), size_t(value.size()) * sizeof(char16_t));
        end += value.size();
        if (wide) {
            const quint32 mark = quint32(end) | (value.isNull() ? kNull32 : 0);
            std::memcpy(block.get() + i * 2, &mark, sizeof mark);
        } else {
            block[size_t(i)] = char16_t(quint32(end) | (value.isNull() ? kNull16 : 0));
        }
    }
    m_pBlock = count > 0 ? std::move(block) : nullptr;
    m_nCount = int(count);
    m_bWide = wide;
}

qsizetype CRecord::End(qsizetype index) const
{
    if (!m_bWide)
        return m_pBlock[size_t(index)] & (kNull16 - 1);
    quint32 mark;
    std::memcpy(&mark, m_pBlock.get() + index * 2, sizeof mark);
    return mark & (kNull32 - 1);
}

bool CRecord::isNull(qsizetype index) const
{
    if (index < 0 || index >= m_nCount)
        return true;
    if (!m_bWide)
        return m_pBlock[size_t(index)] & kNull16;
    quint32 mark;
    std::memcpy(&mark, m_pBlock.get() + index * 2, sizeof mark);
    return mark & kNull32;
}

const char16_t* CRecord::Text() const
{
    return m_pBlock.get() + OffsetUnits(m_nCount, m_bWide);
}

QString CRecord::at(qsizetype index) const
{
    Q_ASSERT(index >= 0 && index < m_nCount);
    if (isNull(index))
        return QString();
    const qsizetype start = Start(index);
    // A non-null pointer keeps an empty value empty rather than NULL.
    return QString(reinterpret_cast<const QChar*>(Text() + start), End(index) - start);
}

QString CRecord::value(qsizetype index) const
{
    return index >= 0 && index < m_nCount ? at(index) : QString();
}

QString CRecord::value(qsizetype index, const QString& fallback) const
{
    return index >= 0 && index < m_nCount ? at(index) : fallback;
}

void CRecord::replace(qsizetype index, const QString& value)
{
    if (index < 0 || index >= m_nCount)
        return;
    QStringList values = toList();
    values[index] = value;
    Build(values.constData(), values.size());
}

void CRecord::append(const QString& value)
{
    QStringList values = toList();
    values.append(value);
    Build(values.constData(), values.size());
}

QStringList CRecord::toList() const
{
    QStringList values;
    values.reserve(m_nCount);
    for (qsizetype i = 0; i < m_nCount; ++i)
        values.append(at(i));
    return values;
}

bool CRecord::operator==(const CRecord& other) const
{
    return toList() == other.toList();
}

bool CRecord::operator==(const QStringList& other) const
{
    return toList() == other;
}
