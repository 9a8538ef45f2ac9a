#pragma once

#include "shared/data/CColumnData.h"

#include <QList>

class QAbstractButton;

namespace dunmarel {

// A row of flags ("10100000") shown in N check boxes: the bound box and the
// boxes after it in control order. Flags past the N boxes are kept as stored.
class CColumnApartDataCheck : public CColumnData
{
public:
    CColumnApartDataCheck(const QString& table, const QString& column, const QString& keyColumn,
                          const QString& keyValue, uint ctrlId, uint labelCtrlId, int count);
    ~CColumnApartDataCheck() override;

    void SetControlValue(QWidget* control, const QString& value) override;
    void GetControlValue(QWidget* control, QString& value) override;

    // The N boxes of the group starting at control.
    QList<QAbstractButton*> Boxes(QWidget* control) const;

    int m_nCount;

private:
    QString m_strShown; // the value last shown
};

} // namespace dunmarel
