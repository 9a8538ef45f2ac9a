#pragma once

#include <QHash>
#include <QMutex>
#include <QString>

#include <memory>
#include <vector>

class QWidget;

// The language document: texts by key, grouped by module ("Sarvik" for the
// library, one per program). Keys match without regard to case; a key that is
// missing gives the empty text, and an empty text never replaces a window's
// text, so a missing text shows its key.
class CResourceLangDatas
{
public:
    // Result codes of loading.
    enum ELoadResult : int {
        LANGLOAD_OK = 0,
        LANGLOAD_NOMEMORY = 2,
        LANGLOAD_NOREADER = 6, // kept for the numbering; the stream reader always exists
        LANGLOAD_UNKNOWN = 8,
        LANGLOAD_XML_ERROR = 20,
        LANGLOAD_XML_FATAL = 21, // malformed XML, a DOCTYPE, or a file that cannot be read
    };

    CResourceLangDatas();
    virtual ~CResourceLangDatas();
    CResourceLangDatas(const CResourceLangDatas&) = delete;
    CResourceLangDatas& operator=(const CResourceLangDatas&) = delete;

    // Parses the given file (the caller knows where the language file is,
    // CBasePath::GetLangFilePath). Texts parsed before an error stay usable.
    bool LoadDocumentFile(const QString& path);
    int GetLoadResult() const { return m_nLoadResult; }
    // Drops every text; lookups then give the empty text.
    bool ReleaseDocumentDatas();

    QString LoadResString(const QString& module, const QString& key) const;

    // Replaces the window texts of a widget and its child widgets (depth
    // first, in child order) whose current text is a key of the module.
    void SetWinLangTextAllChildren(const QString& module, QWidget* window) const;
    void SetWinLangText(const QString& module, QWidget* window) const;
    // The same for the actions of a menu or menu bar and their submenus; an
    // action keeps its submenu and everything but its text.
    void SetMenuLangTextAllChildren(const QString& module, QWidget* menu) const;
    void SetMenuLangText(const QString& module, QWidget* menu, int position) const;

private:
    struct Module
    {
        QString name;
        QHash<QString, QString> texts; // folded key -> text
    };
    const Module* FindModule(const QString& module) const;

    std::vector<std::unique_ptr<Module>> m_modules; // file order
    // Module names asked for (exact case) -> parsed module or null.
    mutable QHash<QString, const Module*> m_moduleCache;
    mutable QMutex m_mutex; // lookups may come from worker threads
    int m_nLoadResult = LANGLOAD_OK;
};
