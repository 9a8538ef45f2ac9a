#pragma once

#include "shared/lang/CResourceLangDatas.h"

#include <QString>

class QWidget;

// The language texts of one program: its own module (e.g. "Brelkin") with
// the library's module "Sarvik" as fallback for single texts. Each program
// calls Initialize at start-up and Release at exit.
class CProgramLang
{
public:
    // Loads the program's store from the language file
    // (CBasePath::GetLangFilePath at start-up).
    static bool Initialize(const QString& module, const QString& path);
    static void Release();
    static QString ModuleName();
    static const CResourceLangDatas& LangDatas();
};

// The text of a key: the program's module, then "Sarvik"; "" when neither has it.
QString GetLangString(const QString& key);
// Translates a window tree / a menu from the program's own module only.
void SetDialogLangTexts(QWidget* window);
void SetMenuLangTexts(QWidget* menu);
