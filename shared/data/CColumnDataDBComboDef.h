#pragma once

#include "shared/data/CColumnDataDBCombo.h"

// A database combo whose column has a default: a stored default without a
// candidate row shows empty, and on a nullable column no choice (or the
// first entry) stores the default.
class CColumnDataDBComboDef : public CColumnDataDBCombo
{
public:
    CColumnDataDBComboDef(const QString& column, const QString& labelKey, uint ctrlId,
                          uint labelCtrlId, const QString& table, const QString& codeColumn,
                          const QString& nameColumn, int addBlank, const QString& defaultValue);

    QString GetDescript(QString value) override;
    QString EntryValue(int index) const override;
};
