#pragma once

#include "shared/data/CColumnDataCandidates.h"

// A column whose value is an item code chosen with an item button
// (CItemSelectButton): the button holds the code and shows the item's name.
class CColumnDataItemSelectBtn : public CColumnDataCandidates
{
public:
    CColumnDataItemSelectBtn(const QString& column, const QString& labelKey, uint ctrlId,
                             uint labelCtrlId, const QString& table, const QString& codeColumn,
                             const QString& nameColumn, int addBlank);
    ~CColumnDataItemSelectBtn() override;

    // Reads the candidates once; the button needs no list.
    void ReadCandidate(QWidget* control) override;
    void SetControlValue(QWidget* control, const QString& value) override;
    void GetControlValue(QWidget* control, QString& value) override;
    bool CheckControlValue(QWidget* control) override;
};
