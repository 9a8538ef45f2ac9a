#include "shared/lang/CSarvikApp.h"

CSarvikApp& CSarvikApp::Instance()
{
    static CSarvikApp app;
    return app;
}

bool CSarvikApp::LoadLangDatas(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    m_langDatas.ReleaseDocumentDatas();
    m_bLoaded = true;
    return path.isEmpty() ? m_langDatas.LoadDocumentDatas() : m_langDatas.LoadDocumentFile(path);
}

void CSarvikApp::ReleaseLangDatas()
{
    QMutexLocker lock(&m_mutex);
    m_langDatas.ReleaseDocumentDatas();
    m_bLoaded = false;
}

const CResourceLangDatas& CSarvikApp::LangDatas()
{
    QMutexLocker lock(&m_mutex);
    if (!m_bLoaded) {
        m_bLoaded = true;
        m_langDatas.LoadDocumentDatas();
    }
    return m_langDatas;
}
