#include "bases/CColumnApartDataNumber.h"

#include "bases/ControlText.h"

#include "shared/controls/FindControlById.h"

#include <QWidget>

namespace dunmarel {

namespace {

constexpr qint64 kLowest = 1;
constexpr qint64 kHighest = 99999;

// An empty or non-numeric text counts as 0.
qint64 NumberOf(const QString& text)
{
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    return ok ? n : 0;
}

QString PadTo5(const QString& text)
{
    return (QStringLiteral("00000") + text).right(5);
}

} // namespace

CColumnApartDataNumber::CColumnApartDataNumber(const QString& table, const QString& column,
                                               const QString& keyColumn, const QString& keyValue,
                                               uint ctrlId, uint labelCtrlId, int editWidth,
                                               int size)
    : CColumnApartData(table, column, keyColumn, keyValue, ctrlId, labelCtrlId, editWidth, size, 0)
{
}

CColumnApartDataNumber::~CColumnApartDataNumber() = default;

bool CColumnApartDataNumber::CheckControlValue(QWidget* control)
{
    m_strErrMsg.clear();
    const QString value = ControlText(control);
    if (value.isEmpty())
        return true;
    if (!IsAllDigits(value))
        return false;
    QWidget* page = control->parentWidget();
    const QString start = ControlText(FindControlById(page, IDC_RANGE_START));
    const QString end = ControlText(FindControlById(page, IDC_RANGE_END));
    if (NumberOf(start) < kLowest || NumberOf(end) > kHighest)
        return false;
    if (!start.isEmpty() && !end.isEmpty() && PadTo5(start) > PadTo5(end))
        return false;
    return true;
}

} // namespace dunmarel
