#pragma once

#include "shared/data/CColumnDataDBCombo.h"

// One numbered choice of a static table: its value and the language key of
// its text.
struct tagCLMSTRITEM
{
    int nValue;
    const char* pszKey;
};

// A column whose value is one of a fixed set of numbered choices. The rows
// {value text, language text} are built once from the caller's table.
class CColumnDataStaticCombo : public CColumnDataDBCombo
{
public:
    // zeroPad n > 0 writes values with n digits, zero-padded; 0 as "%d".
    // items is the caller's static table and is not copied.
    CColumnDataStaticCombo(const QString& column, const QString& labelKey, uint ctrlId,
                           uint labelCtrlId, const tagCLMSTRITEM* items, int count, int addBlank,
                           int zeroPad);

    QString GetDescript(QString value) override;
    void ReadCandidate(QWidget* control) override;

    const tagCLMSTRITEM* m_pItems = nullptr;
    int m_nItemCount = 0;
    int m_nZeroPad = 0;

protected:
    void BuildCandidates();
};
