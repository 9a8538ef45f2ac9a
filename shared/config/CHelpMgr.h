#pragma once

#include <QString>

class QWidget;

// The help manual "NolvarSettingTool.pdf": the program-data folder's copy
// when it exists, else the one in the install folder's "DOCUMENT".
class CHelpMgr
{
public:
    static bool ShowHelpToolManual(QWidget* owner);
    static QString CreateHelpFullPath();
};
