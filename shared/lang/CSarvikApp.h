#pragma once

#include "shared/lang/CResourceLangDatas.h"

#include <QString>

// The library's process-wide state: its own language store, loaded on first
// use (or explicitly by LoadLangDatas).
class CSarvikApp
{
public:
    static CSarvikApp& Instance();

    // Loads the store from the given file, or from FindDocumentPath when
    // empty; replaces what was loaded before.
    bool LoadLangDatas(const QString& path = QString());
    void ReleaseLangDatas();
    const CResourceLangDatas& LangDatas();

private:
    CSarvikApp() = default;
    CResourceLangDatas m_langDatas;
    bool m_bLoaded = false;
    QMutex m_mutex;
};
