#pragma once

#include "shared/controls/CItemSetButton.h"

#include <QString>

class CSQliteDB;

// An item field: a double-click asks for a department, then for one of its
// items, and takes the item's code and name. Cancel in either chooser keeps
// what was there.
class CItemSelectButton : public CItemSetButton
{
    Q_OBJECT
public:
    explicit CItemSelectButton(QWidget* parent = nullptr);
    ~CItemSelectButton() override;

    CSQliteDB* m_pSQliteDB = nullptr; // not owned
    QString m_strSelectCode;
    QString m_strSelectName;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
