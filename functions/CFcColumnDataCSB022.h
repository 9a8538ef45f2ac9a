#pragma once

#include "functions/CFcListAccess.h"

namespace kesmond {

// New layout: a list row's SHEETNUMBER is both its type and the list id.
class CFcColumnDataCSB022 : public CFcListAccess
{
public:
    using CFcListAccess::CFcListAccess;

    bool ReadListIds(int& err, std::vector<FcListType>& types) override;
    QString ItemTable() const override;
    QStringList ItemColumns() const override;
    QString ListIdColumn() const override;
};

} // namespace kesmond
