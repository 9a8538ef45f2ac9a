#pragma once

#include "shared/data/CColumnData.h"
#include "shared/data/CComboCandidates.h"

// What every column whose value is a code of another table's row shares,
// whatever control chooses it (a drop-down list or an item button): the
// name shown for a stored code, its width, and the candidates' release.
class CColumnDataCandidates : public CColumnData, public CComboCandidates
{
public:
    CColumnDataCandidates(const QString& column, const QString& labelKey, uint ctrlId,
                          uint labelCtrlId, const QString& table, const QString& codeColumn,
                          const QString& nameColumn, int addBlank);
    ~CColumnDataCandidates() override;

    // The name of a stored code; the code itself when no candidate has it.
    QString GetDescript(QString value) override;
    int GetDescriptWidth() override;
    void FreeResorce() override;
};
