#include "bases/CColumnApartDateTimeData.h"

#include <QDateTimeEdit>

namespace dunmarel {

CColumnApartDateTimeData::CColumnApartDateTimeData(const QString& table, const QString& column,
                                                   const QString& keyColumn,
                                                   const QString& keyValue, uint ctrlId,
                                                   uint labelCtrlId, int dateFlag)
    : CColumnApartData(table, column, keyColumn, keyValue, ctrlId, labelCtrlId),
      m_nDateFlag(dateFlag)
{
}

CColumnApartDateTimeData::~CColumnApartDateTimeData() = default;

void CColumnApartDateTimeData::SetControlValue(QWidget* control, const QString& value)
{
    auto* picker = qobject_cast<QDateTimeEdit*>(control);
    if (!picker)
        return;
    if (m_nDateFlag) {
        const QDate date(value.left(4).toInt(), value.mid(4, 2).toInt(), value.right(2).toInt());
        if (value.size() == 8 && date.isValid())
            picker->setDate(date);
        return;
    }
    picker->setDisplayFormat(QStringLiteral("HH:mm"));
    const QTime time(value.left(2).toInt(), value.right(2).toInt());
    if (value.size() == 4 && time.isValid())
        picker->setTime(time);
}

void CColumnApartDateTimeData::GetControlValue(QWidget* control, QString& value)
{
    auto* picker = qobject_cast<QDateTimeEdit*>(control);
    if (!picker) {
        value.clear();
        return;
    }
    value = m_nDateFlag ? picker->date().toString(QStringLiteral("yyyyMMdd"))
                        : picker->time().toString(QStringLiteral("HHmm"));
}

} // namespace dunmarel
