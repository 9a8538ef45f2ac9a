#pragma once

#include "shared/lang/CResourceLangDatas.h"

#include <QString>

// The library's process-wide state: its own language store, loaded on first
// use from the file the program's start-up names (SetLangFilePath), or
// explicitly by LoadLangDatas.
class CSarvikApp
{
public:
    static CSarvikApp& Instance();

    // The file the store loads on first use; none: the store stays empty.
    void SetLangFilePath(const QString& path);
    // Loads the store from the given file; replaces what was loaded before.
    bool LoadLangDatas(const QString& path);
    void ReleaseLangDatas();
    const CResourceLangDatas& LangDatas();

    // Shows the text of a language-file load result code as an error message.
    static void ShowErrorDialog(int code);

private:
    CSarvikApp() = default;
    CResourceLangDatas m_langDatas;
    QString m_strLangFilePath;
    bool m_bLoaded = false;
    QMutex m_mutex;
};

// The library's own texts: "Sarvik" first, then the modules "Tovanel",
// "Brelkin", "Kesmond", "Dunmarel", "Pellark", "Wendrath" and "Mervolt".
// The library's store is loaded on first use.
QString LoadCommonString(const QString& key);
