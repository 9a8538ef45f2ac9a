#include "shared/lang/CResourceLangDatas.h"

#include "shared/lang/WindowText.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>
#include <QXmlStreamReader>

#include <new>

namespace {

QString foldKey(const QString& key)
{
    return key.toCaseFolded();
}

QString firstAttributeValue(const QXmlStreamReader& reader)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    return attributes.isEmpty() ? QString() : attributes.first().value().toString();
}

} // namespace

CResourceLangDatas::CResourceLangDatas() = default;
CResourceLangDatas::~CResourceLangDatas() = default;

bool CResourceLangDatas::LoadDocumentFile(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    m_moduleCache.clear();
    int result = LANGLOAD_OK;
    try {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            m_nLoadResult = LANGLOAD_XML_FATAL;
            return false;
        }
        QXmlStreamReader reader(&file);
        Module* current = nullptr;
        QString pendingKey;
        bool hasPendingKey = false;
        QString accumulator;
        while (!reader.atEnd()) {
            switch (reader.readNext()) {
            case QXmlStreamReader::DTD:
                // Entity declarations are a way to blow up memory; the file
                // never needs one.
                reader.raiseError(QStringLiteral("DOCTYPE refused"));
                break;
            case QXmlStreamReader::StartElement: {
                const QStringView name = reader.name();
                const QString value = firstAttributeValue(reader);
                if (name == u"module" && !value.isEmpty()) {
                    current = nullptr;
                    for (auto& module : m_modules) {
                        if (module->name.compare(value, Qt::CaseInsensitive) == 0) {
                            current = module.get();
                            break;
                        }
                    }
                    if (!current) {
                        m_modules.push_back(std::make_unique<Module>());
                        current = m_modules.back().get();
                        current->name = value;
                    }
                    hasPendingKey = false;
                } else if (name == u"string" && !value.isEmpty() && current) {
                    accumulator.clear();
                    pendingKey = value;
                    hasPendingKey = true;
                }
                break;
            }
            case QXmlStreamReader::Characters:
                if (current && hasPendingKey)
                    accumulator += reader.text();
                break;
            case QXmlStreamReader::EndElement: {
                const QStringView name = reader.name();
                if (name == u"module") {
                    current = nullptr;
                    hasPendingKey = false;
                } else if (name == u"string" && current) {
                    if (hasPendingKey)
                        current->texts.insert(foldKey(pendingKey), accumulator);
                    hasPendingKey = false;
                    accumulator.clear();
                }
                break;
            }
            default:
                break;
            }
        }
        if (reader.hasError())
            result = LANGLOAD_XML_FATAL;
    } catch (const std::bad_alloc&) {
        result = LANGLOAD_NOMEMORY;
    } catch (...) {
        result = LANGLOAD_UNKNOWN;
    }
    m_nLoadResult = result;
    return result == LANGLOAD_OK;
}

bool CResourceLangDatas::ReleaseDocumentDatas()
{
    QMutexLocker lock(&m_mutex);
    m_moduleCache.clear();
    m_modules.clear();
    return true;
}

const CResourceLangDatas::Module* CResourceLangDatas::FindModule(const QString& module) const
{
    const auto cached = m_moduleCache.constFind(module);
    if (cached != m_moduleCache.constEnd())
        return cached.value();
    const Module* found = nullptr;
    for (const auto& parsed : m_modules) {
        if (parsed->name.compare(module, Qt::CaseInsensitive) == 0) {
            found = parsed.get();
            break;
        }
    }
    m_moduleCache.insert(module, found);
    return found;
}

QString CResourceLangDatas::LoadResString(const QString& module, const QString& key) const
{
    if (key.isEmpty())
        return {};
    QMutexLocker lock(&m_mutex);
    const Module* parsed = FindModule(module);
    return parsed ? parsed->texts.value(foldKey(key)) : QString();
}

void CResourceLangDatas::SetWinLangText(const QString& module, QWidget* window) const
{
    if (!window)
        return;
    const QString text = LoadResString(module, GetWindowText(window));
    if (!text.isEmpty())
        SetWindowText(window, text);
}

void CResourceLangDatas::SetWinLangTextAllChildren(const QString& module, QWidget* window) const
{
    if (!window)
        return;
    SetWinLangText(module, window);
    for (QObject* child : window->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        // A child that is a window of its own (a popup, a dialog) is not part
        // of this window's tree.
        if (widget && !widget->isWindow())
            SetWinLangTextAllChildren(module, widget);
    }
}

void CResourceLangDatas::SetMenuLangText(const QString& module, QWidget* menu, int position) const
{
    if (!menu)
        return;
    const QList<QAction*> actions = menu->actions();
    if (position < 0 || position >= actions.size())
        return;
    QAction* action = actions[position];
    const QString key = action->menu() ? action->menu()->title() : action->text();
    if (key.isEmpty())
        return;
    const QString text = LoadResString(module, key);
    if (text.isEmpty())
        return;
    if (action->menu())
        action->menu()->setTitle(text);
    else
        action->setText(text);
}

void CResourceLangDatas::SetMenuLangTextAllChildren(const QString& module, QWidget* menu) const
{
    if (!menu)
        return;
    const QList<QAction*> actions = menu->actions();
    for (int i = 0; i < actions.size(); ++i) {
        SetMenuLangText(module, menu, i);
        if (QMenu* sub = actions[i]->menu())
            SetMenuLangTextAllChildren(module, sub);
    }
}
