#pragma once

#include "functions/CFcListAccess.h"

namespace kesmond {

// Old layout: a list row's CODE is its type, its VIEWID the list id.
class CFcColumnDataCSB011 : public CFcListAccess
{
public:
    using CFcListAccess::CFcListAccess;

    bool ReadListIds(int& err, std::vector<FcListType>& types) override;
    QString ItemTable() const override;
    QStringList ItemColumns() const override;
    QString ListIdColumn() const override;
};

} // namespace kesmond
