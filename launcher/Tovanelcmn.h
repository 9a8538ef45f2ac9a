#pragma once

#include <QString>

namespace tovanel {

// The menu state every launcher menu shares, as the index into its rows'
// enable columns: 0 no archive, 1 (no command sets it), 2 an archive open,
// 3 a display archive open.
class Tovanelcmn
{
public:
    enum MenuState : int { MENU_NOFILE = 0, MENU_RESERVED = 1, MENU_OPEN = 2, MENU_DISPLAY = 3 };

    virtual ~Tovanelcmn() = default;
    // Stores the state; each menu also enables its buttons for it.
    virtual void EnableMenuButtons(int state) { m_nMenuState = state; }
    virtual int GetState() const { return m_nMenuState; }

protected:
    int m_nMenuState = MENU_NOFILE;
    // The application title (BuildAppTitle), the caption of messages.
    QString m_strAppTitle;
};

} // namespace tovanel
