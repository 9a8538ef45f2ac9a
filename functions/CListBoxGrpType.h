#pragma once

#include "functions/keylayout/CKeyLayoutReads.h"

#include <QListWidget>

#include <vector>

namespace kesmond {

class CButtonStyleMgr;

// The style chooser's list: one 60-pixel row per style of a family, each
// drawn as a sample key. The styles are read when the list is first drawn.
class CListBoxGrpType : public QListWidget
{
    Q_OBJECT
public:
    static constexpr int kItemHeight = 60;
    static constexpr int kStyleCount = 15;

    explicit CListBoxGrpType(QWidget* parent = nullptr);
    ~CListBoxGrpType() override;

    // Style sheet type of kind 0 (item keys), 2 (tabs) or any other (function keys).
    static QString SheetTypeOfKind(int kind);
    // The corner of a style's nine slices by its image's file name.
    static int CornerSize(const QString& fileName);

    // Reads the kind's styles once (with reads set); rows missing in the
    // database are skipped, so a position may have no style.
    void EnsureStylesLoaded();
    // The loaded style at a row, or nullptr.
    const SheetStyle* StyleAt(int row) const;

    CKeyLayoutReads* m_pReads = nullptr;  // not owned
    CButtonStyleMgr* m_pImages = nullptr; // not owned
    int m_nKind = 0;
    bool m_bLoaded = false;
    std::vector<SheetStyle> m_styles;
    int m_nTextHeight = 12;
};

} // namespace kesmond
