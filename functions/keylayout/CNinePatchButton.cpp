#include "functions/keylayout/CNinePatchButton.h"

#include "functions/keylayout/CButtonStyleMgr.h"
#include "functions/keylayout/CImageDataCSB012.h"
#include "functions/keylayout/KeyLayoutColour.h"
#include "functions/keylayout/NineSliceRects.h"

#include "shared/config/PitchFontName.h"

#include <QPainter>

namespace kesmond {

CNinePatchButton::CNinePatchButton(QWidget* parent) : QPushButton(parent) {}

CNinePatchButton::~CNinePatchButton() = default;

void CNinePatchButton::SetImage(const QImage* image)
{
    m_pImage = image;
    update();
}

void CNinePatchButton::SetKeyStyle(const KeyStyle& style)
{
    if (!style.image)
        return;
    SetImage(&style.image->EnsureImageLoaded());
    m_nForeColor = style.foreColor;
    m_nBackColor = style.backColor;
    m_nOptionColor = style.optionColor;
}

void CNinePatchButton::SetSelected(bool selected)
{
    m_bSelected = selected;
    update();
}

QFont CNinePatchButton::GetDrawFont() const
{
    // The face is looked up once per run: a page shows thousands of keys.
    static const QString face = GetPropoPitchFontName();
    QFont drawFont = font();
    drawFont.setFamily(face);
    drawFont.setWeight(QFont::Bold);
    drawFont.setPixelSize(qMax(1, m_nFontHeight));
    return drawFont;
}

void CNinePatchButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();
    if (!m_pImage && !m_bPlainFace) {
        painter.fillRect(area, palette().color(QPalette::Button));
        return;
    }
    painter.fillRect(area, Qt::white);
    // A style without any picture is drawn as one whose picture is too small.
    const auto slices =
        m_pImage ? NineSliceRects(area, m_pImage->size(), m_nCornerSize, m_nOverhangX, m_nOverhangY)
                 : std::nullopt;
    if (slices) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        for (const NineSlice& slice : *slices)
            painter.drawImage(slice.target, *m_pImage, slice.source);
    } else if (m_bPlainFace) {
        painter.fillRect(area, ColourFromDb(m_nBackColor));
        painter.setPen(ColourFromDb(m_nForeColor));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    } else {
        return;
    }
    DrawContent(painter, area);

    if (hasFocus() || m_bSelected) {
        if (m_bTint)
            painter.fillRect(area, QColor(255, 0, 0, 47));
        if (m_bHandles)
            DrawResizeHandles(painter, area);
        if (m_bInvert) {
            painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            painter.fillRect(area, Qt::white);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
    }
    if (m_bVeil && !isEnabled())
        painter.fillRect(area, QColor(191, 191, 191, 175));
}

void CNinePatchButton::DrawContent(QPainter& painter, const QRect& rect)
{
    painter.setFont(GetDrawFont());
    painter.setPen(ColourFromDb(m_nForeColor));
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, text());
}

void DrawResizeHandles(QPainter& painter, const QRect& rect)
{
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    const int r = rect.right();
    const int b = rect.bottom();
    for (const QPoint& centre : {QPoint(r - 4, b / 2), QPoint(r - 4, b - 4), QPoint(r / 2, b - 4)})
        painter.drawEllipse(QRect(centre.x() - 4, centre.y() - 4, 8, 8));
}

void PaintKindButtons(const KeyStyle& style, CNinePatchButton* const (&buttons)[5])
{
    if (!style.image)
        return;
    for (CNinePatchButton* button : buttons)
        if (button)
            button->SetKeyStyle(style);
}

} // namespace kesmond
