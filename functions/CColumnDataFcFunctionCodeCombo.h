#pragma once

#include "shared/data/CColumnDataDBCombo.h"

namespace kesmond {

// The function of a key, chosen from the function master: shown and listed
// as its code and name.
class CColumnDataFcFunctionCodeCombo : public CColumnDataDBCombo
{
public:
    CColumnDataFcFunctionCodeCombo(const QString& column, const QString& labelKey, uint ctrlId,
                                   uint labelCtrlId, const QString& table,
                                   const QString& codeColumn, const QString& nameColumn,
                                   int addBlank);
    ~CColumnDataFcFunctionCodeCombo() override;

    // The master chosen at run time; its rows are read afresh.
    void SetMasterTable(const QString& table);

    QString GetDescript(QString value) override;
    int GetDescriptWidth() override;
    void ReadCandidate(QWidget* control) override;

    // "code name" of a candidate row.
    static QString CodeAndName(const QStringList& row);
};

} // namespace kesmond
