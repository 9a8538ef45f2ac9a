#pragma once

#include "shared/data/CColumnData.h"

#include <QStringList>

#include <memory>

// A group of radio buttons starting at m_nCtrlID; the stored value is the
// index of the checked button.
class CColumnDataUniqueRadio : public CColumnData
{
public:
    CColumnDataUniqueRadio() = default;
    // labelKeys: the caller's nullptr-ended array of label keys, one per
    // button; kept, not copied.
    CColumnDataUniqueRadio(const QString& column, const QString& labelKey, uint ctrlId,
                           uint labelCtrlId, const char* const* labelKeys);
    ~CColumnDataUniqueRadio() override;

    QString GetDescript(QString value) override;
    void SetControlValue(QWidget* control, const QString& value) override;
    void GetControlValue(QWidget* control, QString& value) override;
    bool CheckControlValue(QWidget* control) override;

    const char* const* m_ppLabelKeys = nullptr;
    int m_nRadioCount = 0;
    std::unique_ptr<QStringList> m_pRadioTexts; // texts of the keys, made when first needed
};
