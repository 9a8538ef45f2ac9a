#pragma once

#include "shared/data/CColumnData.h"

// Two radio buttons of one group: the yes button (m_nCtrlID) and the next
// button of its group.
class CColumnDataYesNoRadio : public CColumnData
{
public:
    CColumnDataYesNoRadio() = default;
    CColumnDataYesNoRadio(const QString& column, const QString& labelKey, uint ctrlId,
                          uint labelCtrlId, int yesIsOne);

    QString GetDescript(QString value) override;
    void SetControlValue(QWidget* control, const QString& value) override;
    void GetControlValue(QWidget* control, QString& value) override;
    bool CheckControlValue(QWidget* control) override;

    bool IsYesValue(const QString& value) const;
    QString YesValue() const { return m_bYesIsOne ? QStringLiteral("1") : QStringLiteral("0"); }
    QString NoValue() const { return m_bYesIsOne ? QStringLiteral("0") : QStringLiteral("1"); }

    bool m_bYesIsOne = false; // stored "1" means yes, else "0" means yes
};
