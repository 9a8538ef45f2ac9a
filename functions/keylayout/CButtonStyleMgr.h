#pragma once

#include <QHash>
#include <QString>

#include <memory>
#include <unordered_map>
#include <vector>

class CSQliteDB;
class CSQliteSQL;

namespace kesmond {

class CImageDataCSB012;

// The colours of a key style and its image.
struct KeyStyle
{
    CImageDataCSB012* image = nullptr;
    int foreColor = 0xFFFFFF;
    int backColor = 0xFFFFFF;
    int optionColor = 0xFFFFFF;
};

// The editor's image cache: one record per CSB012 row, in reading order,
// plus the records dialogs hand over. The cache owns every record it was
// given, listed or released, and deletes each exactly once when it goes.
class CButtonStyleMgr
{
public:
    // Reads every CSB012 row; the key backgrounds, function backgrounds and
    // sheet backgrounds of codes below 15 are extracted at once and stay
    // resident. A table that cannot be read leaves the cache empty.
    explicit CButtonStyleMgr(CSQliteDB* db);
    ~CButtonStyleMgr();
    CButtonStyleMgr(const CButtonStyleMgr&) = delete;
    CButtonStyleMgr& operator=(const CButtonStyleMgr&) = delete;

    // The cached record of the key, or nullptr. An item background's code
    // longer than two characters is an item code, looked up in CSA005; a
    // function background falls back to the default one.
    CImageDataCSB012* FindImage(const QString& controlType, const QString& theme,
                                const QString& code);
    // Foreground, background and option colour of a style row.
    KeyStyle GetStyleColours(const QString& sheetType, const QString& code);
    CImageDataCSB012* GetDefaultItemBackground();
    CImageDataCSB012* GetDefaultFunctionBackground();
    // The default item background with the "DEFAULTITEMBUTTON" style's colours.
    KeyStyle GetDefaultKeyStyle();

    // Hands a record over and lists it in place of the old one (see the
    // cpp for the rules). The cache owns the new record from here on.
    void ReplaceImage(CImageDataCSB012* record, CImageDataCSB012* old);
    // Hands a record over as no longer in use.
    void Release(CImageDataCSB012* record);

    const std::vector<CImageDataCSB012*>& Cache() const { return m_cache; }
    const std::vector<CImageDataCSB012*>& Released() const { return m_released; }
    bool IsInCache(const CImageDataCSB012* record) const;

private:
    void Adopt(CImageDataCSB012* record);
    QString ItemImageCode(const QString& itemCode);

    CSQliteDB* m_pDB = nullptr; // not owned
    std::vector<CImageDataCSB012*> m_cache;
    std::vector<CImageDataCSB012*> m_released;
    std::unordered_map<const CImageDataCSB012*, std::unique_ptr<CImageDataCSB012>> m_owned;
    QHash<QString, QString> m_itemLinks; // CSA005: item code -> image code
    bool m_bLinksRead = false;
    std::unique_ptr<CSQliteSQL> m_styleRow;
};

} // namespace kesmond
