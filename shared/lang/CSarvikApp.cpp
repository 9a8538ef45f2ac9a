#include "shared/lang/CSarvikApp.h"

#include "platform/MessageBox.h"

#include <QApplication>

CSarvikApp& CSarvikApp::Instance()
{
    static CSarvikApp app;
    return app;
}

void CSarvikApp::SetLangFilePath(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    m_strLangFilePath = path;
}

bool CSarvikApp::LoadLangDatas(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    m_langDatas.ReleaseDocumentDatas();
    m_bLoaded = true;
    return m_langDatas.LoadDocumentFile(path);
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
        if (!m_strLangFilePath.isEmpty())
            m_langDatas.LoadDocumentFile(m_strLangFilePath);
    }
    return m_langDatas;
}

void CSarvikApp::ShowErrorDialog(int code)
{
    QString key;
    switch (code) {
    case CResourceLangDatas::LANGLOAD_NOMEMORY:
        key = QStringLiteral("CRDS_CMN_LANGXML_NOMEMORY");
        break;
    case CResourceLangDatas::LANGLOAD_NOREADER:
        key = QStringLiteral("CRDS_CMN_LANGXML_NOREADER");
        break;
    case CResourceLangDatas::LANGLOAD_XML_ERROR:
        key = QStringLiteral("CRDS_CMN_LANGXML_ERROR");
        break;
    case CResourceLangDatas::LANGLOAD_XML_FATAL:
        key = QStringLiteral("CRDS_CMN_LANGXML_FATAL");
        break;
    default:
        key = QStringLiteral("CRDS_CMN_LANGXML_UNKNOWN");
        break;
    }
    platform::MessageRequest request;
    request.parent = QApplication::activeWindow();
    request.key = key;
    request.text = LoadCommonString(key);
    if (request.text.isEmpty())
        request.text = key;
    request.caption = QStringLiteral("ReadLangXML");
    request.icon = platform::MessageIcon::Error;
    platform::showMessage(request);
}

QString LoadCommonString(const QString& key)
{
    static const char* const kModules[] = {"Sarvik",   "Tovanel", "Brelkin",  "Kesmond",
                                           "Dunmarel", "Pellark", "Wendrath", "Mervolt"};
    const CResourceLangDatas& datas = CSarvikApp::Instance().LangDatas();
    for (const char* module : kModules) {
        const QString text = datas.LoadResString(QLatin1String(module), key);
        if (!text.isEmpty())
            return text;
    }
    return {};
}
