#pragma once

class CSQliteDB;
class QWidget;

namespace kesmond {

class CButtonProperty;
class CButtonStyleMgr;
class CFcKeyLayCSB023;
class CKeyLayoutEditor;
class CKeyLayoutReads;

// The key-layout editor's dialogs (key, section, page and grid settings),
// made through one factory so that tests can put their own in. Each edits
// the given copy or values and returns whether the user confirmed.
class CKeyLayoutDialogs
{
public:
    virtual ~CKeyLayoutDialogs() = default;
    // The editor's work database, reads, rows and geometry the dialogs look
    // things up in; none is owned.
    void SetSession(CSQliteDB* db, CKeyLayoutReads* reads, CKeyLayoutEditor* editor,
                    const CFcKeyLayCSB023* geometry);

    virtual bool EditKey(QWidget* parent, CButtonProperty& copy, CButtonStyleMgr& images);
    virtual bool EditSection(QWidget* parent, CButtonProperty& copy);
    virtual bool EditPage(QWidget* parent, CButtonProperty& tab, CButtonStyleMgr& images,
                          const CFcKeyLayCSB023& geometry);
    virtual bool EditGrid(QWidget* parent, int& columns, int& rows);

protected:
    CSQliteDB* m_pDB = nullptr;
    CKeyLayoutReads* m_pReads = nullptr;
    CKeyLayoutEditor* m_pEditor = nullptr;
    const CFcKeyLayCSB023* m_pGeometry = nullptr;
};

} // namespace kesmond
