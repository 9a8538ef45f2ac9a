#include "functions/CListBoxGrpType.h"

#include "functions/keylayout/CButtonStyleMgr.h"
#include "functions/keylayout/CImageDataCSB012.h"
#include "functions/keylayout/KeyLayoutColour.h"
#include "functions/keylayout/NineSliceRects.h"

#include "shared/config/PitchFontName.h"
#include "shared/lang/CProgramLang.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace kesmond {

namespace {

class StyleSampleDelegate : public QStyledItemDelegate
{
public:
    explicit StyleSampleDelegate(CListBoxGrpType* list) : QStyledItemDelegate(list), m_pList(list)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return QSize(option.rect.width(), CListBoxGrpType::kItemHeight);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        m_pList->EnsureStylesLoaded();
        const QRect rect = option.rect;
        painter->save();
        painter->fillRect(rect, option.palette.color(QPalette::Base));
        if (option.state & QStyle::State_Selected) {
            painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(rect.adjusted(2, 2, -2, -2));
        }
        DrawSample(*painter, rect, index.row());
        painter->restore();
    }

private:
    void DrawSample(QPainter& painter, const QRect& rect, int row) const
    {
        const SheetStyle* style = m_pList->StyleAt(row);
        if (!style || !m_pList->m_pImages)
            return;
        CImageDataCSB012* record =
            m_pList->m_pImages->FindImage(style->controlType, style->theme, style->code);
        if (!record)
            return;
        const QImage& image = record->EnsureImageLoaded();
        if (image.isNull())
            return;
        const QRect area = rect.adjusted(48, 6, -48, -6);
        const auto slices = NineSliceRects(
            area, image.size(), CListBoxGrpType::CornerSize(record->m_strFileName), 0, 0);
        if (!slices)
            return;
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        for (const NineSlice& slice : *slices)
            painter.drawImage(slice.target, image, slice.source);
        QFont font(GetPropoPitchFontName());
        font.setPixelSize(m_pList->m_nTextHeight);
        font.setWeight(QFont::Bold);
        painter.setFont(font);
        painter.setPen(ColourFromDb(style->foreColor));
        painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine,
                         GetLangString(QStringLiteral("CRDS_FC_LABEL_SAMPLE")));
    }

    CListBoxGrpType* m_pList;
};

} // namespace

CListBoxGrpType::CListBoxGrpType(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new StyleSampleDelegate(this));
    setUniformItemSizes(true);
}

CListBoxGrpType::~CListBoxGrpType() = default;

QString CListBoxGrpType::SheetTypeOfKind(int kind)
{
    switch (kind) {
    case 0:
        return QStringLiteral("DEFAULTITEMBUTTON");
    case 2:
        return QStringLiteral("DEFAULTITEMSHEETSELECTIONNORMAL");
    default:
        return QStringLiteral("DEFAULTFUNCTIONBUTTON");
    }
}

int CListBoxGrpType::CornerSize(const QString& fileName)
{
    return fileName == QLatin1String("ItemSheetSelection.Normal.9.png") ? 4 : 8;
}

void CListBoxGrpType::EnsureStylesLoaded()
{
    if (m_bLoaded || !m_pReads)
        return;
    m_bLoaded = true;
    const QString sheetType = SheetTypeOfKind(m_nKind);
    for (int number = 0; number < kStyleCount; ++number) {
        SheetStyle style;
        if (m_pReads->ReadSheetStyleRow(sheetType, number, style))
            m_styles.push_back(style);
    }
}

const SheetStyle* CListBoxGrpType::StyleAt(int row) const
{
    return row >= 0 && row < int(m_styles.size()) ? &m_styles[size_t(row)] : nullptr;
}

} // namespace kesmond
