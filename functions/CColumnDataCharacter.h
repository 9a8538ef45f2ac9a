#pragma once

#include "shared/data/CColumnData.h"

#include <memory>

class CSQliteSQL;
class CSQliteDB;

namespace kesmond {

// The character-set code column of table CSB007, described by its title from
// the title master. The title read is prepared once and bound per code, so a
// long list does not build one statement per row.
class CColumnDataCharacter : public CColumnData
{
public:
    CColumnDataCharacter(const QString& column, const QString& labelKey, uint ctrlId = 0,
                         uint labelCtrlId = 0);
    ~CColumnDataCharacter() override;

    QString GetDescript(QString value) override;
    void FreeResorce() override;

private:
    QString m_strTitleTable;
    QString m_strTitleColumn;
    std::unique_ptr<CSQliteSQL> m_pTitleSQL;
    CSQliteDB* m_pTitleDB = nullptr; // connection the statement was made on
    bool m_bPrepared = false;
};

} // namespace kesmond
