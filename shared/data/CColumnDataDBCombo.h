#pragma once

#include "shared/data/CColumnDataCandidates.h"

class QComboBox;

// A column whose value is the code of a row of another table (department of
// an item, clerk group of a clerk ...), chosen in a drop-down list of that
// table's names. Entry i of the combo is candidate row i.
class CColumnDataDBCombo : public CColumnDataCandidates
{
public:
    CColumnDataDBCombo(const QString& column, const QString& labelKey, uint ctrlId,
                       uint labelCtrlId, const QString& table, const QString& codeColumn,
                       const QString& nameColumn, int addBlank);
    ~CColumnDataDBCombo() override;

    // Reads the candidates once; a given combo gets their texts in order.
    void ReadCandidate(QWidget* control) override;
    void SetControlValue(QWidget* control, const QString& value) override;
    void GetControlValue(QWidget* control, QString& value) override;
    bool CheckControlValue(QWidget* control) override;
    // The value stored for candidate index (-1: no choice), as the combo's
    // choice of that entry gives it.
    virtual QString EntryValue(int index) const;

protected:
    // The combo's selection as a candidate index; -1 for none.
    int SelectedIndex(QWidget* control) const;
    void FillCombo(QWidget* control);
};
