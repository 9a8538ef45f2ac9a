#pragma once

#include <QString>

#include <memory>
#include <vector>

class QWidget;

namespace kesmond {

class CImageDataCSB012;

// One CSB022 row of the key layout in memory, with the editor's working
// values. The window and the two image records are never owned: the window
// belongs to the editor, the records to the image cache. A copy copies every
// field, the pointers included.
class CButtonProperty
{
public:
    CButtonProperty() = default;
    CButtonProperty(const CButtonProperty&) = default;
    CButtonProperty& operator=(const CButtonProperty&) = default;
    virtual ~CButtonProperty() = default;

    void CopyFrom(const CButtonProperty& other) { *this = other; }

    bool IsFunctionButton() const;
    bool IsItemButton() const;
    bool IsItemSection() const;
    bool IsPage() const;
    // A key becomes a function key or an item key without code, label, name
    // or item picture.
    void MakeFunctionButton();
    void MakeItemButton();
    // The label, or the display name when the label is empty.
    QString GetLabelText() const;

    QWidget* m_pWindow = nullptr;
    QString m_strControlType = QStringLiteral("ItemButton");
    QString m_strTheme = QStringLiteral("Standard");
    int m_nSheetArrange = 0;
    int m_nSheetNumber = 0;
    int m_nX = 0;
    int m_nY = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nForeColor = 0;
    int m_nBackColor = 0;
    int m_nOptionColor = 0;
    QString m_strDispName;
    QString m_strPriceText = QStringLiteral("0");
    QString m_strLabel;
    QString m_strCode = QStringLiteral("0");
    CImageDataCSB012* m_pBackImage = nullptr;
    CImageDataCSB012* m_pItemImage = nullptr;
    int m_nImageFlag = 0;
    QString m_strBgImgControlType;
    QString m_strBgImgCode;
    // Of a tab: its page's CSB003 menu settings and arrangement.
    QString m_strMenuType;
    QString m_strMenuDeptLink;
    QString m_strMenuLayout;
    int m_nPageArrange = 0;
};

// The editor's row arrays (sheet rows, strip rows), in reading order.
using CButtonPropertyArray = std::vector<std::unique_ptr<CButtonProperty>>;

} // namespace kesmond
