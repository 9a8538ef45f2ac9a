#pragma once

class QWidget;

namespace kesmond {

class CButtonProperty;
class CButtonStyleMgr;
class CFcKeyLayCSB023;

// The key-layout editor's dialogs (key, section, page and grid settings),
// made through one factory so that tests can put their own in. Each edits
// the given copy or values and returns whether the user confirmed.
class CKeyLayoutDialogs
{
public:
    virtual ~CKeyLayoutDialogs() = default;
    virtual bool EditKey(QWidget* parent, CButtonProperty& copy, CButtonStyleMgr& images);
    virtual bool EditSection(QWidget* parent, CButtonProperty& copy);
    virtual bool EditPage(QWidget* parent, CButtonProperty& tab, CButtonStyleMgr& images,
                          const CFcKeyLayCSB023& geometry);
    virtual bool EditGrid(QWidget* parent, int& columns, int& rows);
};

} // namespace kesmond
