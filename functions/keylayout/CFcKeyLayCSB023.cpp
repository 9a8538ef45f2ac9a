#include "functions/keylayout/CFcKeyLayCSB023.h"

#include "shared/data/CSqLiteUtility.h"
#include "shared/data/NumberOfText.h"

#include "stroven/Stroven.h"

#include <QRegularExpression>

#include <algorithm>
#include <climits>

namespace kesmond {

namespace {

int SizeValue(const QString& text)
{
    return int(std::clamp<qint64>(NumberOfText(text), INT_MIN, INT_MAX));
}

// "ITEMBUTTON.2.WIDTH" -> prefix "ITEMBUTTON", number 2, part "WIDTH".
const QRegularExpression& CodePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(ITEMBUTTON|ITEMSECTION|ITEMBUTTONAUTO)\\.([0-9]+)\\.(WIDTH|HEIGHT|"
                       "LABEL|MENU\\.LAYOUT)$"));
    return pattern;
}

} // namespace

// A size no row gives is 0 x 0.
CFcKeyLayCSB023::CFcKeyLayCSB023()
{
    m_keySizes.fill(QSize(0, 0));
    m_sectionSizes.fill(QSize(0, 0));
    m_presets.fill(QSize(0, 0));
}

bool CFcKeyLayCSB023::Read(CSQliteDB& db, int& err)
{
    err = 0;
    CSQliteSQL sql(db, QStringLiteral("CSB023"));
    CSQRowArray* rows =
        CSqLiteUtility::ReadRows(sql, {QStringLiteral("LAYOUTCODE"), QStringLiteral("LAYOUTVALUE")},
                                 QString(), {}, QString(), 0, err);
    if (!rows)
        return false;
    for (const QStringList* row : std::as_const(*rows))
        SetValue(row->value(0), row->value(1));
    return true;
}

void CFcKeyLayCSB023::SetValue(const QString& code, const QString& value)
{
    const QRegularExpressionMatch match = CodePattern().match(code);
    if (!match.hasMatch())
        return;
    const QString kind = match.captured(1);
    const QString part = match.captured(3);
    bool ok = false;
    const int index = match.captured(2).toInt(&ok) - 1;
    if (!ok || index < 0)
        return;
    auto setSize = [&](auto& sizes, auto& labels) {
        if (size_t(index) >= sizes.size())
            return;
        if (part == QLatin1String("WIDTH"))
            sizes[size_t(index)].setWidth(SizeValue(value));
        else if (part == QLatin1String("HEIGHT"))
            sizes[size_t(index)].setHeight(SizeValue(value));
        else if (part == QLatin1String("LABEL"))
            labels[size_t(index)] = value;
    };
    if (kind == QLatin1String("ITEMBUTTON")) {
        setSize(m_keySizes, m_keyLabels);
    } else if (kind == QLatin1String("ITEMSECTION")) {
        setSize(m_sectionSizes, m_sectionLabels);
    } else if (size_t(index) < m_autoValues.size()) {
        if (part == QLatin1String("MENU.LAYOUT"))
            m_autoValues[size_t(index)] = value;
        else if (part == QLatin1String("LABEL"))
            m_autoLabels[size_t(index)] = value;
    }
}

void CFcKeyLayCSB023::SetSheetRect(const QRect& rect)
{
    m_sheetRect = rect;
    for (size_t k = 0; k < m_presets.size(); ++k) {
        // The grid's gaps are 1 across and 3 down; a size below 0 counts as
        // 0, so the divisor is never 0 or negative.
        const qint64 width = std::max(0, m_keySizes[k].width()) + 1;
        const qint64 height = std::max(0, m_keySizes[k].height()) + 3;
        m_presets[k] =
            QSize(int(qint64(rect.width()) / width), int(qint64(rect.height()) / height));
    }
}

int CFcKeyLayCSB023::FindPreset(int columns, int rows) const
{
    for (size_t k = 0; k < m_presets.size(); ++k)
        if (m_presets[k].width() == columns && m_presets[k].height() == rows)
            return int(k);
    return -1;
}

} // namespace kesmond
