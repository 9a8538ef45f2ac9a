#pragma once

#include "goods/CPageDlg.h"

#include "shared/data/CStringArrayPtrList.h"

class QTreeWidget;

namespace brelkin {

// The item-parameter page: besides its controls a list of the settings
// packed into the record's "PROPERTY" text, as the work database's CSM017
// defines them, each edited in a value dialog of the kind its type gives.
class CSetGrpPageDlg : public CPageDlg
{
    Q_OBJECT

public:
    enum : unsigned { IDC_PROPERTIES = 23189 };

    CSetGrpPageDlg();
    ~CSetGrpPageDlg() override;

    bool ShowData(bool firstTime) override;
    QTreeWidget* PropertyList() const { return m_pProperties; }
    QString PropertyText() const { return m_strProperty; }
    void EditProperty(int row);
    // The dialog kind of a value type; -1 for a type that is not edited.
    static int PropertyKind(const QString& valueType);

protected:
    bool OwnValue(const CColumnData* column, QString& value) const override;

private:
    void SetupPropertyList();
    void ReadDefinitions();
    QString DescribePropertyValue(const QStringList& definition, const QString& value) const;
    int PropertyWidth() const;

    QTreeWidget* m_pProperties = nullptr;
    CStringArrayPtrList m_definitions;
    QString m_strProperty;
};

// The page class of a page id: the item-parameter pages 3009 and 3042 carry
// the property list.
CPageDlg* NewPageDlg(unsigned pageId);

} // namespace brelkin
