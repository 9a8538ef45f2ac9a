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
    QString KeyOrderColumn() const override;
    QString NewItemId() override;
    bool RemoveItem(int& err, const QString& key) override;

protected:
    QStringList ItemKeyColumns() const override;
    QStringList NewItem(int& err, const QString& newId, const QString& key,
                        const QString& now) override;
    void SetItemPosition(QStringList& item, int position) const override;
    bool RewriteItems(int& err, const QList<QStringList>& items) override;
};

} // namespace kesmond
